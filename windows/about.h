#pragma once
// The About window: a picture with the version and the maker over it, the
// maker's web address, and the name and organisation this copy is
// registered to.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QStatusBar;
namespace userinfo {
struct Registered;
}

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    static const QString WebAddress;

    QLabel* pictureLabel;       // the picture, stretched over the top
    QLabel* iconImage;       // the program's 32 x 32 icon over it
    QLabel* versionLabel;       // "Verrsiyon:2.0"
    QLabel* makerCaption;       // the maker
    QLabel* makerLabel;       // the maker, white bold on red
    QLabel* webLink;       // the web address
    QLabel* userInfoCaption;       // "Windows Kullancı Bilgisi"
    QLabel* userLabel;          // the registered user, "--" until first shown
    QLabel* organisationLabel;  // the registered organisation, "--" until first shown
    QFrame* userInfoFrame;
    QPushButton* okButton;  // Tamam
    QStatusBar* statusBar;

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
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showRegistered(const userinfo::Registered& registered);
};
