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
// included, and a write whose folder the disk would not sync: the file holds
// the change, and a warning on standard error says it may not survive a
// power cut), 1 when it could not be (the reason in Turkish on standard
// error), 2 on a usage error. Every line written shows the control
// characters of names and texts from outside as escapes ("\x1B").

#include <QStringList>

// True when the program was started with any argument (the window takes
// none but a session manager's "-session ID"): the command line then runs
// in place of the windows, and refuses what it does not know as a usage
// error, before anything needs a display.
bool isCommandLine(int argc, char** argv);

// Runs the options (the arguments after the program's name) and returns the
// exit status. The reports go to standard output, the errors to standard
// error.
int runCommandLine(const QStringList& arguments);
