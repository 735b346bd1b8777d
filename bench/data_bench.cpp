// Costs of the question data routines at the table limits: the header read
// when a record opens, the text read for every question set, and the random
// orders drawn while drilling.
#include <benchmark/benchmark.h>

#include "StressData.h"
#include "TestSupport.h"
#include "core/data/DataFile.h"
#include "core/data/TextUtils.h"

namespace {

using namespace vokamo;

const std::string& StressPath() {
    static const std::string path = [] {
        const std::string p = test::MakeTempDir() + "/stress.dat";
        test::WriteStressFile(p);
        return p;
    }();
    return path;
}

void BM_ReadDataHeader600(benchmark::State& state) {
    ProgramState st;
    st.DataPath = StressPath();
    for (auto _ : state) {
        ReadDataHeader(st);
        benchmark::DoNotOptimize(st.ItemCount);
    }
}
BENCHMARK(BM_ReadDataHeader600)->Unit(benchmark::kMicrosecond);

void BM_LoadSetTexts10Of600(benchmark::State& state) {
    ProgramState st;
    st.DataPath = StressPath();
    ReadDataHeader(st);
    // Spread over the file, the last item included: the whole file is read
    // whatever the set, so this is the cost of every set.
    st.SetItems = {599, 12, 77, 150, 233, 301, 389, 420, 512, 0};
    for (auto _ : state) {
        LoadSetTexts(st, SetCapacity);
        benchmark::DoNotOptimize(st.SetTextA[0].data());
    }
}
BENCHMARK(BM_LoadSetTexts10Of600)->Unit(benchmark::kMicrosecond);

void BM_Shuffle600(benchmark::State& state) {
    Random rng;
    for (auto _ : state) benchmark::DoNotOptimize(Shuffle(rng, MaxItems));
}
BENCHMARK(BM_Shuffle600)->Unit(benchmark::kMicrosecond);

void BM_ChooseExtraKeys(benchmark::State& state) {
    Random rng;
    for (auto _ : state) benchmark::DoNotOptimize(ChooseExtraKeys(rng, "Strawberries"));
}
BENCHMARK(BM_ChooseExtraKeys)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
