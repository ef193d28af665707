#pragma once
// What the entry fields and lists of every window share: the guard that keeps
// out text the data files cannot hold, the digit-only key filter, and sorted
// insertion and lookup in list widgets by the Turkish comparison.

#include <QColor>
#include <QIcon>
#include <QPalette>
#include <QString>
#include <QStyle>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class StringList;
class QLineEdit;
class QListWidget;
class QWidget;

// The field refuses, with the beep, any character that code page 1254 has no
// byte for, and control characters such as line breaks, whether typed,
// pasted or dropped.
void guardText(QLineEdit* field);
// The same, and the field holds at most maxLength characters: what a paste
// or a keystroke would add beyond is cut, with the beep.
void guardText(QLineEdit* field, int maxLength);
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

// The colours the windows share.
extern const QColor Cream;    // the background of read-only and search fields
extern const QColor Maroon;
extern const QColor SkyBlue;  // lists and gauges
extern const QColor Silver;   // an entry field that cannot be typed in now
extern const QColor Face;     // the light face the windows were drawn on, behind coloured captions and buttons
extern const QColor DisabledText;  // a greyed-out text on a fixed light background

// A label showing plain text (never markup): at a point, as wide and high as
// its text, or in a place of its own.
QLabel* label(QWidget* parent, const QString& text, int x, int y);
QLabel* label(QWidget* parent, const QString& text, const QRect& place);

// One colour of a widget's palette.
void paint(QWidget* w, QPalette::ColorRole role, const QColor& color);
// A fixed background of an entry field or list, with black text on it: a
// dark desktop then never puts its light text on a light background.
void fixedBase(QWidget* w, const QColor& base);
// The cream background of an entry field or list, with black text.
void cream(QWidget* w);
// A caption in a colour of its own, on the light face it was designed for:
// the widget paints its background, so a dark desktop leaves it readable.
void fixedText(QWidget* w, const QColor& text);
// A button's caption in a colour of its own, on the light face: a greyed-out
// caption while the button is disabled.
void fixedButtonText(QPushButton* button, const QColor& text);

// A ring in the highlight colour while the widget holds the focus (once the
// keyboard has moved the focus in its window, as the style draws its own),
// for the widgets the style draws no focus on (flat buttons, lists and text
// boxes without a current line, labels that act as links).
void showFocus(QWidget* w);
// A label that acts as a link: a Tab stop whose Enter, Return or Space does
// what its click does.
void keyboardLink(QLabel* link, std::function<void()> click);
void bold(QWidget* w);
// A sunken panel showing a text, as the status bars' and the confirmations' panels.
QLabel* sunkenPanel(QWidget* parent, const QString& text, const QRect& place);
// A gauge of the whole percentage, sky blue under black figures, named.
class QProgressBar;
QProgressBar* gauge(QWidget* parent, const QRect& place, const QString& accessibleName);
// A flat button that Enter does not press, named by its caption, with the
// focus ring.
void flat(QPushButton* button);

// Lines 1.. of a group list (its group names) added to a list, sorted by the
// Turkish comparison, or to a drop-down, sorted or in the file's order.
void addGroupNames(QListWidget* list, const StringList& groupList);
void addGroupNames(QComboBox* box, const StringList& groupList, bool sorted);

// One of the style's standard pictures, asked of the style only when it is
// first drawn: the style decodes every size of a picture at once, which most
// windows, made at start and opened later or never, do not need.
QIcon standardIcon(QStyle::StandardPixmap which);
// An icon that its loader makes when it is first drawn or measured.
QIcon lazyIcon(std::function<QIcon()> load);
// A picture file's icon, read when it is first drawn.
QIcon pictureIcon(const QString& fileName);

// A font's families in order of preference, cut to the first when that one is
// installed: it then draws every glyph the program's code page has, and a
// font of one family looks for faces to fall back on only when a glyph is
// missing, rather than when the font is first used (a fontconfig search for
// each face, at start). When the first is missing the list stays whole.
QStringList preferredFamilies(const QStringList& families);
