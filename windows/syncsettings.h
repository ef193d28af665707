#pragma once
// The sync settings window: a group's link to a CardDAV address book. The
// server's address, the user name and the password; "Bağlantıyı Dene" finds
// the address books behind the address (in the background: the window never
// waits), the one to use is chosen, or a new one named after the group, and
// "Kaydet" keeps the link (sync/synclink.h) and the password in the desktop's
// keyring (platform/keyring.h), never anywhere else. "Bağlantıyı Kaldır"
// forgets both; the server's address book stays as it is.

#include "platform/keyring.h"
#include "ui/secondarywindow.h"

#include <QPointer>
#include <QUrl>

class Discovery;
class PhoneBook;

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// "Son eşitleme: " and the time of the group's last sync, or "hiç".
QString lastSyncText(const QString& group);

class SyncSettingsWindow : public SecondaryWindow {
    Q_OBJECT
public:
    SyncSettingsWindow(PhoneBook& book, QWidget* parent = nullptr);

    QComboBox* groupChooser = nullptr;   // Grup:
    QLineEdit* addressField = nullptr;   // Sunucu adresi:
    QLabel* plainHttpNote = nullptr;     // shown only for an http address
    QLineEdit* userField = nullptr;      // Kullanıcı adı:
    QLineEdit* passwordField = nullptr;  // Parola:
    QLabel* noKeyringNote = nullptr;     // shown only where no keyring runs
    QPushButton* tryButton = nullptr;    // Bağlantıyı Dene
    QComboBox* bookChooser = nullptr;    // Adres defteri: the books found, and a new one
    QLabel* statusLabel = nullptr;       // what the last step gave, or why it failed
    QLabel* lastSyncLabel = nullptr;     // Son eşitleme: ...
    QPushButton* saveButton = nullptr;    // Kaydet
    QPushButton* removeButton = nullptr;  // Bağlantıyı Kaldır
    QPushButton* closeButton = nullptr;   // Kapat

    // Opened from the main window's menu on the active group.
    void execute();

    // True while a connection is tried or a new address book made.
    bool isBusy() const { return !discovery_.isNull(); }

public slots:
    void groupChosen();
    void addressEdited();
    void tryClicked();     // "Bağlantıyı Dene"
    void saveClicked();    // "Kaydet"
    void removeClicked();  // "Bağlantıyı Kaldır"
    void closeClicked();   // "Kapat"

protected:
    void buildWidgets() override;
    void done(int result) override;

private:
    PhoneBook& book;
    QString group_;
    QUrl linkedBook_;  // the group's address book as linked now; empty when none
    bool hasLink_ = false;
    QUrl booksFor_;  // the address whose address books the chooser offers
    QFormLayout* fields_ = nullptr;
    QString storedPassword_;  // read from the keyring while the window is open
    int session_ = 0;         // a new one at each group chosen: late answers of an old one are let go
    QPointer<Discovery> discovery_;

    void buildFields();
    void buildButtons();
    // The address and the password the connection is tried with; false,
    // with the reason shown, when the address is no http or https one.
    bool connectionInput(QUrl& address, QString& password);
    Discovery* startDiscovery(const QUrl& address, const QString& password);
    void discoveryFinished(Discovery* discovery, bool creating);
    void fillBooks(const QList<QUrl>& urls, const QStringList& names, const QUrl& chosen);
    void keep(const QUrl& bookUrl);
    void passwordKept(Keyring::Outcome outcome);
    void keyringRead(Keyring::Outcome outcome, const QString& secret);
    void setBusy(bool busy);
    void updateButtons();
};
