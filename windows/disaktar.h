#pragma once
// The export window: a group's contacts written whole to a vCard or CSV
// file the user names.

#include "ui/secondarywindow.h"

class PhoneBook;

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class ExportWindow : public SecondaryWindow {
    Q_OBJECT
public:
    ExportWindow(PhoneBook& book, QWidget* parent = nullptr);

    QLabel* groupCaption = nullptr;      // Grup:
    QComboBox* groupChooser = nullptr;   // the groups, in the group list's order
    QLabel* countCaption = nullptr;      // Kişi Sayısı:
    QLabel* countValue = nullptr;        // the chosen group's contacts + " kişi"
    QGroupBox* formatBox = nullptr;      // Biçim
    QRadioButton* vcard30Choice = nullptr;  // vCard 3.0
    QRadioButton* vcard21Choice = nullptr;  // vCard 2.1 (eski telefonlar)
    QRadioButton* csvChoice = nullptr;      // CSV
    QPushButton* saveButton = nullptr;   // Kaydet
    QPushButton* cancelButton = nullptr;  // İptal

    // Opened from the main window's menu on the active group, vCard 3.0 chosen.
    void execute();

public slots:
    void groupChosen();
    void saveClicked();  // "Kaydet"
    void cancelClicked();  // "İptal"

protected:
    void buildWidgets() override;

private:
    PhoneBook& book;
};
