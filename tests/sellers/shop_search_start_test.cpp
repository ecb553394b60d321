#include "app/click_dispatch.h"
#include "app/memory_form.h"
#include "app/session.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ShopSearchStart, ResolvesTheCategoryOfTheComboBox)
{
    struct {
        char const* category;
        char const* cat;
        char const* root_cat;
    } const cases[] = {
        { "手机", "1512", "2" },
        { "女装/女士精品", "16", "1" },
        { "所有类目", "", "" },
    };
    for (auto const& c : cases) {
        MemoryForm form;
        WindowlessEventPump pump;
        RecordingDesktop desktop;
        Session session(form, pump, desktop, Endpoints::Marketplace());
        session.state.CategoryId = "stale";
        session.state.RootCategoryId = "stale";
        form.SetText(Control::组合框类别, Utf8ToGbk(c.category));
        OnClick(session, Control::按钮搜索卖家);
        EXPECT_EQ(session.state.CategoryId, c.cat) << c.category;
        EXPECT_EQ(session.state.RootCategoryId, c.root_cat) << c.category;
    }
}

}
}
