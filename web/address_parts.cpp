#include "web/address_parts.h"

#include "text/decimal.h"

namespace velmora {

AddressParts SplitAddress(std::string_view url)
{
    constexpr std::string_view Scheme = "http://";
    std::size_t host_start = 0;
    if (auto scheme = url.find(Scheme); scheme != std::string_view::npos)
        host_start = scheme + Scheme.size();
    std::size_t host_end = url.find('/', host_start);
    std::string_view host_with_port
        = url.substr(host_start, host_end == std::string_view::npos ? host_end : host_end - host_start);

    AddressParts parts;
    std::size_t colon = host_with_port.find(':');
    parts.host = host_with_port.substr(0, colon);
    for (char& character : parts.host) {
        if (character >= 'A' && character <= 'Z')
            character = static_cast<char>(character - 'A' + 'a');
    }
    if (colon != std::string_view::npos) {
        std::string_view port_text = host_with_port.substr(colon + 1);
        bool numeric = !port_text.empty() && port_text.front() >= '0' && port_text.front() <= '9';
        parts.port = numeric ? ReadLeadingInteger(port_text) : 0;
    }
    parts.path = host_end == std::string_view::npos ? Text("/") : Text(url.substr(host_end));
    return parts;
}

}
