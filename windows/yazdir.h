#pragma once
// The print window: a group's print-out composed one contact per tick of a
// 10 ms timer while the progress window reports, then printed, given another
// font or saved as a Word document (Rich Text Format).

#include <QDialog>
#include <QTextCursor>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QTextEdit;
class QTimer;
class StringList;

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    QTextEdit* printPage;    // the print-out, editable
    QMenu* pageMenu;       // printPage's pop-up menu
    QAction* fontAction;    // Yazı Ayarları
    QAction* saveAction;        // Kaydet
    QPushButton* printButton;    // Yazdır
    QPushButton* exitButton;    // Çıkış
    QStatusBar* statusBar;
    QLabel* printPositionLabel;  // hidden: PrintPosition in decimal
    QTimer* activeGroupPace;          // the pace of the active group's print-out
    QTimer* chosenGroupPace;          // the pace of a chosen group's print-out

    // PrintPosition: the name line, in the source, of the contact added last.
    int printPosition() const;
    void setPrintPosition(int position);

    // The print-out of the active group (RecordLines), from the main window.
    void printActiveGroup();
    // The print-out of a group chosen in the group print chooser, from its
    // own lines (the chooser's GroupPrintLines).
    void printChosenGroup(const QString& group);
    // "İptal" in the progress window: the print-out stops and the window closes.
    void cancelPrintout();

    static const QString JobTitle;  // "Telefika 2003 Kayıt Yazdırımı"

public slots:
    void Timer1Timer();
    void Timer2Timer();
    void BitBtn1Click();      // Yazdır
    void BitBtn2Click();      // Çıkış
    void YazAyarlar1Click();  // the font of the whole page
    void Kaydet1Click();      // saved as a Word document
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void start(const StringList& source, const QString& groupLine, QTimer* pacing);
    void paceTick(const StringList& source);
    void append(const QStringList& lines);
    void setComposing(bool composing);

    QTextCursor pageEnd;  // kept at the end of the page, where lines are added
};
