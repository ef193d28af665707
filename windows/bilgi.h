#pragma once
// The progress window of the print-out: a borderless window on top of all
// others with a gauge, the progress label and "İptal". Alt+F4 does not close
// it; only the print-out does.

#include "ui/secondarywindow.h"

class QAction;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

class TForm5 : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);

    QFrame* outerBevel = nullptr;         // raised, filling the window
    QFrame* innerPanel = nullptr;
    QProgressBar* gauge = nullptr;   // the whole percentage of value / maximum
    QLabel* progressLabel = nullptr;         // the progress label
    QPushButton* cancelButton = nullptr;  // İptal
    QAction* altF4Action = nullptr;        // the hidden Alt+F4 that does nothing

    // The gauge at value of maximum, the value kept within 0 and the maximum.
    void setGauge(int value, int maximum);
    // The label's text.
    void setProgress(const QString& text);
    // Opened without blocking, over the window that composes the print-out,
    // so that "İptal" can be clicked while that window is modal.
    void execute(QWidget* owner);

signals:
    // "İptal": the print-out stops.
    void cancelled();

public slots:
    void SpeedButton1Click();

protected:
    void buildWidgets() override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* centredOn;  // the window it is made for: it opens in its middle
};
