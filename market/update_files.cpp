#include "market/update_files.h"

namespace velmora::market {

namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr std::string_view OtherProductVersion = "2099-12-31";

Text Line(Text const& key, Text const& value)
{
    return key + "："_gbk + value + Text(LineEnd);
}

Text OtherSection(MarketView const& view, Text const& name)
{
    Text const address = "http://" + view.Addresses().UpdateServer + "/download/helper";
    return Line("软件名称"_gbk, name) + Line("最新版本"_gbk, Text(OtherProductVersion))
        + Line("下载地址"_gbk, address) + Line("更新说明"_gbk, "适用于新版卖家后台。"_gbk) + Text(LineEnd);
}

} // namespace

Text ManifestText(MarketView const& view)
{
    UpdateFiles const& update = view.Switches().update;
    if (update.manifest_text)
        return *update.manifest_text;
    Text manifest = Line("更新日期"_gbk, "2012-01-05") + Text(LineEnd);
    if (update.other_product_first)
        manifest += OtherSection(view, "Velmora助手"_gbk);
    manifest += Line("软件名称"_gbk, "Velmora");
    manifest += Line("最新版本"_gbk, update.newest_version);
    manifest += Line("下载地址"_gbk, view.DownloadAddress());
    for (auto const& note : update.release_notes)
        manifest += Line("更新说明"_gbk, note);
    manifest += Text(LineEnd);
    manifest += OtherSection(view, "淘宝助理插件"_gbk);
    return manifest;
}

PageReply ManifestFile(MarketView const& view)
{
    PageReply reply;
    reply.content_type = GbkPlainText;
    reply.body = ManifestText(view);
    return reply;
}

PageReply ProgramFile(MarketView const& view)
{
    PageReply reply;
    reply.content_type = ProgramBytes;
    reply.body = view.Switches().update.program_file;
    reply.headers.emplace_back("Content-Disposition", "attachment; filename=velmora");
    return reply;
}

} // namespace velmora::market
