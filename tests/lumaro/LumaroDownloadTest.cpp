// Downloaded forms: how ReadMain merges them into the catalogue, what the index then holds, and
// that every category and layout is released once however the trees share them.

#include "lumaro/LumaroTestSupport.h"

namespace lumaro::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LumaroDownloadTest : public LumaroTest {
 protected:
  void SetUp() override {
    auto sticker = Path("宛名印刷", "シール", "ヒサゴ", {Layout(1001, "old title"), Layout(1002)});
    WriteCatalogue({sticker, Path("ビジネス文書", "見積書", "標準", {Layout(6001)})});
  }

  static std::vector<std::string> Names(const auto& categories) {
    std::vector<std::string> names;
    for (const auto& c : categories) names.push_back(c->Name);
    return names;
  }
};

TEST_F(LumaroDownloadTest, DownloadedLayoutWithACatalogueIDReplacesThatLayoutsFields) {
  auto update = Layout(1001, "new title");
  update->PaperCodes = "ELM008";
  update->FormGenre = 1;
  WriteDownloads({Path("宛名印刷", "シール", "ヒサゴ", {update})});

  CLumaro lumaro = Make();
  ASSERT_EQ(lumaro.ReadMain(), 1);
  EXPECT_THAT(IDs(lumaro.GetIndex()), ElementsAre(1001, 1002, 6001));
  const auto merged = lumaro.GetLayoutInfo(1001);
  ASSERT_NE(merged, nullptr);
  EXPECT_EQ(merged->Title, "new title");
  EXPECT_EQ(merged->PaperCodes, "ELM008");
  EXPECT_EQ(merged->FormGenre, 1);
  EXPECT_THAT(lumaro.GetDownLoadData(), IsEmpty());  // everything went into the catalogue
}

TEST_F(LumaroDownloadTest, DownloadUnderANewBottomCategoryIsAddedAsThatCategory) {
  WriteDownloads({Path("宛名印刷", "シール", "エーワン", {Layout(1500)})});

  CLumaro lumaro = Make();
  ASSERT_EQ(lumaro.ReadMain(), 1);
  const auto& sticker = *lumaro.GetIndex()[0]->Children[0];
  EXPECT_THAT(Names(sticker.Children), ElementsAre("ヒサゴ", "エーワン"));
  EXPECT_EQ(lumaro.GetShoBunruiName(1500), "エーワン");
  EXPECT_EQ(lumaro.IsAtenaTack(1500), 1);
}

TEST_F(LumaroDownloadTest, DownloadedTopCategoryOfANewNameIsNotIndexed) {
  WriteDownloads({Path("ダウンロード", "特集", "標準", {Layout(7001)})});

  CLumaro lumaro = Make();
  ASSERT_EQ(lumaro.ReadMain(), 1);
  EXPECT_THAT(Names(lumaro.GetIndex()), ElementsAre("宛名印刷", "ビジネス文書"));
  EXPECT_THAT(Names(lumaro.GetDownLoadData()), ElementsAre("ダウンロード"));
  EXPECT_EQ(lumaro.GetLayoutTitle(7001), "");
}

TEST_F(LumaroDownloadTest, NewMiddleCategoryIsSharedByBothTreesAndReleasedOnce) {
  auto download = Path("宛名印刷", "封筒", "汎用", {Layout(3001)});
  download->Add(std::make_shared<CChuBunrui>("シール")).Add(std::make_shared<CShoBunrui>("ヒサゴ")).Add(Layout(1003));
  WriteDownloads({download});

  std::vector<std::weak_ptr<void>> released;
  {
    CLumaro lumaro = Make();
    ASSERT_EQ(lumaro.ReadMain(), 1);
    const auto& top = lumaro.GetIndex()[0];
    EXPECT_THAT(Names(top->Children), ElementsAre("シール", "封筒"));
    EXPECT_THAT(IDs({top}), ElementsAre(1001, 1002, 1003, 3001));
    // The download tree keeps only what the catalogue did not have, as the very same objects.
    ASSERT_EQ(lumaro.GetDownLoadData().size(), 1u);
    ASSERT_EQ(lumaro.GetDownLoadData()[0]->Children.size(), 1u);
    EXPECT_EQ(lumaro.GetDownLoadData()[0]->Children[0], top->Children[1]);

    for (const auto& dai : lumaro.GetMainData()) {
      released.push_back(dai);
      for (const auto& chu : dai->Children) {
        released.push_back(chu);
        for (const auto& sho : chu->Children) {
          released.push_back(sho);
          for (const auto& layout : sho->Children) released.push_back(layout);
        }
      }
    }
    ASSERT_EQ(lumaro.ReadMain(), 1);  // reading again releases the first reading's objects
  }
  for (const auto& object : released) EXPECT_TRUE(object.expired());
}

TEST_F(LumaroDownloadTest, CatalogueWithMergedDownloadsIsNotWrittenBack) {
  const std::string before = testing_support::ReadBytes(MyData() / "Lumaro.dat");
  WriteDownloads({Path("宛名印刷", "シール", "ヒサゴ", {Layout(1001, "downloaded")})});

  CLumaro lumaro = Make();
  ASSERT_EQ(lumaro.ReadMain(), 1);
  ASSERT_THAT(lumaro.GetDownLoadData(), IsEmpty());
  EXPECT_EQ(lumaro.WriteMotoData(), 0);
  lumaro.ClearData();
  EXPECT_EQ(lumaro.WriteMotoData(), 0);
  lumaro.ClearMData();
  EXPECT_EQ(lumaro.WriteMotoData(), 0);  // nothing to write
  EXPECT_THAT(Messages(), ElementsAre("メインデータを作成できません", "メインデータを作成できません",
                                      "メインデータを作成できません"));
  EXPECT_EQ(testing_support::ReadBytes(MyData() / "Lumaro.dat"), before);
}

TEST_F(LumaroDownloadTest, SetDownLoadMergesByNameAndDelDownLoadKeepsEmptiedCategories) {
  CLumaro lumaro = Make();
  ASSERT_EQ(lumaro.SetDownLoad({Path("DM・案内状", "DMはがき", "標準", {Layout(4001, "first")})}), 1);
  ASSERT_EQ(lumaro.SetDownLoad({Path("DM・案内状", "DMはがき", "標準", {Layout(4001, "second"), Layout(4002)}),
                                Path("ダウンロード", "特集", "標準", {Layout(7001)})}),
            1);

  CLumaro reader = Make();
  ASSERT_EQ(reader.ReadDownLoad(), 1);
  EXPECT_THAT(Names(reader.GetDownLoadData()), ElementsAre("DM・案内状", "ダウンロード"));
  EXPECT_THAT(IDs(reader.GetDownLoadData()), ElementsAre(4001, 4002, 7001));
  EXPECT_EQ(reader.GetDownLoadData()[0]->Children[0]->Children[0]->Children[0]->Title, "second");

  EXPECT_EQ(reader.DelDownLoad(7001), 1);
  EXPECT_EQ(reader.DelDownLoad(7001), 0);
  ASSERT_EQ(reader.ReadDownLoad(), 1);
  EXPECT_THAT(Names(reader.GetDownLoadData()), ElementsAre("DM・案内状", "ダウンロード"));
  EXPECT_THAT(IDs(reader.GetDownLoadData()), ElementsAre(4001, 4002));
}

}  // namespace
}  // namespace lumaro::test
