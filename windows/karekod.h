#pragma once
// The QR code window: the contact of the main window's fields as a QR code of
// its vCard 3.0, which a phone's camera reads and adds to its contacts.

#include "formats/qrcode.h"
#include "ui/secondarywindow.h"

class QLabel;
class QPushButton;

class QrCodeWindow : public SecondaryWindow {
    Q_OBJECT
public:
    explicit QrCodeWindow(QWidget* parent = nullptr);

    QLabel* qrPicture = nullptr;     // the code, black on white with its quiet zone
    QLabel* contactValue = nullptr;  // the contact's name, surname and number
    QLabel* hintLabel = nullptr;
    QPushButton* closeButton = nullptr;  // Kapat

    // The code drawn last: its version, modules and scale.
    const qrcode::Picture& picture() const { return picture_; }

    // Opened from the main window's menu with its fields' texts; a contact
    // too long for a QR code is refused with a message and nothing opens.
    void execute(const QString& name, const QString& surname, const QString& number);

public slots:
    void closeClicked();  // "Kapat"

protected:
    void buildWidgets() override;

private:
    qrcode::Picture picture_;
};
