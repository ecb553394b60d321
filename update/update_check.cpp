#include "update/auto_update.h"

#include "text/decimal.h"
#include "text/spaces.h"
#include "update/manifest.h"
#include "update/version.h"
#include "web/fetch_page.h"

#include <optional>

namespace velmora {

namespace {

// The check's boxes wait for the user; they do not close by themselves.
constexpr int UntimedMessageBox = 0;
constexpr int OkInformation = StyleOk | StyleInformation | StyleSystemModal;
constexpr int YesNoInformation = StyleYesNo | StyleInformation | StyleSystemModal;
constexpr int FirstSuccessStatus = 200;
constexpr int LastSuccessStatus = 299;

// Whether the reply's status reports success. The last status line counts (a redirect
// puts one before the final reply's); a reply without one is judged by its body alone.
bool IsSuccessReply(Text const& headers)
{
    std::optional<std::int64_t> status;
    for (std::string_view line : ManifestLines(headers)) {
        Text const trimmed = TrimSpaces(line);
        if (trimmed.rfind("HTTP/", 0) != 0)
            continue;
        auto const blank = trimmed.find(' ');
        status = blank == Text::npos ? 0 : ReadLeadingInteger(std::string_view(trimmed).substr(blank + 1));
    }
    return !status || (*status >= FirstSuccessStatus && *status <= LastSuccessStatus);
}

}

void AutoUpdate::OnWindowCreated()
{
    m_host.SetMainWindowAlwaysOnTop(false);
    m_host.MinimiseMainWindow();
    m_window.Show();
    PrepareProgressCanvas();
    Text const running_version = RunningVersion(m_host.MainWindowCaption());
    CheckForUpdate(Text(UpdateProductName), "http://" + m_endpoints.UpdateServer + Text(UpdateManifestPath),
        running_version);
}

void AutoUpdate::CheckForUpdate(
    Text const& product_name, Text const& manifest_url, Text const& running_version)
{
    Text headers;
    FetchOptions options;
    options.response_headers = &headers;
    std::string manifest_text = FetchPage(m_pump, manifest_url, options);
    // An error page is no manifest: it reads as a failed connection.
    if (!IsSuccessReply(headers))
        manifest_text.clear();
    if (ManifestLines(manifest_text).empty()) {
        m_desktop.ShowMessageBox(
            "服务器连接失败，请稍候再试。"_gbk, OkInformation, "自动升级"_gbk, UntimedMessageBox);
        return;
    }

    UpdateManifest const manifest = ReadUpdateManifest(manifest_text, product_name);
    if (!IsNewerVersion(manifest.newest_version, running_version)) {
        m_desktop.ShowMessageBox("暂时还没有新版本！"_gbk, OkInformation, "无需升级"_gbk, UntimedMessageBox);
        m_host.ShowMainWindow();
        m_window.Destroy();
        return;
    }
    int const answer = m_desktop.ShowMessageBox(NewVersionQuestion(manifest.newest_version, manifest.notes),
        YesNoInformation, "发现新版"_gbk, UntimedMessageBox);
    if (answer != AnswerYes) {
        m_window.Destroy();
        return;
    }
    m_window.Show();
    StartUpdateDownload(manifest.download_address);
}
}
