#include "windows/isimsirala.h"

#include "book/phonebook.h"
#include "formats/rtfwriter.h"
#include "store/codepage.h"
#include "store/datafolder.h"
#include "store/merge.h"
#include "store/pendinggroups.h"
#include "store/storeerror.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>

namespace {

// A pick-only drop-down under its label, its items sorted by the program.
QComboBox* picker(QWidget* parent, QLabel* caption, int x, int y, int w) {
    auto* box = new QComboBox(parent);
    box->setGeometry(x, y, w, 21);
    caption->setBuddy(box);
    name(box, caption->text());
    return box;
}

// An option's text: at most 16 characters; cream when it can be typed in,
// silver when not.
QLineEdit* optionEdit(QWidget* parent, QLabel* caption, int x, int y, int w) {
    auto* e = new QLineEdit(parent);
    e->setGeometry(x, y, w, 21);
    e->setMaxLength(16);
    guardText(e);
    caption->setBuddy(e);
    name(e, caption->text());
    return e;
}

void enableOption(QLineEdit* edit, bool on) {
    edit->setEnabled(on);
    fixedBase(edit, on ? Cream : Silver);
}

}  // namespace

TForm12::TForm12(PhoneBook& phoneBook, QWidget* parent) : SecondaryWindow(parent), book(phoneBook) {
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("Grup Birleştirici"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(330, 446);
}

void TForm12::buildWidgets() {
    buildOptions();
    buildReport();

    mergeButton = new QPushButton(standardIcon(QStyle::SP_DialogApplyButton), QStringLiteral("Birleştir"), this);
    mergeButton->setGeometry(8, 406, 153, 32);
    exitButton = new QPushButton(QStringLiteral("Çık"), this);
    exitButton->setGeometry(169, 406, 153, 32);
    for (QPushButton* b : {mergeButton, exitButton}) {
        b->setAutoDefault(false);
        name(b, b->text());
    }
    menuTimer = new QTimer(this);
    menuTimer->setInterval(100);

    connect(firstGroupChooser, &QComboBox::activated, this, &TForm12::ComboBox1Change);
    connect(secondGroupChooser, &QComboBox::activated, this, &TForm12::ComboBox1Change);
    connect(newGroupCheck, &QCheckBox::toggled, this, &TForm12::CheckBox1Click);
    connect(surnameCheck, &QCheckBox::toggled, this, &TForm12::CheckBox2Click);
    connect(newGroupEdit, &QLineEdit::textChanged, this, &TForm12::updateMergeButton);
    connect(surnameTextEdit, &QLineEdit::textChanged, this, &TForm12::updateMergeButton);
    connect(reportEdit, &QTextEdit::customContextMenuRequested, this,
            [this](const QPoint& at) { reportMenu->popup(reportEdit->viewport()->mapToGlobal(at)); });
    connect(saveAction, &QAction::triggered, this, &TForm12::Kaydet1Click);
    connect(clearAction, &QAction::triggered, this, &TForm12::Temizle1Click);
    connect(mergeButton, &QPushButton::clicked, this, &TForm12::BitBtn1Click);
    connect(exitButton, &QPushButton::clicked, this, &TForm12::Button1Click);
    connect(menuTimer, &QTimer::timeout, this, &TForm12::Timer1Timer);
    keyboardLink(aboutLink, [this] { Label6Click(); });
}

// "Grup İşlemleri": the two groups, and the two options with their texts.
void TForm12::buildOptions() {
    optionsBox = new QGroupBox(QStringLiteral("Grup İşlemleri"), this);
    optionsBox->setGeometry(8, 4, 314, 214);
    firstGroupLabel = label(optionsBox, QStringLiteral("Birleştirilecek 1. Grup"), 10, 20);
    firstGroupChooser = picker(optionsBox, firstGroupLabel, 10, 36, 140);
    secondGroupLabel = label(optionsBox, QStringLiteral("Birleştirilecek 2. Grup"), 164, 20);
    secondGroupChooser = picker(optionsBox, secondGroupLabel, 164, 36, 140);

    newGroupCheck = new QCheckBox(QStringLiteral("Farklı isimde birleştir"), optionsBox);
    newGroupCheck->move(10, 66);
    newGroupCheck->adjustSize();
    newGroupLabel = label(optionsBox, QStringLiteral("Yeni Grup İsmi:"), 28, 90);
    newGroupEdit = optionEdit(optionsBox, newGroupLabel, 130, 87, 174);

    noteLabel = new QLabel(QStringLiteral("Farklı İsimde Birleştir seçeneği işaretli değilken birleştirme 1.Grup "
                                       "dosyasına yapılır"),
                        optionsBox);
    noteLabel->setGeometry(10, 114, 294, 30);
    noteLabel->setAlignment(Qt::AlignCenter);
    noteLabel->setWordWrap(true);

    surnameCheck = new QCheckBox(QStringLiteral("Soyadlara Ekle"), optionsBox);
    surnameCheck->move(10, 152);
    surnameCheck->adjustSize();
    aboutLink = new QLabel(QStringLiteral("hakkında"), optionsBox);
    QFont link = aboutLink->font();
    link.setBold(true);
    link.setUnderline(true);
    aboutLink->setFont(link);
    fixedText(aboutLink, Qt::red);
    aboutLink->setCursor(Qt::PointingHandCursor);
    aboutLink->adjustSize();
    aboutLink->move(surnameCheck->geometry().right() + 12, surnameCheck->geometry().center().y() - aboutLink->height() / 2);
    aboutLink->installEventFilter(this);
    surnameTextLabel = label(optionsBox, QStringLiteral("Ayırd Edici Metin:"), 28, 180);
    surnameTextEdit = optionEdit(optionsBox, surnameTextLabel, 130, 177, 174);
    enableOption(newGroupEdit, false);
    enableOption(surnameTextEdit, false);
}

// The gauge, and the report with its pop-up menu.
void TForm12::buildReport() {
    gauge = ::gauge(this, QRect(8, 226, 314, 18), QStringLiteral("İlerleme"));

    reportEdit = new QTextEdit(this);
    reportEdit->setGeometry(8, 252, 314, 146);
    reportEdit->setReadOnly(true);
    reportEdit->setAcceptRichText(false);
    reportEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont reportFont = reportEdit->font();
    reportFont.setPointSize(8);
    reportFont.setBold(true);
    reportEdit->setFont(reportFont);
    reportEdit->document()->setDefaultFont(reportFont);
    cream(reportEdit);
    showFocus(reportEdit);
    name(reportEdit, QStringLiteral("Rapor"));
    reportMenu = new QMenu(this);
    saveAction = reportMenu->addAction(standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Kaydet"));
    clearAction = reportMenu->addAction(standardIcon(QStyle::SP_DialogResetButton), QStringLiteral("Temizle"));
    saveAction->setEnabled(false);
    clearAction->setEnabled(false);
    reportEdit->setContextMenuPolicy(Qt::CustomContextMenu);
}

// Esc closes the window as "Çık" does: the dialog's own reject ends in done().
void TForm12::execute() {
    ensureBuilt();
    groupListCopy.load(datafolder::groupListPath());
    fillPickers();
    Timer1Timer();
    menuTimer->start();
    if (isVisible()) raise();  // opened again while open: brought to the front
    show();
    activateWindow();
}

void TForm12::fillPickers() {
    for (QComboBox* box : {firstGroupChooser, secondGroupChooser}) {
        box->clear();
        addGroupNames(box, groupListCopy, true);
        box->setCurrentIndex(-1);
    }
}

// A duplicate's entry is one paragraph whose lines are parted by line
// separators (merge::reportText): each of them is a line of the report.
QStringList TForm12::reportLines() const {
    QStringList lines;
    if (!reportEdit) return lines;
    const QTextDocument* report = reportEdit->document();
    if (report->isEmpty()) return lines;
    for (QTextBlock b = report->begin(); b.isValid(); b = b.next()) lines << b.text().split(QChar::LineSeparator);
    return lines;
}

void TForm12::setReport(const QStringList& lines) { setReportText(lines.join(QLatin1Char('\n'))); }

// The whole text handed to the report in one step.
void TForm12::setReportText(const QString& text) { reportEdit->setPlainText(text); }

void TForm12::ComboBox1Change() {
    if (firstGroupChooser->currentText() != secondGroupChooser->currentText()) return;
    ShowMessage(QStringLiteral("Gruplar aynı olamaz!"));
    fillPickers();
}

void TForm12::CheckBox1Click() {
    enableOption(newGroupEdit, newGroupCheck->isChecked());
    updateMergeButton();
}

void TForm12::CheckBox2Click() {
    enableOption(surnameTextEdit, surnameCheck->isChecked());
    updateMergeButton();
}

void TForm12::updateMergeButton() {
    mergeButton->setEnabled((!newGroupCheck->isChecked() || !newGroupEdit->text().isEmpty()) &&
                        (!surnameCheck->isChecked() || !surnameTextEdit->text().isEmpty()));
}

bool TForm12::eventFilter(QObject* watched, QEvent* event) {
    if (watched == aboutLink && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label6Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm12::Label6Click() {
    ShowMessage(QStringLiteral("Bu seçenek işaretli iken metine girdiğiniz yazı ikinci grup dosyasındaki "
                               "soyadlara eklenecektir ve grupların karışması önlenecektir!"));
}

// Every 100 ms while the window is open: whether the report has more than
// two lines is told by its paragraphs, without reading them, so a report of
// many thousands of duplicates keeps the window responsive. A report of one
// line is one paragraph; one of duplicates has at least eight (an entry and
// the seven summary lines).
void TForm12::Timer1Timer() {
    const QTextDocument* report = reportEdit->document();
    const bool some = !report->isEmpty() && report->blockCount() > 2;
    saveAction->setEnabled(some);
    clearAction->setEnabled(some);
}

void TForm12::BitBtn1Click() { mergeGroups(); }

// "Birleştir". A new group's name must name no group and no file yet, and
// must be able to be a file's name: otherwise nothing happens but the
// message. The result is written first, then the group list (a new group
// named among the pending groups before both); "İşlem Tamam!" only when
// both are on disk. A file error stops the merge with both files
// as they were.
void TForm12::mergeGroups() {
    const bool intoNewGroup = newGroupCheck->isChecked();
    const QString newGroup = newGroupEdit->text();
    if (intoNewGroup && !newGroupNameFree(newGroup)) return;
    const QString firstPath = datafolder::groupFilePath(firstGroupChooser->currentText());
    if (!readGroups(firstPath)) return;

    // The merge
    setReport({});
    const merge::Outcome outcome =
        merge::mergeContacts(mergeLines, mergeNameIndex, secondLines,
                             [this](int line) { gauge->setValue(std::min(line, gauge->maximum())); });
    writeResult(intoNewGroup ? datafolder::groupFilePath(newGroup) : firstPath, intoNewGroup ? newGroup : QString());

    setReportText(merge::reportText(outcome));
    secondLines.clear();
    newGroupCheck->setChecked(false);
    newGroupEdit->clear();
    fillPickers();
    ShowMessage(QStringLiteral("İşlem Tamam!"));
}

bool TForm12::newGroupNameFree(const QString& newGroup) {
    if (!acceptGroupName(newGroup)) return false;
    if (book.groupNames().lookup(newGroup) >= 0 || datafolder::exists(datafolder::groupFilePath(newGroup))) {
        ShowMessage(QStringLiteral("Bu isimde başka bir grup bulunmaktadır!"));
        return false;
    }
    return true;
}

// The preparation: the first group into MergeLines with its names, the
// second group into SecondLines, its surnames extended when asked. A group
// without its file, or a second group without a contact, stops it with the
// error in the report.
bool TForm12::readGroups(const QString& firstPath) {
    mergeLines.clear();
    mergeNameIndex.clear();
    secondLines.clear();
    groupListCopy.clear();
    if (!datafolder::exists(firstPath)) {
        setReport({QStringLiteral("Hata:Birleştirilecek 1. Grup Dosyası Bulunamyor!")});
        return false;
    }
    const QString secondPath = datafolder::groupFilePath(secondGroupChooser->currentText());
    if (!datafolder::exists(secondPath)) {
        setReport({QStringLiteral("Hata:Birleştirilecek 2. Grup Dosyası Bulunamyor!")});
        return false;
    }
    mergeLines.load(firstPath);
    rebuildNameIndex(mergeLines, mergeNameIndex);
    secondLines.load(secondPath);
    if (secondLines.count() < 2) {
        setReport({QStringLiteral("Hata:2.Grup Dosyası hiç bir kayıt içermiyor!")});
        return false;
    }
    // A second group of two lines (one contact without its number) gives
    // the gauge no room: it stays at 0 and the contact is merged.
    gauge->setRange(0, std::max(secondLines.count() - 3, 0));
    if (surnameCheck->isChecked()) merge::extendSurnames(secondLines, codepage::encode(surnameTextEdit->text()));
    return true;
}

// The result written, with the group list naming a new group, through the
// phone book: the main window shows the merge at once, so that none of its
// actions writes the contacts it held before over the merged file. A file
// error leaves both files as they were and is thrown on.
void TForm12::writeResult(const QString& resultPath, const QString& newGroup) {
    try {
        book.writeMergeResult(resultPath, mergeLines, newGroup);
    } catch (const StoreError&) {
        gauge->setValue(0);
        mergeLines.clear();
        mergeNameIndex.clear();
        secondLines.clear();
        throw;
    }
    gauge->setValue(0);
    mergeLines.clear();
    groupListCopy.clear();
    mergeNameIndex.clear();
    groupListCopy.load(datafolder::groupListPath());
    firstGroupChooser->clear();
    secondGroupChooser->clear();
}

void TForm12::Button1Click() {
    setReport({});
    close();
}

// "Kaydet": the report in Rich Text Format, under the chosen name with ".txt"
// appended in every case.
void TForm12::Kaydet1Click() {
    const QString chosen = askSaveFileName(this, QStringLiteral("Metin"), QStringLiteral("*.txt"));
    if (chosen.isEmpty()) return;
    // every line of the report its own paragraph, as the window shows it
    rtf::save(*reportEdit->document(), chosen + QStringLiteral(".txt"), rtf::LineSeparator::Paragraph);
}

void TForm12::Temizle1Click() { setReport({}); }

void TForm12::done(int result) {
    menuTimer->stop();
    // A file error stops these steps where it happens; the window closes all
    // the same.
    try {
        book.reload();
    } catch (const StoreError& e) {
        ShowError(e.message());
    }
    setReport({});
    newGroupCheck->setChecked(false);
    newGroupEdit->clear();
    surnameCheck->setChecked(false);
    surnameTextEdit->clear();
    QDialog::done(result);
}
