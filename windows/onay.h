#pragma once
// The confirmation window of deleting a contact: it shows the contact and is
// left only through "&Evet" (Enter), which deletes it, or "&Hayır" (Esc).

#include "ui/secondarywindow.h"

#include <functional>

class QLabel;
class QPushButton;

class TForm11 : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);

    // Opened by the main window's "Sil" with the contact that would go;
    // "&Evet" runs `confirmed` with its number, and the window closes after it.
    void execute(const QString& name, const QString& surname, const QString& number,
                 std::function<void(const QString&)> confirmed);

    QLabel* nameValue = nullptr;
    QLabel* surnameValue = nullptr;
    QLabel* numberValue = nullptr;
    QPushButton* yesButton = nullptr;  // "&Evet"
    QPushButton* noButton = nullptr;  // "&Hayır"

public slots:
    void BitBtn1Click();

protected:
    void buildWidgets() override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<void(const QString&)> confirmed_;
};
