// The window's event pump and desktop: waiting in the event loop for a worker's signal, and
// message boxes, addresses and programs handed to the desktop.
#include "app/qt/gbk_qstring.h"
#include "app/qt/qt_desktop.h"
#include "app/qt/qt_event_pump.h"
#include "web/endpoints.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

namespace velmora {
namespace {

using namespace std::chrono_literals;

// Receives the addresses given to the system's handler of a scheme.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void Open(QUrl const& url) { urls << url; }
};

constexpr auto Long = 60s; // a limit that is never reached when the test passes

TEST(QtEventPump, WakesWhenAWorkerSetsTheSignal)
{
    QtEventPump pump;
    CompletionSignal signal;
    std::thread worker([&signal] {
        std::this_thread::sleep_for(20ms);
        signal.Set();
    });
    WakeReason const reason = pump.WaitForSignalOrEvent(signal, Long);
    worker.join();
    EXPECT_EQ(reason, WakeReason::Signalled);
}

TEST(QtEventPump, ASignalSetBeforeTheWaitEndsItAtOnce)
{
    QtEventPump pump;
    CompletionSignal signal;
    signal.Set();
    EXPECT_EQ(pump.WaitForSignalOrEvent(signal, Long), WakeReason::Signalled);
}

// The window's own activity runs during the wait but cannot hold the wait off its limit: a
// busy picture turns all through a run.
TEST(QtEventPump, ReachesItsLimitWhileTheWindowKeepsBusy)
{
    QtEventPump pump;
    CompletionSignal signal;
    int ticks = 0;
    QTimer busy;
    QObject::connect(&busy, &QTimer::timeout, [&ticks] { ++ticks; });
    busy.start(1);
    EXPECT_EQ(pump.WaitForSignalOrEvent(signal, 100ms), WakeReason::TimedOut);
    EXPECT_GT(ticks, 0);
}

TEST(QtEventPump, TheUsersInputEndsTheWaitAfterItHasRun)
{
    QtEventPump pump;
    CompletionSignal signal;
    QWidget target;
    struct KeyCount : QObject {
        int keys = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            keys += event->type() == QEvent::KeyPress ? 1 : 0;
            return false;
        }
    } count;
    target.installEventFilter(&count);
    QTimer::singleShot(10, [&target] {
        QCoreApplication::postEvent(&target, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier));
    });
    EXPECT_EQ(pump.WaitForSignalOrEvent(signal, Long), WakeReason::EventArrived);
    EXPECT_EQ(count.keys, 1);
    // The waker went with the wait: a later Set calls nothing of the pump.
    signal.Set();
}

TEST(QtEventPump, RunPendingEventsRunsWhatIsQueued)
{
    QtEventPump pump;
    int calls = 0;
    QMetaObject::invokeMethod(
        qApp, [&calls] { ++calls; }, Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        qApp, [&calls] { ++calls; }, Qt::QueuedConnection);
    EXPECT_EQ(calls, 0);
    pump.RunPendingEvents();
    EXPECT_EQ(calls, 2);
}

// Runs inspect on the message box as soon as it shows.
void WhenTheBoxShows(std::function<void(QMessageBox&)> inspect)
{
    QTimer::singleShot(0, [inspect] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        inspect(*box);
    });
}

TEST(QtDesktop, TimedMessageBoxPadsTheTextAndClosesItselfAtTheLimit)
{
    QtDesktop desktop;
    QString text, caption;
    int buttons = 0;
    WhenTheBoxShows([&](QMessageBox& box) {
        text = box.text();
        caption = box.windowTitle();
        buttons = static_cast<int>(box.buttons().size());
        EXPECT_NE(box.button(QMessageBox::Ok), nullptr);
    });
    EXPECT_EQ(TimedMessageBox(desktop, "请输入关键字！"_gbk, StyleOk, {}, 200), 31999);
    EXPECT_EQ(text, QStringLiteral(" 请输入关键字！ "));
    EXPECT_EQ(caption, QStringLiteral("提示"));
    EXPECT_EQ(buttons, 1);
}

TEST(QtDesktop, TheAnswerIsThePressedButtonMinusOne)
{
    struct Case {
        int style;
        QMessageBox::StandardButton pressed;
        int result;
    };
    Case const cases[] = {
        {StyleOk, QMessageBox::Ok, 0},
        {StyleYesNo, QMessageBox::Yes, 5},
        {StyleYesNo | StyleInformation, QMessageBox::No, 6},
        {1 /* OK and Cancel */, QMessageBox::Cancel, 1},
        {2 /* Abort, Retry and Ignore */, QMessageBox::Retry, 3},
    };
    QtDesktop desktop;
    for (auto const& c : cases) {
        WhenTheBoxShows([&c](QMessageBox& box) {
            QAbstractButton* button = box.button(c.pressed);
            ASSERT_NE(button, nullptr);
            button->click();
        });
        EXPECT_EQ(TimedMessageBox(desktop, "x", c.style, "caption", 60000), c.result) << c.style;
    }
}

TEST(QtDesktop, OpensAddressesWithTheHandlerOfTheirScheme)
{
    UrlRecorder handler;
    QDesktopServices::setUrlHandler(QStringLiteral("tencent"), &handler, "Open");
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &handler, "Open");

    QtDesktop desktop;
    Endpoints endpoints = Endpoints::Marketplace();
    endpoints.MakerShopUrl = "http://127.0.0.1:9/maker-shop/";
    OpenInBrowser(desktop, endpoints, "tencent://Message/?uin=12345678");
    OpenInBrowser(desktop, endpoints, "");

    QDesktopServices::unsetUrlHandler(QStringLiteral("tencent"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    EXPECT_EQ(handler.urls,
        (QList<QUrl> {QUrl(QStringLiteral("tencent://Message/?uin=12345678")),
            QUrl(QStringLiteral("http://127.0.0.1:9/maker-shop/"))}));
}

// Waits for a file that a started program writes; false when it does not come.
bool FileAppears(QString const& path)
{
    for (int tries = 0; tries < 600 && !QFile::exists(path); ++tries)
        QTest::qWait(50);
    return QFile::exists(path);
}

TEST(QtDesktop, StartsProgramsWhosePathHasBlanks)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Program Files")));
    QString const program = folder.filePath(QStringLiteral("Program Files/touch"));
    ASSERT_TRUE(QFile::copy(QStringLiteral("/usr/bin/touch"), program));

    QtDesktop desktop;
    EXPECT_TRUE(desktop.ProgramExists(ToText(program)));
    EXPECT_FALSE(desktop.ProgramExists(ToText(folder.filePath(QStringLiteral("Program Files/none")))));

    QString const marker = folder.filePath(QStringLiteral("started"));
    desktop.StartProgram(ToText(program + u' ' + marker));
    EXPECT_TRUE(FileAppears(marker));
}

}
}

#include "event_pump_desktop_test.moc"
