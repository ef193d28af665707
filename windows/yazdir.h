#pragma once
// The print window: a group's print-out composed one contact per tick of a
// 10 ms timer while the progress window reports, then printed, given another
// font or saved as a Word document (Rich Text Format).

#include "ui/secondarywindow.h"

class PhoneBook;

#include "store/stringlist.h"

#include <QTextCursor>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QTextEdit;
class QTimer;

class TForm4 : public SecondaryWindow {
    Q_OBJECT
public:
    TForm4(PhoneBook& book, QWidget* parent = nullptr);

    QTextEdit* printPage = nullptr;    // the print-out, editable
    QMenu* pageMenu = nullptr;       // printPage's pop-up menu
    QAction* fontAction = nullptr;    // Yazı Ayarları
    QAction* saveAction = nullptr;        // Kaydet
    QPushButton* printButton = nullptr;    // Yazdır
    QPushButton* exitButton = nullptr;    // Çıkış
    QStatusBar* statusBar = nullptr;
    QLabel* printPositionLabel = nullptr;  // hidden: PrintPosition in decimal
    QTimer* activeGroupPace = nullptr;          // the pace of the active group's print-out
    QTimer* chosenGroupPace = nullptr;          // the pace of a chosen group's print-out

    // PrintPosition: the name line, in the source, of the contact added last.
    int printPosition() const;
    void setPrintPosition(int position);

    // Opened with the print-out of the active group (RecordLines), from the
    // main window's menu.
    void execute();
    // Opened with the print-out of a group chosen in the group print chooser,
    // from the chooser's own lines (its GroupPrintLines).
    void execute(const QString& chosenGroup, const StringList& lines);
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
    void buildWidgets() override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void start(const StringList& source, const QString& groupLine, QTimer* pacing);
    void paceTick(const StringList& source);
    void append(const QStringList& lines);
    void setComposing(bool composing);

    QTextCursor pageEnd;  // kept at the end of the page, where lines are added
    StringList chosenLines;  // the chosen group's, while it is printed

private:
    PhoneBook& book;
};
