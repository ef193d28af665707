#include "ui/dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <deque>
#include <optional>

const QString ApplicationTitle = QStringLiteral("Telefika 2003");

namespace {

struct Hooks {
    bool on = false;
    QStringList messages;
    QStringList modals;
    int beeps = 0;
    std::deque<std::function<void(QDialog*)>> modalHandlers;
    std::deque<QString> saveNames;
    std::deque<QString> openNames;
};

// The next queued name of a file dialog; none queued: cancelled.
QString nextName(std::deque<QString>& queued) {
    if (queued.empty()) return QString();
    QString name = queued.front();
    queued.pop_front();
    return name;
}

Hooks& hooks() {
    static Hooks h;
    return h;
}

void showBox(QMessageBox::Icon icon, const QString& text) {
    if (hooks().on) {
        hooks().messages << text;
        return;
    }
    QMessageBox box(icon, ApplicationTitle, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

void ShowMessage(const QString& text) { showBox(QMessageBox::NoIcon, text); }

QString errorText(const QString& text) {
    if (!text.isEmpty() && text.back() > QLatin1Char('.')) return text + QLatin1Char('.');
    return text;
}

void ShowError(const QString& text) { showBox(QMessageBox::Critical, errorText(text)); }

void Beep() {
    if (hooks().on) {
        ++hooks().beeps;
        return;
    }
    QApplication::beep();
}

int execModal(QDialog* dialog) {
    Hooks& h = hooks();
    if (!h.on) return dialog->exec();
    h.modals << dialog->windowTitle();
    dialog->setResult(0);
    dialog->show();
    if (!h.modalHandlers.empty()) {
        auto handler = std::move(h.modalHandlers.front());
        h.modalHandlers.pop_front();
        handler(dialog);
    }
    if (dialog->isVisible()) dialog->reject();
    return dialog->result();
}

bool askYesNo(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, ApplicationTitle, question, QMessageBox::NoButton,
                    parent ? parent : QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    QPushButton* yes = box.addButton(QStringLiteral("&Evet"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Hayır"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    execModal(&box);
    return box.clickedButton() == yes;
}

namespace {
// The file dialog, saving or opening, with one filter; empty when cancelled.
QString askFileName(QWidget* parent, const QString& filterTitle, const QString& patterns, bool saving) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(filterTitle + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    if (saving) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().constFirst();
}
}  // namespace

QString askSaveFileName(QWidget* parent, const QString& filterTitle, const QString& pattern) {
    Hooks& h = hooks();
    return h.on ? nextName(h.saveNames) : askFileName(parent, filterTitle, pattern, true);
}

QString askOpenFileName(QWidget* parent, const QString& filterTitle, const QString& patterns) {
    Hooks& h = hooks();
    return h.on ? nextName(h.openNames) : askFileName(parent, filterTitle, patterns, false);
}

namespace testhooks {
void enable() {
    Hooks& h = hooks();
    h = Hooks();
    h.on = true;
    forgetPrintAndFontAnswers();
}
void disable() {
    hooks() = Hooks();
    forgetPrintAndFontAnswers();
}
bool enabled() { return hooks().on; }
QStringList& messages() { return hooks().messages; }
QStringList& modalWindows() { return hooks().modals; }
int beeps() { return hooks().beeps; }
void onNextModal(std::function<void(QDialog*)> handler) { hooks().modalHandlers.push_back(std::move(handler)); }
void setNextSaveFileName(const QString& name) { hooks().saveNames.push_back(name); }
void setNextOpenFileName(const QString& name) { hooks().openNames.push_back(name); }

QStringList unused() {
    const Hooks& h = hooks();
    QStringList left;
    if (!h.modalHandlers.empty()) {
        // The last few windows shown tell where the test stopped opening them.
        const int last = 4;
        QString shown = h.modals.isEmpty() ? QStringLiteral("none")
                                           : QLatin1Char('"') + h.modals.mid(qMax(0, h.modals.size() - last)).join(QStringLiteral("\", \"")) + QLatin1Char('"');
        if (h.modals.size() > last) shown = QStringLiteral("%1 in all, the last ").arg(h.modals.size()) + shown;
        left << QStringLiteral("%1 queued modal window handler(s) never called (modal windows shown: %2)")
                    .arg(h.modalHandlers.size())
                    .arg(shown);
    }
    for (const QString& name : h.saveNames)
        left << (name.isEmpty() ? QStringLiteral("a cancelled save dialog never asked for")
                                : QStringLiteral("the save file name \"%1\" never asked for").arg(name));
    for (const QString& name : h.openNames)
        left << (name.isEmpty() ? QStringLiteral("a cancelled open dialog never asked for")
                                : QStringLiteral("the open file name \"%1\" never asked for").arg(name));
    return left;
}
}  // namespace testhooks

// ---------------------------------------------------------------------------
// The print and font dialogs

namespace {

struct PrintAndFontAnswers {
    std::deque<QString> printers;            // PDF paths; empty: cancelled
    std::deque<std::optional<QFont>> fonts;  // none: cancelled
};

PrintAndFontAnswers& printAndFontAnswers() {
    static PrintAndFontAnswers a;
    return a;
}

}  // namespace

bool askPrinter(QPrinter& printer, QWidget* parent) {
    if (testhooks::enabled()) {
        auto& queued = printAndFontAnswers().printers;
        if (queued.empty()) return false;
        const QString path = queued.front();
        queued.pop_front();
        if (path.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    }
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool askFont(QFont& font, QWidget* parent) {
    if (testhooks::enabled()) {
        auto& queued = printAndFontAnswers().fonts;
        if (queued.empty()) return false;
        const std::optional<QFont> answer = queued.front();
        queued.pop_front();
        if (!answer) return false;
        font = *answer;
        return true;
    }
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, parent);
    if (ok) font = chosen;
    return ok;
}

namespace testhooks {
void setNextPrinter(const QString& pdfPath) { printAndFontAnswers().printers.push_back(pdfPath); }
void setNextFont(const QFont& font) { printAndFontAnswers().fonts.push_back(font); }
void cancelNextFont() { printAndFontAnswers().fonts.push_back(std::nullopt); }
bool printOrFontAnswersQueued() {
    return !printAndFontAnswers().printers.empty() || !printAndFontAnswers().fonts.empty();
}
void forgetPrintAndFontAnswers() { printAndFontAnswers() = PrintAndFontAnswers(); }
}  // namespace testhooks
