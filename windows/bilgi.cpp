#include "windows/bilgi.h"

#include "ui/controls.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>

TForm5::TForm5(QWidget* parent) : SecondaryWindow(parent), centredOn(parent) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Veri Tabanı Araştırılıyor"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setFixedSize(225, 145);
}

void TForm5::buildWidgets() {
    outerBevel = new QFrame(this);
    outerBevel->setGeometry(0, 0, 225, 145);
    outerBevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    outerBevel->setLineWidth(2);

    innerPanel = new QFrame(outerBevel);
    innerPanel->setGeometry(8, 8, 209, 129);
    innerPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    gauge = ::gauge(innerPanel, QRect(8, 10, 193, 24), windowTitle());
    bold(gauge);

    progressLabel = new QLabel(QStringLiteral(" kişide kişinin kaydı okunuyor..!"), innerPanel);
    progressLabel->setGeometry(8, 40, 193, 44);
    progressLabel->setWordWrap(true);
    progressLabel->setAlignment(Qt::AlignCenter);

    cancelButton = new QPushButton(standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("İptal"),
                                   innerPanel);
    cancelButton->setGeometry(56, 90, 97, 30);
    flat(cancelButton);

    // Alt+F4 is caught here and does nothing.
    altF4Action = new QAction(this);
    altF4Action->setShortcut(QKeySequence(QStringLiteral("Alt+F4")));
    altF4Action->setShortcutContext(Qt::WindowShortcut);
    addAction(altF4Action);

    connect(cancelButton, &QPushButton::clicked, this, &TForm5::SpeedButton1Click);
}

void TForm5::setGauge(int value, int maximum) {
    ensureBuilt();
    if (maximum < 1) maximum = 1;
    gauge->setRange(0, maximum);
    gauge->setValue(qBound(0, value, maximum));
}

void TForm5::setProgress(const QString& text) {
    ensureBuilt();
    progressLabel->setText(text);
}

void TForm5::execute(QWidget* owner) {
    if (isVisible()) return;
    // A window opened over a modal one stays usable only as its child.
    if (parentWidget() != owner) setParent(owner, windowFlags());
    if (centredOn) {
        const QRect main = centredOn->frameGeometry();
        move(main.center() - QPoint(width() / 2, height() / 2));
    }
    show();
}

// "İptal": the print-out stops and both windows close.
void TForm5::SpeedButton1Click() {
    emit cancelled();
    hide();
}

void TForm5::keyPressEvent(QKeyEvent* event) {
    // no Escape either: only "İptal" or the end of the print-out closes it
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

void TForm5::closeEvent(QCloseEvent* event) {
    // Alt+F4 from the window manager comes as a close request.
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
