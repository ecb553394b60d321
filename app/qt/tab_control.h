// The tab control 选择夹1. Its pages cover the whole control, tab strip included, so that the
// controls of a page sit at their places relative to the control itself, as designed (the
// update and help buttons share the strip's row, right of the tabs).
#pragma once

#include <QStringList>
#include <QWidget>

#include <vector>

class QTabBar;

namespace velmora {

class TabControl final : public QWidget {
    Q_OBJECT

public:
    TabControl(QStringList const& titles, QWidget* parent);

    QWidget* Page(int index) const;
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    int CurrentIndex() const;
    void SetCurrentIndex(int index);
    QTabBar* Bar() const { return m_bar; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowPage(int index);

    QTabBar* m_bar;
    std::vector<QWidget*> m_pages;
};

}
