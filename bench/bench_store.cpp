// The store on a full group: start-up's load and index, and the worst lookup.

#include "bench/floor.h"
#include "store/collation.h"
#include "store/stringlist.h"
#include "store/textfile.h"
#include "tools/datagen.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstring>

namespace {

struct FullGroup {
    QTemporaryDir dir;
    QString path;
    StringList lines;
    FullGroup() : path(dir.filePath(QStringLiteral("full.vexo"))), lines(datagen::group()) { lines.save(path); }
};

const FullGroup& fullGroup() {
    static const FullGroup g;
    return g;
}

// Start-up: load RecordLines from the group's file, then Rebuild NameIndex.
void LoadAndRebuild(benchmark::State& state) {
    const QString& path = fullGroup().path;
    for (auto _ : state) {
        StringList recordLines;
        StringList nameIndex(true);
        recordLines.load(path);
        rebuildNameIndex(recordLines, nameIndex);
        benchmark::DoNotOptimize(nameIndex.count());
    }
}

// Floor: read the same bytes, cut them into the same lines, sort the names
// with the same comparison.
void LoadAndRebuildFloor(benchmark::State& state) {
    const QString& path = fullGroup().path;
    for (auto _ : state) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        const QByteArray bytes = f.readAll();
        std::vector<QByteArray> lines, names;
        const char* p = bytes.constData();
        const char* end = p + bytes.size();
        while (p < end) {
            const char* q = static_cast<const char*>(std::memchr(p, '\r', size_t(end - p)));
            if (!q) q = end;
            lines.emplace_back(p, q - p);
            p = q + 2;
        }
        names.reserve(lines.size() / 3 + 1);
        for (size_t k = 0; k < lines.size(); k += 3) names.push_back(lines[k]);
        std::sort(names.begin(), names.end(), [](const QByteArray& a, const QByteArray& b) { return collation::less(a, b); });
        benchmark::DoNotOptimize(names.data());
    }
}

// The 32,735 lines of a full list; the key is a number no line holds, of the
// length of every number line, so every line is looked at.
struct LookupCase {
    StringList lines;
    QByteArray key = "05999999990";
    LookupCase() : lines(fullGroup().lines) {
        lines.add(QByteArray("Zeynep"));
        lines.add(QByteArray("Zorlu"));
    }
};

const LookupCase& lookupCase() {
    static const LookupCase c;
    return c;
}

void LookupWorstCase(benchmark::State& state) {
    const LookupCase& c = lookupCase();
    if (c.lines.count() != 32735 || c.lines.lookup(c.key) != -1) state.SkipWithError("not the worst case");
    for (auto _ : state) benchmark::DoNotOptimize(c.lines.lookup(c.key));
}

// Floor: an exact, case-sensitive equality scan of the same lines.
void LookupWorstCaseFloor(benchmark::State& state) {
    const LookupCase& c = lookupCase();
    for (auto _ : state) {
        int found = -1;
        const QList<QByteArray>& lines = c.lines.lines();
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i] == c.key) {
                found = i;
                break;
            }
        benchmark::DoNotOptimize(found);
    }
}

}  // namespace

BENCHMARK(LoadAndRebuild)->Name("startup load + rebuild NameIndex")->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadAndRebuildFloor)->Name("startup load + rebuild NameIndex/floor")->Unit(benchmark::kMicrosecond);
BENCHMARK(LookupWorstCase)->Name("lookup, 32735 lines, not found")->Unit(benchmark::kMicrosecond);
BENCHMARK(LookupWorstCaseFloor)->Name("lookup, 32735 lines, not found/floor")->Unit(benchmark::kMicrosecond);

FLOOR_BENCHMARK_MAIN();
