#include "app/desktop.h"

namespace velmora {

namespace {

constexpr std::string_view FixedBrowserPath = "C:\\Program Files\\Internet Explorer\\iexplore.exe";

}

int TimedMessageBox(
    Desktop& desktop, Text const& text, int style, Text const& caption, int limit_milliseconds)
{
    Text const& shown_caption = caption.empty() ? "提示"_gbk : caption;
    return desktop.ShowMessageBox(" " + text + " ", style, shown_caption, limit_milliseconds) - 1;
}

void OpenInBrowser(Desktop& desktop, Endpoints const& endpoints, Text const& url, BrowserChoice choice)
{
    Text const& address = url.empty() ? endpoints.MakerShopUrl : url;
    if (choice == BrowserChoice::FixedBrowser) {
        // Only where that browser exists; elsewhere nothing opens, as with a missing handler.
        if (desktop.ProgramExists(Text(FixedBrowserPath)))
            desktop.StartProgram(Text(FixedBrowserPath) + " " + address);
        return;
    }
    desktop.OpenWithSystemHandler(address);
}

int RecordingDesktop::ShowMessageBox(Text const& text, int style, Text const& caption, int limit_milliseconds)
{
    message_boxes.push_back({text, style, caption, limit_milliseconds});
    return next_answer;
}

}
