#pragma once
// The read-only contact fields of the windows that show one contact of the
// active group (the record browser, the name list, the alphabetic index):
// name, surname and number, bold red on cream, each under its bold blue
// label. The number field holds at most 11 characters and is no Tab stop.

#include <QString>
#include <QWidget>

class PhoneBook;
class QLabel;
class QLineEdit;

class ContactFields : public QWidget {
    Q_OBJECT
public:
    // The fields stand at `at` in the parent, `width` wide, a label and its
    // field every `step` pixels down.
    ContactFields(QWidget* parent, const QPoint& at, int width, int step = 44,
                  const QString& numberCaption = QStringLiteral("Cep Tel"));

    QLabel* nameLabel;
    QLabel* surnameLabel;
    QLabel* numberLabel;
    QLineEdit* nameEdit;
    QLineEdit* surnameEdit;
    QLineEdit* numberEdit;

    void showContact(const QString& name, const QString& surname, const QString& number);
    void clear();
    // The contact shown handed to the main window (PhoneBook::handOver).
    void handOver(PhoneBook& book, bool prepareNext = false) const;
};
