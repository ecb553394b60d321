// The main window: every control of the window definition at its place, with its caption,
// initial state and object name; the events of buttons, check boxes, radio buttons, the
// hyperlink and the lists handed to the click dispatch; the frame operations the window's
// own handlers use.
#pragma once

// The meta-object compiler cannot read the controls' names (Chinese identifiers), and
// needs nothing of the core to read this class.
#ifndef Q_MOC_RUN
#include "app/qt/update_window_factory.h"
#include "app/qt/web_browsers.h"
#include "app/session.h"
#include "app/window_frame.h"
#endif

#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>

class QWebEngineView;

namespace velmora {

class CookieMirror;
class QtForm;
class TabControl;

struct WindowOptions {
    EmbeddedBrowsers browsers {EmbeddedBrowsers::Load};
    UpdateWindowFactory make_update_window;
};

class MainWindow final : public QWidget, public WindowFrame {
    Q_OBJECT

public:
    // Builds the controls, the form and the session with endpoints, then runs the creation
    // handler. With the browsers, their cookies start mirroring the program's cookie store
    // and the hidden login browser starts loading its page here.
    MainWindow(Endpoints endpoints, EventPump& pump, Desktop& desktop, WindowOptions options = {});
    ~MainWindow() override;

    Session& GetSession() { return *m_session; }
    QtForm& GetForm() { return *m_form; }

    // The widget of a control; null for Control::None.
    QWidget* Widget(Control control) const;
    TabControl& Tabs() const { return *m_tabs; }

    // The embedded browsers; null without them.
    QWebEngineView* LoginBrowser() const { return m_login_browser; }
    QWebEngineView* Banner() const { return m_banner; }
    QWidget* UpdateWindow() const { return m_update_window; }

    bool IsAlwaysOnTop() const { return m_always_on_top; }
    void SetAlwaysOnTop(bool on);

    // WindowFrame
    int Width() const override;
    void SetWidth(int width) override;
    void ShowBanner(Text const& url, Rect place) override;
    BackgroundColour Background(Control control) const override;
    void SetBackground(Control control, BackgroundColour colour) override;
    void OpenUpdateWindow() override;

signals:
    // The user closed the window: the program's message loop ends.
    void Closed();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    QWidget* MakeControl(ControlDefinition const& definition, QWidget* parent);
    void ConnectEvents();

    WindowOptions m_options;
    std::map<Control, QWidget*> m_widgets;
    std::map<Control, BackgroundColour> m_backgrounds;
    TabControl* m_tabs {nullptr};
    QWebEngineView* m_login_browser {nullptr};
    QWebEngineView* m_banner {nullptr};
    QPointer<QWidget> m_update_window;
    bool m_always_on_top {false};
    std::unique_ptr<CookieMirror> m_cookie_mirror;
    std::unique_ptr<QtForm> m_form;
    std::unique_ptr<Session> m_session;
};

}
