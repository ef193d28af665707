#pragma once
// The confirmation window of deleting a contact: it shows the contact and is
// left only through "&Evet" (Enter), which deletes it, or "&Hayır" (Esc).

#include <QDialog>

class QLabel;
class QPushButton;

class TForm11 : public QDialog {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);

    void showContact(const QString& name, const QString& surname, const QString& number);

    QLabel* nameValue;
    QLabel* surnameValue;
    QLabel* numberValue;
    QPushButton* yesButton;  // "&Evet"
    QPushButton* noButton;  // "&Hayır"

public slots:
    void BitBtn1Click();

protected:
    void closeEvent(QCloseEvent* event) override;
};
