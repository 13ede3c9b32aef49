#include <gtest/gtest.h>

#include "text/Format.h"

namespace text {
namespace {

TEST(Format, FillsPlaceholdersInOrderAndNeverReadsPastTheArguments) {
  EXPECT_EQ(Format("項目<%s>を削除します。", "VIP"), "項目<VIP>を削除します。");
  EXPECT_EQ(Format("%d件 %s", 12, std::string("表示")), "12件 表示");
  EXPECT_EQ(Format("100%% %s", "完了"), "100% 完了");
  EXPECT_EQ(Format("%s と %s", "一"), "一 と %s");  // a missing argument is not invented
  EXPECT_EQ(Format("%s", "%d"), "%d");             // an argument is never read as a pattern
  EXPECT_EQ(Format("末尾%"), "末尾%");
}

}  // namespace
}  // namespace text
