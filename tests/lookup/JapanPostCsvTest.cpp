#include "lookup/JapanPostCsv.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "lookup/ZipDataReader.h"
#include "text/Cp932.h"

namespace lookup {
namespace {

// One KEN_ALL record as Japan Post writes it: codes unquoted, texts quoted, CP932, CRLF.
std::string KenAllLine(const std::string& zip, const std::string& pref, const std::string& city,
                       const std::string& town, const std::string& flags = "0,0,0,0,0,0") {
  return "13101,\"100  \",\"" + zip + "\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ\",\"" + pref + "\",\"" + city +
         "\",\"" + town + "\"," + flags + "\r\n";
}

std::string Cp932(std::initializer_list<std::string> lines) {
  std::string utf8;
  for (const std::string& line : lines) utf8 += line;
  return text::ToCp932(utf8).value();
}

TEST(JapanPostCsvTest, KenAllTownsLoseTheirListingNotes) {
  const CPostalReadResult read = ReadKenAll(Cp932({
      KenAllLine("1000000", "東京都", "千代田区", "以下に掲載がない場合"),
      KenAllLine("1000004", "東京都", "千代田区", "大手町（次のビルを除く）"),
      KenAllLine("1006890", "東京都", "千代田区", "大手町ＪＡビル（地階・階層不明）"),
      KenAllLine("1006801", "東京都", "千代田区", "大手町ＪＡビル（１階）"),
      KenAllLine("1000301", "東京都", "利島村", "利島村一円"),
      KenAllLine("0600042", "北海道", "札幌市中央区", "大通西（１～１９丁目）"),
      KenAllLine("0482402", "北海道", "余市郡仁木町", "大江（１丁目、２丁目「６５１、６６２、６６８番地」以外）"),
      KenAllLine("9960301", "山形県", "最上郡大蔵村", "大蔵村の次に番地がくる場合"),
      KenAllLine("5220317", "滋賀県", "犬上郡多賀町", "一円"),
  }));
  const std::vector<CPostalCandidate> expected = {
      {"1000000", "東京都", "千代田区", "", "", ""},
      {"1000004", "東京都", "千代田区", "大手町", "", ""},
      {"1006890", "東京都", "千代田区", "大手町ＪＡビル", "", ""},
      {"1006801", "東京都", "千代田区", "大手町ＪＡビル", "１階", ""},
      {"1000301", "東京都", "利島村", "", "", ""},
      {"0600042", "北海道", "札幌市中央区", "大通西", "１～１９丁目", ""},
      {"0482402", "北海道", "余市郡仁木町", "大江", "", ""},
      {"9960301", "山形県", "最上郡大蔵村", "", "", ""},
      {"5220317", "滋賀県", "犬上郡多賀町", "一円", "", ""},
  };
  EXPECT_EQ(read.records, expected);
  EXPECT_EQ(read.skippedLines, 0u);
}

TEST(JapanPostCsvTest, TownNameSpreadOverRecordsIsJoinedOnce) {
  const CPostalReadResult read = ReadKenAll(Cp932({
      KenAllLine("0640941", "北海道", "札幌市中央区", "旭ケ丘（１～５丁目、", "1,0,1,0,0,0"),
      KenAllLine("0640941", "北海道", "札幌市中央区", "６丁目１～１０番）", "1,0,1,0,0,0"),
      KenAllLine("0640942", "北海道", "札幌市中央区", "伏見", "0,0,1,0,0,0"),
  }));
  ASSERT_EQ(read.records.size(), 2u);
  EXPECT_EQ(read.records[0], (CPostalCandidate{"0640941", "北海道", "札幌市中央区", "旭ケ丘",
                                               "１～５丁目、６丁目１～１０番", ""}));
  EXPECT_EQ(read.records[1].town, "伏見");
}

TEST(JapanPostCsvTest, UnclosedTownStopsAtTheNextCode) {
  const CPostalReadResult read = ReadKenAll(Cp932({
      KenAllLine("0640941", "北海道", "札幌市中央区", "旭ケ丘（１～５丁目、"),
      KenAllLine("0640942", "北海道", "札幌市中央区", "伏見"),
  }));
  ASSERT_EQ(read.records.size(), 2u);
  EXPECT_EQ(read.records[0].town, "旭ケ丘");
  EXPECT_EQ(read.records[1].town, "伏見");
}

TEST(JapanPostCsvTest, OneCodeInTwoPrefecturesGivesBothAddresses) {
  const CPostalReadResult read = ReadKenAll(Cp932({
      KenAllLine("4980000", "愛知県", "弥富市", "以下に掲載がない場合"),
      KenAllLine("4980000", "三重県", "桑名郡木曽岬町", "以下に掲載がない場合"),
  }));
  ASSERT_EQ(read.records.size(), 2u);
  EXPECT_EQ(read.records[0].prefecture, "愛知県");
  EXPECT_EQ(read.records[1].prefecture, "三重県");
  EXPECT_EQ(read.records[1].city, "桑名郡木曽岬町");
}

TEST(JapanPostCsvTest, LinesWithoutARecordAreSkippedAndCounted) {
  const CPostalReadResult read = ReadKenAll(Cp932({
      "13101,\"100  \",\"1000001\",\"ﾄｳｷｮｳﾄ\"\r\n",                     // too few columns
      KenAllLine("100001", "東京都", "千代田区", "千代田"),                // six digits
      KenAllLine("1000001", "東京府", "千代田区", "千代田"),               // no such prefecture
      KenAllLine("1000001", "東京都", "千代田区", "千代田"),
  }));
  ASSERT_EQ(read.records.size(), 1u);
  EXPECT_EQ(read.skippedLines, 3u);
}

TEST(JapanPostCsvTest, JigyosyoRecordsCarryTheCompanyAndBlock) {
  const CPostalReadResult read = ReadJigyosyo(Cp932({
      "13101,\"ｶﾌﾞｼｷｶﾞｲｼｬ ｶｽﾐｶﾞｾｷ\",\"株式会社霞が関\",\"東京都\",\"千代田区\",\"霞が関\",\"３丁目３－２\","
      "\"1008979\",\"100  \",\"銀座\",0,0,0\r\n",
      "13101,\"ｶﾌﾞｼｷｶﾞｲｼｬ\",\"社名だけ\",\"東京都\"\r\n",
  }));
  ASSERT_EQ(read.records.size(), 1u);
  EXPECT_EQ(read.records[0], (CPostalCandidate{"1008979", "東京都", "千代田区", "霞が関", "３丁目３－２",
                                               "株式会社霞が関"}));
  EXPECT_EQ(read.skippedLines, 1u);
}

TEST(ZipDataReaderTest, EntriesWithABlockAreBusinessReceivers) {
  CZipDataResult data;
  std::string error;
  ASSERT_TRUE(ReadZipData(
      "zipdata({\"1000001\":[13,\"千代田区\",\"千代田\"],\"1008979\":[13,\"千代田区\",\"霞が関\",\"３丁目３－２\"],"
      "\"0600000\":[1,\"\\u672d\\u5e4c\\u5e02\\u4e2d\\u592e\\u533a\",\"\"]});\n",
      data, error))
      << error;
  ASSERT_EQ(data.ordinary.size(), 2u);
  EXPECT_EQ(data.ordinary[0], (CPostalCandidate{"1000001", "東京都", "千代田区", "千代田", "", ""}));
  EXPECT_EQ(data.ordinary[1], (CPostalCandidate{"0600000", "北海道", "札幌市中央区", "", "", ""}));
  ASSERT_EQ(data.business.size(), 1u);
  EXPECT_EQ(data.business[0].block, "３丁目３－２");
}

TEST(ZipDataReaderTest, DamagedDataIsRefusedWholeWithTheReason) {
  for (const char* bad : {"zipdata({\"1000001\":[13,\"千代田区\",\"千代田\"]", "zipdata({\"100\":[13,\"a\",\"b\"]});",
                          "zipdata({\"1000001\":[48,\"a\",\"b\"]});", "zipdata({\"1000001\":[13,\"a\"]});",
                          "zipdata({}); trailing"}) {
    CZipDataResult data;
    std::string error;
    EXPECT_FALSE(ReadZipData(bad, data, error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
    EXPECT_TRUE(data.ordinary.empty() && data.business.empty()) << bad;
  }
}

}  // namespace
}  // namespace lookup
