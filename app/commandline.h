#pragma once
// The program without a window, for scripts and backups: a contacts file
// imported into a group, a group exported to a file. It needs no display
// (the program entry makes a QCoreApplication only) and takes the
// DataFolder's lock as the window copy does, so it never writes while a
// window copy holds a group in memory.
//
//   telefika --import FILE [--group NAME]
//   telefika --export NAME FILE [--format vcard|vcard21|csv]
//   telefika --help | --version
//
// Exit status: 0 when the work was done (an import that found nothing new
// included), 1 when it could not be (the reason in Turkish on standard
// error), 2 on a usage error.

#include <QStringList>

// True when the program was started with an option ("--" first): the
// command line then runs in place of the windows.
bool isCommandLine(int argc, char** argv);

// Runs the options (the arguments after the program's name) and returns the
// exit status. The reports go to standard output, the errors to standard
// error.
int runCommandLine(const QStringList& arguments);
