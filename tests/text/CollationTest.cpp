#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "text/Collation.h"
#include "text/Format.h"

namespace text {
namespace {

TEST(JapaneseSortKey, OrdersKanaLatinAndNumbersAsAJapaneseListDoes) {
  const auto before = [](const char* a, const char* b) { return JapaneseSortKey(a) < JapaneseSortKey(b); };
  EXPECT_TRUE(before("あいう", "かきく"));
  EXPECT_TRUE(before("ｱｲｳ", "カキク"));            // half-width kana by the syllabary too
  EXPECT_TRUE(before("abc", "あ"));                // Latin before kana
  EXPECT_TRUE(before("10", "100"));
  EXPECT_TRUE(before("100", "9"));                 // numbers as text
  EXPECT_EQ(JapaneseSortKey("ＡＢＣ"), JapaneseSortKey("abc"));  // width and case fold
  EXPECT_TRUE(before("", "a"));
}

// Many keys at once, made on several threads, are exactly the keys made one by one, in order.
TEST(JapaneseSortKeys, AreTheKeysOneByOneAlsoForALongListAndBrokenText) {
  std::vector<std::string> owned;
  for (int i = 0; i < 30000; ++i) {
    owned.push_back(Format("%s%d", i % 3 == 0 ? "やまだ" : i % 3 == 1 ? "ﾔﾏﾀﾞ" : "Yamada", 30000 - i));
  }
  owned.push_back("\xff\xfe broken \xe3\x81");  // not UTF-8: read with replacement characters
  owned.push_back(std::string(3000, 'a'));       // longer than any buffer a key starts with
  std::vector<std::string_view> texts(owned.begin(), owned.end());
  const std::vector<std::string> keys = JapaneseSortKeys(texts);
  ASSERT_EQ(keys.size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) ASSERT_EQ(keys[i], JapaneseSortKey(texts[i])) << i;
  EXPECT_TRUE(JapaneseSortKeys({}).empty());
}

}  // namespace
}  // namespace text
