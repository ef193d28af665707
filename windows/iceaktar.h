#pragma once
// The import window: the contacts read from a vCard or CSV file, each with
// what an import into the chosen group will do with it, and the group's
// figures after it. Nothing is written before "Aktar", which writes the
// group's file once, whole.

#include "store/interchange.h"
#include "store/stringlist.h"
#include "ui/secondarywindow.h"

class ImportTableModel;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

class TForm18 : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TForm18(QWidget* parent = nullptr);

    QLabel* fileCaption = nullptr;       // Dosya:
    QLabel* fileValue = nullptr;         // the file's name
    QLabel* groupCaption = nullptr;      // Grup:
    QComboBox* groupChooser = nullptr;   // the groups, in the group list's order
    QTableView* contactTable = nullptr;  // İsim, Soyad, Cep Tel, Durum: a row per contact read
    QLabel* addedValue = nullptr;        // contacts added as read
    QLabel* changedValue = nullptr;      // contacts added with a change
    QLabel* leftOutValue = nullptr;      // contacts left out
    QLabel* capacityValue = nullptr;     // "Kalan Kapasite" after the import
    QPushButton* importButton = nullptr;  // Aktar
    QPushButton* cancelButton = nullptr;  // İptal

    // The file read whole: a file that cannot be taken is refused with its
    // reason and no window opens; otherwise the window opens on the active
    // group.
    void execute(const QString& path);

    // What "Aktar" will do, against the chosen group as it is now.
    const interchange::Plan& plan() const { return plan_; }

public slots:
    void ComboBox1Change();
    void BitBtn1Click();  // "Aktar"
    void BitBtn2Click();  // "İptal"

protected:
    void buildWidgets() override;

private:
    ImportTableModel* tableModel = nullptr;
    interchange::ReadResult read_;
    interchange::Plan plan_;
    // The chosen group: its row in the chooser, its file, and its lines
    // unless it is the active group, whose lines are the main window's.
    int chosenIndex_ = -1;
    QString groupPath_;
    StringList groupLines_;
    bool activeChosen_ = false;
    void showPlan();
};
