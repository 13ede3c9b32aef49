// A valid archive written into memory, then cut, flipped and extended: the reader must report
// each fault as an archive error and never crash or read out of bounds.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "settings/ArchiveError.h"
#include "settings/CArchive.h"
#include "settings/ArchiveTestSupport.h"

namespace settings::test {
namespace {

using Kind = ArchiveError::Kind;

struct Sample {
  std::string text;
  std::string wide;
  std::string longText;
  ArchiveDate date;
  std::vector<std::int32_t> numbers;
  std::shared_ptr<TestGroup> group;
};

void ExchangeSample(CArchive& ar, Sample& s) {
  ar.Exchange(s.text);
  ar.Exchange(s.wide);
  ar.Exchange(s.longText);
  ar.Exchange(s.date);
  ar.Exchange(s.numbers);
  ar.Exchange(s.group);
}

Sample MakeSample() {
  Sample s{"顧客ソレル",  "〜😀",       std::string(300, 'x'),
           {0, 45000.5}, {1, -2, 3}, std::make_shared<TestGroup>()};
  auto elem = std::make_shared<TestComboElem>("abc", 5);
  auto inner = std::make_shared<TestGroup>();
  inner->children = {elem, nullptr};
  s.group->children = {elem, inner, std::make_shared<TestComboElem>("", 7), elem};
  return s;
}

const std::string& SampleBytes() {
  static const std::string bytes = Store([](CArchive& ar) {
    Sample s = MakeSample();
    ExchangeSample(ar, s);
  });
  return bytes;
}

// The kind of ArchiveError that reading the sample from these bytes raises, or nullopt.
std::optional<Kind> ReadSample(const std::string& bytes, bool* atEnd = nullptr) {
  try {
    Load(bytes, [&](CArchive& ar) {
      Sample s;
      ExchangeSample(ar, s);
      if (atEnd) *atEnd = ar.IsAtEnd();
    }, 16);
  } catch (const ArchiveError& e) {
    return e.GetKind();
  }
  return std::nullopt;
}

TEST(ArchiveDamage, SampleReadsBackWhole) {
  Sample read;
  Load(SampleBytes(), [&](CArchive& ar) { ExchangeSample(ar, read); });
  const Sample s = MakeSample();
  EXPECT_EQ(read.text, s.text);
  EXPECT_EQ(read.wide, s.wide);
  EXPECT_EQ(read.longText, s.longText);
  EXPECT_EQ(read.date, s.date);
  EXPECT_EQ(read.numbers, s.numbers);
  ASSERT_EQ(read.group->children.size(), 4u);
  EXPECT_EQ(read.group->children[0], read.group->children[3]);
  const auto inner = std::dynamic_pointer_cast<TestGroup>(read.group->children[1]);
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->children[0], read.group->children[0]);
}

TEST(ArchiveDamage, ArchiveCutAtAnyByteReportsEndOfFile) {
  const std::string& bytes = SampleBytes();
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    EXPECT_EQ(ReadSample(bytes.substr(0, length)), Kind::EndOfFile) << "cut at " << length;
  }
}

TEST(ArchiveDamage, TrailingBytesAreLeftForTheReaderToNotice) {
  bool atEnd = false;
  EXPECT_EQ(ReadSample(SampleBytes(), &atEnd), std::nullopt);
  EXPECT_TRUE(atEnd);
  EXPECT_EQ(ReadSample(SampleBytes() + Bytes({0x00}), &atEnd), std::nullopt);
  EXPECT_FALSE(atEnd);
}

TEST(ArchiveDamage, DamagedChoiceListReportsWhatIsWrong) {
  // 02 00 | FF FF 01 00 0D 00 "CQMVComboElem" | 03 "abc" 05 00 00 00 | 01 80 02 "de" 07 00 00 00
  const std::string good = Store([](CArchive& ar) {
    ar.StoreObjects(std::vector{std::make_shared<TestComboElem>("abc", 5), std::make_shared<TestComboElem>("de", 7)});
  });
  struct Case {
    std::size_t offset;
    unsigned char value;
    Kind kind;
  };
  const Case cases[] = {
      {0, 0x03, Kind::EndOfFile},   // one element more than written
      {2, 0x05, Kind::BadFormat},   // tag names an object that does not exist
      {4, 0x02, Kind::BadSchema},   // schema 2
      {6, 0x40, Kind::BadClass},    // a 64-byte class name
      {8, 'X', Kind::BadClass},     // a name no class bears
      {21, 0xFF, Kind::EndOfFile},  // string length far beyond the data
      {29, 0x02, Kind::BadFormat},  // class index 2 is an object
      {30, 0x00, Kind::BadFormat},  // object index 1 is a class
  };
  for (const Case& c : cases) {
    std::string bad = good;
    bad[c.offset] = static_cast<char>(c.value);
    std::optional<Kind> kind;
    try {
      Load(bad, [](CArchive& ar) { ar.LoadObjects<TestComboElem>(); });
    } catch (const ArchiveError& e) {
      kind = e.GetKind();
    }
    EXPECT_EQ(kind, c.kind) << "byte " << c.offset;
  }
}

TEST(ArchiveDamage, RandomlyDamagedArchivesFailOnlyWithArchiveErrors) {
  std::mt19937 random(1234);
  const std::string& good = SampleBytes();
  int failures = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string bad = good;
    const int flips = 1 + static_cast<int>(random() % 3);
    for (int i = 0; i < flips; ++i) bad[random() % bad.size()] = static_cast<char>(random());
    if (round % 4 == 0) bad.resize(random() % bad.size());
    if (ReadSample(bad)) ++failures;
  }
  EXPECT_GT(failures, 0);
}

}  // namespace
}  // namespace settings::test
