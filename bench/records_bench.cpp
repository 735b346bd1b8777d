// Opening a full-size record with its question data and laying out the
// main window's score display, as the open button does.

#include <benchmark/benchmark.h>

#include "TestSupport.h"
#include "core/records/RecordFile.h"
#include "core/records/RecordFixtures.h"
#include "core/records/ScoreDisplay.h"

namespace {

using namespace vokamo;

struct Files {
    std::string record;
    Files() {
        const std::string dir = test::MakeTempDir();
        const test::DataShape shape = test::EvenShape(2, MaxItems, MaxGroups, MaxGroups);
        const std::string data = test::WriteDataFile(dir, "stress.dat", shape);
        record = dir + "/stress.ret";
        test::WriteBytes(record, test::RecordBytesFor(data, shape));
    }
};

const Files& TheFiles() {
    static const Files files;
    return files;
}

void BM_OpenRecordAndFullRedraw(benchmark::State& state) {
    const std::string record = TheFiles().record;
    for (auto _ : state) {
        ProgramState st;
        OpenRecord(st, record);
        CountGroups(st);
        MainScreen screen;
        FullRedraw(st, screen);
        benchmark::DoNotOptimize(screen.cells.data());
    }
}
BENCHMARK(BM_OpenRecordAndFullRedraw)->Unit(benchmark::kMicrosecond);

void BM_FullRedraw(benchmark::State& state) {
    ProgramState st;
    OpenRecord(st, TheFiles().record);
    for (auto _ : state) {
        CountGroups(st);
        MainScreen screen;
        FullRedraw(st, screen);
        benchmark::DoNotOptimize(screen.cells.data());
    }
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMicrosecond);

void BM_SaveRecord(benchmark::State& state) {
    ProgramState st;
    OpenRecord(st, TheFiles().record);
    for (auto _ : state) WriteRecordFile(st);
}
BENCHMARK(BM_SaveRecord)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
