// Contacts in and out. The import reads a vCard file of 10,000 cards (and one
// of 100,000) in no particular order and places its contacts into an empty
// group, beside its floor: the file's bytes read and the names sorted with
// the same comparison. The export writes a full group as a file, beside the
// same bytes written through the same whole-file write.

#include "bench/floor.h"
#include "store/codepage.h"
#include "store/collation.h"
#include "store/interchange.h"
#include "store/stringlist.h"
#include "store/textfile.h"
#include "tools/datagen.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A group of n contacts in a shuffled order, as a vCard 3.0 file, and its names.
struct CardFile {
    QTemporaryDir dir;
    QString path;
    std::vector<QByteArray> names;
    explicit CardFile(int contacts) : path(dir.filePath(u"rehber.vcf"_s)) {
        const StringList group = datagen::group(contacts);
        std::vector<int> order(static_cast<size_t>(contacts));
        for (int k = 0; k < contacts; ++k) order[size_t(k)] = k;
        std::shuffle(order.begin(), order.end(), std::mt19937(1923));
        StringList shuffled;
        for (int k : order) {
            for (int i = 0; i < 3; ++i) shuffled.add(group.get(3 * k + i));
            names.push_back(group.get(3 * k));
        }
        textfile::writeBytes(path, interchange::exportLines(shuffled, interchange::Format::VCard30));
    }
};

template <int Contacts>
const CardFile& cardFile() {
    static const CardFile f(Contacts);
    return f;
}

template <int Contacts>
void Import(benchmark::State& state) {
    const CardFile& f = cardFile<Contacts>();
    for (auto _ : state) {
        const interchange::ReadResult read = interchange::readFile(f.path);
        const interchange::Plan plan = interchange::planImport(read, StringList());
        StringList recordLines, nameIndex(true);
        interchange::applyImport(plan, recordLines, nameIndex);
        if (recordLines.count() != 3 * int(f.names.size())) state.SkipWithError("contacts lost");
        benchmark::DoNotOptimize(recordLines.count());
    }
}

// Floor: the file's bytes read, its names sorted.
template <int Contacts>
void ImportFloor(benchmark::State& state) {
    const CardFile& f = cardFile<Contacts>();
    for (auto _ : state) {
        QFile file(f.path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        std::vector<QByteArray> names = f.names;
        std::sort(names.begin(), names.end(), [](const QByteArray& a, const QByteArray& b) { return collation::less(a, b); });
        benchmark::DoNotOptimize(bytes.data());
        benchmark::DoNotOptimize(names.data());
    }
}

struct FullGroup {
    QTemporaryDir dir;
    StringList lines = datagen::group();
};

const FullGroup& fullGroup() {
    static const FullGroup g;
    return g;
}

template <interchange::Format F>
void Export(benchmark::State& state) {
    const FullGroup& g = fullGroup();
    const QString path = g.dir.filePath(u"rehber"_s);
    for (auto _ : state) interchange::exportToFile(g.lines, path, F);
}

// Floor: the same bytes written through the same whole-file write.
template <interchange::Format F>
void ExportFloor(benchmark::State& state) {
    const FullGroup& g = fullGroup();
    const QString path = g.dir.filePath(u"floor"_s);
    const QByteArray bytes = interchange::exportLines(g.lines, F);
    for (auto _ : state) textfile::writeBytes(path, bytes);
}

}  // namespace

using interchange::Format;
BENCHMARK(Import<10000>)->Name("import 10000 cards")->Unit(benchmark::kMillisecond);
BENCHMARK(ImportFloor<10000>)->Name("import 10000 cards/floor")->Unit(benchmark::kMillisecond);
BENCHMARK(Import<100000>)->Name("import 100000 cards")->Unit(benchmark::kMillisecond);
BENCHMARK(ImportFloor<100000>)->Name("import 100000 cards/floor")->Unit(benchmark::kMillisecond);
BENCHMARK(Export<Format::VCard30>)->Name("export a full group, vCard 3.0")->Unit(benchmark::kMillisecond);
BENCHMARK(ExportFloor<Format::VCard30>)->Name("export a full group, vCard 3.0/floor")->Unit(benchmark::kMillisecond);
BENCHMARK(Export<Format::VCard21>)->Name("export a full group, vCard 2.1")->Unit(benchmark::kMillisecond);
BENCHMARK(ExportFloor<Format::VCard21>)->Name("export a full group, vCard 2.1/floor")->Unit(benchmark::kMillisecond);
BENCHMARK(Export<Format::Csv>)->Name("export a full group, CSV")->Unit(benchmark::kMillisecond);
BENCHMARK(ExportFloor<Format::Csv>)->Name("export a full group, CSV/floor")->Unit(benchmark::kMillisecond);

FLOOR_BENCHMARK_MAIN();
