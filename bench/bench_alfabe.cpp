// The alphabetic index of a full group (10,911 contacts): the split into
// letter pages alone, beside one pass over the same name lines; and the whole
// opening of the window (the split, the thirty lists filled, the window
// shown and closed), beside turning the same name lines into texts.

#include "app/forms.h"
#include "app/Unit1.h"
#include "bench/floor.h"
#include "bench/programbench.h"
#include "book/phonebook.h"
#include "store/alphabet.h"
#include "store/codepage.h"
#include "store/datafolder.h"
#include "tests/common/mainwindowaccess.h"
#include "tools/datagen.h"
#include "ui/dialogs.h"
#include "windows/ALFABE.h"

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>

namespace {

void Build(benchmark::State& state) {
    const StringList& lines = Book->recordLines();
    for (auto _ : state) {
        const alphabet::Boundaries b = alphabet::letterBoundaries(lines);
        alphabet::PageRuns runs = alphabet::pageRuns(b);
        benchmark::DoNotOptimize(runs);
    }
}

// The least any split must do: look at the first byte of every name line.
void NameLinePass(benchmark::State& state) {
    const QList<QByteArray>& lines = Book->recordLines().lines();
    for (auto _ : state) {
        unsigned sum = 0;
        for (qsizetype i = 0; i < lines.size(); i += 3)
            if (!lines[i].isEmpty()) sum += static_cast<unsigned char>(lines[i][0]);
        benchmark::DoNotOptimize(sum);
    }
}

void BuildAndFill(benchmark::State& state) {
    for (auto _ : state) Form15->showGroup(mainWindow().groupSelector->currentText(), Book->recordLines());
}

void OpenWindow(benchmark::State& state) {
    for (auto _ : state) {
        Form1->bb1Click();  // the test hooks show the window and close it at once
        QApplication::processEvents();
    }
}

// The texts of every name line, in one list.
void DecodeNames(benchmark::State& state) {
    const QList<QByteArray>& lines = Book->recordLines().lines();
    for (auto _ : state) {
        QStringList names;
        names.reserve(lines.size() / 3 + 1);
        for (qsizetype i = 0; i < lines.size(); i += 3) names << codepage::decode(lines[i]);
        benchmark::DoNotOptimize(names);
    }
}

}  // namespace

int main(int argc, char** argv) {
    return runWindowBenchmarks(argc, argv, ProgramStart(), [] {
        const auto us = benchmark::kMicrosecond;
        benchmark::RegisterBenchmark("split into pages", Build)->Unit(us);
        benchmark::RegisterBenchmark("split into pages/floor", NameLinePass)->Unit(us);
        benchmark::RegisterBenchmark("split and fill the thirty lists", BuildAndFill)->Unit(us);
        benchmark::RegisterBenchmark("split and fill the thirty lists/floor", DecodeNames)->Unit(us);
        benchmark::RegisterBenchmark("open the window, full group", OpenWindow)->Unit(us);
        benchmark::RegisterBenchmark("open the window, full group/floor", DecodeNames)->Unit(us);
    });
}
