#include "update/qt/update_window_widget.h"

#include "update/qt/progress_canvas.h"

#include <QCloseEvent>
#include <QMetaObject>
#include <QPointer>
#include <QProgressBar>

namespace velmora {

namespace {

QString FromGbk(Text const& text)
{
    return QString::fromUtf8(GbkToUtf8(text));
}

}

// The program's host, with the download's events delivered to this window's thread through
// queued calls. A call still queued when the window is gone is dropped with it.
class UpdateWindowWidget::WindowBoundHost final : public UpdateHost {
public:
    WindowBoundHost(UpdateHost& host, QObject* window)
        : m_host(host)
        , m_window(window)
    {
    }

    Text MainWindowCaption() const override { return m_host.MainWindowCaption(); }
    void SetMainWindowAlwaysOnTop(bool on) override { m_host.SetMainWindowAlwaysOnTop(on); }
    void MinimiseMainWindow() override { m_host.MinimiseMainWindow(); }
    void ShowMainWindow() override { m_host.ShowMainWindow(); }
    bool StartScript(std::filesystem::path const& script) override { return m_host.StartScript(script); }
    void EndProgram() override { m_host.EndProgram(); }
    void PostToUserInterface(std::function<void()> call) override
    {
        QMetaObject::invokeMethod(m_window, std::move(call), Qt::QueuedConnection);
    }

private:
    UpdateHost& m_host;
    QObject* m_window;
};

UpdateWindowWidget::UpdateWindowWidget(
    UpdateHost& host, Desktop& desktop, EventPump& pump, Endpoints endpoints, ProgramFile program)
    : QWidget(nullptr)
    , m_canvas(new ProgressCanvas(this))
    , m_progress_bar(new QProgressBar(this))
    , m_host(std::make_unique<WindowBoundHost>(host, this))
{
    setObjectName("自动更新");
    setWindowTitle("自动更新");
    setFixedSize(DesignedSize);
    m_canvas->setObjectName("画板1");
    m_canvas->setGeometry(CanvasPlace);
    m_progress_bar->setObjectName("下载进度条");
    m_progress_bar->setGeometry(ProgressBarPlace);
    m_progress_bar->setRange(0, 100);
    m_progress_bar->setValue(0);
    m_progress_bar->setVisible(false);
    m_update = std::make_unique<AutoUpdate>(
        *this, *m_host, desktop, pump, std::move(endpoints), std::move(program));
}

// The download's thread ends (and is waited for) before the window's parts go.
UpdateWindowWidget::~UpdateWindowWidget()
{
    m_update.reset();
}

void UpdateWindowWidget::Start()
{
    m_update->OnWindowCreated();
}

void UpdateWindowWidget::Show()
{
    show();
}

void UpdateWindowWidget::Destroy()
{
    hide();
    deleteLater();
}

void UpdateWindowWidget::SetCaption(Text const& caption)
{
    setWindowTitle(FromGbk(caption));
}
int UpdateWindowWidget::ProgressPosition() const
{
    return m_progress_bar->value();
}
void UpdateWindowWidget::SetProgressPosition(int position)
{
    m_progress_bar->setValue(position);
}
int UpdateWindowWidget::CanvasWidth() const
{
    return m_canvas->width();
}
int UpdateWindowWidget::CanvasHeight() const
{
    return m_canvas->height();
}
void UpdateWindowWidget::SetCanvasWritePosition(int x, int y)
{
    m_canvas->SetWritePosition(x, y);
}
void UpdateWindowWidget::WriteCanvasLine(Text const& line)
{
    m_canvas->WriteLine(FromGbk(line));
}

void UpdateWindowWidget::FillCanvasRectangle(CanvasRectangle rectangle)
{
    m_canvas->FillRectangle(rectangle.left, rectangle.top, rectangle.right, rectangle.bottom);
}

void UpdateWindowWidget::closeEvent(QCloseEvent* event)
{
    if (m_update->OnCloseRequest() == CloseAnswer::Refuse) {
        event->ignore();
        return;
    }
    event->accept();
}

}
