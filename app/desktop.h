// What the program hands to the desktop: timed message boxes and opening addresses.
#pragma once

#include "text/gbk.h"
#include "web/endpoints.h"

#include <string>
#include <vector>

namespace velmora {

// Answers of a message box, as the platform numbers them.
enum MessageBoxAnswer : int {
    AnswerNone = 0, // the box could not be shown
    AnswerOk = 1,
    AnswerCancel = 2,
    AnswerAbort = 3,
    AnswerRetry = 4,
    AnswerIgnore = 5,
    AnswerYes = 6,
    AnswerNo = 7,
    AnswerTimedOut = 32000,
};

// Message box styles the program uses.
enum MessageBoxStyle : int {
    StyleOk = 0x0,
    StyleYesNo = 0x4,
    StyleInformation = 0x40,
    StyleSystemModal = 0x1000,
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // Shows a box that closes itself after limit_milliseconds; returns the answer.
    virtual int ShowMessageBox(Text const& text, int style, Text const& caption, int limit_milliseconds) = 0;

    // Opens an address with the system's handler for its scheme.
    virtual void OpenWithSystemHandler(Text const& url) = 0;

    // Starts a program by its command line, without waiting for it.
    virtual void StartProgram(Text const& command_line) = 0;

    // Whether a program file exists (the fixed browser).
    virtual bool ProgramExists(Text const& path) = 0;
};

constexpr int DefaultMessageBoxLimitMilliseconds = 5000;

// Shows " " + text + " " under caption ("提示" when empty) and returns the answer minus 1:
// 0 for OK, 31999 when the limit closed it, -1 when it could not be shown.
int TimedMessageBox(Desktop& desktop, Text const& text, int style = StyleOk, Text const& caption = {},
    int limit_milliseconds = DefaultMessageBoxLimitMilliseconds);

enum class BrowserChoice {
    SystemHandler,
    FixedBrowser,
};

// Opens url (MakerShopUrl when it is empty) with the system's handler, or in the fixed
// browser where that browser exists.
void OpenInBrowser(Desktop& desktop, Endpoints const& endpoints, Text const& url,
    BrowserChoice choice = BrowserChoice::SystemHandler);

// A desktop that only records what it was asked: for the CLI and the tests.
class RecordingDesktop final : public Desktop {
public:
    struct MessageBoxCall {
        Text text;
        int style;
        Text caption;
        int limit_milliseconds;
    };

    int ShowMessageBox(Text const& text, int style, Text const& caption, int limit_milliseconds) override;
    void OpenWithSystemHandler(Text const& url) override { opened_urls.push_back(url); }
    void StartProgram(Text const& command_line) override { started_programs.push_back(command_line); }
    bool ProgramExists(Text const&) override { return fixed_browser_exists; }

    std::vector<MessageBoxCall> message_boxes;
    std::vector<Text> opened_urls;
    std::vector<Text> started_programs;
    int next_answer {AnswerOk};
    bool fixed_browser_exists {false};
};

}
