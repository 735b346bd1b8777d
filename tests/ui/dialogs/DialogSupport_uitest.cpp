// Helpers shared by the dialog window tests (kept under the window-test
// name so that it is built into the same program).
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "TestSupport.h"
#include "core/data/SjisText.h"

namespace vokamo::test {

void FillCodedData(ProgramState& st, int lessons, int codes, int items) {
    st.DataKind = DataKind::Mixed;
    st.TypeCode = 3;
    st.LessonCount = lessons;
    st.CodeCount = codes;
    for (int i = 0; i < lessons; ++i) {
        st.LessonNames[i] = Sjis("レッスン") + std::to_string(i + 1);
        st.LessonSelected[i] = 1;
    }
    for (int i = 0; i < codes; ++i) {
        st.CodeNames[i] = Sjis("コード") + std::to_string(i + 1);
        st.CodeSelected[i] = 1;
    }
    st.ItemCount = items;
    for (int i = 0; i < items; ++i) {
        st.ItemLesson[i] = lessons > 0 ? i % lessons : 0;
        st.ItemCode[i] = codes > 0 ? i % codes : 0;
        st.ItemState[i] = -1;
        st.ItemTries[i] = 0;
        st.ItemOrder[i] = i;
    }
    st.RecordOpen = 1;
}

void SaveScreenshot(QWidget* w, const QString& name) {
    w->grab().save(QString::fromStdString(ShotPath(name.toStdString() + ".png")));
}

bool OrderIsPermutation(const ProgramState& st) {
    std::vector<int32_t> v(st.ItemOrder.begin(), st.ItemOrder.begin() + st.ItemCount);
    std::sort(v.begin(), v.end());
    for (int i = 0; i < st.ItemCount; ++i)
        if (v[i] != i) return false;
    return true;
}

bool OrderIsIdentity(const ProgramState& st) {
    for (int i = 0; i < st.ItemCount; ++i)
        if (st.ItemOrder[i] != i) return false;
    return true;
}

}  // namespace vokamo::test
