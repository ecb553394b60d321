// The two percent-encodings of the marketplace's addresses.
#pragma once

#include "text/gbk.h"

#include <string_view>

namespace velmora {

enum class Utf8Escaping {
    EveryByte, // every UTF-8 byte as %XX, letters and digits included
    KeepPrintable, // bytes 0x21 to 0x7A stand for themselves
};

enum class GbkEscaping {
    KeepSafeAscii, // letters, digits and * , - . @ _ stand for themselves
    EveryByte,
};

// Stateless; one object serves every collector.
class UrlCodec {
public:
    // The messenger's encoding of a nickname: the GBK text converted to UTF-8, each byte
    // written as %XX. With EveryByte an escaped "http://" prefix is written back as itself.
    Text EncodeUtf8(std::string_view gbk, Utf8Escaping escaping = Utf8Escaping::EveryByte) const;

    // The search pages' encoding of keywords and category names, byte by byte over the
    // GBK bytes.
    Text EncodeGbk(std::string_view gbk, GbkEscaping escaping = GbkEscaping::KeepSafeAscii) const;
};

}
