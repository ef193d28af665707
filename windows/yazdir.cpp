#include "windows/yazdir.h"

#include "book/phonebook.h"
#include "formats/rtfwriter.h"
#include "store/printout.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "windows/bilgi.h"
#include "windows/forms.h"
#include "windows/Unit8.h"

#include <QCloseEvent>
#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTextEdit>
#include <QTime>
#include <QTimer>

const QString TForm4::JobTitle = QStringLiteral("Telefika 2003 Kayıt Yazdırımı");

namespace {

QPushButton* bigButton(QWidget* parent, QStyle::StandardPixmap picture, const QString& caption, const QRect& place) {
    auto* b = new QPushButton(standardIcon(picture), caption, parent);
    b->setGeometry(place);
    b->setIconSize(QSize(24, 24));
    b->setAutoDefault(false);
    QFont f = b->font();
    f.setBold(true);
    f.setPixelSize(13);
    b->setFont(f);
    // red while it can be pressed, grey while not
    fixedButtonText(b, Qt::red);
    name(b, QString(caption).remove(QLatin1Char('&')));
    return b;
}

}  // namespace

TForm4::TForm4(PhoneBook& phoneBook, QWidget* parent) : SecondaryWindow(parent), book(phoneBook) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Yazdırım"));
    // a dialog border without any title-bar button
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(304, 443);
}

void TForm4::buildWidgets() {
    printPage = new QTextEdit(this);
    printPage->setGeometry(0, 0, 304, 376);
    printPage->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    printPage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    printPage->setLineWrapMode(QTextEdit::NoWrap);
    printPage->setContextMenuPolicy(Qt::CustomContextMenu);
    printPage->setTabChangesFocus(true);  // Tab leaves the page rather than typing into it
    // a size in points, so that the printer draws it at the size seen here
    QFont pageFont = font();
    pageFont.setPointSize(9);
    printPage->setFont(pageFont);
    name(printPage, windowTitle());
    pageEnd = QTextCursor(printPage->document());

    pageMenu = new QMenu(this);
    fontAction = pageMenu->addAction(QStringLiteral("Yazı Ayarları"));
    pageMenu->addSeparator();
    saveAction = pageMenu->addAction(QStringLiteral("Kaydet"));

    printButton = bigButton(this, QStyle::SP_FileDialogDetailedView, QStringLiteral("&Yazdır"), QRect(8, 382, 140, 38));
    exitButton = bigButton(this, QStyle::SP_DialogCloseButton, QStringLiteral("&Çıkış"), QRect(156, 382, 140, 38));

    statusBar = emptyStatusBar(this, QRect(0, 424, 304, 19));

    printPositionLabel = new QLabel(QStringLiteral("0"), this);
    printPositionLabel->hide();

    activeGroupPace = new QTimer(this);
    chosenGroupPace = new QTimer(this);
    for (QTimer* t : {activeGroupPace, chosenGroupPace}) {
        t->setInterval(10);
        t->setTimerType(Qt::PreciseTimer);  // a coarse timer may stretch the pace by a twentieth
    }

    connect(printPage, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pageMenu->popup(printPage->viewport()->mapToGlobal(at)); });
    connect(fontAction, &QAction::triggered, this, &TForm4::YazAyarlar1Click);
    connect(saveAction, &QAction::triggered, this, &TForm4::Kaydet1Click);
    connect(printButton, &QPushButton::clicked, this, &TForm4::BitBtn1Click);
    connect(exitButton, &QPushButton::clicked, this, &TForm4::BitBtn2Click);
    connect(activeGroupPace, &QTimer::timeout, this, &TForm4::Timer1Timer);
    connect(chosenGroupPace, &QTimer::timeout, this, &TForm4::Timer2Timer);
}

int TForm4::printPosition() const { return printPositionLabel ? printPositionLabel->text().toInt() : 0; }

void TForm4::setPrintPosition(int position) {
    ensureBuilt();
    printPositionLabel->setText(QString::number(position));
}

void TForm4::execute() {
    ensureBuilt();
    start(book.recordLines(), QStringLiteral("Grup:") + book.activeGroup(), activeGroupPace);
}

void TForm4::execute(const QString& chosenGroup, const StringList& lines) {
    ensureBuilt();
    chosenLines = lines;
    start(chosenLines, QStringLiteral("Grup:") + chosenGroup, chosenGroupPace);
}

// The start: the header and the first contact on the page, the pace set
// going, and the window shown modally until it is closed.
void TForm4::start(const StringList& source, const QString& groupLine, QTimer* pacing) {
    if (source.isEmpty()) {
        ShowMessage(QStringLiteral("Veri tabanında yazdırılabilecek bir kayıt bulunmamaktadır!"));
        return;
    }
    const int p = printPosition();
    connect(Form5, &TForm5::cancelled, this, &TForm4::cancelPrintout, Qt::UniqueConnection);
    Form5->setGauge(p + 5, source.count());
    const QLocale locale = QLocale::system();
    // no undo steps for the composed lines: the user's edits start afterwards
    printPage->setUndoRedoEnabled(false);
    append(printout::header(printout::dateText(locale, QDate::currentDate()),
                            printout::timeText(locale, QTime::currentTime()), source.count(), groupLine));
    append(printout::contactBlock(source, p));
    pacing->start();
    execModal(this);
}

void TForm4::Timer1Timer() { paceTick(book.recordLines()); }

void TForm4::Timer2Timer() { paceTick(chosenLines); }

// One contact more, or the end of the print-out. The page is only appended
// to, at a cursor kept at its end, so a tick costs the same on a long page.
void TForm4::paceTick(const StringList& source) {
    const int p = printPosition();
    const int n = source.count();
    if (p + 3 >= n) {
        if (Form5->isVisible()) Form5->close();
        setComposing(false);
        if (!printPage->isUndoRedoEnabled()) printPage->setUndoRedoEnabled(true);
        return;
    }
    Form5->setGauge(p + 6, n);
    setPrintPosition(p + 3);
    append(printout::contactBlock(source, p + 3));
    Form5->setProgress(printout::progressText(n, p + 3));
    Form5->execute(this);
    setComposing(true);
}

void TForm4::append(const QStringList& lines) {
    pageEnd.movePosition(QTextCursor::End);
    const QString text = lines.join(QLatin1Char('\n'));
    pageEnd.insertText(printPage->document()->isEmpty() ? text : QLatin1Char('\n') + text);
}

void TForm4::setComposing(bool composing) {
    printButton->setEnabled(!composing);
    exitButton->setEnabled(!composing);
}

void TForm4::cancelPrintout() {
    activeGroupPace->stop();
    chosenGroupPace->stop();
    setComposing(false);
    close();
    Form5->close();
}

// "Yazdır": the page as it stands, as one job.
void TForm4::BitBtn1Click() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(JobTitle);
    if (!askPrinter(printer, this)) return;
    printPage->print(&printer);
}

void TForm4::BitBtn2Click() { close(); }

void TForm4::YazAyarlar1Click() {
    QFont font = printPage->font();
    if (!askFont(font, this)) return;
    printPage->setFont(font);
    // text given a font of its own (pasted) takes the chosen one too
    QTextCursor all(printPage->document());
    all.select(QTextCursor::Document);
    QTextCharFormat format;
    format.setFont(font);
    all.mergeCharFormat(format);
}

// "Kaydet": ".doc" always appended. The success message comes only after
// the file was written whole; a failure throws the file error and leaves no
// file at that name.
void TForm4::Kaydet1Click() {
    const QString chosen = askSaveFileName(this, QStringLiteral("Word Dökümanı"), QStringLiteral("*.doc"));
    if (chosen.isEmpty()) return;
    rtf::save(*printPage->document(), chosen + QStringLiteral(".doc"));
    ShowMessage(QStringLiteral("Kayıt İşlemi Tamamlandı!"));
}

// Closing, by "Çıkış" or "İptal": the pace stops, the page is emptied and
// PrintPosition is 0 again, so the next print-out starts afresh.
void TForm4::done(int result) {
    activeGroupPace->stop();
    chosenGroupPace->stop();
    printPage->clear();
    setPrintPosition(0);
    chosenLines.clear();
    if (Form5) Form5->hide();
    QDialog::done(result);
}

void TForm4::keyPressEvent(QKeyEvent* event) {
    // the window has no close box, and Escape does not close it either
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

void TForm4::closeEvent(QCloseEvent* event) {
    // a close request from the window manager while the page is composed
    if (event->spontaneous() && !exitButton->isEnabled()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
