#include "app/qt/close_on_termination.h"

#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace velmora {

namespace {

// The signal handler only writes a byte; the event loop reads it and closes the window.
int g_wake_pipe[2] = {-1, -1};

extern "C" void OnTerminationSignal(int)
{
    char const byte = 1;
    [[maybe_unused]] auto written = ::write(g_wake_pipe[1], &byte, 1);
}

}

void CloseOnTerminationRequest(QWidget& main_window)
{
    if (g_wake_pipe[0] < 0) {
        if (::pipe(g_wake_pipe) != 0)
            return;
        for (int end : g_wake_pipe)
            ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(g_wake_pipe[1], F_SETFL, O_NONBLOCK);
    }
    auto* notifier = new QSocketNotifier(g_wake_pipe[0], QSocketNotifier::Read, &main_window);
    QPointer<QWidget> window(&main_window);
    QObject::connect(notifier, &QSocketNotifier::activated, &main_window, [window] {
        char byte;
        [[maybe_unused]] auto read = ::read(g_wake_pipe[0], &byte, 1);
        if (window)
            window->close();
    });

    struct sigaction action { };
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal_number : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal_number, &action, nullptr);
}

}
