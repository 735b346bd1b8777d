#include "core/state/ProgramState.h"

namespace vokamo {

bool ItemInRange(const ProgramState& st, int item) {
    if (st.DataKind <= 0) return true;
    const int lesson = st.ItemLesson[item];
    if (lesson < 0 || lesson >= MaxGroups || st.LessonSelected[lesson] == 0) return false;
    if (st.DataKind > 1) {
        const int code = st.ItemCode[item];
        if (code < 0 || code >= MaxGroups || st.CodeSelected[code] == 0) return false;
    }
    return true;
}

bool GroupsByCode(const ProgramState& st) {
    return st.FocusOnCode != 0 && (st.DataKind == 2 || st.DataKind == 3);
}

int ItemGroup(const ProgramState& st, int item) {
    return GroupsByCode(st) ? st.ItemCode[item] : st.ItemLesson[item];
}

}  // namespace vokamo
