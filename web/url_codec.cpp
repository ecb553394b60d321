#include "web/url_codec.h"

#include <string>

namespace velmora {

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";
constexpr std::string_view EscapedHttpPrefix = "%68%74%74%70%3A%2F%2F";
constexpr std::string_view HttpPrefix = "http://";
constexpr int MostHttpPrefixesRestored = 5;

void AppendEscape(Text& out, unsigned char byte)
{
    out.push_back('%');
    out.push_back(HexDigits[byte >> 4]);
    out.push_back(HexDigits[byte & 0x0F]);
}

bool StandsForItselfInGbkAddress(unsigned char byte)
{
    return byte == '*' || byte == ',' || byte == '-' || byte == '.' || (byte >= '0' && byte <= '9')
        || byte == '@' || (byte >= 'A' && byte <= 'Z') || byte == '_' || (byte >= 'a' && byte <= 'z');
}

bool IsPrintableInUtf8Address(unsigned char byte)
{
    return byte >= 0x21 && byte <= 0x7A;
}

void RestoreHttpPrefixes(Text& encoded)
{
    std::size_t search_from = 0;
    for (int restored = 0; restored < MostHttpPrefixesRestored; ++restored) {
        std::size_t found = encoded.find(EscapedHttpPrefix, search_from);
        if (found == Text::npos)
            return;
        encoded.replace(found, EscapedHttpPrefix.size(), HttpPrefix);
        search_from = found + HttpPrefix.size();
    }
}

}

Text UrlCodec::EncodeUtf8(std::string_view gbk, Utf8Escaping escaping) const
{
    std::string utf8 = GbkToUtf8(gbk);
    Text encoded;
    encoded.reserve(utf8.size() * 3);
    for (unsigned char byte : utf8) {
        if (escaping == Utf8Escaping::KeepPrintable && IsPrintableInUtf8Address(byte))
            encoded.push_back(static_cast<char>(byte));
        else
            AppendEscape(encoded, byte);
    }
    if (escaping == Utf8Escaping::EveryByte)
        RestoreHttpPrefixes(encoded);
    return encoded;
}

Text UrlCodec::EncodeGbk(std::string_view gbk, GbkEscaping escaping) const
{
    Text encoded;
    encoded.reserve(gbk.size() * 3);
    for (unsigned char byte : gbk) {
        if (escaping == GbkEscaping::KeepSafeAscii && StandsForItselfInGbkAddress(byte))
            encoded.push_back(static_cast<char>(byte));
        else
            AppendEscape(encoded, byte);
    }
    return encoded;
}

}
