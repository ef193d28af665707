#include "ui/contactfields.h"

#include "book/phonebook.h"

#include "ui/controls.h"

#include <QLabel>
#include <QLineEdit>

namespace {

QLineEdit* field(QWidget* parent, QLabel** label, const QString& caption, int y, int width) {
    *label = new QLabel(caption, parent);
    (*label)->setGeometry(0, y, width, 16);
    bold(*label);
    fixedText(*label, Qt::blue);
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(0, y + 16, width, 21);
    edit->setReadOnly(true);
    bold(edit);
    cream(edit);
    paint(edit, QPalette::Text, Qt::red);
    (*label)->setBuddy(edit);
    name(edit, caption.trimmed());
    return edit;
}

}  // namespace

ContactFields::ContactFields(QWidget* parent, const QPoint& at, int width, int step, const QString& numberCaption)
    : QWidget(parent) {
    setGeometry(at.x(), at.y(), width, 2 * step + 37);
    nameEdit = field(this, &nameLabel, QStringLiteral("İsim"), 0, width);
    surnameEdit = field(this, &surnameLabel, QStringLiteral("Soyad"), step, width);
    numberEdit = field(this, &numberLabel, numberCaption, 2 * step, width);
    numberEdit->setMaxLength(11);
    numberEdit->setFocusPolicy(Qt::ClickFocus);  // no Tab stop
}

void ContactFields::showContact(const QString& name, const QString& surname, const QString& number) {
    nameEdit->setText(name);
    surnameEdit->setText(surname);
    numberEdit->setText(number);
}

void ContactFields::clear() { showContact(QString(), QString(), QString()); }


void ContactFields::handOver(PhoneBook& book, bool prepareNext) const {
    book.handOver(nameEdit->text(), surnameEdit->text(), numberEdit->text(), prepareNext);
}
