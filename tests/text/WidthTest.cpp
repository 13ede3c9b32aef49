#include "text/Width.h"

#include <gtest/gtest.h>

namespace text {
namespace {

TEST(Width, DigitsChangeWidthBothWays) {
  EXPECT_EQ(FullWidthDigitsToAscii("〒１２３－４５６7"), "〒123－4567");
  EXPECT_EQ(AsciiDigitsToFullWidth("TEL 03-1234"), "TEL ０３-１２３４");
}

TEST(Width, HalfKanaMergesVoicedAndSemiVoicedMarks) {
  EXPECT_EQ(HalfKanaToFullWidth("ｺﾞｰﾙﾄﾞ"), "ゴールド");
  EXPECT_EQ(HalfKanaToFullWidth("ｼﾙﾊﾞｰ ﾌﾞﾗｯｸ"), "シルバー ブラック");
  EXPECT_EQ(HalfKanaToFullWidth("ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"), "パピプペポ");
  EXPECT_EQ(HalfKanaToFullWidth("ｳﾞｧｲｵﾘﾝ"), "ヴァイオリン");
  EXPECT_EQ(HalfKanaToFullWidth("｢ｱ｣､｡･"), "「ア」、。・");
}

TEST(Width, MarksThatCannotMergeStandAlone) {
  EXPECT_EQ(HalfKanaToFullWidth("ｱﾞ"), "ア゛");
  EXPECT_EQ(HalfKanaToFullWidth("ｶﾟ"), "カ゜");
  EXPECT_EQ(HalfKanaToFullWidth("ﾞ"), "゛");
  EXPECT_EQ(HalfKanaToFullWidth("ｯﾞ"), "ッ゛");
  EXPECT_EQ(HalfKanaToFullWidth("abcｶ"), "abcカ");
}

TEST(Width, ReadingsBecomeHalfWidthKatakana) {
  EXPECT_EQ(ToHalfWidthKatakana("やまだ　たろう"), "ﾔﾏﾀﾞ ﾀﾛｳ");
  EXPECT_EQ(ToHalfWidthKatakana("ヤマダデザイン"), "ﾔﾏﾀﾞﾃﾞｻﾞｲﾝ");
  EXPECT_EQ(ToHalfWidthKatakana("ぱぴぷぺぽ バビブベボ"), "ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ ﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ");
  EXPECT_EQ(ToHalfWidthKatakana("ヴァイオリン、ゔぁ。ヷヺ"), "ｳﾞｧｲｵﾘﾝ､ｳﾞｧ｡ﾜﾞｦﾞ");
  EXPECT_EQ(ToHalfWidthKatakana("きっちょう・ゆーこ「ぢづ」"), "ｷｯﾁｮｳ･ﾕｰｺ｢ﾁﾞﾂﾞ｣");
  EXPECT_EQ(ToHalfWidthKatakana("ｶﾞｰﾃﾞﾝ"), "ｶﾞｰﾃﾞﾝ") << "already half width";
  // No half-width form: kept as full-width katakana; anything not kana is kept as it is.
  EXPECT_EQ(ToHalfWidthKatakana("ヶ丘ゐヵ"), "ヶ丘ヰヵ");
  EXPECT_EQ(ToHalfWidthKatakana("ABC 123 株式会社"), "ABC 123 株式会社");
  // Half width reads back to what was typed, in katakana.
  EXPECT_EQ(HalfKanaToFullWidth(ToHalfWidthKatakana("がっこう　ぽすと")), "ガッコウ ポスト");
}

TEST(Width, KanaOnlyIsTheCompositionBeforeConversion) {
  EXPECT_TRUE(IsKanaOnly("やまだ"));
  EXPECT_TRUE(IsKanaOnly("ヤマダ　タロウ"));
  EXPECT_TRUE(IsKanaOnly("ﾔﾏﾀﾞ"));
  EXPECT_TRUE(IsKanaOnly("すずきー"));
  EXPECT_FALSE(IsKanaOnly("やまd")) << "a letter still being typed";
  EXPECT_FALSE(IsKanaOnly("山田"));
  EXPECT_FALSE(IsKanaOnly(""));
}

TEST(Width, DigitsBecomeKanjiNumerals) {
  EXPECT_EQ(DigitsToKanji("123-4567"), "一二三-四五六七");
  EXPECT_EQ(DigitsToKanji("０９0"), "〇九〇");
}

TEST(Width, LettersBecomeFullWidth) {
  EXPECT_EQ(AsciiLettersToFullWidth("Az-09 ﾋﾞﾙ"), "Ａｚ-09 ﾋﾞﾙ");
  EXPECT_EQ(AsciiLettersToFullWidth("@[`{"), "@[`{") << "the neighbours of the letters stay";
}

TEST(Width, SpacingMarksMergeOnlyIntoKanaThatTakeThem) {
  struct Case {
    const char* in;
    const char* out;
  };
  for (const Case& c : {Case{"カ゛キ゛ト゛ハ゛ホ゛", "ガギドバボ"}, Case{"ハ゜ヒ゜ホ゜", "パピポ"},
                        Case{"ウ゛ァ", "ヴァ"}, Case{"ア゛カ゜ッ゛", "ア゛カ゜ッ゛"},
                        Case{"ガ゛パ゜", "ガ゛パ゜"}, Case{"゛カ", "゛カ"}, Case{"か゛", "か゛"},
                        Case{"カ゛゛", "ガ゛"}}) {
    EXPECT_EQ(MergeVoicingMarks(c.in), c.out) << c.in;
  }
}

}  // namespace
}  // namespace text
