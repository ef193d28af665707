#include "windows/isimsirala.h"

#include "app/forms.h"
#include "app/Unit1.h"
#include "formats/rtfwriter.h"
#include "store/codepage.h"
#include "store/datafolder.h"
#include "store/merge.h"
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

const QColor Silver(192, 192, 192);
const QColor SkyBlue(166, 202, 240);

QLabel* label(QWidget* parent, const QString& text, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

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
    paint(edit, QPalette::Base, on ? Cream : Silver);
}

}  // namespace

TForm12::TForm12(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("Grup Birleştirici"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(330, 446);

    GroupBox1 = new QGroupBox(QStringLiteral("Grup İşlemleri"), this);
    GroupBox1->setGeometry(8, 4, 314, 214);
    Label1 = label(GroupBox1, QStringLiteral("Birleştirilecek 1. Grup"), 10, 20);
    ComboBox1 = picker(GroupBox1, Label1, 10, 36, 140);
    Label2 = label(GroupBox1, QStringLiteral("Birleştirilecek 2. Grup"), 164, 20);
    ComboBox2 = picker(GroupBox1, Label2, 164, 36, 140);
    connect(ComboBox1, &QComboBox::activated, this, &TForm12::ComboBox1Change);
    connect(ComboBox2, &QComboBox::activated, this, &TForm12::ComboBox1Change);

    CheckBox1 = new QCheckBox(QStringLiteral("Farklı isimde birleştir"), GroupBox1);
    CheckBox1->move(10, 66);
    CheckBox1->adjustSize();
    Label3 = label(GroupBox1, QStringLiteral("Yeni Grup İsmi:"), 28, 90);
    Edit1 = optionEdit(GroupBox1, Label3, 130, 87, 174);

    Label4 = new QLabel(QStringLiteral("Farklı İsimde Birleştir seçeneği işaretli değilken birleştirme 1.Grup "
                                       "dosyasına yapılır"),
                        GroupBox1);
    Label4->setGeometry(10, 114, 294, 30);
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setWordWrap(true);

    CheckBox2 = new QCheckBox(QStringLiteral("Soyadlara Ekle"), GroupBox1);
    CheckBox2->move(10, 152);
    CheckBox2->adjustSize();
    Label6 = new QLabel(QStringLiteral("hakkında"), GroupBox1);
    QFont link = Label6->font();
    link.setBold(true);
    link.setUnderline(true);
    Label6->setFont(link);
    paint(Label6, QPalette::WindowText, Qt::red);
    Label6->setCursor(Qt::PointingHandCursor);
    Label6->adjustSize();
    Label6->move(CheckBox2->geometry().right() + 12, CheckBox2->geometry().center().y() - Label6->height() / 2);
    Label6->installEventFilter(this);
    Label5 = label(GroupBox1, QStringLiteral("Ayırd Edici Metin:"), 28, 180);
    Edit2 = optionEdit(GroupBox1, Label5, 130, 177, 174);
    enableOption(Edit1, false);
    enableOption(Edit2, false);
    connect(CheckBox1, &QCheckBox::toggled, this, &TForm12::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::toggled, this, &TForm12::CheckBox2Click);
    connect(Edit1, &QLineEdit::textChanged, this, &TForm12::updateMergeButton);
    connect(Edit2, &QLineEdit::textChanged, this, &TForm12::updateMergeButton);

    CGauge1 = new QProgressBar(this);
    CGauge1->setGeometry(8, 226, 314, 18);
    CGauge1->setRange(0, 100);
    CGauge1->setValue(0);
    CGauge1->setFormat(QStringLiteral("%p%"));
    CGauge1->setAlignment(Qt::AlignCenter);
    paint(CGauge1, QPalette::Highlight, SkyBlue);
    paint(CGauge1, QPalette::HighlightedText, Qt::black);
    name(CGauge1, QStringLiteral("İlerleme"));

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setGeometry(8, 252, 314, 146);
    RichEdit1->setReadOnly(true);
    RichEdit1->setAcceptRichText(false);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont reportFont = RichEdit1->font();
    reportFont.setPointSize(8);
    reportFont.setBold(true);
    RichEdit1->setFont(reportFont);
    RichEdit1->document()->setDefaultFont(reportFont);
    cream(RichEdit1);
    name(RichEdit1, QStringLiteral("Rapor"));
    PopupMenu1 = new QMenu(this);
    Kaydet1 = PopupMenu1->addAction(standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Kaydet"));
    Temizle1 = PopupMenu1->addAction(standardIcon(QStyle::SP_DialogResetButton), QStringLiteral("Temizle"));
    Kaydet1->setEnabled(false);
    Temizle1->setEnabled(false);
    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RichEdit1, &QTextEdit::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(RichEdit1->viewport()->mapToGlobal(at)); });
    connect(Kaydet1, &QAction::triggered, this, &TForm12::Kaydet1Click);
    connect(Temizle1, &QAction::triggered, this, &TForm12::Temizle1Click);

    BitBtn1 = new QPushButton(standardIcon(QStyle::SP_DialogApplyButton), QStringLiteral("Birleştir"), this);
    BitBtn1->setGeometry(8, 406, 153, 32);
    Button1 = new QPushButton(QStringLiteral("Çık"), this);
    Button1->setGeometry(169, 406, 153, 32);
    for (QPushButton* b : {BitBtn1, Button1}) {
        b->setAutoDefault(false);
        name(b, b->text());
    }
    connect(BitBtn1, &QPushButton::clicked, this, &TForm12::BitBtn1Click);
    connect(Button1, &QPushButton::clicked, this, &TForm12::Button1Click);

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &TForm12::Timer1Timer);
}

// Esc closes the window as "Çık" does: the dialog's own reject ends in done().
void TForm12::execute() {
    groupListCopy.load(datafolder::groupListPath());
    fillPickers();
    if (isVisible()) raise();  // opened again while open: brought to the front
    show();
    activateWindow();
}

void TForm12::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Timer1Timer();
    Timer1->start();
}

void TForm12::fillPickers() {
    for (QComboBox* box : {ComboBox1, ComboBox2}) {
        box->clear();
        addGroupNames(box, groupListCopy, true);
        box->setCurrentIndex(-1);
    }
}

QStringList TForm12::reportLines() const {
    QStringList lines;
    const QTextDocument* report = RichEdit1->document();
    if (report->isEmpty()) return lines;
    for (QTextBlock b = report->begin(); b.isValid(); b = b.next()) lines << b.text();
    return lines;
}

void TForm12::setReport(const QStringList& lines) {
    RichEdit1->setPlainText(lines.join(QLatin1Char('\n')));
}

void TForm12::ComboBox1Change() {
    if (ComboBox1->currentText() != ComboBox2->currentText()) return;
    ShowMessage(QStringLiteral("Gruplar aynı olamaz!"));
    fillPickers();
}

void TForm12::CheckBox1Click() {
    enableOption(Edit1, CheckBox1->isChecked());
    updateMergeButton();
}

void TForm12::CheckBox2Click() {
    enableOption(Edit2, CheckBox2->isChecked());
    updateMergeButton();
}

void TForm12::updateMergeButton() {
    BitBtn1->setEnabled((!CheckBox1->isChecked() || !Edit1->text().isEmpty()) &&
                        (!CheckBox2->isChecked() || !Edit2->text().isEmpty()));
}

bool TForm12::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label6 && event->type() == QEvent::MouseButtonRelease &&
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

// Every 100 ms while the window is open: the report's lines are counted by
// its paragraphs, without reading them, so a report of many thousands of
// duplicates keeps the window responsive.
void TForm12::Timer1Timer() {
    const QTextDocument* report = RichEdit1->document();
    const bool some = !report->isEmpty() && report->blockCount() > 2;
    Kaydet1->setEnabled(some);
    Temizle1->setEnabled(some);
}

void TForm12::BitBtn1Click() { mergeGroups(); }

// "Birleştir". A new group's name must name no group and no file yet, and
// must be able to be a file's name: otherwise nothing happens but the
// message. The result is written first, then the group list; "İşlem Tamam!"
// only when both are on disk. A file error stops the merge with both files
// as they were.
void TForm12::mergeGroups() {
    const bool intoNewGroup = CheckBox1->isChecked();
    const QString newGroup = Edit1->text();
    if (intoNewGroup) {
        if (!acceptGroupName(newGroup)) return;
        if (Form1->groupNames.lookup(newGroup) >= 0 || datafolder::exists(datafolder::groupFilePath(newGroup))) {
            ShowMessage(QStringLiteral("Bu isimde başka bir grup bulunmaktadır!"));
            return;
        }
    }

    // Preparation
    mergeLines.clear();
    mergeNameIndex.clear();
    secondLines.clear();
    groupListCopy.clear();
    const QString firstPath = datafolder::groupFilePath(ComboBox1->currentText());
    if (!datafolder::exists(firstPath)) {
        setReport({QStringLiteral("Hata:Birleştirilecek 1. Grup Dosyası Bulunamyor!")});
        return;
    }
    const QString secondPath = datafolder::groupFilePath(ComboBox2->currentText());
    if (!datafolder::exists(secondPath)) {
        setReport({QStringLiteral("Hata:Birleştirilecek 2. Grup Dosyası Bulunamyor!")});
        return;
    }
    mergeLines.load(firstPath);
    rebuildNameIndex(mergeLines, mergeNameIndex);
    secondLines.load(secondPath);
    if (secondLines.count() < 2) {
        setReport({QStringLiteral("Hata:2.Grup Dosyası hiç bir kayıt içermiyor!")});
        return;
    }
    // A second group of two lines (one contact without its number) gives
    // the gauge no room: it stays at 0 and the contact is merged.
    CGauge1->setRange(0, std::max(secondLines.count() - 3, 0));
    if (CheckBox2->isChecked()) merge::extendSurnames(secondLines, codepage::encode(Edit2->text()));

    // The merge
    setReport({});
    const merge::Outcome outcome =
        merge::mergeContacts(mergeLines, mergeNameIndex, secondLines,
                             [this](int line) { CGauge1->setValue(std::min(line, CGauge1->maximum())); });

    const QString resultPath =
        intoNewGroup ? datafolder::groupFilePath(newGroup) : firstPath;
    StringList names = Form1->groupNames;
    if (intoNewGroup && names.lookup(newGroup) < 0) names.add(newGroup);
    const QString listPath = datafolder::groupListPath();
    const bool activeWritten = resultPath == Form1->activeGroupPath();
    const bool listChanged = names.count() != Form1->groupNames.count();
    try {
        merge::writeResult(resultPath, mergeLines, listPath, names);
    } catch (const StoreError&) {
        CGauge1->setValue(0);
        mergeLines.clear();
        mergeNameIndex.clear();
        secondLines.clear();
        throw;
    }
    Form1->groupNames = names;

    CGauge1->setValue(0);
    mergeLines.clear();
    groupListCopy.clear();
    mergeNameIndex.clear();
    groupListCopy.load(listPath);
    ComboBox1->clear();
    ComboBox2->clear();

    // The main window shows the merge at once, so that none of its actions
    // writes the contacts it held before over the merged file.
    if (activeWritten) {
        Form1->activateGroup(Form1->groupNames.text(0));
        Form1->recheckSensitive();
    }
    if (listChanged) Form1->fillGroupSelector();

    setReport(merge::report(outcome));
    secondLines.clear();
    CheckBox1->setChecked(false);
    Edit1->clear();
    fillPickers();
    ShowMessage(QStringLiteral("İşlem Tamam!"));
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
    rtf::save(*RichEdit1->document(), chosen + QStringLiteral(".txt"));
}

void TForm12::Temizle1Click() { setReport({}); }

void TForm12::done(int result) {
    Timer1->stop();
    // A file error stops these steps where it happens; the window closes all
    // the same.
    try {
        Form1->fillGroupSelector();
        if (datafolder::exists(Form1->activeGroupPath())) Form1->activateGroup(Form1->groupNames.text(0));
    } catch (const StoreError& e) {
        ShowError(e.message());
    }
    setReport({});
    CheckBox1->setChecked(false);
    Edit1->clear();
    CheckBox2->setChecked(false);
    Edit2->clear();
    QDialog::done(result);
}
