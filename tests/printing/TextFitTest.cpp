// Fitting text into boxes, and vertical writing set cell by cell.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "printing/FormText.h"
#include "printing/TextFit.h"
#include "text/Utf8.h"

namespace printing {
namespace {

using ::testing::ElementsAre;

// Every character one em wide: what a CJK font does for the characters these tests use.
double Cells(std::string_view s) {
  double n = 0;
  for (std::size_t pos = 0; pos < s.size();) {
    text::NextCodePoint(s, pos);
    ++n;
  }
  return n;
}

TEST(TextFit, ShrinksToTheSmallestSizeBeforeBreakingALine) {
  // Ten characters in a 40 mm box: at 5 mm an em they need 50 mm, at 4 mm they fit on one line.
  const FittedText fit = FitText("東京都千代田区千代田", 40, 20, 5, 3.5, Cells, Breaking::Address);
  ASSERT_THAT(fit.lines, ElementsAre("東京都千代田区千代田"));
  EXPECT_LE(fit.em * 10, 40.0);
  EXPECT_GE(fit.em, 3.5);
  EXPECT_FALSE(fit.clipped);
}

TEST(TextFit, BreaksBetweenTheTownAndTheBlockNeverInsideANumber) {
  struct Case {
    const char* text;
    std::vector<std::string> lines;
  } cases[] = {
      {"大阪府大阪市北区梅田２－４－９", {"大阪府大阪市北区梅田", "２－４－９"}},
      {"北海道札幌市中央区大通西１２３４５６", {"北海道札幌市中央区大通西", "１２３４５６"}},
      {"東京都港区 コーポ青山１０１", {"東京都港区", "コーポ青山１０１"}},
  };
  for (const Case& c : cases) {
    // 13 cells across at the smallest size: too narrow for the whole line.
    const FittedText fit = FitText(c.text, 13 * 2.0, 40, 2.0, 2.0, Cells, Breaking::Address);
    EXPECT_EQ(fit.lines, c.lines) << c.text;
    EXPECT_FALSE(fit.clipped) << c.text;
  }
}

TEST(TextFit, KeepsTheLinesGivenAndNeverLeavesTheBox) {
  const FittedText fit = FitText("東京都千代田区\nサンプルビル３階", 30, 8, 4, 3, Cells, Breaking::Address);
  ASSERT_EQ(fit.lines.size(), 2u);
  EXPECT_LE(fit.em * 8, 30.0);
  EXPECT_LE(fit.em * (1 + kLinePitch), 8.0 + 1e-9);
  // A number longer than the box is never split while a smaller size can hold it.
  const FittedText number = FitText("１２３４５６７８９０", 12, 3, 2, 1.5, Cells, Breaking::Address);
  EXPECT_THAT(number.lines, ElementsAre("１２３４５６７８９０"));
  EXPECT_LE(number.em * 10, 12.0 + 1e-9);
}

TEST(TextFit, ParagraphsBreakWithTheKinsokuRules) {
  const FittedText fit = FitText("あいうえお、かきくけこ。さしすせそ", 5, 100, 1, 1, Cells, Breaking::Paragraph);
  for (const std::string& line : fit.lines) {
    EXPECT_FALSE(line.starts_with("、")) << line;
    EXPECT_FALSE(line.starts_with("。")) << line;
  }
  std::string joined;
  for (const auto& l : fit.lines) joined += l;
  EXPECT_EQ(joined, "あいうえお、かきくけこ。さしすせそ");
}

TEST(VerticalText, NumbersBecomeKanjiAndHyphensBetweenThemTheVerticalBar) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"梅田2-4-9", "梅田二｜四｜九"},
      {"梅田２－４－９", "梅田二｜四｜九"},
      {"栄3ー5ー12", "栄三｜五｜一二"},
      {"ｺｰﾎﾟ101", "コーポ一〇一"},
      {"Aビル", "Ａビル"},
      {"-1", "－一"},
  };
  for (const Case& c : cases) EXPECT_EQ(ToVerticalText(c.in), c.out) << c.in;
}

TEST(VerticalText, TurnsTheLongVowelBracketsAndDashesAndMovesSmallKana) {
  struct Case {
    const char* ch;
    VerticalKind kind;
  } cases[] = {
      {"ー", VerticalKind::Turned}, {"（", VerticalKind::Turned}, {"）", VerticalKind::Turned},
      {"「", VerticalKind::Turned}, {"～", VerticalKind::Turned}, {"…", VerticalKind::Turned},
      {"－", VerticalKind::Turned}, {"ッ", VerticalKind::Small},  {"ょ", VerticalKind::Small},
      {"、", VerticalKind::Comma},  {"。", VerticalKind::Comma},  {"｜", VerticalKind::Upright},
      {"山", VerticalKind::Upright}, {"一", VerticalKind::Upright},
  };
  for (const Case& c : cases) {
    std::size_t pos = 0;
    EXPECT_EQ(VerticalKindOf(text::NextCodePoint(c.ch, pos)), c.kind) << c.ch;
  }
}

TEST(VerticalText, ColumnsRunRightToLeftAndCharactersTopToBottom) {
  const auto glyphs = SetVertical({"東京都", "ビル"}, 10, 20, 10, 50, 4, false);
  ASSERT_EQ(glyphs.size(), 5u);
  EXPECT_EQ(glyphs[0].text, "東");
  EXPECT_DOUBLE_EQ(glyphs[0].cx, 20 - 2);  // the first column at the right edge
  EXPECT_DOUBLE_EQ(glyphs[0].cy, 20 + 2);
  EXPECT_LT(glyphs[0].cy, glyphs[1].cy);
  EXPECT_LT(glyphs[1].cy, glyphs[2].cy);
  EXPECT_LT(glyphs[3].cx, glyphs[0].cx);  // the next column to its left
  EXPECT_GT(glyphs[3].cy, glyphs[0].cy);  // and a following line stands lower
  for (const auto& g : glyphs) {
    EXPECT_GE(g.cx - g.em / 2, 10 - 1e-9);
    EXPECT_LE(g.cy + g.em / 2, 70 + 1e-9);
  }
}

TEST(VerticalText, TheHonorificClosesTheNameAtItsFootAndAJointNameSharesIt) {
  VerticalAddressee a;
  a.name = "山田　太郎";
  a.joint = "花子";
  a.honorific = "様";
  const double x = 30, y = 20, w = 30, h = 110;
  const auto glyphs = SetVerticalAddressee(a, x, y, w, h, 10);
  std::vector<const PlacedGlyph*> sama, name, joint;
  for (const auto& g : glyphs) {
    EXPECT_GE(g.cx - g.em / 2, x - 1e-9);
    EXPECT_LE(g.cx + g.em / 2, x + w + 1e-9);
    EXPECT_GE(g.cy - g.em / 2, y - 1e-9);
    EXPECT_LE(g.cy + g.em / 2, y + h + 1e-9);
    if (g.text == "様") sama.push_back(&g);
  }
  ASSERT_EQ(sama.size(), 2u);
  EXPECT_DOUBLE_EQ(sama[0]->cy, sama[1]->cy);
  const auto find = [&](const char* t) {
    for (const auto& g : glyphs) {
      if (g.text == t) return &g;
    }
    return static_cast<const PlacedGlyph*>(nullptr);
  };
  ASSERT_TRUE(find("太") && find("花") && find("山"));
  EXPECT_DOUBLE_EQ(find("花")->cy, find("太")->cy);  // the given names level
  EXPECT_LT(find("花")->cx, find("太")->cx);           // the joint name to the left
  EXPECT_LT(find("山")->cy, find("太")->cy);
  EXPECT_GT(sama[0]->cy, find("郎")->cy + find("郎")->em);  // the honorific closes the name
  EXPECT_GT(sama[1]->cy, find("子")->cy + find("子")->em);

  // A name too long for the column at the largest size shrinks, and its honorific stays inside.
  a.joint.clear();
  a.name = "寿限無寿限無五劫の擦り切れ海砂利水魚";
  const auto crowded = SetVerticalAddressee(a, x, y, w, 60, 10);
  for (const auto& g : crowded) EXPECT_LE(g.cy + g.em / 2, y + 60 + 1e-9) << g.text;
}

TEST(FormText, AddressAndAddresseeFollowTheEntryType) {
  records::CKokyaku person;
  person.EntryType = 1;
  person.Name = "山田　太郎";
  person.Zip_Home = "５３０－０００１";
  person.Add1_Home = "大阪府大阪市北区";
  person.Add2_Home = "梅田2-4-9";
  person.Add3_Home = "梅田ビル3F";
  person.Add1_Office = "東京都港区";
  EXPECT_EQ(AddressText(person), "大阪府大阪市北区梅田2-4-9\n梅田ビル3F");
  EXPECT_EQ(ZipDigits(person), "5300001");
  EXPECT_EQ(ZipText(person), "〒530-0001");
  EXPECT_EQ(AddresseeText(AddresseeOf(person, {})), "山田　太郎　様");

  records::CKokyaku company = person;
  company.EntryType = 0;
  company.Name.clear();
  company.CompName = "株式会社サンプル";
  company.Section = "営業部";
  company.Zip_Office = "105-0001";
  EXPECT_EQ(AddressText(company), "東京都港区");
  EXPECT_EQ(ZipDigits(company), "1050001");
  EXPECT_EQ(AddresseeText(AddresseeOf(company, {})), "株式会社サンプル\n営業部　御中");
  company.Name = "鈴木　一郎";
  company.Suffix = "様";
  EXPECT_EQ(AddresseeText(AddresseeOf(company, {})), "株式会社サンプル\n営業部\n鈴木　一郎　様");

  // A company without an office address is written to at home.
  company.Add1_Office.clear();
  EXPECT_EQ(AddressText(company), "大阪府大阪市北区梅田2-4-9\n梅田ビル3F");

  person.Note1 = "花子";
  EXPECT_EQ(AddresseeOf(person, "Note1").joint, "花子");
}

}  // namespace
}  // namespace printing
