#include "windows/disaktar.h"

#include "app/forms.h"
#include "app/Unit1.h"
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
std::optional<StringList> groupLines(const QString& group) {
    if (group == Form1->groupNames.text(0)) return Form1->recordLines;
    const QString path = datafolder::groupFilePath(group);
    if (!datafolder::exists(path)) {
        ShowMessage(QStringLiteral("Grup Dosyası Bulunamıyor"));
        return std::nullopt;
    }
    StringList lines;
    try {
        lines.load(path);
    } catch (const StoreError& e) {
        ShowError(e.message());
        return std::nullopt;
    }
    return lines;
}

}  // namespace

TForm19::TForm19(QWidget* parent) : SecondaryWindow(parent) {
    setObjectName(QStringLiteral("Form19"));
    setWindowTitle(QStringLiteral("Kişileri Dışa Aktar"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(300, 206);
}

void TForm19::buildWidgets() {
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

    connect(groupChooser, &QComboBox::currentIndexChanged, this, &TForm19::ComboBox1Change);
    connect(saveButton, &QPushButton::clicked, this, &TForm19::BitBtn1Click);
    connect(cancelButton, &QPushButton::clicked, this, &TForm19::BitBtn2Click);
}

void TForm19::execute() {
    ensureBuilt();
    {
        const QSignalBlocker quiet(groupChooser);
        groupChooser->clear();
        addGroupNames(groupChooser, Form1->groupNames, false);
        groupChooser->setCurrentIndex(qMax(0, groupChooser->findText(Form1->groupNames.text(0))));
    }
    vcard30Choice->setChecked(true);
    ComboBox1Change();
    execModal(this);
}

void TForm19::ComboBox1Change() {
    const std::optional<StringList> lines = groupLines(groupChooser->currentText());
    countValue->setText(lines ? QString::number(datafolder::contactsHeld(lines->count())) + QStringLiteral(" kişi")
                              : QString());
}

// "Kaydet": the group read, the file name asked for, its format's ending
// added when it has another one or none, and the group written there whole. A failed write
// shows the file's error and keeps the window open.
void TForm19::BitBtn1Click() {
    const interchange::Format format = csvChoice->isChecked()       ? interchange::Format::Csv
                                       : vcard21Choice->isChecked() ? interchange::Format::VCard21
                                                                    : interchange::Format::VCard30;
    const bool csv = format == interchange::Format::Csv;
    const std::optional<StringList> lines = groupLines(groupChooser->currentText());
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

void TForm19::BitBtn2Click() { close(); }
