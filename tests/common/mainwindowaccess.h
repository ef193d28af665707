#pragma once
// The main window's widgets and its search's lines, as the tests and the
// benchmarks reach them; the program itself keeps them private.

#include "app/forms.h"
#include "app/Unit1.h"

struct MainWindowTestAccess {
    static MainWindowWidgets& widgets() { return Form1->ui; }
    static const LineTail& nextMatchLines() { return Form1->nextMatchLines; }
};

inline MainWindowWidgets& mainWindow() { return MainWindowTestAccess::widgets(); }
