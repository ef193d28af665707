#include "ui/secondarywindow.h"

void SecondaryWindow::ensureBuilt() {
    if (built_) return;
    built_ = true;
    buildWidgets();
}

void SecondaryWindow::setVisible(bool visible) {
    if (visible) ensureBuilt();
    QDialog::setVisible(visible);
}
