#pragma once
// What every secondary window is: a dialog whose object exists from the
// program's start, so that the windows can reach each other directly, but
// whose widgets are made only when it is first shown or first asked for
// something. Start-up then pays for the main window alone.
//
// A window opens through its execute(...), which does every opening step;
// showEvent only places the focus.

#include <QDialog>

class SecondaryWindow : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    // Makes the widgets now, unless they are made already. Every public
    // method of a window that reads or changes its widgets calls it first.
    void ensureBuilt();
    bool isBuilt() const { return built_; }

    void setVisible(bool visible) override;

protected:
    // Makes the window's widgets and joins each to its handler, once.
    virtual void buildWidgets() = 0;

private:
    bool built_ = false;
};
