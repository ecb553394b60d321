// Screenshots of the main window for a person to look at: both tabs, the panels shown, the
// status log of a run, and the window after a finished item search (the README's picture).
#include "window_fixture.h"

#include "app/status_log.h"

#include <QDir>
#include <QPixmap>

namespace velmora::testing {
namespace {

void SaveScreenshot(QWidget& window, char const* file_name)
{
    QDir const folder(QStringLiteral(VELMORA_SCREENSHOT_DIR));
    ASSERT_TRUE(folder.mkpath(QStringLiteral(".")));
    QString const path = folder.filePath(QString::fromLatin1(file_name));
    QPixmap const picture = window.grab();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), window.size());
    ASSERT_TRUE(picture.save(path, "PNG")) << path.toStdString();
    EXPECT_TRUE(QPixmap(path).toImage() == picture.toImage()) << path.toStdString();
}

class Screenshots : public WindowTest {
protected:
    void Save(char const* file_name) { SaveScreenshot(*window, file_name); }

    void FillSellerRows()
    {
        char const* const rows[][8] = {
            {"1", "小草莓的店", "在线", "http://127.0.0.1:9/shop/1", "浙江 杭州", "三钻", "2008-05-12", ""},
            {"2", "丝绸之家", " -  ", "http://127.0.0.1:9/shop/2", "江苏 苏州", "一冠", "2006-11-03", ""},
        };
        for (int row = 0; row < 2; ++row) {
            form().InsertRow(Control::超级列表框店铺, row, Utf8ToGbk(rows[row][0]));
            for (int column = 1; column < 8; ++column)
                form().SetCell(Control::超级列表框店铺, row, column, Utf8ToGbk(rows[row][column]));
        }
    }
};

TEST_F(Screenshots, BothTabsAndThePanels)
{
    FillSellerRows();
    Save("main_window_seller_tab.png");

    Click(Control::选择框显示信誉);
    Click(Control::按钮卖家信用);
    ASSERT_TRUE(widget(Control::分组框5)->isVisible());
    Save("main_window_credit_panel.png");
    Click(Control::按钮2);

    Click(Control::选择框创店时间);
    Click(Control::按钮卖家时间);
    ASSERT_TRUE(widget(Control::分组框4)->isVisible());
    Save("main_window_time_panel.png");
    Click(Control::按钮1);

    Click(Control::单选框宝贝搜索);
    form().SetVisible(Control::分组框提示, true);
    StatusLog(form(), "开始采集数据 。。。"_gbk);
    StatusLog(form(), "可以采集100页   每页40"_gbk);
    StatusLog(form(), "正在采集第1页。。。"_gbk);
    Save("main_window_item_search_running.png");

    form().SetVisible(Control::分组框提示, false);
    ShowTab(1);
    ASSERT_EQ(form().CurrentTab(), 1);
    form().InsertRow(Control::超级列表框1, 0, "1");
    form().SetCell(Control::超级列表框1, 0, 1, "快乐的买家"_gbk);
    form().SetCell(Control::超级列表框1, 0, 2, "在线"_gbk);
    Save("main_window_buyer_tab.png");
}

using ScreenshotAfterRun = MarketWindowTest;

TEST_F(ScreenshotAfterRun, ItemSearchWithCreditLevelsAndOpeningDates)
{
    Click(Control::单选框宝贝搜索);
    form().SetText(Control::编辑框关键字, "连衣裙"_gbk);
    form().SetText(Control::编辑框结束页, "2");
    Click(Control::选择框显示信誉);
    Click(Control::选择框创店时间);
    Click(Control::按钮搜索卖家);

    ASSERT_GT(form().RowCount(Control::超级列表框店铺), 0);
    ASSERT_TRUE(form().GetText(Control::编辑框提示).ends_with("条数据。"_gbk + "\r\n"));
    SaveScreenshot(*window, "main_window_after_item_search.png");
}

}
}
