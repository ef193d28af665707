#include "windows/bilgi.h"

#include "app/forms.h"
#include "app/Unit1.h"
#include "ui/controls.h"
#include "windows/yazdir.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>

namespace {
const QColor SkyBlue(166, 202, 240);
}

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Veri Tabanı Araştırılıyor"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setFixedSize(225, 145);

    Bevel1 = new QFrame(this);
    Bevel1->setGeometry(0, 0, 225, 145);
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Bevel1->setLineWidth(2);

    Panel1 = new QFrame(Bevel1);
    Panel1->setGeometry(8, 8, 209, 129);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    Gauge1 = new QProgressBar(Panel1);
    Gauge1->setGeometry(8, 10, 193, 24);
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Gauge1->setFormat(QStringLiteral("%p%"));
    Gauge1->setAlignment(Qt::AlignCenter);
    paint(Gauge1, QPalette::Highlight, SkyBlue);
    paint(Gauge1, QPalette::HighlightedText, Qt::black);
    bold(Gauge1);
    name(Gauge1, windowTitle());

    Label1 = new QLabel(QStringLiteral(" kişide kişinin kaydı okunuyor..!"), Panel1);
    Label1->setGeometry(8, 40, 193, 44);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignCenter);

    SpeedButton1 = new QPushButton(standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("İptal"),
                                   Panel1);
    SpeedButton1->setGeometry(56, 90, 97, 30);
    flat(SpeedButton1);
    connect(SpeedButton1, &QPushButton::clicked, this, &TForm5::SpeedButton1Click);

    // Alt+F4 is caught here and does nothing.
    Kapat1 = new QAction(this);
    Kapat1->setShortcut(QKeySequence(QStringLiteral("Alt+F4")));
    Kapat1->setShortcutContext(Qt::WindowShortcut);
    addAction(Kapat1);
}

void TForm5::setGauge(int value, int maximum) {
    if (maximum < 1) maximum = 1;
    Gauge1->setRange(0, maximum);
    Gauge1->setValue(qBound(0, value, maximum));
}

void TForm5::setProgress(const QString& text) { Label1->setText(text); }

void TForm5::showOver(QWidget* owner) {
    if (isVisible()) return;
    // A window opened over a modal one stays usable only as its child.
    if (parentWidget() != owner) setParent(owner, windowFlags());
    if (Form1) {
        const QRect main = Form1->frameGeometry();
        move(main.center() - QPoint(width() / 2, height() / 2));
    }
    show();
}

// "İptal": the print-out stops and both windows close.
void TForm5::SpeedButton1Click() {
    Form4->cancelPrintout();
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
