#include "web/page_channel.h"

namespace velmora {

void PageChannel::WriteRequest(PageRequest request)
{
    std::lock_guard lock(m_mutex);
    m_record = std::move(request);
}

std::optional<PageReply> PageChannel::TakeReply()
{
    std::lock_guard lock(m_mutex);
    auto* reply = std::get_if<PageReply>(&m_record);
    if (!reply)
        return std::nullopt;
    PageReply taken = std::move(*reply);
    m_record = std::monostate {};
    return taken;
}

void PageChannel::CutOff()
{
    {
        std::lock_guard lock(m_mutex);
        m_cut_off = true;
        m_record = std::monostate {};
    }
    m_stop.Stop();
}

std::optional<PageRequest> PageChannel::TakeRequest()
{
    std::lock_guard lock(m_mutex);
    auto* request = std::get_if<PageRequest>(&m_record);
    if (!request)
        return std::nullopt;
    PageRequest taken = std::move(*request);
    m_record = std::monostate {};
    return taken;
}

void PageChannel::FinishAndWriteReply(PageReply reply, std::function<void(PageReply&)> const& finish)
{
    std::lock_guard lock(m_mutex);
    if (m_cut_off)
        return;
    if (finish)
        finish(reply);
    m_record = std::move(reply);
}

}
