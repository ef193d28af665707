#pragma once
// The record browser: the contacts of the active group one at a time,
// forwards, backwards, to the first and to the last, each handed to the main
// window on request. Modeless: the main window stays usable while it is open,
// and every step reads the group's lines as they stand then.

#include "ui/secondarywindow.h"

class PhoneBook;

class ContactFields;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QStatusBar;

class TForm3 : public SecondaryWindow {
    Q_OBJECT
public:
    TForm3(PhoneBook& book, QWidget* parent = nullptr);

    QLabel* totalLabel = nullptr;    // "Toplam " + n + " kişi kayıtlı"
    QLabel* counterLabel = nullptr;  // "Şu anda " + k + ".kişidesiniz"
    ContactFields* contactFields = nullptr;
    QCheckBox* transferCheck = nullptr;  // Ana Ekrana Aktar
    QGroupBox* controlsBox = nullptr;  // Tarayıcı Kumanda
    QPushButton* backButton = nullptr;  // "<"  Geri
    QPushButton* forwardButton = nullptr;  // ">"  İleri
    QPushButton* firstButton = nullptr;  // "<<" Baş
    QPushButton* lastButton = nullptr;  // ">>" Son
    QPushButton* exitButton = nullptr;       // &Çıkış
    QStatusBar* statusBar = nullptr;

    // BrowserPosition: the line of the shown contact's name, kept as the
    // decimal text of a hidden label.
    int browserPosition() const;
    void setBrowserPosition(int position);

    // Opened from the main window's menu, also while it is open already.
    void execute();

public slots:
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void CheckBox1Click(bool checked);
    // Closing, by whatever means: the browser starts at the first contact again.
    void done(int result) override;

protected:
    void buildWidgets() override;

private:
    QLabel* positionLabel = nullptr;  // hidden; holds BrowserPosition
    void showContactAt(int position);
    void readContactAt(int position);
    // The group may have shrunk while the window was open: the position is
    // brought back to the last contact, which is shown. False when the group
    // has no contact left, the message shown and the window closed.
    bool keepWithinGroup();

private:
    PhoneBook& book;
};
