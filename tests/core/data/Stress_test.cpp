#include <gtest/gtest.h>

#include "StressData.h"
#include "TestSupport.h"
#include "core/data/DataFile.h"
#include "core/data/TextUtils.h"

namespace vokamo {
namespace {

// The largest file the tables allow must load whole, with every slot of a
// set filled, also when the set takes items from the far end.
TEST(StressFile, FillsEveryTableToItsLimit) {
    ProgramState st;
    st.DataPath = test::MakeTempDir() + "/stress.dat";
    test::WriteStressFile(st.DataPath);
    ReadDataHeader(st);
    EXPECT_EQ(st.DataKind, DataKind::Mixed);
    EXPECT_EQ(st.ItemCount, MaxItems);
    EXPECT_EQ(st.LessonCount, MaxGroups);
    EXPECT_EQ(st.CodeCount, MaxGroups);
    EXPECT_EQ(st.ItemLesson[599], 599 % 20);
    st.SetItems = {599, 0, 300, 1, 598, 3, 4, 5, 6, 597};
    LoadSetTexts(st, SetCapacity);
    for (size_t j = 0; j < SetCapacity; ++j) {
        const int item = st.SetItems[j];
        EXPECT_NE(st.SetTextC[j].find("(" + std::to_string(item) + ")"), std::string::npos) << item;
        EXPECT_FALSE(st.SetTextA[j].empty());
        EXPECT_LE(st.SetTextA[j].size(), static_cast<size_t>(ItemTextBytes));
        EXPECT_EQ(st.SetTextB[j].empty(), st.ItemCode[static_cast<size_t>(item)] == 1) << item;
    }
}

}  // namespace
}  // namespace vokamo
