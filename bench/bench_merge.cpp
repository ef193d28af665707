// The group merger on two groups of 5,000 contacts: once with distinct
// numbers, once with every number of the second group in the first. Each
// figure runs beside its floor, the least a merge must do: write the result's
// bytes atomically and sort its names. The merge itself is measured without
// widgets (both files read, merged, the result and the group list written)
// and through the window's "Birleştir"; the contact-by-contact merge shows
// what a lookup per contact would cost.
//
// The report's own cost: 35,000 contacts merged into 30,000 whose numbers
// 30,000 of them repeat (330,007 report lines), through "Birleştir", beside
// the same merge without widgets and without the report. Each prints what the
// program grew by at its peak ("grown MB", from VmRSS and VmHWM in
// /proc/self/status); the window's figure also prints its longest stall of
// the event loop in the two seconds after the click ("stall ms") and one tick
// of the timer that enables the report's menu ("tick ms"). The text of that
// report alone, as the window takes it (merge::reportText: one paragraph per
// entry), stands beside a text of its length made of one entry's lines.

#include "app/forms.h"
#include "app/Unit1.h"
#include "bench/floor.h"
#include "bench/programbench.h"
#include "book/phonebook.h"
#include "store/codepage.h"
#include "store/collation.h"
#include "store/datafolder.h"
#include "store/merge.h"
#include "store/textfile.h"
#include "tools/datagen.h"
#include "ui/dialogs.h"
#include "windows/isimsirala.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <malloc.h>

namespace {

constexpr int Contacts = 5000;

QString path(const QString& group) { return datafolder::groupFilePath(group); }

// The second group: other names and surnames; its numbers are the first
// group's when shared.
StringList secondGroup(const StringList& first, bool shared) {
    StringList other = datagen::group(Contacts, 1923);
    if (!shared) return other;
    QList<QByteArray> lines = other.lines();
    for (int k = 0; 3 * k + 2 < lines.size(); ++k) lines[3 * k + 2] = first.get(3 * k + 2);
    StringList out;
    out.assign(lines);
    return out;
}

void prepare(bool shared) {
    const StringList first = datagen::group(Contacts, 2003);
    first.save(path(QStringLiteral("Birinci")));
    secondGroup(first, shared).save(path(shared ? QStringLiteral("Ortak") : QStringLiteral("İkinci")));
}

QString secondName(bool shared) { return shared ? QStringLiteral("Ortak") : QStringLiteral("İkinci"); }

// The report's groups: 30,000 contacts, and 35,000 of which the first 30,000
// hold the first group's numbers.
constexpr int BigFirst = 30000;
constexpr int BigSecond = 35000;
const QString BigFirstName = QStringLiteral("Otuzbin");
const QString BigSecondName = QStringLiteral("Otuzbeşbin");

void prepareBig() {
    const StringList first = datagen::group(BigFirst, 2003);
    first.save(path(BigFirstName));
    QList<QByteArray> lines = datagen::group(BigSecond, 1923).lines();
    for (int k = 0; k < BigFirst; ++k) lines[3 * k + 2] = first.get(3 * k + 2);
    StringList second;
    second.assign(lines);
    second.save(path(BigSecondName));
}

// A figure of /proc/self/status, in megabytes.
double statusMegabytes(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field)) return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

// The memory the program holds now, with what the allocator kept back
// returned, and the peak set back to it.
double settledMegabytes() {
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) clear.write("5");
    return statusMegabytes("VmRSS:");
}

void mergeWithoutWidgets(benchmark::State& state, bool shared) {
    const QString result = path(QStringLiteral("Sonuç"));
    for (auto _ : state) {
        StringList lines;
        StringList names(true);
        StringList second;
        lines.load(path(QStringLiteral("Birinci")));
        rebuildNameIndex(lines, names);
        second.load(path(secondName(shared)));
        const merge::Outcome outcome = merge::mergeContacts(lines, names, second);
        merge::writeResult(result, lines, datafolder::groupListPath(), Book->groupNames());
        benchmark::DoNotOptimize(merge::report(outcome));
    }
}

void mergeOneByOne(benchmark::State& state, bool shared) {
    for (auto _ : state) {
        StringList lines;
        StringList names(true);
        StringList second;
        lines.load(path(QStringLiteral("Birinci")));
        rebuildNameIndex(lines, names);
        second.load(path(secondName(shared)));
        benchmark::DoNotOptimize(merge::report(merge::mergeContactsOneByOne(lines, names, second)));
    }
}

void mergeInTheWindow(benchmark::State& state, bool shared) {
    const QString first = path(QStringLiteral("Birinci"));
    const QByteArray firstBytes = textfile::joinLines(textfile::readLines(first));
    for (auto _ : state) {
        state.PauseTiming();
        textfile::writeBytes(first, firstBytes);
        Form12->execute();
        for (auto [box, group] : {std::pair{Form12->firstGroupChooser, QStringLiteral("Birinci")},
                                  std::pair{Form12->secondGroupChooser, secondName(shared)}})
            box->setCurrentIndex(box->findText(group));
        testhooks::messages().clear();
        state.ResumeTiming();
        Form12->BitBtn1Click();
    }
    Form12->close();
}

// The big merge without widgets and without its report.
// The big merge read from its two files and done, without a window.
struct BigMerge {
    StringList lines, names, second;
    merge::Outcome outcome;
    BigMerge() : names(true) {
        lines.load(path(BigFirstName));
        rebuildNameIndex(lines, names);
        second.load(path(BigSecondName));
        outcome = merge::mergeContacts(lines, names, second);
    }
};

void bigMergeWithoutReport(benchmark::State& state) {
    const QString result = path(QStringLiteral("Sonuç"));
    double grown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const double before = settledMegabytes();
        state.ResumeTiming();
        {
            BigMerge merged;
            merge::writeResult(result, merged.lines, datafolder::groupListPath(), Book->groupNames());
            benchmark::DoNotOptimize(merged.outcome.skipped());
            state.PauseTiming();
            grown = std::max(grown, statusMegabytes("VmHWM:") - before);
            state.ResumeTiming();
        }
    }
    state.counters["grown MB"] = grown;
}

// The big merge through "Birleştir": the report built and put in the window.
void bigMergeInTheWindow(benchmark::State& state) {
    const QString first = path(BigFirstName);
    const QByteArray firstBytes = textfile::joinLines(textfile::readLines(first));
    double grown = 0, stall = 0, tick = 0;
    for (auto _ : state) {
        state.PauseTiming();
        textfile::writeBytes(first, firstBytes);
        Form12->execute();
        Form12->Temizle1Click();
        for (auto [box, group] : {std::pair{Form12->firstGroupChooser, BigFirstName}, std::pair{Form12->secondGroupChooser, BigSecondName}})
            box->setCurrentIndex(box->findText(group));
        testhooks::messages().clear();
        QCoreApplication::processEvents();
        const double before = settledMegabytes();
        state.ResumeTiming();
        Form12->BitBtn1Click();
        QCoreApplication::processEvents();
        state.PauseTiming();
        // The window afterwards: the longest wait of a 5 ms timer in two
        // seconds, and one tick of the menu's timer.
        QElapsedTimer clock, since;
        clock.start();
        since.start();
        qint64 longest = 0;
        QTimer beat;
        QObject::connect(&beat, &QTimer::timeout, [&] { longest = std::max(longest, since.restart()); });
        beat.start(5);
        while (clock.elapsed() < 2000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        beat.stop();
        // what is not laid out yet, laid out, so the memory is the shown report's whole
        benchmark::DoNotOptimize(Form12->reportEdit->document()->documentLayout()->documentSize());
        QElapsedTimer timerTick;
        timerTick.start();
        Form12->Timer1Timer();
        tick = std::max(tick, timerTick.nsecsElapsed() / 1e6);
        stall = std::max(stall, double(longest));
        grown = std::max(grown, statusMegabytes("VmHWM:") - before);
        state.ResumeTiming();
    }
    Form12->Temizle1Click();
    Form12->close();
    textfile::writeBytes(first, firstBytes);
    state.counters["grown MB"] = grown;
    state.counters["stall ms"] = stall;
    state.counters["tick ms"] = tick;
}

// The floor: the result's bytes written atomically, and its names sorted.
void floorOf(benchmark::State& state, const QList<QByteArray>& result, const QList<QByteArray>& names) {
    const QByteArray bytes = textfile::joinLines(result);
    const QString target = path(QStringLiteral("Taban"));
    for (auto _ : state) {
        textfile::writeBytes(target, bytes);
        QList<QByteArray> sorted = names;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const QByteArray& a, const QByteArray& b) { return collation::less(a, b); });
        benchmark::DoNotOptimize(sorted);
    }
}

QList<QByteArray> namesOf(const QList<QByteArray>& lines) {
    QList<QByteArray> names;
    for (int k = 0; 3 * k < lines.size(); ++k) names << lines[3 * k];
    return names;
}

void mergeFloor(benchmark::State& state, bool shared) {
    StringList lines = datagen::group(Contacts, 2003);
    const StringList second = secondGroup(lines, shared);
    QList<QByteArray> all = lines.lines();
    if (!shared) all += second.lines();
    floorOf(state, all, namesOf(lines.lines()) + namesOf(second.lines()));
}

// The report of the big merge, as one text: its lines built and joined.
merge::Outcome bigOutcome() { return BigMerge().outcome; }

void reportText(benchmark::State& state) {
    const merge::Outcome outcome = bigOutcome();
    for (auto _ : state) benchmark::DoNotOptimize(merge::reportText(outcome));
    state.counters["lines"] = double(merge::report(outcome).size());
}

// Its floor: a text of the same length put together from one entry's lines.
void reportTextFloor(benchmark::State& state) {
    const merge::Outcome outcome = bigOutcome();
    const QString text = merge::reportText(outcome);
    const QStringList entry = merge::report(outcome).mid(0, 11);
    for (auto _ : state) {
        QString same;
        same.reserve(text.size());
        while (same.size() < text.size())
            for (const QString& line : entry) same.append(line).append(QLatin1Char('\n'));
        benchmark::DoNotOptimize(same);
    }
}

// The big merge's floor: the first group and the 5,000 contacts it gains.
void bigMergeFloor(benchmark::State& state) {
    StringList first, second;
    first.load(path(BigFirstName));
    second.load(path(BigSecondName));
    floorOf(state, first.lines() + second.lines().mid(3 * BigFirst), namesOf(first.lines()) + namesOf(second.lines()));
}

}  // namespace

// The DataFolder: the default group empty and in use, and the groups to merge.
void writeGroups() {
    datafolder::createFolder(datafolder::path());
    StringList().save(path(datafolder::DefaultGroup));
    prepare(false);
    prepare(true);
    prepareBig();
    StringList{"@Kayıtlar@", "@Kayıtlar@", "Birinci", "İkinci", "Ortak", "Otuzbin", "Otuzbeşbin"}.save(
        datafolder::groupListPath());
}

int main(int argc, char** argv) {
    return runWindowBenchmarks(argc, argv, {writeGroups, false}, [] {
        const auto ms = benchmark::kMillisecond;
        for (bool shared : {false, true}) {
            const std::string what = shared ? "5,000 + 5,000 all shared" : "5,000 + 5,000 distinct";
            benchmark::RegisterBenchmark(("merge, " + what).c_str(), mergeWithoutWidgets, shared)->Unit(ms);
            benchmark::RegisterBenchmark(("merge, " + what + "/floor").c_str(), mergeFloor, shared)->Unit(ms);
            benchmark::RegisterBenchmark(("Birleştir, " + what).c_str(), mergeInTheWindow, shared)->Unit(ms);
            benchmark::RegisterBenchmark(("Birleştir, " + what + "/floor").c_str(), mergeFloor, shared)->Unit(ms);
            benchmark::RegisterBenchmark(("one by one, " + what).c_str(), mergeOneByOne, shared)
                ->Unit(ms)
                ->Iterations(2);
            benchmark::RegisterBenchmark(("one by one, " + what + "/floor").c_str(), mergeFloor, shared)->Unit(ms);
        }
        const std::string big = "35,000 into 30,000, 30,000 shared";
        benchmark::RegisterBenchmark(("report, Birleştir, " + big).c_str(), bigMergeInTheWindow)->Unit(ms)->Iterations(2);
        benchmark::RegisterBenchmark(("report, Birleştir, " + big + "/floor").c_str(), bigMergeFloor)->Unit(ms);
        benchmark::RegisterBenchmark(("report, no report, " + big).c_str(), bigMergeWithoutReport)->Unit(ms)->Iterations(2);
        benchmark::RegisterBenchmark(("report, no report, " + big + "/floor").c_str(), bigMergeFloor)->Unit(ms);
        benchmark::RegisterBenchmark("report, text of 30,000 duplicates", reportText)->Unit(ms);
        benchmark::RegisterBenchmark("report, text of 30,000 duplicates/floor", reportTextFloor)->Unit(ms);
    });
}
