#pragma once
// Message boxes, the error box, the beep and modal windows: every one goes
// through these functions, so the whole program shows them the same way and
// tests can take their place.

#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QFont;
class QPrinter;
class QWidget;

extern const QString ApplicationTitle;  // "Telefika 2003"

// A modal box with the text and one OK button, titled with the application title.
void ShowMessage(const QString& text);

// The error box of an operation that stopped; a full stop is added when the
// text's last character sorts after ".".
void ShowError(const QString& text);
QString errorText(const QString& text);

void Beep();

// Shows a window modally and returns its result.
int execModal(QDialog* dialog);

// A modal question with "&Evet" and "&Hayır", titled with the application
// title, shown through execModal (a test answers it by a queued handler that
// clicks a button); true only when "&Evet" was pressed. "&Hayır" is the
// default and Esc's answer: what the question guards is not done by mistake.
bool askYesNo(QWidget* parent, const QString& question);

// A save dialog with one filter ("Rehber Dosyaları|*.vexo" style: title and
// pattern); an empty result means the user cancelled.
QString askSaveFileName(QWidget* parent, const QString& filterTitle, const QString& pattern);

// An open dialog for an existing file, with one filter ("Kişi Dosyaları" and
// "*.vcf *.csv": title and patterns, separated by blanks); an empty result
// means the user cancelled.
QString askOpenFileName(QWidget* parent, const QString& filterTitle, const QString& patterns);

// The print dialog on the printer; false when the user cancelled. Where the
// machine has no printer the dialog offers printing to a PDF file.
bool askPrinter(QPrinter& printer, QWidget* parent);
// The font dialog, starting from the font; false when the user cancelled.
bool askFont(QFont& font, QWidget* parent);

// Stand-ins for the tests: boxes record their text and return at once, modal
// windows are handed to queued handlers, save and open dialogs answer queued
// names.
namespace testhooks {
void enable();   // start recording, forget what was recorded
void disable();
bool enabled();
QStringList& messages();       // every message and error box text, in order
QStringList& modalWindows();   // the caption of every window shown modally
int beeps();
// The next modal window is shown (not modally) and handed to the handler,
// which acts on it as a user would; a window still open afterwards is closed
// with "no". A modal window without a queued handler is closed at once.
void onNextModal(std::function<void(QDialog*)> handler);
void setNextSaveFileName(const QString& name);  // empty: the user cancels
void setNextOpenFileName(const QString& name);  // empty: the user cancels
// The queued answers nothing has taken yet, one line each, naming what was
// queued; empty when every answer was used. A test ends with this empty: an
// answer left over means a window or dialog that should have opened did not.
QStringList unused();
}  // namespace testhooks

// The print and font dialogs' stand-ins. Each dialog takes the next queued
// answer; with none queued it is cancelled.
namespace testhooks {
void setNextPrinter(const QString& pdfPath);  // prints to that PDF file; empty: the user cancels
void setNextFont(const QFont& font);
void cancelNextFont();
bool printOrFontAnswersQueued();  // true while an answer is still unused
void forgetPrintAndFontAnswers();
}  // namespace testhooks
