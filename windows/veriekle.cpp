#include "windows/veriekle.h"

#include "book/phonebook.h"
#include "store/collation.h"
#include "store/datafolder.h"
#include "store/pendinggroups.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "windows/forms.h"
#include "windows/grup.h"
#include "windows/yeniisim.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

const QString CopyFailedMessage =
    QStringLiteral("Dosya Telefika Klasörüne kopyalanamadı! Seçilen dosya okunamadı ya da yazılamadı.");

namespace {

QStringList sortedNames(QStringList names) {
    std::stable_sort(names.begin(), names.end(),
                     [](const QString& a, const QString& b) { return collation::compareText(a, b) < 0; });
    return names;
}

// The folders from the root down to the folder itself.
QStringList folderChain(const QString& folder) {
    QStringList chain;
    QDir dir(folder);
    do chain.prepend(dir.absolutePath());
    while (dir.cdUp());
    return chain;
}

QString rootCaption(const QString& root) { return QDir::toNativeSeparators(root).toUpper(); }

}  // namespace

TForm13::TForm13(PhoneBook& phoneBook, QWidget* parent)
    : SecondaryWindow(parent), folder_(QDir::currentPath()), book(phoneBook) {
    setObjectName(QStringLiteral("Form13"));
    setWindowTitle(QStringLiteral("Veri Tabanı Dosyası Seçin"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(420, 268);
}

void TForm13::buildWidgets() {
    driveLabel = label(this, QStringLiteral("Sürücü:"), 8, 8);
    driveChooser = new QComboBox(this);
    driveChooser->setGeometry(8, 24, 190, 21);
    driveLabel->setBuddy(driveChooser);
    name(driveChooser, QStringLiteral("Sürücü"));

    folderLabel = label(this, QStringLiteral("Klasörler:"), 8, 52);
    folderTree = new QTreeWidget(this);
    folderTree->setGeometry(8, 68, 190, 158);
    folderTree->setHeaderHidden(true);
    folderTree->setRootIsDecorated(false);
    folderTree->setItemsExpandable(false);
    folderTree->setIndentation(10);
    folderTree->setIconSize(QSize(16, 16));
    // every folder on the way stays open: no branch arrows
    folderTree->setStyleSheet(QStringLiteral("QTreeView::branch { image: none; }"));
    folderLabel->setBuddy(folderTree);
    name(folderTree, QStringLiteral("Klasörler"));
    name(folderTree->header(), QStringLiteral("Klasörler"));

    fileLabel = label(this, QStringLiteral("Dosyalar (*.vexo):"), 206, 8);
    fileList = new QListWidget(this);
    fileList->setGeometry(206, 24, 206, 202);
    fileList->setSelectionMode(QAbstractItemView::SingleSelection);
    fileList->setIconSize(QSize(16, 16));
    fileLabel->setBuddy(fileList);
    name(fileList, QStringLiteral("Dosyalar"));
    showFocus(fileList);  // an empty list has no row to draw the focus on

    cancelButton = new QPushButton(standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("İptal"), this);
    cancelButton->setGeometry(322, 234, 90, 27);
    cancelButton->setAutoDefault(false);
    name(cancelButton, QStringLiteral("İptal"));

    connect(driveChooser, &QComboBox::activated, this, &TForm13::DriveComboBox1Change);
    // a double-click, or Enter, opens a folder
    connect(folderTree, &QTreeWidget::itemActivated, this, &TForm13::DirectoryListBox1Change);
    connect(fileList, &QListWidget::itemActivated, this, &TForm13::FileListBox1DblClick);
    connect(cancelButton, &QPushButton::clicked, this, &TForm13::BitBtn1Click);
}

QString TForm13::pickedPath() const { return QDir(folder_).filePath(pickedFile); }

void TForm13::fillDrives() {
    driveChooser->clear();
    const QString root = folderChain(folder_).constFirst();
    const QIcon drivePicture = standardIcon(QStyle::SP_DriveHDIcon);
    for (const QFileInfo& drive : QDir::drives()) {
        const QString path = drive.absoluteFilePath();
        driveChooser->addItem(drivePicture, rootCaption(path), path);
        if (QDir(path) == QDir(root)) driveChooser->setCurrentIndex(driveChooser->count() - 1);
    }
}

void TForm13::fillFolders() {
    folderTree->clear();
    QTreeWidgetItem* parent = nullptr;
    const QStringList chain = folderChain(folder_);
    const QIcon open = standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = standardIcon(QStyle::SP_DirClosedIcon);
    for (int i = 0; i < chain.size(); ++i) {
        const QString caption = i == 0 ? rootCaption(chain[i]) : QDir(chain[i]).dirName();
        auto* item = parent ? new QTreeWidgetItem(parent, {caption}) : new QTreeWidgetItem(folderTree, {caption});
        item->setData(0, Qt::UserRole, chain[i]);
        item->setIcon(0, open);
        parent = item;
    }
    const QDir dir(folder_);
    for (const QString& sub : sortedNames(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot))) {
        auto* item = new QTreeWidgetItem(parent, {sub});
        item->setData(0, Qt::UserRole, dir.filePath(sub));
        item->setIcon(0, closed);
    }
    folderTree->expandAll();
    folderTree->setCurrentItem(parent);
    folderTree->scrollToItem(parent);
}

void TForm13::readFiles() {
    fileList->clear();
    const QStringList files = QDir(folder_).entryList({QStringLiteral("*.vexo")}, QDir::Files);
    const QIcon picture = standardIcon(QStyle::SP_FileIcon);
    for (const QString& f : sortedNames(files)) new QListWidgetItem(picture, f, fileList);
    filesRead_ = true;
}

void TForm13::setFolder(const QString& path) {
    ensureBuilt();
    const QDir dir(path);
    if (path.isEmpty() || !dir.exists()) return;
    folder_ = dir.absolutePath();
    QDir::setCurrent(folder_);
    fillDrives();
    fillFolders();
    readFiles();
}

// Opened from the group window; the drives, folders and files are listed at
// the first opening, and stay as the user left them afterwards.
void TForm13::execute() {
    ensureBuilt();
    if (!filesRead_) {
        fillDrives();
        fillFolders();
        readFiles();
    }
    execModal(this);
}

void TForm13::DriveComboBox1Change(int index) { setFolder(driveChooser->itemData(index).toString()); }

void TForm13::DirectoryListBox1Change(QTreeWidgetItem* item) {
    if (item) setFolder(item->data(0, Qt::UserRole).toString());
}

// Taking a file in: a name the DataFolder holds already, in any letter case,
// is asked for anew in the rename window; otherwise the file is copied under
// its own name and its group listed, the group named among the pending
// groups before the copy (store/pendinggroups.h).
void TForm13::FileListBox1DblClick(QListWidgetItem* item) {
    if (!item || !item->isSelected()) return;  // nothing picked: ignored
    pickedFile = item->text();
    pickedGroup = pickedFile.left(pickedFile.size() - datafolder::GroupExtension.size());
    const QString target = datafolder::path() + pickedFile;
    if (datafolder::exists(target) || datafolder::exists(datafolder::groupFilePath(pickedGroup))) {
        Form14->execute(pickedPath());
        return;
    }
    if (!acceptGroupName(pickedGroup)) return;
    if (!book.takeInGroupFile(pickedPath(), pickedGroup)) {
        ShowMessage(CopyFailedMessage);
        return;
    }
    close();
}

void TForm13::BitBtn1Click() { close(); }

void TForm13::done(int result) {
    pickedFile.clear();
    pickedGroup.clear();
    QDialog::done(result);
}
