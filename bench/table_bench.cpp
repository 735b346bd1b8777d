// Costs of turning a teacher's 600-row word table into a question file: on
// the command line (--import: read, convert, check, write) and when the
// table is chosen in the create-record dialog (the same, then the header
// read of the new file). The check of the finished file is the yardstick.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "Fakes.h"
#include "StressData.h"
#include "TestSupport.h"
#include "core/data/DataCheck.h"
#include "core/data/DataFile.h"
#include "core/data/TableImport.h"
#include "core/records/TableChoice.h"

namespace {

using namespace vokamo;

// The 600-item stress file written out as a table, as a spreadsheet would
// give it back; the folder goes when the benchmarks end.
struct Files {
    std::string dir = test::MakeTempDir();
    std::string table = dir + "/words.csv";
    std::string dat = dir + "/words.dat";
    Files() {
        test::WriteStressFile(dir + "/stress.dat");
        test::WriteBytes(table, ExportTable(dir + "/stress.dat"));
    }
    ~Files() { std::filesystem::remove_all(dir); }
};

const Files& Table() {
    static const Files files;
    return files;
}

void BM_Import600Rows(benchmark::State& state) {
    ImportOptions options;
    options.tableName = "words.csv";
    int items = 0;
    for (auto _ : state) {
        const ImportReport r =
            ImportTableFile(Table().table, "words.csv", Table().dat, options, ExistingFile::Replace);
        if (!r.written) state.SkipWithError("the table should import");
        items = r.items;
    }
    if (items != 600) state.SkipWithError("600 items expected");
}
BENCHMARK(BM_Import600Rows)->Unit(benchmark::kMicrosecond);

void BM_Choose600RowsInTheDialog(benchmark::State& state) {
    test::RecordingErrorBox errors;
    ProgramState st;
    for (auto _ : state) {
        // The second choice onwards replaces the file the first one made.
        st.DataPath = DataFileFromTable(Table().table, errors).value();
        ReadDataHeader(st);
        benchmark::DoNotOptimize(st.ItemCount);
    }
    if (st.ItemCount != 600) state.SkipWithError("600 items expected");
}
BENCHMARK(BM_Choose600RowsInTheDialog)->Unit(benchmark::kMicrosecond);

void BM_CheckTheImportedFile(benchmark::State& state) {
    ImportOptions options;
    options.tableName = "words.csv";
    ImportTableFile(Table().table, "words.csv", Table().dat, options, ExistingFile::Replace);
    for (auto _ : state) benchmark::DoNotOptimize(CheckDataFile(Table().dat).size());
}
BENCHMARK(BM_CheckTheImportedFile)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
