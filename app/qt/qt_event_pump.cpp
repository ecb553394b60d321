#include "app/qt/qt_event_pump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QScopeGuard>
#include <QThread>
#include <QTimer>

namespace velmora {

namespace {

bool IsUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

// Notes whether the user's input reached any object while it is installed.
class InputWatch final : public QObject {
public:
    InputWatch() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputWatch() override { QCoreApplication::instance()->removeEventFilter(this); }

    bool SawInput() const { return m_saw_input; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        m_saw_input = m_saw_input || IsUserInput(event->type());
        return false;
    }

private:
    bool m_saw_input {false};
};

}

void QtEventPump::RunPendingEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

WakeReason QtEventPump::WaitForSignalOrEvent(CompletionSignal& signal, std::chrono::milliseconds limit)
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread());
    // wakeUp is safe to call from any thread; a wake that comes before the loop sleeps makes
    // its next sleep return at once, so a signal set in between is never missed.
    signal.SetWaker([dispatcher] { dispatcher->wakeUp(); });
    auto const remove_waker = qScopeGuard([&signal] { signal.SetWaker({}); });
    if (signal.IsSet())
        return WakeReason::Signalled;

    QDeadlineTimer const deadline(limit, Qt::PreciseTimer);
    InputWatch const input;
    QTimer limit_timer;
    limit_timer.setSingleShot(true);
    limit_timer.setTimerType(Qt::PreciseTimer);
    while (!deadline.hasExpired()) {
        // The timer wakes the loop when the limit is reached.
        limit_timer.start(std::chrono::milliseconds(deadline.remainingTime()));
        dispatcher->processEvents(QEventLoop::WaitForMoreEvents);
        if (signal.IsSet())
            return WakeReason::Signalled;
        if (input.SawInput())
            return WakeReason::EventArrived;
    }
    return signal.IsSet() ? WakeReason::Signalled : WakeReason::TimedOut;
}

}
