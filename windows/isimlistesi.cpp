#include "windows/isimlistesi.h"

#include "book/phonebook.h"
#include "store/contacts.h"
#include "store/datafolder.h"
#include "ui/contactfields.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QStyle>

namespace {
const QString Position = QStringLiteral("Aktif    :");
const QString Total = QStringLiteral("Toplam Kayıt:");
}  // namespace

TForm16::TForm16(PhoneBook& phoneBook, QWidget* parent) : SecondaryWindow(parent), book(phoneBook) {
    setObjectName(QStringLiteral("Form16"));
    setWindowTitle(QStringLiteral("İsim Listesi"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(358, 290);
}

void TForm16::buildWidgets() {
    names = new QStringListModel(this);
    nameList = new QListView(this);
    nameList->setGeometry(8, 8, 161, 236);
    nameList->setModel(names);
    nameList->setSelectionMode(QAbstractItemView::SingleSelection);
    nameList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    nameList->setUniformItemSizes(true);  // a full group lays out at once
    nameList->viewport()->setCursor(Qt::PointingHandCursor);
    bold(nameList);
    fixedBase(nameList, SkyBlue);
    name(nameList, QStringLiteral("İsim Listesi"));
    nameList->viewport()->installEventFilter(this);
    nameList->installEventFilter(this);

    positionLabel = label(this, Position, QRect(8, 248, 161, 17));
    totalLabel = label(this, Total, QRect(8, 267, 161, 17));
    for (QLabel* l : {positionLabel, totalLabel}) bold(l);

    contactBox = new QGroupBox(this);
    contactBox->setGeometry(176, 4, 174, 158);
    bold(contactBox);
    // the caption in dark yellow (plain yellow cannot be read on the light
    // face); the fields inside keep their own colours
    fixedText(contactBox, Qt::darkYellow);
    contactFields = new ContactFields(contactBox, QPoint(8, 22), 158);

    transferButton = new QPushButton(standardIcon(QStyle::SP_ArrowLeft), QStringLiteral("Ana Ekrana Aktar"), this);
    transferButton->setGeometry(176, 172, 174, 32);
    transferButton->setEnabled(false);
    exitButton = new QPushButton(standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Çıkış"), this);
    exitButton->setGeometry(176, 212, 174, 32);
    for (QPushButton* b : {transferButton, exitButton}) {
        b->setAutoDefault(false);
        name(b, b->text());
    }

    connect(nameList->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TForm16::ListBox1Click);
    connect(transferButton, &QPushButton::clicked, this, &TForm16::BitBtn1Click);
    connect(exitButton, &QPushButton::clicked, this, &QDialog::close);
}

void TForm16::execute(const QString& group) {
    ensureBuilt();
    names->setStringList({});
    entries = {};
    contactBox->setTitle(group);
    const StringList& lines = book.recordLines();
    totalLabel->setText(Total + QString::number(datafolder::contactsHeld(lines.count())));
    positionLabel->setText(Position);
    if (lines.count() < 2) {
        ShowMessage(QStringLiteral("Veri tabanında İsim Sıralanacak  kayıt bulunmamaktadır!"));
        return;
    }
    entries = contacts::sortedEntries(lines, contacts::Listed::Names);
    names->setStringList(entries.texts);
    nameList->setFocus();
    execModal(this);
}

// A row chosen by a click or by the keyboard: its own contact is shown.
void TForm16::ListBox1Click() {
    const QModelIndexList chosen = nameList->selectionModel()->selectedRows();
    if (chosen.isEmpty()) return;
    const int row = chosen.constFirst().row();
    positionLabel->setText(Position + QString::number(row + 1));
    transferButton->setEnabled(true);
    const StringList& lines = book.recordLines();
    const int first = 3 * entries.contacts.value(row);
    contactFields->showContact(contacts::lineOrEmpty(lines, first), contacts::lineOrEmpty(lines, first + 1),
                               contacts::lineOrEmpty(lines, first + 2));
}

// The contact shown goes to the main window, and the window closes.
void TForm16::BitBtn1Click() {
    contactFields->handOver(book);
    close();
}

void TForm16::ListBox1DblClick() { BitBtn1Click(); }

bool TForm16::eventFilter(QObject* watched, QEvent* event) {
    // A double click anywhere on the list, on a row or below the last.
    if (watched == nameList->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        ListBox1DblClick();
        return true;
    }
    // Before any row is chosen the first arrow key chooses the row the list
    // points at, rather than stepping past it unseen.
    if (watched == nameList && event->type() == QEvent::KeyPress &&
        !nameList->selectionModel()->hasSelection()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Down || key == Qt::Key_Up) && names->rowCount() > 0) {
            QModelIndex at = nameList->currentIndex();
            if (!at.isValid()) at = names->index(0);
            nameList->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm16::done(int result) {
    transferButton->setEnabled(false);
    contactFields->clear();
    QDialog::done(result);
}
