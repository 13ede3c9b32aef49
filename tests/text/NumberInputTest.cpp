#include "text/NumberInput.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace text {
namespace {

// One row per spelling an office worker types; nullopt: refused.
struct NumberRow {
  const char* typed;
  std::optional<std::string> plain;
};

const NumberRow kNumbers[] = {
    {"1500", "1500"},
    {"１５００", "1500"},
    {"１，５００", "1500"},
    {"1,500", "1500"},
    {"¥1,500", "1500"},
    {"￥１，５００", "1500"},
    {"¥ 1500", "1500"},
    {"1,500円", "1500"},
    {"12,345,678", "12345678"},
    {"  1500　", "1500"},
    {"-1,500", "-1500"},
    {"－１５００", "-1500"},
    {"−1500", "-1500"},
    {"-¥1,500", "-1500"},
    {"¥-1,500", "-1500"},
    {"+12", "12"},
    {"12.50", "12.50"},
    {"１２．５０", "12.50"},
    {"12.345", "12.345"},  // the decimals stay for the caller's check
    {"1,234.5", "1234.5"},
    {".5", "0.5"},
    {"12.", "12."},
    {"0", "0"},
    {"", std::nullopt},
    {"¥", std::nullopt},
    {"-", std::nullopt},
    {".", std::nullopt},
    {"1,50", std::nullopt},  // not a digit group: a decimal comma typed by mistake
    {"1,5000", std::nullopt},
    {",500", std::nullopt},
    {"1500,", std::nullopt},
    {"1234,567", std::nullopt},
    {"12.3,4", std::nullopt},
    {"1.2.3", std::nullopt},
    {"1e5", std::nullopt},
    {"0x10", std::nullopt},
    {"--5", std::nullopt},
    {"-¥-5", std::nullopt},
    {"12a", std::nullopt},
    {"円", std::nullopt},
    {"1 500", std::nullopt},
};

TEST(NumberInput, EverySpellingReadsAsItsPlainNumber) {
  for (const NumberRow& row : kNumbers) {
    EXPECT_EQ(PlainNumberText(row.typed), row.plain) << row.typed;
  }
}

TEST(NumberInput, ValuesAndWholeNumbers) {
  EXPECT_EQ(ReadNumber("¥1,500"), 1500.0);
  EXPECT_EQ(ReadNumber("－１２．５"), -12.5);
  EXPECT_EQ(ReadNumber("12."), 12.0);
  EXPECT_EQ(ReadNumber("1,50"), std::nullopt);
  EXPECT_EQ(ReadWholeNumber("２０２４"), 2024);
  EXPECT_EQ(ReadWholeNumber("1,000,000"), 1000000);
  EXPECT_EQ(ReadWholeNumber("2024.0"), std::nullopt);
  EXPECT_EQ(ReadWholeNumber("99999999999999999999"), std::nullopt);  // does not fit
}

}  // namespace
}  // namespace text
