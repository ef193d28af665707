#pragma once
// The picker of a group file to take in: linked drive, folder and file
// pickers. A double-clicked file is copied into the DataFolder and becomes a
// group; a name the DataFolder holds already is asked for anew.

#include "ui/secondarywindow.h"

class PhoneBook;

#include <QString>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// Shown when a group file cannot be copied into the DataFolder.
extern const QString CopyFailedMessage;

class TForm13 : public SecondaryWindow {
    Q_OBJECT
public:
    TForm13(PhoneBook& book, QWidget* parent = nullptr);

    QLabel* driveLabel = nullptr;
    QComboBox* driveChooser = nullptr;        // the drives, or the file system's roots
    QLabel* folderLabel = nullptr;
    QTreeWidget* folderTree = nullptr;   // the folder, its parents and its subfolders
    QLabel* fileLabel = nullptr;
    QListWidget* fileList = nullptr;        // the folder's "*.vexo" files, sorted
    QPushButton* cancelButton = nullptr;             // İptal

    // The picked file's name, and the group name it gives; emptied at closing.
    QString pickedFile;
    QString pickedGroup;

    // Opened from the group window.
    void execute();

    // The folder the pickers show.
    QString folder() const { return folder_; }
    // The picked file in the folder shown.
    QString pickedPath() const;
    // Moves the pickers to a folder and makes it the program's working folder.
    void setFolder(const QString& path);

public slots:
    void DriveComboBox1Change(int index);
    void DirectoryListBox1Change(QTreeWidgetItem* item);
    void FileListBox1DblClick(QListWidgetItem* item);
    void BitBtn1Click();
    void done(int result) override;

protected:
    void buildWidgets() override;

private:
    void fillDrives();
    void fillFolders();
    void readFiles();

    QString folder_;
    bool filesRead_ = false;

private:
    PhoneBook& book;
};
