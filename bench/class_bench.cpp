// Reading and summarising a class folder as the class overview does: one
// class (40 records of a 600-item question file) and a school year (1,000
// records), each pupil in a subfolder of their own.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "TestSupport.h"
#include "core/classview/ClassExport.h"
#include "core/classview/ClassSummary.h"
#include "core/records/RecordFixtures.h"

namespace {

using namespace vokamo;

struct ClassFolder {
    std::string dir;
    explicit ClassFolder(int pupils) : dir(test::MakeTempDir()) {
        const test::DataShape shape = test::EvenShape(2, MaxItems, MaxGroups, MaxGroups);
        const std::string data = test::WriteDataFile(dir, "stress.dat", shape);
        for (int i = 0; i < pupils; ++i) {
            const std::string sub = dir + "/p" + std::to_string(i);
            std::filesystem::create_directories(sub);
            test::WriteBytes(sub + "/r.ret", test::RecordBytesFor(data, shape, "P" + std::to_string(i)));
        }
    }
    ~ClassFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

void BM_ReadClass(benchmark::State& state) {
    const ClassFolder folder(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const ClassOverview o = ReadClass({folder.dir});
        if (o.books.size() != 1 || o.books[0].rows.size() != static_cast<size_t>(state.range(0)))
            state.SkipWithError("the class was not read whole");
        benchmark::DoNotOptimize(o.books.data());
    }
}
BENCHMARK(BM_ReadClass)->Arg(40)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_ClassCsv(benchmark::State& state) {
    const ClassFolder folder(static_cast<int>(state.range(0)));
    const ClassOverview o = ReadClass({folder.dir});
    for (auto _ : state) {
        std::string csv = ClassCsv(o, ReportLanguage::Japanese) + HardCsv(o, ReportLanguage::Japanese);
        benchmark::DoNotOptimize(csv.data());
    }
}
BENCHMARK(BM_ClassCsv)->Arg(40)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
