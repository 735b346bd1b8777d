#include "core/state/ProgramState.h"

namespace vokamo {

bool ItemInRange(const ProgramState& st, int item) {
    if (!HasLessons(st.DataKind)) return true;
    const int lesson = st.ItemLesson[item];
    if (lesson < 0 || lesson >= MaxGroups || !st.LessonSelected[lesson]) return false;
    if (HasCodes(st.DataKind)) {
        const int code = st.ItemCode[item];
        if (code < 0 || code >= MaxGroups || !st.CodeSelected[code]) return false;
    }
    return true;
}

bool GroupsByCode(const ProgramState& st) {
    return st.FocusOnCode && HasCodes(st.DataKind);
}

int ItemGroup(const ProgramState& st, int item) {
    return GroupsByCode(st) ? st.ItemCode[item] : st.ItemLesson[item];
}

}  // namespace vokamo
