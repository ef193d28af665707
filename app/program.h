#pragma once
// The program entry's work: the title, one running copy per DataFolder, the
// windows, the event loop.

class QApplication;

int runProgram(QApplication& app);
