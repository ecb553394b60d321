#include "app/memory_form.h"
#include "sellers/credit_filter.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmora {
namespace {

TEST(PassesCreditFilter, SlashAlonePassesEveryNumber)
{
    CollectionState state;
    state.CreditFilterList = "/";
    for (std::string_view number : {"0", "1", "5", "16", "20", ""})
        EXPECT_TRUE(PassesCreditFilter(state, number)) << number;
}

TEST(PassesCreditFilter, ChosenLevelsPassAsWholeNumbers)
{
    CollectionState state;
    state.CreditFilterList = "/5/16/";
    struct Case {
        std::string_view number;
        bool passes;
    };
    constexpr Case cases[] = {
        {"5", true},
        {"16", true},
        // 6 and 1 are parts of 16, not levels of the list; row 0 never passes a chosen list.
        {"1", false},
        {"6", false},
        {"0", false},
        {"15", false},
        {"", false},
        {"5/16", true},
    };
    for (auto const& c : cases)
        EXPECT_EQ(PassesCreditFilter(state, c.number), c.passes) << c.number;
}

TEST(BuildCreditFilterList, AscendingWhateverTheClickOrder)
{
    struct Case {
        std::vector<int> checked_in_order; // 21 is 选择框0
        std::string_view list;
    };
    Case const cases[] = {
        {{}, "/"},
        {{16, 1, 6}, "/1/6/16/"},
        {{20, 11, 2, 19}, "/2/11/19/20/"},
        // 选择框0 never counts, alone or with others.
        {{21}, "/"},
        {{21, 3}, "/3/"},
        {{20, 19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 21},
            "/1/2/3/4/5/6/7/8/9/10/11/12/13/14/15/16/17/18/19/20/"},
    };
    for (auto const& c : cases) {
        MemoryForm form;
        CollectionState state;
        state.CreditFilterList = "/99/"; // what an earlier run left
        for (int level : c.checked_in_order)
            form.SetChecked(LevelBox(level), true);
        BuildCreditFilterList(form, state);
        EXPECT_EQ(state.CreditFilterList, c.list);
    }
}

}
}
