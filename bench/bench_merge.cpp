// The group merger on two groups of 5,000 contacts: once with distinct
// numbers, once with every number of the second group in the first. Each
// figure runs beside its floor, the least a merge must do: write the result's
// bytes atomically and sort its names. The merge itself is measured without
// widgets (both files read, merged, the result and the group list written)
// and through the window's "Birleştir"; the contact-by-contact merge shows
// what a lookup per contact would cost.

#include "app/forms.h"
#include "app/Unit1.h"
#include "bench/floor.h"
#include "bench/programbench.h"
#include "store/codepage.h"
#include "store/collation.h"
#include "store/datafolder.h"
#include "store/merge.h"
#include "store/textfile.h"
#include "tools/datagen.h"
#include "ui/dialogs.h"
#include "windows/isimsirala.h"

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>

#include <algorithm>

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
        merge::writeResult(result, lines, datafolder::groupListPath(), Form1->groupNames);
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

// The floor: the result's bytes written atomically, and its names sorted.
void mergeFloor(benchmark::State& state, bool shared) {
    StringList lines = datagen::group(Contacts, 2003);
    const StringList second = secondGroup(lines, shared);
    QList<QByteArray> all = lines.lines();
    if (!shared) all += second.lines();
    const QByteArray bytes = textfile::joinLines(all);
    QList<QByteArray> names;
    for (int k = 0; 3 * k < lines.count(); ++k) names << lines.get(3 * k);
    for (int k = 0; 3 * k < second.count(); ++k) names << second.get(3 * k);
    const QString target = path(QStringLiteral("Taban"));
    for (auto _ : state) {
        textfile::writeBytes(target, bytes);
        QList<QByteArray> sorted = names;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const QByteArray& a, const QByteArray& b) { return collation::less(a, b); });
        benchmark::DoNotOptimize(sorted);
    }
}

}  // namespace

// The DataFolder: the default group empty and in use, and the groups to merge.
void writeGroups() {
    datafolder::createFolder(datafolder::path());
    StringList().save(path(datafolder::DefaultGroup));
    prepare(false);
    prepare(true);
    StringList{"@Kayıtlar@", "@Kayıtlar@", "Birinci", "İkinci", "Ortak"}.save(datafolder::groupListPath());
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
    });
}
