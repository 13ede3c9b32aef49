#include "lookup/PhoneBookCsv.h"

#include <gtest/gtest.h>

#include "text/Cp932.h"

namespace lookup {
namespace {

const CPhoneCandidate kShop{"03-1234-5678", "1000001", "山田商店", "東京都", "千代田区", "千代田", "１－１"};

TEST(PhoneBookCsvTest, Utf8WithOrWithoutMarkAndCp932ReadAlike) {
  const std::string utf8 = "電話,郵便番号,名前\r\n03-1234-5678,1000001,山田商店,東京都,千代田区,千代田,１－１\r\n";
  for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8, text::ToCp932(utf8).value()}) {
    const CPhoneBookReadResult read = ReadPhoneBookCsv(bytes);
    ASSERT_EQ(read.entries.size(), 1u);
    EXPECT_EQ(read.entries[0], kShop);
    EXPECT_EQ(read.skippedLines, 1u) << "the heading";
  }
}

TEST(PhoneBookCsvTest, QuotedFieldsAndShortLinesKeepTheirColumns) {
  const CPhoneBookReadResult read =
      ReadPhoneBookCsv("\"03-1234-5678\",\"1000001\",\"山田商店, \"\"本店\"\"\"\n06-1111-2222\n\n");
  ASSERT_EQ(read.entries.size(), 2u);
  EXPECT_EQ(read.entries[0].name, "山田商店, \"本店\"");
  EXPECT_EQ(read.entries[1].tel, "06-1111-2222");
  EXPECT_TRUE(read.entries[1].block.empty());
  EXPECT_EQ(read.skippedLines, 1u);
}

}  // namespace
}  // namespace lookup
