// The record reader on arbitrary bytes. Whatever it accepts is written,
// read again and written again: the two written files must be the same.

#include <cstdint>
#include <cstdlib>

#include "FuzzFiles.h"
#include "core/records/RecordFile.h"
#include "core/state/Errors.h"

using namespace vokamo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ProgramState st;
    st.RecordPath = fuzz::WriteInput("in.ret", data, size);
    try {
        ReadRecordFile(st);
    } catch (const VokamoError&) {
        return 0;
    }
    const std::string first = fuzz::WorkDir() + "/first.ret";
    const std::string second = fuzz::WorkDir() + "/second.ret";
    st.RecordPath = first;
    WriteRecordFile(st);

    ProgramState again;
    again.RecordPath = first;
    ReadRecordFile(again);  // must not throw: it is our own file
    again.RecordPath = second;
    WriteRecordFile(again);
    if (fuzz::ReadAll(first) != fuzz::ReadAll(second)) std::abort();
    return 0;
}
