// The user's lists: recently used forms, original forms and the custom tree, each checked
// through what a fresh catalogue object reads back from the file.

#include "lumaro/LumaroTestSupport.h"

namespace lumaro::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LumaroListsTest : public LumaroTest {
 protected:
  void SetUp() override {
    auto base = Layout(1001, "宛名ラベル 12面");
    base->PaperCodes = "ELM008";
    base->Sheet = "paper=A4;orient=P;nx=2;ny=6";
    base->FormGenre = CLayoutInfo::kGenreAddressLabel;
    base->ExcelName = "label.xlsx";
    WriteCatalogue({Path("宛名印刷", "シール", "ヒサゴ", {base, Layout(1002)})});
  }

  // The layout IDs of the recent entries as the file holds them, most recent first.
  std::vector<std::int32_t> RecentIDs() {
    CLumaro reader = Make();
    EXPECT_EQ(reader.ReadRecent(), 1);
    std::vector<std::int32_t> ids;
    for (const auto& path : reader.GetRecentData()) ids.push_back(path->Children[0]->Children[0]->Children[0]->LayoutID);
    return ids;
  }

  CLumaro::LayoutList Originals() {
    CLumaro reader = Make();
    EXPECT_EQ(reader.ReadPickUp(), 1);
    return reader.GetPickUpData();
  }

  CLumaro::DaiList CustomTree() {
    CLumaro reader = Make();
    EXPECT_EQ(reader.ReadCustom(), 1);
    return reader.GetCustomData();
  }
};

TEST_F(LumaroListsTest, EleventhRecentFormDropsTheOldest) {
  CLumaro lumaro = Make();
  for (std::int32_t id = 1; id <= 11; ++id) ASSERT_EQ(lumaro.SetRecent(*Layout(id)), 1);
  EXPECT_THAT(RecentIDs(), ElementsAre(11, 10, 9, 8, 7, 6, 5, 4, 3, 2));
}

TEST_F(LumaroListsTest, RecentFormAlreadyListedMovesToTheFrontWithoutGrowing) {
  CLumaro lumaro = Make();
  ASSERT_EQ(lumaro.SetRecent(*Layout(1)), 1);
  ASSERT_EQ(lumaro.SetRecent(Path("宛名印刷", "シール", "ヒサゴ", {Layout(2)})), 1);
  ASSERT_EQ(lumaro.SetRecent(*Layout(3)), 1);
  ASSERT_EQ(lumaro.SetRecent(Path("宛名印刷", "シール", "ヒサゴ", {Layout(1)})), 1);
  EXPECT_THAT(RecentIDs(), ElementsAre(1, 3, 2));

  // The entry kept is the first one: a single layout set as a "ﾋﾟｯｸｱｯﾌﾟ" path.
  CLumaro reader = Make();
  ASSERT_EQ(reader.ReadRecent(), 1);
  const CDaiBunrui& first = *reader.GetRecentData()[0];
  EXPECT_EQ(first.Name, "ﾋﾟｯｸｱｯﾌﾟ");
  EXPECT_EQ(first.Children[0]->Name, "");
  EXPECT_EQ(first.Children[0]->Children[0]->Name, "");
  EXPECT_EQ(reader.GetRecentData()[2]->Name, "宛名印刷");

  ASSERT_EQ(lumaro.ResetRecent(2), 1);
  EXPECT_THAT(RecentIDs(), ElementsAre(2, 1, 3));
  EXPECT_EQ(lumaro.ResetRecent(3), 0);
  EXPECT_EQ(lumaro.ResetRecent(-1), 0);
  ASSERT_EQ(lumaro.DelRecent(1), 1);
  EXPECT_EQ(lumaro.DelRecent(1), 0);
  EXPECT_THAT(RecentIDs(), ElementsAre(2, 3));
}

TEST_F(LumaroListsTest, RecentPathWithoutALayoutIsRefused) {
  CLumaro lumaro = Make();
  EXPECT_EQ(lumaro.SetRecent(std::shared_ptr<CDaiBunrui>()), 0);
  EXPECT_EQ(lumaro.SetRecent(std::make_shared<CDaiBunrui>("宛名印刷")), 0);
  EXPECT_EQ(lumaro.SetRecent(Path("宛名印刷", "シール", "ヒサゴ", {})), 0);
  EXPECT_FALSE(std::filesystem::exists(lumaro.RecentFile()));
}

TEST_F(LumaroListsTest, OriginalFormCopiesItsBaseAndReplacesOneOfTheSameID) {
  CLumaro lumaro = Make();
  ASSERT_EQ(lumaro.SetPickUp("お客様ラベル", 1001, 40001), 1);
  ASSERT_EQ(lumaro.SetPickUp("二枚目", 1002, 40002), 1);
  ASSERT_EQ(lumaro.SetPickUp("改名", 1001, 40001), 1);

  const CLumaro::LayoutList originals = Originals();
  ASSERT_EQ(originals.size(), 2u);
  const CLayoutInfo& original = *originals[0];
  EXPECT_EQ(original.Title, "改名");
  EXPECT_EQ(original.LayoutID, 40001);
  EXPECT_EQ(original.MotoLayoutID, 1001);
  EXPECT_EQ(original.PaperCodes, "ELM008");
  EXPECT_EQ(original.Sheet, "paper=A4;orient=P;nx=2;ny=6");
  EXPECT_EQ(original.FormGenre, CLayoutInfo::kGenreAddressLabel);
  EXPECT_EQ(lumaro.GetLayoutTitle(40002), "二枚目");
  EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(LumaroListsTest, OriginalFormNeedsABaseAndAnIDOfTheOriginalRange) {
  CLumaro lumaro = Make();
  EXPECT_EQ(lumaro.SetPickUp("なし", 9999, 40001), 0);
  EXPECT_THAT(Messages(), ElementsAre("オリジナルフォームのもとになるデータが見つかりません"));
  EXPECT_EQ(lumaro.SetPickUp("範囲外", 1001, 39999), 0);
  EXPECT_THAT(Originals(), IsEmpty());
}

TEST_F(LumaroListsTest, DeletingAnOriginalFormRemovesItsRecentEntry) {
  CLumaro lumaro = Make();
  ASSERT_EQ(lumaro.SetPickUp("お客様ラベル", 1001, 40001), 1);
  ASSERT_EQ(lumaro.SetPickUp("二枚目", 1001, 40002), 1);
  ASSERT_EQ(lumaro.SetRecent(*lumaro.GetLayoutInfo(40001)), 1);
  ASSERT_EQ(lumaro.SetRecent(*lumaro.GetLayoutInfo(1002)), 1);

  EXPECT_EQ(lumaro.DelPickUp(40001, 0), 1);
  EXPECT_EQ(lumaro.DelPickUp(40001, 0), 0);
  ASSERT_EQ(Originals().size(), 1u);
  EXPECT_EQ(Originals()[0]->LayoutID, 40002);
  EXPECT_THAT(RecentIDs(), ElementsAre(1002));
  // An original never used recently is deleted all the same.
  EXPECT_EQ(lumaro.DelPickUp(40002), 1);
  EXPECT_THAT(Originals(), IsEmpty());
}

TEST_F(LumaroListsTest, UpdateFormGenreRefreshesOrClearsFromTheBaseLayout) {
  CLumaro lumaro = Make();
  ASSERT_EQ(lumaro.SetPickUp("お客様ラベル", 1001, 40001), 1);
  ASSERT_EQ(lumaro.SetPickUp("二枚目", 1001, 40002), 1);
  auto changed = Layout(1001);
  changed->FormGenre = CLayoutInfo::kGenreLetter;
  changed->ExcelName = "letter.xlsx";
  WriteCatalogue({Path("宛名印刷", "シール", "ヒサゴ", {changed})});

  ASSERT_EQ(lumaro.UpdateFormGenre({40001, 49999}, 1), 1);
  EXPECT_EQ(lumaro.GetFormGenre(40001), CLayoutInfo::kGenreLetter);
  EXPECT_EQ(lumaro.GetExcelName(40001), "letter.xlsx");
  EXPECT_EQ(lumaro.GetFormGenre(40002), CLayoutInfo::kGenreAddressLabel);

  ASSERT_EQ(lumaro.UpdateFormGenre({40002}, 0), 1);
  EXPECT_EQ(lumaro.GetFormGenre(40002), 0);
  EXPECT_EQ(lumaro.GetExcelName(40002), "label.xlsx");
}

TEST_F(LumaroListsTest, CustomPathsMergeUnderTheirTopCategory) {
  CLumaro lumaro = Make();
  ASSERT_EQ(lumaro.SetCustom(Path("自作", "はがき", "手作り", {Layout(9001)})), 1);
  ASSERT_EQ(lumaro.SetCustom(Path("自作", "はがき", "手作り", {Layout(9002)})), 1);
  ASSERT_EQ(lumaro.SetCustom(Path("自作", "封筒", "手作り", {Layout(9003)})), 1);
  ASSERT_EQ(lumaro.SetCustom(Path("別", "封筒", "手作り", {Layout(9004)})), 1);

  const CLumaro::DaiList tree = CustomTree();
  ASSERT_EQ(tree.size(), 2u);
  EXPECT_EQ(tree[0]->Children.size(), 2u);
  EXPECT_THAT(IDs(tree), ElementsAre(9001, 9002, 9003, 9004));

  std::vector<std::int32_t> all;
  for (const auto& layout : lumaro.GetAllCustomLayout()) all.push_back(layout->LayoutID);
  EXPECT_THAT(all, ElementsAre(9001, 9002, 9003, 9004));
}

TEST_F(LumaroListsTest, RemovingTheLastCustomLayoutRemovesTheEmptiedCategoriesUpToTheTop) {
  CLumaro lumaro = Make();
  ASSERT_EQ(lumaro.SetCustom(Path("自作", "はがき", "手作り", {Layout(9001), Layout(9002)})), 1);
  ASSERT_EQ(lumaro.SetCustom(Path("自作", "封筒", "手作り", {Layout(9003)})), 1);

  ASSERT_EQ(lumaro.DelCustom(9003), 1);
  ASSERT_EQ(CustomTree().size(), 1u);
  EXPECT_EQ(CustomTree()[0]->Children.size(), 1u);  // 封筒 went with its last layout
  ASSERT_EQ(lumaro.DelCustom(9001), 1);
  EXPECT_THAT(IDs(CustomTree()), ElementsAre(9002));
  ASSERT_EQ(lumaro.DelCustom(9002), 1);
  EXPECT_THAT(CustomTree(), IsEmpty());
  EXPECT_TRUE(lumaro.GetAllCustomLayout().empty());
  EXPECT_EQ(lumaro.DelCustom(9002), 1);  // not there: the file is written all the same
}

}  // namespace
}  // namespace lumaro::test
