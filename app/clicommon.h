#pragma once
// What the command line's works share: the exit status, the lines written
// (every control character shown as an escape), the usage error, and the
// phone book opened on one group as the window's start opens it.

#include <QString>

#include <cstdio>
#include <optional>

class PhoneBook;

namespace cli {

enum Exit { Done = 0, Failed = 1, UsageError = 2 };

// The usage lines a usage error ends with, and the whole help.
extern const QString UsageLines;
extern const QString HelpText;

// A text as the terminal may show it: every control character (line
// breaks, ESC, the C1 range, the marks that turn the direction of writing)
// written as an escape, so that no name from a file, a server or an argument
// can move the cursor, change colours or forge a line.
QString shown(const QString& text);

// Every line the command line writes goes through shown(); a text given
// here breaks into lines at its own line breaks, so a name put into it
// passes through shown() first (its breaks are then escapes).
void print(std::FILE* to, const QString& text);

// The message on standard error after "telefika: "; returns Failed.
int fail(const QString& message);
// The message, the usage lines and where the help is; returns UsageError.
int usageError(const QString& message);

// The phone book as the window's start makes it, under the lock: the group
// list read; then the group of that name in the list (found without regard
// to letter case; the group in use when no name is given) made the active
// one in memory, its file read. Nothing is written. The group's name as the
// list spells it, or none with the message when it cannot be had.
std::optional<QString> openGroup(PhoneBook& book, const std::optional<QString>& wanted, QString& error);

}  // namespace cli
