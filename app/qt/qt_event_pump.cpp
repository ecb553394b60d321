#include "app/qt/qt_event_pump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QScopeGuard>
#include <QThread>
#include <QTimer>

namespace velmora {

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
    QTimer limit_timer;
    limit_timer.setSingleShot(true);
    limit_timer.setTimerType(Qt::PreciseTimer);
    limit_timer.start(limit);
    dispatcher->processEvents(QEventLoop::WaitForMoreEvents);

    if (signal.IsSet())
        return WakeReason::Signalled;
    if (deadline.hasExpired())
        return WakeReason::TimedOut;
    return WakeReason::EventArrived;
}

}
