#include "text/gbk.h"
#include "web/url_codec.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(EncodeGbk, EveryByteOfTheTable)
{
    UrlCodec const codec;
    for (int value = 0; value < 256; ++value) {
        auto byte = static_cast<unsigned char>(value);
        bool stands_for_itself = byte == 0x2A || byte == 0x2C || byte == 0x2D || byte == 0x2E
            || (byte >= 0x30 && byte <= 0x39) || byte == 0x40 || (byte >= 0x41 && byte <= 0x5A)
            || byte == 0x5F || (byte >= 0x61 && byte <= 0x7A);
        char expected[4];
        snprintf(expected, sizeof expected, "%%%02X", value);
        Text input(1, static_cast<char>(byte));
        EXPECT_EQ(codec.EncodeGbk(input), stands_for_itself ? input : Text(expected)) << "byte " << value;
        EXPECT_EQ(codec.EncodeGbk(input, GbkEscaping::EveryByte), Text(expected)) << "byte " << value;
    }
}

TEST(EncodeGbk, Examples)
{
    UrlCodec const codec;
    EXPECT_EQ(codec.EncodeGbk("中"_gbk + " a+b"), "%D6%D0%20a%2Bb");
    EXPECT_EQ(codec.EncodeGbk("\t"), "%09");
    EXPECT_EQ(codec.EncodeGbk(""), "");
    // Trail bytes that fall among the kept characters stand for themselves: 0x40 and 0x51.
    EXPECT_EQ(codec.EncodeGbk("\x81\x40\x81\x51"), "%81@%81Q");
    EXPECT_EQ(codec.EncodeGbk("手机"_gbk), "%CA%D6%BB%FA");
}

TEST(EncodeUtf8, EscapesEveryByteButTheHttpPrefix)
{
    UrlCodec const codec;
    EXPECT_EQ(codec.EncodeUtf8("abc"), "%61%62%63");
    EXPECT_EQ(codec.EncodeUtf8("中"_gbk), "%E4%B8%AD");
    EXPECT_EQ(codec.EncodeUtf8("http://a"), "http://%61");
    EXPECT_EQ(codec.EncodeUtf8(""), "");
    // At most five prefixes are written back, searching from the start.
    Text six_prefixes;
    for (int i = 0; i < 6; ++i)
        six_prefixes += "http://";
    Text expected;
    for (int i = 0; i < 5; ++i)
        expected += "http://";
    expected += "%68%74%74%70%3A%2F%2F";
    EXPECT_EQ(codec.EncodeUtf8(six_prefixes), expected);
}

TEST(EncodeUtf8, KeepPrintableWritesBytesFrom21To7AAsThemselves)
{
    UrlCodec const codec;
    EXPECT_EQ(codec.EncodeUtf8("a z{~!", Utf8Escaping::KeepPrintable), "a%20z%7B%7E!");
    EXPECT_EQ(codec.EncodeUtf8("http://中"_gbk, Utf8Escaping::KeepPrintable), "http://%E4%B8%AD");
}

}
}
