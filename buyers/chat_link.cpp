#include "buyers/chat_link.h"

#include "app/desktop.h"

namespace velmora {

namespace {

constexpr int NicknameColumn = 1;

}

Text ChatLinkAddress(Endpoints const& endpoints, UrlCodec const& codec, std::string_view nickname)
{
    return "http://" + endpoints.StatusHost + "/msg.aw?v=2&uid=" + codec.EncodeUtf8(nickname)
        + "&site=cntaobao&s=1&charset=utf-8";
}

void OpenBuyerChat(Session& session)
{
    int row = session.form.SelectedRow(Control::超级列表框1);
    if (row < 0 || row >= session.form.RowCount(Control::超级列表框1))
        return;
    Text nickname = session.form.Cell(Control::超级列表框1, row, NicknameColumn);
    OpenInBrowser(session.desktop, session.endpoints,
        ChatLinkAddress(session.endpoints, session.state.Codec, nickname));
    session.form.SetAlwaysOnTop(false);
}

}
