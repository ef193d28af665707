#pragma once
// The About window: a picture with the version and the maker over it, the
// maker's web address, and the name and organisation this copy is
// registered to.

#include "ui/secondarywindow.h"

class QFrame;
class QLabel;
class QPushButton;
class QStatusBar;
namespace userinfo {
struct Registered;
}

class TForm2 : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    static const QString WebAddress;

    QLabel* pictureLabel = nullptr;       // the picture, stretched over the top
    QLabel* iconImage = nullptr;       // the program's 32 x 32 icon over it
    QLabel* versionLabel = nullptr;       // "Verrsiyon:2.0"
    QLabel* makerCaption = nullptr;       // the maker
    QLabel* makerLabel = nullptr;       // the maker, white bold on red
    QLabel* webLink = nullptr;       // the web address
    QLabel* userInfoCaption = nullptr;       // "Windows Kullancı Bilgisi"
    QLabel* userLabel = nullptr;          // the registered user, "--" until first shown
    QLabel* organisationLabel = nullptr;  // the registered organisation, "--" until first shown
    QFrame* userInfoFrame = nullptr;
    QPushButton* okButton = nullptr;  // Tamam
    QStatusBar* statusBar = nullptr;

    // Shows the picture from JPEG bytes; a picture that cannot be decoded
    // leaves the place empty.
    void showPicture(const QByteArray& jpegBytes);
    // Opened from the main window's menu: reads the registered user's
    // details afresh, then shows the window modally.
    void execute();

public slots:
    void Label4Click();
    void SpeedButton1Click();

protected:
    void buildWidgets() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPictureWidgets();
    void buildDetailWidgets();
    void showRegistered(const userinfo::Registered& registered);
};
