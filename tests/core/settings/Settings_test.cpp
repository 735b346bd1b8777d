#include "core/settings/Settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "CaseName.h"

namespace vokamo {
namespace {

class OptionSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        st.ItemCount = 30;
        st.Rng.SetClock([] { return 4711u; });
        std::iota(st.ItemOrder.begin(), st.ItemOrder.begin() + st.ItemCount, 0);
    }
    bool OrderIsIdentity() const {
        for (int i = 0; i < st.ItemCount; ++i)
            if (st.ItemOrder[i] != i) return false;
        return true;
    }
    bool OrderIsPermutation() const {
        std::vector<int32_t> v(st.ItemOrder.begin(), st.ItemOrder.begin() + st.ItemCount);
        std::sort(v.begin(), v.end());
        for (int i = 0; i < st.ItemCount; ++i)
            if (v[i] != i) return false;
        return true;
    }
    ProgramState st;
};

TEST_F(OptionSettingsTest, RadioIndexIsTheValueOfItsSetting) {
    SetOption(st, OptionSetting::HintMode, 1);
    SetOption(st, OptionSetting::RandomOrder, 1);
    SetOption(st, OptionSetting::RecordOff, 1);
    EXPECT_EQ(TakeOptionValues(st), (OptionValues{1, 1, 1}));
    SetOption(st, OptionSetting::RandomOrder, 0);
    EXPECT_EQ(TakeOptionValues(st), (OptionValues{1, 0, 1}));
    EXPECT_EQ(OptionValue(st, OptionSetting::RecordOff), 1);
    EXPECT_EQ(OptionValue(st, OptionSetting::RandomOrder), 0);
    EXPECT_EQ(st.FlashTime, 0);
}

TEST_F(OptionSettingsTest, CancelAfterRandomRestoresDataOrder) {
    const OptionValues copy = TakeOptionValues(st);
    SetOption(st, OptionSetting::RandomOrder, 1);
    SetOption(st, OptionSetting::HintMode, 1);
    // Something shuffled the order in the meantime.
    std::reverse(st.ItemOrder.begin(), st.ItemOrder.begin() + st.ItemCount);
    RestoreOptions(st, copy);
    FinishOptions(st);
    EXPECT_EQ(TakeOptionValues(st), (OptionValues{0, 0, 0}));
    EXPECT_TRUE(OrderIsIdentity());
}

TEST_F(OptionSettingsTest, FinishWithRandomOrderDrawsANewOrder) {
    st.RandomOrder = 1;
    FinishOptions(st);
    EXPECT_TRUE(OrderIsPermutation());
    EXPECT_FALSE(OrderIsIdentity());
}

struct FlashCase {
    int32_t start;
    bool up;
    int32_t expected;
};

class FlashTimeTest : public ::testing::TestWithParam<FlashCase> {};

TEST_P(FlashTimeTest, StepsAreHeldBetweenZeroAndTwenty) {
    const FlashCase c = GetParam();
    ProgramState st;
    st.FlashTime = c.start;
    const int32_t shown = c.up ? FlashTimeUp(st) : FlashTimeDown(st);
    EXPECT_EQ(st.FlashTime, c.expected);
    EXPECT_EQ(shown, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    FlashSteps, FlashTimeTest,
    ::testing::Values(FlashCase{5, true, 6}, FlashCase{5, false, 4}, FlashCase{20, true, 20},
                      FlashCase{19, true, 20}, FlashCase{0, false, 0}, FlashCase{1, false, 0},
                      // values a hand-edited record may hold
                      FlashCase{50, false, 20}, FlashCase{-4, true, 0}, FlashCase{2147483647, true, 20},
                      FlashCase{-2147483647 - 1, false, 0}),
    [](const auto& info) {
        return "From" + test::CaseNumber(info.param.start) + (info.param.up ? "Up" : "Down");
    });

}  // namespace
}  // namespace vokamo
