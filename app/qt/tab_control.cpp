#include "app/qt/tab_control.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace velmora {

namespace {

// A page: transparent except for the pane frame below the tab strip.
class TabPage final : public QWidget {
public:
    TabPage(QTabBar* bar, QWidget* parent)
        : QWidget(parent)
        , m_bar(bar)
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QStyleOptionTabWidgetFrame option;
        option.initFrom(this);
        int const overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
        int const pane_top = m_bar->height() - overlap;
        option.rect = QRect(0, pane_top, width(), height() - pane_top);
        option.shape = QTabBar::RoundedNorth;
        option.tabBarSize = m_bar->size();
        option.tabBarRect = m_bar->geometry();
        option.selectedTabRect = m_bar->tabRect(m_bar->currentIndex());
        option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, this);
    }

private:
    QTabBar* m_bar;
};

}

TabControl::TabControl(QStringList const& titles, QWidget* parent)
    : QWidget(parent)
    , m_bar(new QTabBar(this))
{
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    for (auto const& title : titles) {
        m_bar->addTab(title);
        m_pages.push_back(new TabPage(m_bar, this));
    }
    m_bar->resize(m_bar->sizeHint());
    m_bar->raise();
    connect(m_bar, &QTabBar::currentChanged, this, &TabControl::ShowPage);
    ShowPage(m_bar->currentIndex());
}

QWidget* TabControl::Page(int index) const
{
    return index >= 0 && index < PageCount() ? m_pages[static_cast<std::size_t>(index)] : nullptr;
}

int TabControl::CurrentIndex() const
{
    return m_bar->currentIndex();
}

void TabControl::SetCurrentIndex(int index)
{
    m_bar->setCurrentIndex(index);
}

void TabControl::resizeEvent(QResizeEvent*)
{
    for (auto* page : m_pages)
        page->setGeometry(rect());
}

void TabControl::ShowPage(int index)
{
    for (int i = 0; i < PageCount(); ++i)
        m_pages[static_cast<std::size_t>(i)]->setVisible(i == index);
    m_bar->raise();
}

}
