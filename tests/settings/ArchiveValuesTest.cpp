#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/ArchiveError.h"
#include "settings/CArchive.h"
#include "settings/ArchiveTestSupport.h"

namespace settings::test {
namespace {

std::string StoredString(const std::string& utf8) {
  return Store([&](CArchive& ar) { ar.StoreString(utf8); });
}

std::string LoadedString(const std::string& bytes) {
  std::string s;
  Load(bytes, [&](CArchive& ar) {
    s = ar.LoadString();
    EXPECT_TRUE(ar.IsAtEnd());
  });
  return s;
}

TEST(ArchiveValues, NumbersAreLittleEndianWithoutPadding) {
  const std::string bytes = Store([](CArchive& ar) {
    ar.StoreByte(0xAB);
    ar.StoreInt16(-2);
    ar.StoreUInt16(0x1234);
    ar.StoreInt32(-1);
    ar.StoreUInt32(0x12345678);
    ar.StoreDouble(1.0);
    ar.StoreDate({1, 2.5});  // an invalid date keeps its status
  });
  EXPECT_EQ(bytes, Bytes({0xAB, 0xFE, 0xFF, 0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12,  //
                          0, 0, 0, 0, 0, 0, 0xF0, 0x3F,                                                //
                          1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x04, 0x40}));
  Load(bytes, [](CArchive& ar) {
    EXPECT_EQ(ar.LoadByte(), 0xAB);
    EXPECT_EQ(ar.LoadInt16(), -2);
    EXPECT_EQ(ar.LoadUInt16(), 0x1234);
    EXPECT_EQ(ar.LoadInt32(), -1);
    EXPECT_EQ(ar.LoadUInt32(), 0x12345678u);
    EXPECT_EQ(ar.LoadDouble(), 1.0);
    EXPECT_EQ(ar.LoadDate(), (ArchiveDate{1, 2.5}));
  });
}

TEST(ArchiveStrings, LengthPrefixGrowsAt255And65534Cp932Bytes) {
  struct Case {
    std::size_t length;
    std::string prefix;
  };
  const Case cases[] = {
      {0, Bytes({0x00})},
      {254, Bytes({0xFE})},
      {255, Bytes({0xFF, 0xFF, 0x00})},
      {65533, Bytes({0xFF, 0xFD, 0xFF})},
      {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
      {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
  };
  for (const Case& c : cases) {
    const std::string text(c.length, 'x');
    const std::string bytes = StoredString(text);
    EXPECT_EQ(bytes.substr(0, c.prefix.size()), c.prefix) << c.length;
    EXPECT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
    EXPECT_EQ(LoadedString(bytes), text) << c.length;
  }
}

TEST(ArchiveStrings, LengthCountsCp932BytesNotUtf8Bytes) {
  std::string text;
  for (int i = 0; i < 127; ++i) text += "あ";  // 381 UTF-8 bytes, 254 CP932 bytes
  const std::string bytes = StoredString(text);
  EXPECT_EQ(bytes.substr(0, 3), Bytes({0xFE, 0x82, 0xA0}));
  EXPECT_EQ(bytes.size(), 255u);
  EXPECT_EQ(LoadedString(bytes), text);
  EXPECT_EQ(StoredString("ｱ表～"), Bytes({5, 0xB1, 0x95, 0x5C, 0x81, 0x60}));
}

TEST(ArchiveStrings, Utf16FormIsReadInEachLengthForm) {
  // a 表 as UTF-16 with a one-byte length
  EXPECT_EQ(LoadedString(Bytes({0xFF, 0xFE, 0xFF, 0x02, 0x61, 0x00, 0x68, 0x88})), "a表");
  // the same with a 16-bit length
  EXPECT_EQ(LoadedString(Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x02, 0x00, 0x61, 0x00, 0x68, 0x88})), "a表");
  // and with a 32-bit length
  EXPECT_EQ(LoadedString(Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0, 0, 0, 0x3D, 0xD8})), "\uFFFD");
  EXPECT_EQ(LoadedString(Bytes({0xFF, 0xFE, 0xFF, 0x00})), "");
}

TEST(ArchiveStrings, TextCp932WouldChangeIsWrittenAsUtf16AndReadBackIdentical) {
  struct Case {
    std::string text;
    std::string bytes;
  };
  const Case cases[] = {
      {"😀", Bytes({0xFF, 0xFE, 0xFF, 0x02, 0x3D, 0xD8, 0x00, 0xDE})},
      {"〜", Bytes({0xFF, 0xFE, 0xFF, 0x01, 0x1C, 0x30})},  // CP932 would read back ～
      {"¥", Bytes({0xFF, 0xFE, 0xFF, 0x01, 0xA5, 0x00})},   // CP932 would read back "\"
      {"한", Bytes({0xFF, 0xFE, 0xFF, 0x01, 0x5C, 0xD5})},
      {"a〜", Bytes({0xFF, 0xFE, 0xFF, 0x02, 0x61, 0x00, 0x1C, 0x30})},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StoredString(c.text), c.bytes) << c.text;
    EXPECT_EQ(LoadedString(c.bytes), c.text) << c.text;
  }
  std::string many;
  for (int i = 0; i < 200; ++i) many += "顧客😀";  // 800 UTF-16 units
  const std::string bytes = StoredString(many);
  EXPECT_EQ(bytes.substr(0, 6), Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x20, 0x03}));
  EXPECT_EQ(LoadedString(bytes), many);
}

TEST(ArchiveCounts, CountOf0xFFFFOrMoreTakesThe32BitForm) {
  const std::string bytes = Store([](CArchive& ar) {
    ar.StoreCount(0xFFFE);
    ar.StoreCount(0xFFFF);
    ar.StoreCount(0x12345);
  });
  EXPECT_EQ(bytes, Bytes({0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}));
  Load(bytes, [](CArchive& ar) {
    EXPECT_EQ(ar.LoadCount(), 0xFFFEu);
    EXPECT_EQ(ar.LoadCount(), 0xFFFFu);
    EXPECT_EQ(ar.LoadCount(), 0x12345u);
  });
}

TEST(ArchiveArrays, ArraysAreACountThenTheirValues) {
  std::vector<std::string> strings{"abc", "", "顧客"};
  std::vector<std::int32_t> numbers{1, -1};
  const std::string bytes = Store([&](CArchive& ar) {
    ar.Exchange(strings);
    ar.Exchange(numbers);
  });
  EXPECT_EQ(bytes, Bytes({3, 0, 3, 'a', 'b', 'c', 0, 4, 0x8C, 0xDA, 0x8B, 0x71,  //
                          2, 0, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
  std::vector<std::string> readStrings;
  std::vector<std::int32_t> readNumbers;
  Load(bytes, [&](CArchive& ar) {
    ar.Exchange(readStrings);
    ar.Exchange(readNumbers);
  });
  EXPECT_EQ(readStrings, strings);
  EXPECT_EQ(readNumbers, numbers);
}

TEST(ArchiveArrays, ArrayOf0xFFFFValuesCrossesManyBuffersIntact) {
  std::vector<std::uint32_t> values(0xFFFF);
  for (std::uint32_t i = 0; i < values.size(); ++i) values[i] = i * 2654435761u;
  const std::string bytes = Store([&](CArchive& ar) { ar.StoreUInt32s(values); });
  EXPECT_EQ(bytes.size(), 6 + 4 * values.size());
  EXPECT_EQ(bytes.substr(0, 6), Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0, 0}));
  for (const std::size_t bufferSize : {std::size_t{16}, CArchive::kBufferSize}) {
    Load(bytes, [&](CArchive& ar) { EXPECT_EQ(ar.LoadUInt32s(), values); }, bufferSize);
  }
}

TEST(ArchiveArrays, ClaimedCountBeyondTheDataEndsTheReadWithoutAllocatingIt) {
  const std::string bytes = Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0});
  try {
    Load(bytes, [](CArchive& ar) { ar.LoadInt32s(); });
    FAIL() << "read past the end";
  } catch (const ArchiveError& e) {
    EXPECT_EQ(e.GetKind(), ArchiveError::Kind::EndOfFile);
  }
  const std::string hugeString = Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'});
  EXPECT_THROW(Load(hugeString, [](CArchive& ar) { ar.LoadString(); }), ArchiveError);
}

TEST(ArchiveValues, StoringArchiveWritesNothingUntilClosed) {
  CMemoryStream stream;
  CArchive ar(stream, CArchive::Mode::Store);
  ar.StoreInt32(7);
  EXPECT_TRUE(stream.Bytes().empty());
  ar.Close();
  EXPECT_EQ(stream.Bytes(), Bytes({7, 0, 0, 0}));
  EXPECT_THROW(ar.StoreInt32(8), std::logic_error);
}

}  // namespace
}  // namespace settings::test
