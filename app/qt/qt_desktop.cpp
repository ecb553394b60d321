#include "app/qt/qt_desktop.h"

#include "app/qt/gbk_qstring.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include <utility>
#include <vector>

namespace velmora {

namespace {

// The parts of a message box style value.
constexpr int ButtonsMask = 0x0F;
constexpr int IconMask = 0xF0;
constexpr int DefaultButtonMask = 0xF00;
constexpr int DefaultButtonStep = 0x100;
constexpr int TopMost = 0x40000;

enum ButtonSet : int {
    ButtonsOk = 0,
    ButtonsOkCancel = 1,
    ButtonsAbortRetryIgnore = 2,
    ButtonsYesNoCancel = 3,
    ButtonsYesNo = 4,
    ButtonsRetryCancel = 5,
};

enum IconKind : int {
    IconStop = 0x10,
    IconQuestion = 0x20,
    IconExclamation = 0x30,
    IconInformation = 0x40,
};

constexpr int TimedOutCode = -1;

std::vector<std::pair<QMessageBox::StandardButton, int>> ButtonsOf(int style)
{
    using B = QMessageBox;
    switch (style & ButtonsMask) {
    case ButtonsOkCancel:
        return {{B::Ok, AnswerOk}, {B::Cancel, AnswerCancel}};
    case ButtonsAbortRetryIgnore:
        return {{B::Abort, AnswerAbort}, {B::Retry, AnswerRetry}, {B::Ignore, AnswerIgnore}};
    case ButtonsYesNoCancel:
        return {{B::Yes, AnswerYes}, {B::No, AnswerNo}, {B::Cancel, AnswerCancel}};
    case ButtonsYesNo:
        return {{B::Yes, AnswerYes}, {B::No, AnswerNo}};
    case ButtonsRetryCancel:
        return {{B::Retry, AnswerRetry}, {B::Cancel, AnswerCancel}};
    default:
        return {{B::Ok, AnswerOk}};
    }
}

QMessageBox::Icon IconOf(int style)
{
    switch (style & IconMask) {
    case IconStop:
        return QMessageBox::Critical;
    case IconQuestion:
        return QMessageBox::Question;
    case IconExclamation:
        return QMessageBox::Warning;
    case IconInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

}

int QtDesktop::ShowMessageBox(Text const& text, int style, Text const& caption, int limit_milliseconds)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return AnswerNone;

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(ToQString(caption));
    box.setTextFormat(Qt::PlainText);
    box.setText(ToQString(text));
    box.setIcon(IconOf(style));
    if (style & TopMost)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);

    auto const buttons = ButtonsOf(style);
    QMessageBox::StandardButtons standard;
    for (auto const& [button, answer] : buttons)
        standard |= button;
    box.setStandardButtons(standard);
    auto const default_index = static_cast<std::size_t>((style & DefaultButtonMask) / DefaultButtonStep);
    if (default_index < buttons.size())
        box.setDefaultButton(buttons[default_index].first);

    if (limit_milliseconds > 0)
        QTimer::singleShot(limit_milliseconds, &box, [&box] { box.done(TimedOutCode); });

    int const result = box.exec();
    if (result == TimedOutCode)
        return AnswerTimedOut;
    for (auto const& [button, answer] : buttons) {
        if (result == button)
            return answer;
    }
    // Closed some other way (the window's close button): the escape button's answer.
    if (auto* escape = box.escapeButton()) {
        for (auto const& [button, answer] : buttons) {
            if (box.button(button) == escape)
                return answer;
        }
    }
    return buttons.front().second;
}

void QtDesktop::OpenWithSystemHandler(Text const& url)
{
    QDesktopServices::openUrl(QUrl(ToQString(url), QUrl::TolerantMode));
}

void QtDesktop::StartProgram(Text const& command_line)
{
    QString const line = ToQString(command_line).trimmed();
    if (line.isEmpty())
        return;
    // The longest leading part that is a file is the program.
    for (qsizetype end = line.size(); end > 0; end = line.lastIndexOf(u' ', end - 1)) {
        QString const program = line.left(end);
        if (QFileInfo(program).isFile()) {
            QProcess::startDetached(program, QProcess::splitCommand(line.mid(end)));
            return;
        }
    }
    QStringList arguments = QProcess::splitCommand(line);
    if (arguments.isEmpty())
        return;
    QString const program = arguments.takeFirst();
    QProcess::startDetached(program, arguments);
}

bool QtDesktop::ProgramExists(Text const& path)
{
    return QFileInfo(ToQString(path)).isFile();
}

}
