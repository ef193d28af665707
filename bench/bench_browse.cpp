// Browsing a full group (10,911 contacts): opening the name list, switching
// "Hassas Arama" on, switching it to numbers, and a step of the record
// browser. The lists run beside a sort of the same texts by the same Turkish
// comparison; the browser step beside showing the same three lines.

#include "app/forms.h"
#include "app/Unit1.h"
#include "bench/floor.h"
#include "bench/programbench.h"
#include "book/phonebook.h"
#include "store/collation.h"
#include "store/datafolder.h"
#include "tests/common/mainwindowaccess.h"
#include "tools/datagen.h"
#include "ui/contactfields.h"
#include "ui/dialogs.h"
#include "windows/isimlistesi.h"
#include "windows/tum.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace {

// Line `offset` of every contact, in the group's order.
std::vector<QByteArray> linesOf(int offset) {
    const QList<QByteArray>& lines = Book->recordLines().lines();
    std::vector<QByteArray> out;
    for (int i = offset; i < lines.size(); i += 3) out.push_back(lines[i]);
    return out;
}

void sortFloor(benchmark::State& state, int offset) {
    const std::vector<QByteArray> texts = linesOf(offset);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<QByteArray> copy = texts;
        state.ResumeTiming();
        std::sort(copy.begin(), copy.end(), [](const QByteArray& a, const QByteArray& b) {
            return collation::compare(a, b) < 0;
        });
        benchmark::DoNotOptimize(copy.data());
    }
}

void NameListOpening(benchmark::State& state) {
    for (auto _ : state) {
        Form16->execute(Book->activeGroup());  // shown and closed again at once
        state.PauseTiming();
        testhooks::modalWindows().clear();
        state.ResumeTiming();
    }
    state.counters["names"] = double(Form16->entries.count());
}

void SensitiveOn(benchmark::State& state) {
    for (auto _ : state) {
        mainWindow().sensitiveCheck->setChecked(true);
        state.PauseTiming();
        mainWindow().sensitiveCheck->setChecked(false);
        state.ResumeTiming();
    }
}

void SensitiveNumbers(benchmark::State& state) {
    mainWindow().sensitiveCheck->setChecked(true);
    for (auto _ : state) {
        mainWindow().numberMode->setChecked(true);
        state.PauseTiming();
        mainWindow().nameMode->setChecked(true);
        state.ResumeTiming();
    }
    mainWindow().sensitiveCheck->setChecked(false);
}

void BrowserStep(benchmark::State& state) {
    Form3->execute();
    for (auto _ : state) {
        Form3->SpeedButton2Click();  // ">"
        if (Form3->browserPosition() + 3 >= Book->recordLines().count()) {
            state.PauseTiming();
            Form3->SpeedButton3Click();
            state.ResumeTiming();
        }
    }
    Form3->close();
}

void BrowserStepFloor(benchmark::State& state) {
    Form3->execute();
    int p = 0;
    for (auto _ : state) {
        p = (p + 3) % Book->recordLines().count();
        Form3->contactFields->showContact(Book->recordLines().text(p), Book->recordLines().text(p + 1),
                                          Book->recordLines().text(p + 2));
    }
    Form3->close();
}

}  // namespace

int main(int argc, char** argv) {
    return runWindowBenchmarks(argc, argv, {writeFullGroup, true}, [] {
        const auto us = benchmark::kMicrosecond;
        benchmark::RegisterBenchmark("name list, opening", NameListOpening)->Unit(us);
        benchmark::RegisterBenchmark("name list, opening/floor", sortFloor, 0)->Unit(us);
        benchmark::RegisterBenchmark("Hassas Arama, switching on", SensitiveOn)->Unit(us);
        benchmark::RegisterBenchmark("Hassas Arama, switching on/floor", sortFloor, 0)->Unit(us);
        benchmark::RegisterBenchmark("Hassas Arama, by number", SensitiveNumbers)->Unit(us);
        benchmark::RegisterBenchmark("Hassas Arama, by number/floor", sortFloor, 2)->Unit(us);
        benchmark::RegisterBenchmark("browser step", BrowserStep)->Unit(us);
        benchmark::RegisterBenchmark("browser step/floor", BrowserStepFloor)->Unit(us);
    });
}
