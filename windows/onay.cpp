#include "windows/onay.h"

#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

namespace {
QLabel* sunken(QWidget* parent, const QString& text, int x, int y, int w) {
    QLabel* l = sunkenPanel(parent, text, QRect(x, y, w, 19));
    l->setTextFormat(Qt::PlainText);
    l->setAutoFillBackground(true);
    paint(l, QPalette::Window, Cream);
    paint(l, QPalette::WindowText, Qt::red);
    bold(l);
    return l;
}
}  // namespace

TForm11::TForm11(QWidget* parent) : SecondaryWindow(parent) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Silme Onay?"));
    // no system menu and no close box: only the two buttons leave it
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(248, 162);
}

void TForm11::buildWidgets() {
    auto* question = new QLabel(QStringLiteral("Aşağıdaki bilgilerin silinmesini  istiyormusu nuz?"), this);
    question->setGeometry(4, 6, 240, 17);
    question->setAlignment(Qt::AlignCenter);

    const QStringList captions = {QStringLiteral("İsim:"), QStringLiteral("Soyad:"), QStringLiteral("Cep No:")};
    QLabel** values[] = {&nameValue, &surnameValue, &numberValue};
    for (int r = 0; r < 3; ++r) {
        sunken(this, captions[r], 8, 30 + 23 * r, 58);
        *values[r] = sunken(this, QStringLiteral(" "), 70, 30 + 23 * r, 170);
    }

    yesButton = new QPushButton(QStringLiteral("&Evet"), this);
    yesButton->setGeometry(36, 104, 80, 27);
    yesButton->setDefault(true);
    noButton = new QPushButton(QStringLiteral("&Hayır"), this);
    noButton->setGeometry(132, 104, 80, 27);

    emptyStatusBar(this, QRect(0, 143, 248, 19));

    connect(yesButton, &QPushButton::clicked, this, &TForm11::BitBtn1Click);
    connect(noButton, &QPushButton::clicked, this, &QDialog::reject);  // Esc does the same
}

// Opened by the main window's "Sil" with the contact that would go.
void TForm11::execute(const QString& name, const QString& surname, const QString& number,
                      std::function<void(const QString&)> confirmed) {
    ensureBuilt();
    confirmed_ = std::move(confirmed);
    nameValue->setText(name);
    surnameValue->setText(surname);
    numberValue->setText(number);
    execModal(this);
}

void TForm11::BitBtn1Click() {
    // The window closes after its action, also when the action stopped with an error.
    struct CloseWithYes {
        QDialog* window;
        ~CloseWithYes() { window->accept(); }
    } closer{this};
    if (confirmed_) confirmed_(numberValue->text());
}

void TForm11::closeEvent(QCloseEvent* event) { event->ignore(); }
