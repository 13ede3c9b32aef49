// Layout lookups: which list an ID is looked up in, what an unknown ID gives, category names and
// the address-printing test.

#include "lumaro/LumaroTestSupport.h"

namespace lumaro::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LumaroLookupTest : public LumaroTest {
 protected:
  void SetUp() override {
    auto label = Layout(1001, "宛名ラベル 12面");
    label->PaperCodes = "ELM008";
    label->FormGenre = CLayoutInfo::kGenreAddressLabel;
    auto card = Layout(5001, "顧客カード");
    card->FormGenre = CLayoutInfo::kGenreCardHistory;
    card->Renzoku = 1;
    card->ExcelName = "card.xlsx";
    auto sticker = Path("宛名印刷", "シール", "ヒサゴ", {label, Layout(39999, "catalogue 39999")});
    sticker->Add(std::make_shared<CChuBunrui>("名札")).Add(std::make_shared<CShoBunrui>("ヒサゴ")).Add(Layout(1100));
    WriteCatalogue({sticker, Path("顧客管理帳票", "顧客カード", "標準", {card, Layout(40000, "catalogue 40000")})});

    CLumaro lists = Make();
    lists.GetPickUpData() = {Layout(39999, "original 39999"), Layout(40000, "original 40000")};
    lists.GetPickUpData()[1]->MotoLayoutID = 5001;
    ASSERT_EQ(lists.WritePickUp(), 1);
    lists.GetCustomData() = {Path("宛名印刷", "はがき", "自作", {Layout(5001, "custom 5001"), Layout(9001, "custom 9001")})};
    ASSERT_EQ(lists.WriteCustom(), 1);
  }
};

TEST_F(LumaroLookupTest, IDsFrom40000AreOriginalFormsAndBelowAreCatalogueForms) {
  CLumaro lumaro = Make();
  EXPECT_EQ(lumaro.GetLayoutTitle(40000), "original 40000");
  EXPECT_EQ(lumaro.GetLayoutTitle(39999), "catalogue 39999");
  EXPECT_EQ(lumaro.GetMotoLayoutID(40000), 5001);
  EXPECT_EQ(lumaro.GetMotoLayoutID(39999), 0);
  EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(LumaroLookupTest, CatalogueIsSearchedBeforeTheCustomTree) {
  CLumaro lumaro = Make();
  EXPECT_EQ(lumaro.GetLayoutTitle(5001), "顧客カード");
  EXPECT_EQ(lumaro.GetLayoutTitle(9001), "custom 9001");
  EXPECT_EQ(lumaro.GetShoBunruiName(9001), "自作");
}

TEST_F(LumaroLookupTest, KnownLayoutsGiveTheirFieldsAndUnknownOnesNothing) {
  CLumaro lumaro = Make();
  EXPECT_EQ(lumaro.IsRenzoku(5001), 1);
  EXPECT_EQ(lumaro.GetFormGenre(5001), CLayoutInfo::kGenreCardHistory);
  EXPECT_EQ(lumaro.GetExcelName(5001), "card.xlsx");
  EXPECT_EQ(lumaro.bExistTaiouPaper(1001), 1);
  EXPECT_EQ(lumaro.bExistTaiouPaper(5001), 0);

  for (const std::int32_t unknown : {12345, 40001, 0, -1}) {
    EXPECT_EQ(lumaro.IsRenzoku(unknown), -1) << unknown;
    EXPECT_EQ(lumaro.GetFormGenre(unknown), -1) << unknown;
    EXPECT_EQ(lumaro.bExistTaiouPaper(unknown), 0) << unknown;
    EXPECT_EQ(lumaro.GetLayoutTitle(unknown), "") << unknown;
    EXPECT_EQ(lumaro.GetLayoutInfo(unknown), nullptr) << unknown;
  }
  EXPECT_EQ(lumaro.GetMotoLayoutID(40001), 0);
  EXPECT_THAT(Messages(), IsEmpty());
}

TEST_F(LumaroLookupTest, CategoryNamesAreThoseHoldingTheLayout) {
  CLumaro lumaro = Make();
  EXPECT_EQ(lumaro.GetDaiBunruiName(1100), "宛名印刷");
  EXPECT_EQ(lumaro.GetChuBunruiName(1100), "名札");
  EXPECT_EQ(lumaro.GetShoBunruiName(1100), "ヒサゴ");
  EXPECT_EQ(lumaro.GetChuBunruiName(12345), "");
  EXPECT_THAT(Messages(), IsEmpty());

  EXPECT_EQ(lumaro.GetDaiBunruiName(40000), "");
  EXPECT_THAT(Messages(), ElementsAre("IDが不正です"));
}

TEST_F(LumaroLookupTest, OnlyCatalogueAddressMediaAreAddressPrinting) {
  CLumaro lumaro = Make();
  EXPECT_EQ(lumaro.IsAtenaTack(1001), 1);  // 宛名印刷 / シール
  EXPECT_EQ(lumaro.IsAtenaTack(1100), 0);  // 宛名印刷 / 名札
  EXPECT_EQ(lumaro.IsAtenaTack(5001), 0);  // 顧客管理帳票
  EXPECT_EQ(lumaro.IsAtenaTack(9001), 0);  // custom, though under 宛名印刷 / はがき
  EXPECT_EQ(lumaro.IsAtenaTack(40000), 0);
}

TEST_F(LumaroLookupTest, EveryQueryReadsTheFilesAfresh) {
  CLumaro lumaro = Make();
  EXPECT_EQ(lumaro.GetLayoutTitle(1001), "宛名ラベル 12面");
  WriteCatalogue({Path("宛名印刷", "シール", "ヒサゴ", {Layout(1001, "renamed")})});
  EXPECT_EQ(lumaro.GetLayoutTitle(1001), "renamed");
}

TEST_F(LumaroLookupTest, MissingCatalogueIsReportedAndFindsNothing) {
  std::filesystem::remove(MyData() / "Lumaro.dat");
  CLumaro lumaro = Make();
  EXPECT_EQ(lumaro.GetLayoutTitle(1001), "");
  EXPECT_EQ(lumaro.IsAtenaTack(1001), 0);
  EXPECT_EQ(lumaro.ReadDataFile(), 0);
  EXPECT_THAT(Messages(), ElementsAre("メインデータファイルがありません。", "メインデータファイルがありません。",
                                      "メインデータファイルがありません。"));
  EXPECT_EQ(lumaro.GetLayoutTitle(40000), "original 40000");
}

}  // namespace
}  // namespace lumaro::test
