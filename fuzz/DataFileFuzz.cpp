// The question data reader on arbitrary bytes: the header, and then the
// texts of sets of items from the same bytes, as a drill reads them.

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "FuzzFiles.h"
#include "core/data/DataFile.h"
#include "core/state/Errors.h"

using namespace vokamo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ProgramState st;
    st.Rng.SetClock([] { return 7u; });
    st.DataPath = fuzz::WriteInput("q.dat", data, size);
    try {
        ReadDataHeader(st);
    } catch (const VokamoError&) {
        if (st.ItemCount != 0 || st.LessonCount != 0) std::abort();  // nothing half-read
        return 0;
    }
    if (st.ItemCount < 1 || st.ItemCount > MaxItems || !DataKindFromNumber(static_cast<int32_t>(st.DataKind)))
        std::abort();
    st.RandomOrder = 1;
    BuildItemOrder(st);
    // The first set in file order, then one in the shuffled order that
    // reaches the last item.
    for (int pass = 0; pass < 2; ++pass) {
        const int n = std::min(st.ItemCount, SetCapacity);
        for (int k = 0; k < n; ++k)
            st.SetItems[static_cast<size_t>(k)] =
                pass == 0 ? k : st.ItemOrder[static_cast<size_t>(st.ItemCount - 1 - k)];
        try {
            LoadSetTexts(st, n);
        } catch (const VokamoError&) {
            continue;
        }
        for (int k = 0; k < n; ++k)
            if (st.SetTextA[static_cast<size_t>(k)].size() > ItemTextBytes ||
                st.SetTextC[static_cast<size_t>(k)].size() > ItemTextBytes)
                std::abort();
    }
    return 0;
}
