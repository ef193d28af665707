#include "windows/iceaktar.h"

#include "book/phonebook.h"
#include "store/datafolder.h"
#include "store/storeerror.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableView>

// The read contacts as the table shows them; the data is asked for only for
// the rows in sight, so a file of 100,000 cards opens at once.
class ImportTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setContacts(const QList<interchange::ReadContact>& contacts) {
        beginResetModel();
        contacts_ = contacts;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : int(contacts_.size());
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : 4; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return QVariant();
        const interchange::ReadContact& c = contacts_.at(index.row());
        switch (index.column()) {
        case 0: return c.name();
        case 1: return c.surname();
        case 2: return c.number();
        default: return fate(c);
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole) return QVariant();
        if (orientation == Qt::Vertical) return section + 1;
        static const QString captions[] = {QStringLiteral("İsim"), QStringLiteral("Soyad"), QStringLiteral("Cep Tel"),
                                           QStringLiteral("Durum")};
        return captions[section];
    }

    // What the import does with the contact, in words.
    static QString fate(const interchange::ReadContact& c) {
        switch (c.fate) {
        case interchange::Fate::Added: return QStringLiteral("Eklenecek");
        case interchange::Fate::Changed: return QStringLiteral("Değiştirilerek eklenecek: ") + c.reason;
        case interchange::Fate::LeftOut: break;
        }
        return QStringLiteral("Dışarıda kalacak: ") + c.reason;
    }

private:
    QList<interchange::ReadContact> contacts_;
};

namespace {

// A figure's sunken box, named by its caption through the buddy relation.
QLabel* figure(QWidget* parent, const QString& caption, int x, int y) {
    QLabel* value = sunkenPanel(parent, QString(), QRect(x + 150, y - 3, 100, 21));
    value->setIndent(4);
    bold(value);
    label(parent, caption, x, y + 1)->setBuddy(value);
    return value;
}

}  // namespace

ImportWindow::ImportWindow(PhoneBook& phoneBook, QWidget* parent) : SecondaryWindow(parent), book(phoneBook) {
    setObjectName(QStringLiteral("importWindow"));
    setWindowTitle(QStringLiteral("Kişileri İçe Aktar"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(680, 436);
}

void ImportWindow::buildWidgets() {
    fileValue = sunkenPanel(this, QString(), QRect(64, 8, 608, 21));
    fileValue->setIndent(4);
    fileCaption = label(this, QStringLiteral("Dosya:"), 8, 12);
    fileCaption->setBuddy(fileValue);

    groupChooser = new QComboBox(this);
    groupChooser->setGeometry(64, 36, 220, 22);
    groupChooser->setEditable(false);  // pick only
    groupCaption = label(this, QStringLiteral("Grup:"), 8, 40);
    groupCaption->setBuddy(groupChooser);
    name(groupChooser, QStringLiteral("Grup"));

    tableModel = new ImportTableModel(this);
    contactTable = new QTableView(this);
    contactTable->setGeometry(8, 66, 664, 264);
    contactTable->setModel(tableModel);
    contactTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    contactTable->setSelectionMode(QAbstractItemView::SingleSelection);
    contactTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    contactTable->setTabKeyNavigation(false);  // Tab leaves the table for the buttons
    contactTable->setWordWrap(false);
    // fixed sizes: no row or column is measured, whatever the number of rows
    contactTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    contactTable->verticalHeader()->setDefaultSectionSize(20);
    contactTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    contactTable->horizontalHeader()->setStretchLastSection(true);
    contactTable->setColumnWidth(0, 116);
    contactTable->setColumnWidth(1, 116);
    contactTable->setColumnWidth(2, 104);
    name(contactTable, QStringLiteral("Okunan Kişiler"));
    showFocus(contactTable);

    addedValue = figure(this, QStringLiteral("Eklenecek:"), 8, 342);
    changedValue = figure(this, QStringLiteral("Değiştirilerek eklenecek:"), 8, 368);
    leftOutValue = figure(this, QStringLiteral("Dışarıda kalacak:"), 360, 342);
    capacityValue = figure(this, QStringLiteral("Kalan Kapasite:"), 360, 368);

    importButton = new QPushButton(standardIcon(QStyle::SP_DialogApplyButton), QStringLiteral("Aktar"), this);
    importButton->setGeometry(480, 398, 92, 30);
    cancelButton = new QPushButton(standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("İptal"), this);
    cancelButton->setGeometry(580, 398, 92, 30);
    importButton->setDefault(true);

    connect(groupChooser, &QComboBox::currentIndexChanged, this, &ImportWindow::groupChosen);
    connect(importButton, &QPushButton::clicked, this, &ImportWindow::importClicked);
    connect(cancelButton, &QPushButton::clicked, this, &ImportWindow::cancelClicked);
}

void ImportWindow::execute(const QString& path) {
    interchange::ReadResult read = interchange::readFile(path);
    if (read.refused()) {
        ShowMessage(read.refusal);
        return;
    }
    ensureBuilt();
    read_ = std::move(read);
    fileValue->setText(QFileInfo(path).fileName());
    fileValue->setToolTip(QFileInfo(path).absoluteFilePath());
    {
        const QSignalBlocker quiet(groupChooser);
        groupChooser->clear();
        addGroupNames(groupChooser, book.groupNames(), false);
        groupChooser->setCurrentIndex(qMax(0, groupChooser->findText(book.activeGroup())));
    }
    chosenIndex_ = -1;
    groupChosen();
    contactTable->scrollToTop();
    contactTable->setCurrentIndex(tableModel->index(0, 0));
    execModal(this);
    // the file's contacts are let go with the window
    read_ = interchange::ReadResult();
    plan_ = interchange::Plan();
    tableModel->setContacts({});
}

// The plan against the chosen group: the active group's lines in memory,
// any other group's file as it is on the disk. A group whose file cannot be
// read is not taken: the one chosen before stays, with its plan.
void ImportWindow::groupChosen() {
    const QString group = groupChooser->currentText();
    std::optional<StringList> lines;
    try {
        lines = book.groupLines(group);
        if (!lines) ShowMessage(PhoneBook::GroupFileMissing);
    } catch (const StoreError& e) {
        ShowError(e.message());
    }
    if (!lines) {
        const QSignalBlocker quiet(groupChooser);
        groupChooser->setCurrentIndex(chosenIndex_);
        return;
    }
    chosenIndex_ = groupChooser->currentIndex();
    chosenGroup_ = group;
    plan_ = interchange::planImport(read_, *lines);
    showPlan();
}

void ImportWindow::showPlan() {
    tableModel->setContacts(plan_.contacts);
    const auto people = [](int n) { return QString::number(n) + QStringLiteral(" kişi"); };
    addedValue->setText(people(plan_.added));
    changedValue->setText(people(plan_.changed));
    leftOutValue->setText(people(plan_.leftOut));
    capacityValue->setText(people(plan_.remainingCapacity));
}

// "Aktar": the group's file written once with the contacts placed, through
// the phone book, so the main window shows an import into the active group
// at once. A failed write changes nothing and keeps the window open.
void ImportWindow::importClicked() {
    try {
        book.importInto(chosenGroup_, plan_);
    } catch (const StoreError& e) {
        ShowError(e.message());
        return;
    }
    ShowMessage(QStringLiteral("%1 kişi eklendi, %2 kişi dışarıda kaldı.").arg(plan_.stored()).arg(plan_.leftOut));
    accept();
}

void ImportWindow::cancelClicked() { close(); }
