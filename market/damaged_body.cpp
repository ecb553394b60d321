#include "market/damaged_body.h"

#include <algorithm>
#include <random>

namespace velmora::market {

namespace {

// A GBK lead byte: on its own, or before a byte that cannot follow it, it is no character.
constexpr char StrayLeadByte = '\x81';
// The same noise for every request, so that a failing test can be run again.
constexpr std::uint32_t NoiseSeed = 20111226;

}

std::string DamagedPage(std::string page, PageDamage damage)
{
    switch (damage) {
    case PageDamage::None:
    case PageDamage::ConnectionDropped:
    case PageDamage::ResetMidBody:
        break;
    case PageDamage::CutShort:
        page.resize(page.size() / 2);
        if (!page.empty())
            page.push_back('\xB0'); // a lead byte without its trail byte
        break;
    case PageDamage::Garbled:
        std::erase_if(page, [](char byte) { return byte == '"' || byte == '<'; });
        break;
    case PageDamage::RandomBytes: {
        std::mt19937 noise(NoiseSeed);
        std::uniform_int_distribution<int> byte(0, 255);
        for (char& c : page)
            c = static_cast<char>(byte(noise));
        break;
    }
    case PageDamage::InvalidGbk:
        page.insert(page.begin(), StrayLeadByte);
        page.push_back(StrayLeadByte);
        break;
    }
    return page;
}

std::size_t DeliveredBytes(std::size_t total, PageDamage damage)
{
    if (damage == PageDamage::ConnectionDropped || damage == PageDamage::ResetMidBody)
        return total / 2;
    return total;
}

DamagedBody::DamagedBody(std::string page, std::size_t padded_size)
    : m_page(std::move(page))
    , m_size(std::max(m_page.size(), padded_size))
{
}

void DamagedBody::Read(std::size_t offset, std::size_t length, std::string& out) const
{
    out.clear();
    std::size_t const end = std::min(m_size, offset + length);
    if (offset < m_page.size())
        out.append(m_page, offset, std::min(end, m_page.size()) - offset);
    for (std::size_t at = std::max(offset, m_page.size()); at < end;) {
        std::size_t const in_line = (at - m_page.size()) % PaddingLine.size();
        std::size_t const take = std::min(PaddingLine.size() - in_line, end - at);
        out.append(PaddingLine.substr(in_line, take));
        at += take;
    }
}

}
