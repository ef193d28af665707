#pragma once
// What the entry fields and lists of every window share: the guard that keeps
// out text the data files cannot hold, the digit-only key filter, and sorted
// insertion and lookup in list widgets by the Turkish comparison.

#include <QString>

class QComboBox;
class QLineEdit;
class QListWidget;
class QWidget;

// The field refuses, with the beep, any character that code page 1254 has no
// byte for, and control characters such as line breaks, whether typed,
// pasted or dropped.
void guardText(QLineEdit* field);
void guardText(QComboBox* editableBox);

// The field takes only the digits 0 to 9 and Backspace from the keyboard;
// every other character (copy, cut and paste keys included) is dropped with
// the beep. Pasting by mouse or by dropping is refused as well, and the field
// has no clipboard menu.
void digitsOnly(QLineEdit* field);

// Sorted insertion: the item goes after the items that sort before or equal
// to it. Returns its row.
int addSorted(QComboBox* box, const QString& text);
int addSorted(QListWidget* list, const QString& text);

// The first row whose text equals the text without regard to case; -1 if none.
int lookupItem(const QListWidget* list, const QString& text);

class QRect;
class QStatusBar;
// An empty status bar along a window's bottom edge: one sunken panel.
QStatusBar* emptyStatusBar(QWidget* window, const QRect& place);

// The accessible name of a control, for screen readers.
void name(QWidget* control, const QString& accessibleName);

// A typed group name becomes a file name, so it must not lead outside the
// DataFolder nor hold a character that a group file cannot carry on every
// system it may travel to. An unusable name is refused with this message;
// the function returns true when the name can be used.
extern const QString UnusableGroupNameMessage;
bool acceptGroupName(const QString& group);
