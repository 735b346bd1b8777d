// Costs of checking a question file and of reading one saved as UTF-8, both
// at the table limits (600 items).
#include <benchmark/benchmark.h>

#include "StressData.h"
#include "TestSupport.h"
#include "core/data/DataCheck.h"
#include "core/data/DataFile.h"
#include "core/data/SjisText.h"

namespace {

using namespace vokamo;

struct StressFiles {
    std::string sjis;
    std::string utf8;
    std::string utf8Other;  // the same with another first line
};

// The stress file as the program has always read it (Shift-JIS, CR LF), and
// its twin as a teacher's editor on Linux saves it (UTF-8, LF).
const StressFiles& Files() {
    static const StressFiles files = [] {
        const std::string dir = test::MakeTempDir();
        StressFiles f{dir + "/stress.dat", dir + "/stress-utf8.dat", dir + "/stress-utf8-other.dat"};
        test::WriteStressFile(f.sjis);
        const std::string converted = *SjisToUtf8(test::ReadBytes(f.sjis));
        std::string utf8;
        for (char c : converted)
            if (c != '\r') utf8 += c;
        test::WriteBytes(f.utf8, utf8);
        test::WriteBytes(f.utf8Other, "x" + utf8);
        return f;
    }();
    return files;
}

void BM_Check600(benchmark::State& state) {
    size_t problems = 0;
    for (auto _ : state) problems += CheckDataFile(Files().sjis).size();
    if (problems != 0) state.SkipWithError("the stress file should check clean");
}
BENCHMARK(BM_Check600)->Unit(benchmark::kMicrosecond);

void ReadHeader(benchmark::State& state, const std::string& path) {
    ProgramState st;
    st.DataPath = path;
    for (auto _ : state) {
        ReadDataHeader(st);
        benchmark::DoNotOptimize(st.ItemCount);
    }
}

void BM_ReadDataHeader600ShiftJis(benchmark::State& state) {
    ReadHeader(state, Files().sjis);
}
BENCHMARK(BM_ReadDataHeader600ShiftJis)->Unit(benchmark::kMicrosecond);

void BM_ReadDataHeader600Utf8(benchmark::State& state) {
    ReadHeader(state, Files().utf8);
}
BENCHMARK(BM_ReadDataHeader600Utf8)->Unit(benchmark::kMicrosecond);

// Two different UTF-8 files in turn: every read converts its file afresh,
// as the first read of a file does.
void BM_ReadDataHeader600Utf8FirstRead(benchmark::State& state) {
    ProgramState st;
    bool other = false;
    for (auto _ : state) {
        st.DataPath = (other = !other) ? Files().utf8Other : Files().utf8;
        ReadDataHeader(st);
        benchmark::DoNotOptimize(st.ItemCount);
    }
}
BENCHMARK(BM_ReadDataHeader600Utf8FirstRead)->Unit(benchmark::kMicrosecond);

void LoadSet(benchmark::State& state, const std::string& path) {
    ProgramState st;
    st.DataPath = path;
    ReadDataHeader(st);
    st.SetItems = {599, 12, 77, 150, 233, 301, 389, 420, 512, 0};
    for (auto _ : state) {
        LoadSetTexts(st, SetCapacity);
        benchmark::DoNotOptimize(st.SetTextA[0].data());
    }
}

void BM_LoadSetTexts10Of600ShiftJis(benchmark::State& state) {
    LoadSet(state, Files().sjis);
}
BENCHMARK(BM_LoadSetTexts10Of600ShiftJis)->Unit(benchmark::kMicrosecond);

void BM_LoadSetTexts10Of600Utf8(benchmark::State& state) {
    LoadSet(state, Files().utf8);
}
BENCHMARK(BM_LoadSetTexts10Of600Utf8)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
