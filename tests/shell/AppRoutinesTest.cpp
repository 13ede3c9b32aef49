#include "shell/AppRoutines.h"

#include <gtest/gtest.h>

namespace shell {
namespace {

TEST(ClassifyFolderPath, TellsOrdinaryFoldersFromRoots) {
  EXPECT_EQ(ClassifyFolderPath("/home/user/data"), 1);
  EXPECT_EQ(ClassifyFolderPath("/home/user/data/"), 2);
  EXPECT_EQ(ClassifyFolderPath("D:\\Data"), 1);
  EXPECT_EQ(ClassifyFolderPath("D:\\Data\\"), 2);
  EXPECT_EQ(ClassifyFolderPath("D:"), 3);
  EXPECT_EQ(ClassifyFolderPath("a"), 3);
  EXPECT_EQ(ClassifyFolderPath("D:\\"), 4);
  EXPECT_EQ(ClassifyFolderPath("\\"), 4);
  EXPECT_EQ(ClassifyFolderPath("/"), 4);
  EXPECT_EQ(ClassifyFolderPath("/データ表"), 1);  // 表 ends in 5C in CP932 but is no separator
  EXPECT_EQ(WithoutFinalSeparator("D:\\Data\\"), "D:\\Data");
  EXPECT_EQ(WithoutFinalSeparator("D:\\"), "D:");
  EXPECT_EQ(WithoutFinalSeparator("/data"), "/data");
}

TEST(ListDataFiles, OnlyModesOneAndTwoListTheFiles) {
  std::vector<std::string> list{"stale"};
  ListDataFiles(1, list);
  EXPECT_EQ(list, (std::vector<std::string>{"ZQQMV.qmv", "QMVColSet.sys", "QMVDispCol.sys", "RirekiType.dat",
                                            "RirekiWord.dat", "DMType.dat", "KImportant.dat", "KRank1.dat",
                                            "KRank2.dat", "KPayMeth.dat", "KCompType.dat", "Tantou.dat",
                                            "QMVExtract.sys", "DefKokyaku.dat", "DefOrder.dat"}));
  ListDataFiles(2, list);
  EXPECT_EQ(list.size(), 15u);
  ListDataFiles(3, list);
  EXPECT_TRUE(list.empty());
}

TEST(CreateUIFont, AppliesDefaultsAndBold) {
  const UIFont f = CreateUIFont("", 0, 0, true, 400, false, false, false);
  EXPECT_EQ(f.face, kDefaultFace);
  EXPECT_EQ(f.height, 18);
  EXPECT_EQ(f.weight, 700);
  EXPECT_EQ(CreateUIFont(std::string(32, 'x'), 12, 0, false, 400, false, false, false).face, kDefaultFace);
  EXPECT_EQ(CreateUIFont("ＭＳ ゴシック", 12, 0, false, 400, false, false, false).face, "ＭＳ ゴシック");
}

TEST(AboutText, ShowsTheVersionWithTwoDecimals) {
  EXPECT_EQ(AboutText(100), "顧客ソレル\nVersion 1.00");
  EXPECT_EQ(AboutText(123), "顧客ソレル\nVersion 1.23");
}

}  // namespace
}  // namespace shell
