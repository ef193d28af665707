#pragma once
// The import window: the contacts read from a vCard or CSV file, each with
// what an import into the chosen group will do with it, and the group's
// figures after it. Nothing is written before "Aktar", which writes the
// group's file once, whole.

#include "store/interchange.h"
#include "store/stringlist.h"
#include "ui/secondarywindow.h"

class PhoneBook;

class ImportTableModel;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

class ImportWindow : public SecondaryWindow {
    Q_OBJECT
public:
    ImportWindow(PhoneBook& book, QWidget* parent = nullptr);

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
    void groupChosen();
    void importClicked();  // "Aktar"
    void cancelClicked();  // "İptal"

protected:
    void buildWidgets() override;

private:
    ImportTableModel* tableModel = nullptr;
    interchange::ReadResult read_;
    interchange::Plan plan_;
    // The chosen group: its row in the chooser, and its name.
    int chosenIndex_ = -1;
    QString chosenGroup_;
    void showPlan();
    PhoneBook& book;
};
