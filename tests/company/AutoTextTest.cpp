// The auto-text files the printing side reads: their bytes, the number and address forms, and
// the sixteen files of a known company.
#include "company/AutoText.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "company/CJishaInfoDlg.h"
#include "platform/FileFaults.h"
#include "platform/TempFolder.h"
#include "settings/SettingsTestSupport.h"
#include "text/Utf8.h"

namespace company {
namespace {

using settings::test::Sjis;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

// A file holding text: its one-byte length prefix and its CP932 bytes.
std::string Auto(std::string_view utf8) {
  const std::string bytes = Sjis(utf8);
  return std::string(1, static_cast<char>(bytes.size())) + bytes;
}

std::vector<std::string> Characters(std::string_view utf8) {
  std::vector<std::string> out;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t start = pos;
    text::NextCodePoint(utf8, pos);
    out.emplace_back(utf8.substr(start, pos - start));
  }
  return out;
}

TEST(AutoText, NumberFormsGoOneCharacterAtATime) {
  struct Case {
    const char* in;
    const char* vertical;
    const char* fullWidth;
  };
  for (const Case& c : {Case{"123-4567", "一二三-四五六七", "１２３－４５６７"},
                        Case{"0", "〇", "０"},
                        Case{"", "", ""},
                        Case{"03-1234-5678", "〇三-一二三四-五六七八", "０３－１２３４－５６７８"},
                        Case{"9(8)", "九〇八〇", "９０８０"}}) {
    EXPECT_EQ(VerticalNumber(c.in), c.vertical) << c.in;
    EXPECT_EQ(FullWidthNumber(c.in), c.fullWidth) << c.in;
  }
}

TEST(AutoText, TheVerticalAddressIsFullWidthWithKanjiNumeralsAndMergedMarks) {
  struct Case {
    const char* in;
    const char* out;
  };
  for (const Case& c : {Case{"港区芝公園4－2－8", "港区芝公園四-二-八"},
                        Case{"１２丁目3番", "一二丁目三番"},
                        Case{"ｻｸﾗﾋﾞﾙ5F", "サクラビル五Ｆ"},
                        Case{"ﾊﾟｰｸﾀﾜｰ", "パークタワー"},
                        Case{"ハ゜レス カ゛ーデン", "パレス ガーデン"} /* typed marks merge too */,
                        Case{"ｶ゛", "ガ"} /* half-width kana, full-width mark */,
                        Case{"ｱﾞ", "ア゛"} /* a mark nothing takes stays */,
                        Case{"abc-XYZ", "ａｂｃ-ＸＹＺ"}}) {
    EXPECT_EQ(VerticalAddress(c.in), c.out) << c.in;
  }
}

TEST(AutoText, AFileIsOneArchiveStringAndNothingElse) {
  testing_support::TempFolder folder;
  EXPECT_EQ(EncodeAutoText(""), std::string(1, '\0'));
  EXPECT_EQ(EncodeAutoText("D"), "\x01" "D");
  const std::string longText(300, 'a');
  EXPECT_EQ(EncodeAutoText(longText).substr(0, 3), "\xFF\x2C\x01");
  std::string error;
  ASSERT_TRUE(WriteAutoTexts(folder.Path(), {{"COM.AUT", "株式会社"}, {"X.AUT", longText}}, error)) << error;
  EXPECT_EQ(ReadBytes(folder / "COM.AUT"), Auto("株式会社"));
  EXPECT_EQ(ReadAutoText(folder.Path(), "COM.AUT"), "株式会社");
  EXPECT_EQ(ReadAutoText(folder.Path(), "X.AUT"), longText);
  // Missing, cut short or followed by more: no value, never part of one.
  EXPECT_EQ(ReadAutoText(folder.Path(), "NONE.AUT"), std::nullopt);
  WriteBytes(folder / "CUT.AUT", "\x05" "ab");
  EXPECT_EQ(ReadAutoText(folder.Path(), "CUT.AUT"), std::nullopt);
  WriteBytes(folder / "MORE.AUT", "\x01" "ab");
  EXPECT_EQ(ReadAutoText(folder.Path(), "MORE.AUT"), std::nullopt);
}

class KnownCompany : public ::testing::Test {
 protected:
  static JishaValues Values() {
    return {"Sakura Design Co., Ltd.", "営業部", "山田 太郎", "123-4567", "東京都港区芝公園4－2－8 ｻｸﾗﾋﾞﾙ5F",
            "03-1234-5678", "03-1234-5679", "みずほ銀行 本店 普通 1234567", "暮らしに彩りを"};
  }
};

TEST_F(KnownCompany, TheSixteenFilesHoldExactlyTheseBytes) {
  testing_support::TempFolder folder;
  std::string error;
  ASSERT_TRUE(WriteAutoTexts(folder.Path(), JishaAutoTexts(Values()), error)) << error;
  const std::pair<const char*, std::string> expected[] = {
      {"COM.AUT", Auto("Sakura Design Co., Ltd.")},
      {"BUSYO.AUT", Auto("営業部")},
      {"NAME.AUT", Auto("山田 太郎")},
      {"ZIPHIFN.AUT", "\x08" "123-4567"},
      {"ADD.AUT", Auto("東京都港区芝公園4－2－8 ｻｸﾗﾋﾞﾙ5F")},
      {"TEL.AUT", "\x0C" "03-1234-5678"},
      {"FAX.AUT", "\x0C" "03-1234-5679"},
      {"KOUZA.AUT", Auto("みずほ銀行 本店 普通 1234567")},
      {"CATCH.AUT", Auto("暮らしに彩りを")},
      // 一二三-四五六七, spelled out in CP932.
      {"TATEZIP.AUT", std::string("\x0F\x88\xEA\x93\xF1\x8E\x4F\x2D\x8E\x6C\x8C\xDC\x98\x5A\x8E\xB5", 16)},
      {"ZIP.AUT", "\x07" "1234567"},
      {"ZENZIP.AUT", Auto("１２３４５６７")},
      {"TATEADD.AUT", Auto("東京都港区芝公園四-二-八 サクラビル五Ｆ")},
      {"TATETEL.AUT", Auto("〇三-一二三四-五六七八")},
      {"TELNOHIFN.AUT", "\x0A" "0312345678"},
      {"TATEFAX.AUT", Auto("〇三-一二三四-五六七九")},
  };
  for (const auto& [name, bytes] : expected) EXPECT_EQ(ReadBytes(folder / name), bytes) << name;
  EXPECT_EQ(folder.Names().size(), std::size(expected));
}

TEST_F(KnownCompany, TheVerticalFilesReadBackCharacterByCharacter) {
  testing_support::TempFolder folder;
  std::string error;
  ASSERT_TRUE(WriteAutoTexts(folder.Path(), JishaAutoTexts(Values()), error)) << error;
  const std::pair<const char*, std::vector<std::string>> expected[] = {
      {"TATEZIP.AUT", {"一", "二", "三", "-", "四", "五", "六", "七"}},
      {"TATETEL.AUT", {"〇", "三", "-", "一", "二", "三", "四", "-", "五", "六", "七", "八"}},
      {"TATEFAX.AUT", {"〇", "三", "-", "一", "二", "三", "四", "-", "五", "六", "七", "九"}},
      {"TATEADD.AUT", {"東", "京", "都", "港", "区", "芝", "公", "園", "四", "-", "二", "-", "八", " ", "サ", "ク", "ラ",
                       "ビ", "ル", "五", "Ｆ"}},
  };
  for (const auto& [name, characters] : expected) {
    const auto read = ReadAutoText(folder.Path(), name);
    ASSERT_TRUE(read) << name;
    EXPECT_EQ(Characters(*read), characters) << name;
  }
}

TEST_F(KnownCompany, EmptyNumbersGiveEmptyFiles) {
  JishaValues values = Values();
  values[3] = values[5] = values[6] = "";
  for (const auto& [name, text] : JishaAutoTexts(values)) {
    if (std::string_view(name).find("ZIP") != std::string_view::npos || name.find("TEL") != std::string::npos ||
        name.find("FAX") != std::string::npos) {
      EXPECT_EQ(text, "") << name;
    }
  }
}

}  // namespace
}  // namespace company
