#include "app/qt/web_browsers.h"

#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace velmora {

namespace {

class QuietPage final : public QWebEnginePage {
public:
    explicit QuietPage(QObject* parent)
        : QWebEnginePage(QWebEngineProfile::defaultProfile(), parent)
    {
    }

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, QString const&, int, QString const&) override
    {
    }
};

}

QWebEngineView* MakeBrowserView(QWidget* parent)
{
    auto* view = new QWebEngineView(parent);
    view->setPage(new QuietPage(view));
    return view;
}

}
