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

TEST(Width, DigitsBecomeKanjiNumerals) {
  EXPECT_EQ(DigitsToKanji("123-4567"), "一二三-四五六七");
  EXPECT_EQ(DigitsToKanji("０９0"), "〇九〇");
}

}  // namespace
}  // namespace text
