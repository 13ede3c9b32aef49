#include "text/Cp932.h"

#include <gtest/gtest.h>

namespace text {
namespace {

std::string Bytes(std::initializer_list<unsigned char> b) { return std::string(b.begin(), b.end()); }

TEST(Cp932, KnownMappingTrapsConvertAsWindowsDoes) {
  EXPECT_EQ(ToCp932("〜"), Bytes({0x81, 0x60}));  // WAVE DASH, one-way onto 81 60
  EXPECT_EQ(ToCp932("～"), Bytes({0x81, 0x60}));
  EXPECT_EQ(ToCp932("−"), Bytes({0x81, 0x7C}));
  EXPECT_EQ(ToCp932("¥"), Bytes({0x5C}));
  EXPECT_EQ(ToCp932("①"), Bytes({0x87, 0x40}));
  EXPECT_EQ(ToCp932("髙"), Bytes({0xFB, 0xFC}));
  EXPECT_EQ(ToCp932("表"), Bytes({0x95, 0x5C}));
  EXPECT_EQ(FromCp932(Bytes({0x81, 0x60})), "～");
  EXPECT_EQ(FromCp932(Bytes({0xFB, 0xFC})), "髙");
  EXPECT_EQ(FromCp932(Bytes({0x95, 0x5C, 0x5C})), "表\\");
}

TEST(Cp932, OnlyExactRoundTripsCountAsStorable) {
  EXPECT_TRUE(RoundTripsCp932("顧客ソレル ｶﾅ ① 髙 表 ～"));
  EXPECT_FALSE(RoundTripsCp932("〜"));  // reads back as ～
  EXPECT_FALSE(RoundTripsCp932("¥"));   // reads back as "\"
  EXPECT_FALSE(RoundTripsCp932("😀"));
  EXPECT_FALSE(ToCp932("a😀b").has_value());
  EXPECT_FALSE(ToCp932("한국").has_value());
}

TEST(Cp932, MalformedBytesBecomeReplacementCharacters) {
  EXPECT_EQ(FromCp932(Bytes({'a', 0x81})), "a\uFFFD");       // lead byte at the end
  EXPECT_EQ(FromCp932(Bytes({0x81, 0x20, 'b'})), "\uFFFD b");  // lead byte with no trail
}

TEST(Cp932, LengthCountsBytesAndUnencodableAsTwo) {
  EXPECT_EQ(Cp932Length(""), 0u);
  EXPECT_EQ(Cp932Length("abc"), 3u);
  EXPECT_EQ(Cp932Length("顧客"), 4u);
  EXPECT_EQ(Cp932Length("ｺﾞｰﾙﾄﾞ"), 6u);
  EXPECT_EQ(Cp932Length("¥"), 1u);
  EXPECT_EQ(Cp932Length("😀"), 2u);
  EXPECT_EQ(Cp932Length("한"), 2u);
  for (const char* s : {"表示ｱｲｳabc①髙", "～−"}) {
    EXPECT_EQ(Cp932Length(s), ToCp932(s)->size()) << s;
  }
}

TEST(Cp932, CutNeverSplitsACharacter) {
  EXPECT_EQ(CutToCp932Bytes("顧客ソレル", 5), "顧客");
  EXPECT_EQ(CutToCp932Bytes("顧客ソレル", 6), "顧客ソ");
  EXPECT_EQ(CutToCp932Bytes("aｱ顧", 2), "aｱ");
  EXPECT_EQ(CutToCp932Bytes("abc", 10), "abc");
  EXPECT_EQ(CutToCp932Bytes("😀x", 1), "");
  EXPECT_EQ(CutToCp932Bytes("😀x", 3), "😀x");
  EXPECT_EQ(CutToCp932Bytes("abc", 0), "");
}

TEST(Cp932, TrailByteOfHyouIsNotABackslash) {
  const std::string s = Bytes({0x95, 0x5C, 0x5C, 'a', 0x82, 0xA0});  // 表 \ a あ
  EXPECT_FALSE(IsCp932TrailByte(s, 0));
  EXPECT_TRUE(IsCp932TrailByte(s, 1));
  EXPECT_FALSE(IsCp932TrailByte(s, 2));
  EXPECT_FALSE(IsCp932TrailByte(s, 3));
  EXPECT_FALSE(IsCp932TrailByte(s, 4));
  EXPECT_TRUE(IsCp932TrailByte(s, 5));
  EXPECT_FALSE(IsCp932TrailByte(s, 6));
  EXPECT_FALSE(IsCp932TrailByte(Bytes({0xB1, 0x5C}), 1));  // ｱ is a single byte
}

TEST(Cp932, Utf16RoundTripKeepsSupplementaryCharacters) {
  const std::string s = "a表😀〜";
  const std::u16string wide = Utf8ToUtf16(s);
  EXPECT_EQ(wide.size(), 5u);
  EXPECT_EQ(Utf16ToUtf8(wide), s);
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\uFFFD");
}

}  // namespace
}  // namespace text
