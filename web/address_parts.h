// How FetchPage's worker splits an address into the host it connects to, the port and the
// path it requests.
#pragma once

#include "text/gbk.h"

#include <cstdint>
#include <string_view>

namespace velmora {

constexpr std::int64_t DefaultHttpPort = 80;

struct AddressParts {
    // The text after the first "http://" (the whole address when there is none) up to the
    // next "/", without the port, in lower case.
    Text host;
    // The number after the first ":" of the host-with-port; 80 without a ":"; 0 when the port
    // text does not begin with a digit, which stands for the default port.
    std::int64_t port {DefaultHttpPort};
    // From the "/" that ends the host-with-port to the end of the address, query included;
    // "/" when the address has none.
    Text path;

    bool operator==(AddressParts const&) const = default;
};

AddressParts SplitAddress(std::string_view url);

}
