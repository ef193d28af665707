// The print-out's pace: one tick at the end of a full group's page (10,911
// contacts, about 43,600 lines), beside the same lines appended to a bare
// text document; and a whole composition of 1,000 contacts under the running
// 10 ms timer, beside a bare timer of the same interval counting the same
// 999 ticks.

#include "app/forms.h"
#include "app/Unit1.h"
#include "bench/floor.h"
#include "bench/programbench.h"
#include "book/phonebook.h"
#include "store/datafolder.h"
#include "store/printout.h"
#include "tests/common/mainwindowaccess.h"
#include "tools/datagen.h"
#include "ui/dialogs.h"
#include "windows/bilgi.h"
#include "windows/Unit8.h"
#include "windows/yazdir.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

namespace {

// Iterations of the tick figures: the last this many contacts of the group.
constexpr int LastContacts = 500;

// The page composed by direct ticks up to the last `left` contacts.
void composeAllBut(int left) {
    Form4->activeGroupPace->stop();  // the benchmark gives the ticks itself
    const int stop = Book->recordLines().count() - 3 * (left + 1);
    while (Form4->printPosition() < stop) Form4->Timer1Timer();
    QCoreApplication::processEvents();
}

void TickAtTheEnd(benchmark::State& state) {
    testhooks::onNextModal([&](QDialog*) {
        composeAllBut(int(state.max_iterations));
        state.counters["page lines at the start"] = Form4->printPage->document()->blockCount();
        for (auto _ : state) Form4->Timer1Timer();
        state.counters["page lines at the end"] = Form4->printPage->document()->blockCount();
    });
    mainWindow().printAction->trigger();
}

// The tick and the repaint of both windows that the event loop does after it.
void TickAndRepaintAtTheEnd(benchmark::State& state) {
    testhooks::onNextModal([&](QDialog*) {
        composeAllBut(int(state.max_iterations));
        for (auto _ : state) {
            Form4->Timer1Timer();
            QCoreApplication::processEvents();
        }
    });
    mainWindow().printAction->trigger();
}

void AppendToABareDocument(benchmark::State& state) {
    const StringList& source = Book->recordLines();
    QTextDocument page;
    QTextCursor end(&page);
    QStringList first = printout::header(QStringLiteral("8.12.2026"), QStringLiteral("08:00:00"), source.count(),
                                           QStringLiteral("Grup:@Kayıtlar@"));
    const int stop = source.count() - 3 * (int(state.max_iterations) + 1);
    for (int p = 0; p <= stop; p += 3) first << printout::contactBlock(source, p);
    end.insertText(first.join(QLatin1Char('\n')));
    int p = stop;
    for (auto _ : state) {
        p += 3;
        end.insertText(QLatin1Char('\n') + printout::contactBlock(source, p).join(QLatin1Char('\n')));
    }
    benchmark::DoNotOptimize(page.blockCount());
}

// 1,000 contacts through the chooser's pace, from the start to the tick that
// finds the page complete.
void ComposeAThousand(benchmark::State& state) {
    Form8->groupPrintLines = datagen::group(1000);
    const int last = Form8->groupPrintLines.count() - 3;
    for (auto _ : state) {
        QElapsedTimer clock;
        testhooks::onNextModal([&](QDialog*) {
            while (Form4->printPosition() < last || !Form4->exitButton->isEnabled())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        });
        clock.start();
        Form4->execute(QStringLiteral("Bin"), Form8->groupPrintLines);
    }
    state.counters["999 x 10 ms (s)"] = 9.99;
}

void BareTimer(benchmark::State& state) {
    for (auto _ : state) {
        QTimer timer;
        timer.setInterval(10);
        timer.setTimerType(Form4->chosenGroupPace->timerType());
        int ticks = 0;
        QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        QElapsedTimer clock;
        clock.start();
        timer.start();
        while (ticks < 999) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    }
}

}  // namespace

int main(int argc, char** argv) {
    return runWindowBenchmarks(argc, argv, {writeFullGroup, true}, [] {
        const auto us = benchmark::kMicrosecond;
        benchmark::RegisterBenchmark("tick, full group", TickAtTheEnd)->Unit(us)->Iterations(LastContacts);
        benchmark::RegisterBenchmark("tick, full group/floor", AppendToABareDocument)->Unit(us)->Iterations(LastContacts);
        benchmark::RegisterBenchmark("tick and repaint, full group", TickAndRepaintAtTheEnd)->Unit(us)->Iterations(LastContacts);
        benchmark::RegisterBenchmark("tick and repaint, full group/floor", AppendToABareDocument)
            ->Unit(us)
            ->Iterations(LastContacts);
        benchmark::RegisterBenchmark("1,000 contacts at the pace", ComposeAThousand)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(1);
        benchmark::RegisterBenchmark("1,000 contacts at the pace/floor", BareTimer)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(1);
    });
}
