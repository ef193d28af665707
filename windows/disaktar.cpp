#include "windows/disaktar.h"

#include "book/phonebook.h"
#include "store/datafolder.h"
#include "store/interchange.h"
#include "store/storeerror.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>

namespace {

// The lines of a group: the active group's from memory, any other's from
// its file. A group without a file, or one that cannot be read, gives none
// and its message is shown.
std::optional<StringList> groupLines(const PhoneBook& book, const QString& group) {
    try {
        std::optional<StringList> lines = book.groupLines(group);
        if (!lines) ShowMessage(PhoneBook::GroupFileMissing);
        return lines;
    } catch (const StoreError& e) {
        ShowError(e.message());
        return std::nullopt;
    }
}

}  // namespace

ExportWindow::ExportWindow(PhoneBook& phoneBook, QWidget* parent) : SecondaryWindow(parent), book(phoneBook) {
    setObjectName(QStringLiteral("exportWindow"));
    setWindowTitle(QStringLiteral("Kişileri Dışa Aktar"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(300, 206);
}

void ExportWindow::buildWidgets() {
    groupChooser = new QComboBox(this);
    groupChooser->setGeometry(84, 8, 208, 22);
    groupChooser->setEditable(false);  // pick only
    groupCaption = label(this, QStringLiteral("Grup:"), 8, 12);
    groupCaption->setBuddy(groupChooser);
    name(groupChooser, QStringLiteral("Grup"));

    countValue = sunkenPanel(this, QString(), QRect(84, 36, 120, 21));
    countValue->setIndent(4);
    bold(countValue);
    countCaption = label(this, QStringLiteral("Kişi Sayısı:"), 8, 39);
    countCaption->setBuddy(countValue);

    formatBox = new QGroupBox(QStringLiteral("Biçim"), this);
    formatBox->setGeometry(8, 64, 284, 92);
    vcard30Choice = new QRadioButton(QStringLiteral("vCard 3.0"), formatBox);
    vcard30Choice->setGeometry(12, 22, 260, 20);
    vcard21Choice = new QRadioButton(QStringLiteral("vCard 2.1 (eski telefonlar)"), formatBox);
    vcard21Choice->setGeometry(12, 44, 260, 20);
    csvChoice = new QRadioButton(QStringLiteral("CSV"), formatBox);
    csvChoice->setGeometry(12, 66, 260, 20);
    vcard30Choice->setChecked(true);

    saveButton = new QPushButton(standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Kaydet"), this);
    saveButton->setGeometry(100, 166, 92, 30);
    cancelButton = new QPushButton(standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("İptal"), this);
    cancelButton->setGeometry(200, 166, 92, 30);
    saveButton->setDefault(true);

    connect(groupChooser, &QComboBox::currentIndexChanged, this, &ExportWindow::groupChosen);
    connect(saveButton, &QPushButton::clicked, this, &ExportWindow::saveClicked);
    connect(cancelButton, &QPushButton::clicked, this, &ExportWindow::cancelClicked);
}

void ExportWindow::execute() {
    ensureBuilt();
    {
        const QSignalBlocker quiet(groupChooser);
        groupChooser->clear();
        addGroupNames(groupChooser, book.groupNames(), false);
        groupChooser->setCurrentIndex(qMax(0, groupChooser->findText(book.activeGroup())));
    }
    vcard30Choice->setChecked(true);
    groupChosen();
    execModal(this);
}

void ExportWindow::groupChosen() {
    const std::optional<StringList> lines = groupLines(book, groupChooser->currentText());
    countValue->setText(lines ? QString::number(datafolder::contactsHeld(lines->count())) + QStringLiteral(" kişi")
                              : QString());
}

// "Kaydet": the group read, the file name asked for, its format's ending
// added when it has another one or none, and the group written there whole. A failed write
// shows the file's error and keeps the window open.
void ExportWindow::saveClicked() {
    const interchange::Format format = csvChoice->isChecked()       ? interchange::Format::Csv
                                       : vcard21Choice->isChecked() ? interchange::Format::VCard21
                                                                    : interchange::Format::VCard30;
    const bool csv = format == interchange::Format::Csv;
    const std::optional<StringList> lines = groupLines(book, groupChooser->currentText());
    if (!lines) return;
    QString path = askSaveFileName(this, csv ? QStringLiteral("CSV Dosyaları") : QStringLiteral("vCard Dosyaları"),
                                   csv ? QStringLiteral("*.csv") : QStringLiteral("*.vcf"));
    if (path.isEmpty()) return;
    const std::optional<interchange::Format> named = interchange::formatForPath(path);
    if (!named || (*named == interchange::Format::Csv) != csv) path += csv ? QStringLiteral(".csv") : QStringLiteral(".vcf");
    try {
        interchange::exportToFile(*lines, path, format);
    } catch (const StoreError& e) {
        ShowError(e.message());
        return;
    }
    ShowMessage(QStringLiteral("%1 kişi dışa aktarıldı:\n%2").arg(datafolder::contactsHeld(lines->count())).arg(path));
    accept();
}

void ExportWindow::cancelClicked() { close(); }
