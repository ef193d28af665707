// The main window's actions on a full group (10,911 contacts): a save that
// lands in the middle, an edit, a delete, a name search and a number search.
// The writes run beside the store's atomic write of the same bytes, the
// searches beside an exact equality scan of the same lines.

#include "app/forms.h"
#include "app/Unit1.h"
#include "bench/floor.h"
#include "bench/programbench.h"
#include "book/phonebook.h"
#include "store/codepage.h"
#include "store/contacts.h"
#include "store/datafolder.h"
#include "store/textfile.h"
#include "tests/common/mainwindowaccess.h"
#include "tools/datagen.h"
#include "ui/dialogs.h"
#include "windows/onay.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

QString middleName() { return QStringLiteral("Kemal"); }

// The contact k's number line in RecordLines.
QString numberOf(int k) { return Book->recordLines().text(3 * k + 2); }

void writeFloor(benchmark::State& state) {
    const QString path = Book->activeGroupPath();
    for (auto _ : state) textfile::writeLines(path, Book->recordLines().lines());
}

void removeContactWithNumber(const QString& number) { Book->deleteContact(number); }

void SaveInTheMiddle(benchmark::State& state) {
    int serial = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString number = QStringLiteral("0400%1").arg(++serial, 7, 10, QLatin1Char('0'));
        mainWindow().nameField->setText(middleName());
        mainWindow().surnameField->setText(QStringLiteral("Yeni"));
        mainWindow().numberField->setText(number);
        state.ResumeTiming();
        Form1->BitBtn1Click();
        state.PauseTiming();
        removeContactWithNumber(number);
        testhooks::messages().clear();
        state.ResumeTiming();
    }
}

void Edit(benchmark::State& state) {
    const int k = Book->recordLines().count() / 6;  // a contact in the middle
    const QString number = numberOf(k);
    const QString name = Book->recordLines().text(3 * k);
    bool flip = false;
    for (auto _ : state) {
        state.PauseTiming();
        mainWindow().foundNumber->setText(number);
        mainWindow().nameField->setText(name);
        mainWindow().surnameField->setText((flip = !flip) ? QStringLiteral("Birinci") : QStringLiteral("İkinci"));
        mainWindow().numberField->setText(number);
        testhooks::messages().clear();
        state.ResumeTiming();
        Form1->BitBtn2Click();
    }
}

void Delete(benchmark::State& state) {
    const int k = Book->recordLines().count() / 6;
    for (auto _ : state) {
        state.PauseTiming();
        const QByteArray name = Book->recordLines().get(3 * k);
        const QByteArray surname = Book->recordLines().get(3 * k + 1);
        const QByteArray number = Book->recordLines().get(3 * k + 2);
        mainWindow().numberField->setText(QString::fromLatin1(number));
        testhooks::onNextModal([](QDialog*) { Form11->yesButton->click(); });
        state.ResumeTiming();
        Form1->BitBtn4Click();
        state.PauseTiming();
        Book->saveContact(name, surname, number);
        testhooks::messages().clear();
        state.ResumeTiming();
    }
}

void exactScanFloor(benchmark::State& state, const QByteArray& key) {
    const QList<QByteArray>& lines = Book->recordLines().lines();
    for (auto _ : state) {
        int found = -1;
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i] == key) {
                found = i;
                break;
            }
        benchmark::DoNotOptimize(found);
    }
}

// The last contact's name: the search runs over the whole group.
QString lastName() { return Book->recordLines().text(Book->recordLines().count() - 3); }
QString lastNumber() { return Book->recordLines().text(Book->recordLines().count() - 1); }

void NameSearch(benchmark::State& state) {
    mainWindow().nameMode->setChecked(true);
    for (auto _ : state) {
        mainWindow().nameField->clear();  // a search from empty fields copies the most lines
        mainWindow().searchField->setText(lastName());
        Form1->BitBtn6Click();
    }
}

void NameSearchFloor(benchmark::State& state) { exactScanFloor(state, codepage::encode(lastName())); }

void NumberSearch(benchmark::State& state) {
    mainWindow().numberMode->setChecked(true);
    for (auto _ : state) {
        mainWindow().nameField->clear();
        mainWindow().numberSearchField->setText(lastNumber());
        Form1->BitBtn6Click();
    }
    mainWindow().nameMode->setChecked(true);
}

void NumberSearchFloor(benchmark::State& state) { exactScanFloor(state, codepage::encode(lastNumber())); }

}  // namespace

int main(int argc, char** argv) {
    return runWindowBenchmarks(argc, argv, ProgramStart(), [] {
        const auto us = benchmark::kMicrosecond;
        benchmark::RegisterBenchmark("save, lands in the middle", SaveInTheMiddle)->Unit(us);
        benchmark::RegisterBenchmark("save, lands in the middle/floor", writeFloor)->Unit(us);
        benchmark::RegisterBenchmark("edit", Edit)->Unit(us);
        benchmark::RegisterBenchmark("edit/floor", writeFloor)->Unit(us);
        benchmark::RegisterBenchmark("delete", Delete)->Unit(us);
        benchmark::RegisterBenchmark("delete/floor", writeFloor)->Unit(us);
        benchmark::RegisterBenchmark("name search, the last contact", NameSearch)->Unit(us);
        benchmark::RegisterBenchmark("name search, the last contact/floor", NameSearchFloor)->Unit(us);
        benchmark::RegisterBenchmark("number search, the last contact", NumberSearch)->Unit(us);
        benchmark::RegisterBenchmark("number search, the last contact/floor", NumberSearchFloor)->Unit(us);
    });
}
