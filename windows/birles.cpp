#include "windows/birles.h"

#include "book/phonebook.h"
#include "store/datafolder.h"
#include "store/pendinggroups.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "windows/grup.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString DeleteQuestion = QStringLiteral("Aşağıdaki bilgilere sahip grubu silmek      istiyor musunuz?");
const QString EmptyQuestion =
    QStringLiteral("Aşağıdaki bilgilere sahip grubun içeriğini silmek      istiyor musunuz?");

QLabel* sunken(QWidget* parent, const QString& text, int x, int y, int w) {
    QLabel* l = sunkenPanel(parent, text, QRect(x, y, w, 21));
    l->setIndent(4);
    return l;
}

}  // namespace

TForm9::TForm9(PhoneBook& phoneBook, QWidget* parent) : SecondaryWindow(parent), book(phoneBook) {
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Grup Silme Onay?"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(300, 150);
}

void TForm9::buildWidgets() {
    questionLabel = new QLabel(DeleteQuestion, this);
    questionLabel->setGeometry(8, 8, 284, 34);
    questionLabel->setAlignment(Qt::AlignCenter);
    questionLabel->setWordWrap(true);

    groupNameCaption = sunken(this, QStringLiteral("Grup Adı:"), 8, 50, 80);
    groupNameValue = sunken(this, QString(), 92, 50, 200);
    capacityCaption = sunken(this, QStringLiteral("Kapasite:"), 8, 76, 80);
    capacityValue = sunken(this, QString(), 92, 76, 200);

    deleteButton = new QPushButton(QStringLiteral("&Evet"), this);
    deleteButton->setGeometry(56, 112, 90, 27);
    name(deleteButton, QStringLiteral("Evet"));
    emptyButton = new QPushButton(QStringLiteral("&Evet"), this);
    emptyButton->setGeometry(deleteButton->geometry());
    name(emptyButton, QStringLiteral("Evet"));
    noButton = new QPushButton(QStringLiteral("&Hayır"), this);
    noButton->setGeometry(154, 112, 90, 27);
    name(noButton, QStringLiteral("Hayır"));

    setDeleteMode();

    connect(deleteButton, &QPushButton::clicked, this, &TForm9::BitBtn1Click);
    connect(emptyButton, &QPushButton::clicked, this, &TForm9::BitBtn3Click);
    connect(noButton, &QPushButton::clicked, this, &TForm9::BitBtn2Click);
}

// The run of blanks in a question is where its line breaks: the label is as
// wide as the text before the run, and centred in the window.
void TForm9::setQuestion(const QString& question) {
    const int run = question.indexOf(QStringLiteral("  "));
    const QString firstLine = run < 0 ? question : question.left(run);
    const int w = qMin(width() - 16, questionLabel->fontMetrics().horizontalAdvance(firstLine) + 6);
    questionLabel->setGeometry((width() - w) / 2, 8, w, 34);
    questionLabel->setText(question);
}

void TForm9::execute(const QString& group, bool emptying) {
    ensureBuilt();
    confirmLines.load(datafolder::groupFilePath(group));
    groupNameValue->setText(group);
    capacityValue->setText(QString::number(datafolder::contactsHeld(confirmLines.count())) + QStringLiteral(" kişi"));
    if (emptying) setEmptyMode();
    execModal(this);
}

void TForm9::setDeleteMode() {
    emptyButton->hide();
    deleteButton->show();
    deleteButton->setDefault(true);
    setQuestion(DeleteQuestion);
}

void TForm9::setEmptyMode() {
    ensureBuilt();
    deleteButton->hide();
    emptyButton->show();
    emptyButton->setDefault(true);
    setQuestion(EmptyQuestion);
}

bool TForm9::isEmptyMode() const { return emptyButton && !emptyButton->isHidden(); }

void TForm9::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    (isEmptyMode() ? emptyButton : deleteButton)->setFocus();
}

// Deleting: the file goes at once, the name leaves the group window's list,
// and the group list at the window's closing. The group is named among the
// pending groups first, so a start after a kill in between drops it from the
// list (store/pendinggroups.h). A file that cannot be removed, or a group
// that cannot be named there, keeps its group.
void TForm9::BitBtn1Click() {
    const QString group = groupNameValue->text();
    if (group.isEmpty()) {
        close();
        return;
    }
    if (!book.removeGroupFile(group))  // the group window hears of it from the phone book
        ShowMessage(QStringLiteral("Grup dosyası silinemedi! Grup olduğu gibi kaldı."));
    close();
}

// Emptying: the group's file is written with no line at all.
void TForm9::BitBtn3Click() {
    const QString group = groupNameValue->text();
    if (group.isEmpty()) {
        close();
        return;
    }
    confirmLines.clear();
    book.emptyGroup(group);
    ShowMessage(QStringLiteral("İşlem Tamamlandı!"));
    close();
}

void TForm9::BitBtn2Click() { close(); }

void TForm9::done(int result) {
    setDeleteMode();
    QDialog::done(result);
}
