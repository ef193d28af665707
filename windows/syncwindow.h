#pragma once
// The sync window: one sync of the active group with its address book, run
// in the background (sync/syncrunner.h), so no window waits for the server.
// While it runs: the stage, the counts and "İptal". At the end: what was
// added, changed and deleted on each side and what was left out, the reason
// of a failure, and each conflict with both versions and "Sunucudakini Al" /
// "Buradakini Al", which run the sync again with that choice. The password
// comes from the keyring, or is typed here and kept nowhere.

#include "platform/keyring.h"
#include "sync/syncreport.h"
#include "ui/secondarywindow.h"

#include <QPointer>

class PhoneBook;
class SyncRunner;

class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QVBoxLayout;
class QWidget;

class SyncWindow : public SecondaryWindow {
    Q_OBJECT
public:
    SyncWindow(PhoneBook& book, QWidget* parent = nullptr);

    // The message of a group without a link.
    static const QString NotLinked;

    QLabel* groupValue = nullptr;        // Grup: the group synced
    QLabel* bookValue = nullptr;         // Adres defteri: its address book
    QLineEdit* passwordField = nullptr;  // Parola: shown when the keyring has none
    QPushButton* startButton = nullptr;  // Eşitle: with the typed password
    QLabel* stageValue = nullptr;        // what is being done, with its counts
    QProgressBar* progressBar = nullptr;
    QListWidget* reportList = nullptr;   // every line of the report, the counts last
    QLabel* failureValue = nullptr;      // why the sync could not be done
    QScrollArea* conflictArea = nullptr;  // a row a conflict, both versions and two buttons
    QLabel* lastSyncValue = nullptr;     // Son eşitleme: ...
    QPushButton* cancelButton = nullptr;  // İptal
    QPushButton* closeButton = nullptr;   // Kapat

    // Opened from the main window's menu on the active group; a group without
    // a link is told so, and nothing opens.
    void execute();

    bool isRunning() const;
    // The report of the last run.
    const SyncReport& report() const { return report_; }
    // The buttons of conflict `row`: "Sunucudakini Al" and "Buradakini Al".
    QPushButton* takeServerButton(int row) const;
    QPushButton* takeHereButton(int row) const;

public slots:
    void startClicked();   // "Eşitle"
    void cancelClicked();  // "İptal"
    void closeClicked();   // "Kapat"

protected:
    void buildWidgets() override;
    void done(int result) override;

private:
    PhoneBook& book;
    QString group_;
    QString password_;  // in memory while the window is open, for the runs it starts
    int session_ = 0;
    QPointer<SyncRunner> runner_;
    SyncReport report_;
    QFormLayout* form_ = nullptr;  // Grup, Adres defteri, and Parola last
    QWidget* conflictRows = nullptr;
    QVBoxLayout* conflictLayout = nullptr;
    QList<QPushButton*> serverButtons_, hereButtons_;

    void buildProgress(QVBoxLayout* outer);
    void keyringRead(Keyring::Outcome outcome, const QString& secret);
    void askPassword(const QString& why);
    void run(const QList<Resolution>& resolutions);
    void showProgress(const QString& stage, int done, int total);
    void deletionAsked(int cards);
    void finished();
    void showReport();
    void addConflictRow(const SyncReport::Conflict& conflict);
    void clearConflicts();
    void resolve(const QString& href, Resolution::Take take);
    void setRunning(bool running);
};
