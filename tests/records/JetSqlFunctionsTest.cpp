#include "records/JetFunctions.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <optional>
#include <string>

namespace records {
namespace {

using Database = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;
using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

class JetFunctions : public testing::Test {
 protected:
  void SetUp() override {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &raw), SQLITE_OK);
    db_.reset(raw);
    ASSERT_EQ(RegisterJetFunctions(db_.get()), SQLITE_OK);
  }

  Statement Prepare(const std::string& sql) {
    sqlite3_stmt* raw = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db_.get());
    return Statement(raw, sqlite3_finalize);
  }

  // The single value sql yields as text (nullopt for NULL); "error: ..." when the step fails.
  std::optional<std::string> Value(const std::string& sql) {
    Statement s = Prepare(sql);
    if (!s) return "error: prepare";
    if (sqlite3_step(s.get()) != SQLITE_ROW) return "error: " + std::string(sqlite3_errmsg(db_.get()));
    if (sqlite3_column_type(s.get(), 0) == SQLITE_NULL) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0)));
  }

  int Like(const std::string& pattern, const std::string& value) {
    Statement s = Prepare("SELECT jet_like(?1, ?2)");
    sqlite3_bind_text(s.get(), 1, pattern.data(), static_cast<int>(pattern.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(s.get(), 2, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(s.get()) != SQLITE_ROW) return -1;
    return sqlite3_column_int(s.get(), 0);
  }

  Database db_{nullptr, sqlite3_close};
};

struct LikeCase {
  const char* pattern;
  const char* value;
  int matches;
};

constexpr LikeCase kLikeCases[] = {
    // wildcards
    {"abc", "abc", 1}, {"a_c", "abc", 1}, {"a_c", "ac", 0}, {"%", "", 1}, {"", "", 1},
    {"", "a", 0}, {"a%c", "abxyc", 1}, {"a%c", "abxycd", 0}, {"%b%", "abc", 1},
    {"%%x", "x", 1}, {"%a%b", "aXaXbXa", 0}, {"#1", "21", 1}, {"#1", "x1", 0},
    {"*", "x", 0}, {"*", "*", 1}, {"?", "x", 0}, {"%ab", "aab", 1}, {"%x%y", "xaxy", 1},
    {"%SMITH%", "a smith", 1}, {"%ｓ%", "ａＳ", 1}, {"%ｓ_", "ｓＳ", 1}, {"ab%", "a", 0},
    // classes and the builder's escapes
    {"[a-c]x", "bx", 1}, {"[a-c]x", "dx", 0}, {"[!a-c]x", "dx", 1}, {"[!a-c]x", "bx", 0},
    {"[xyz]", "y", 1}, {"[%]", "%", 1}, {"[%]", "x", 0}, {"[#]1", "#1", 1}, {"[#]1", "21", 0},
    {"%50[%][_]off%", "春の50%_offセール", 1}, {"%50[%][_]off%", "50% off", 0},
    {"[[]x", "[x", 1}, {"a]", "a]", 1}, {"[-a]", "-", 1}, {"[a-]", "-", 1}, {"[!]", "!", 1},
    {"a[]b", "ab", 1},
    // case folding, also beyond ASCII
    {"ABC", "abc", 1}, {"[A-C]", "b", 1}, {"[a-c]", "B", 1}, {"ｓｍｉｔｈ", "Ｓｍｉｔｈ", 1},
    {"σ", "Σ", 1}, {"д", "Д", 1}, {"é", "É", 1}, {"smith", "Ｓｍｉｔｈ", 0},
    // code points, never bytes
    {"_", "日", 1}, {"__", "日", 0}, {"東京%", "東京都", 1}, {"%都", "東京都", 1},
    {"[東西]京", "西京", 1}, {"[!東]京", "東京", 0}, {"_京", "東京", 1},
};

TEST_F(JetFunctions, LikeFollowsJetPatterns) {
  for (const LikeCase& c : kLikeCases) {
    EXPECT_EQ(Like(c.pattern, c.value), c.matches) << c.pattern << " vs " << c.value;
  }
}

TEST_F(JetFunctions, MalformedPatternFailsTheStatement) {
  EXPECT_EQ(Like("[abc", "a"), -1);
  EXPECT_EQ(Like("a[z-a]", "ab"), -1);
}

TEST_F(JetFunctions, LikeWithNullIsNullEitherWay) {
  EXPECT_EQ(Value("SELECT jet_like(NULL, 'a')"), std::nullopt);
  EXPECT_EQ(Value("SELECT jet_like('a', NULL)"), std::nullopt);
  EXPECT_EQ(Value("SELECT NOT jet_like('', NULL)"), std::nullopt);
}

TEST_F(JetFunctions, LikeReadsNumbersAsJetWritesThem) {
  EXPECT_EQ(Value("SELECT jet_like('1500', 1500.0)"), "1");
  EXPECT_EQ(Value("SELECT jet_like('12%', 123)"), "1");
  EXPECT_EQ(Value("SELECT jet_like('%.5', 2.5)"), "1");
}

TEST_F(JetFunctions, MalformedUtf8CountsAsOneCharacterPerBadByte) {
  EXPECT_EQ(Value("SELECT jet_like('_', CAST(x'FF' AS TEXT))"), "1");
  EXPECT_EQ(Value("SELECT jet_like('a_b', CAST(x'61E3B362' AS TEXT))"), "0");
  EXPECT_EQ(Value("SELECT jet_like('a__b', CAST(x'61E3B362' AS TEXT))"), "1");
}

TEST_F(JetFunctions, PatternChangingPerRowIsRecompiled) {
  ASSERT_EQ(sqlite3_exec(db_.get(),
                         "CREATE TABLE t(p TEXT, v TEXT);"
                         "INSERT INTO t VALUES ('a%', 'abc'), ('b%', 'abc'), ('%c', 'abc'), ('[', 'x');",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  EXPECT_EQ(Value("SELECT group_concat(jet_like(p, v), ',') FROM (SELECT * FROM t WHERE p <> '[')"),
            "1,0,1");
  EXPECT_EQ(Value("SELECT count(*) FROM t WHERE jet_like(p, v)"), "error: invalid Like pattern");
}

// How long this takes as the text grows is measured by bench/JetFunctionsBench.cpp.
TEST_F(JetFunctions, ManyRunsOnALongTextFindNoMatchWhereThereIsNone) {
  const std::string value(4000, 'a');
  EXPECT_EQ(Like("%a%a%a%a%a%a%a%a%b", value), 0);
  EXPECT_EQ(Like("%a%a%a%a%a%a%a%a%a", value), 1);
}

TEST_F(JetFunctions, ConcatTreatsNullAsEmptyText) {
  EXPECT_EQ(Value("SELECT jet_concat('東京都', NULL, '千代田区')"), "東京都千代田区");
  EXPECT_EQ(Value("SELECT jet_concat(NULL, 'a')"), "a");
  EXPECT_EQ(Value("SELECT jet_concat(NULL, NULL)"), std::nullopt);
  EXPECT_EQ(Value("SELECT jet_concat('', NULL)"), "");
  EXPECT_EQ(Value("SELECT jet_concat('a', 1.5, 2, 2.0)"), "a1.522");
}

TEST_F(JetFunctions, PlusJoinsTextsAndAddsNumbers) {
  EXPECT_EQ(Value("SELECT jet_add('a', 'b')"), "ab");
  EXPECT_EQ(Value("SELECT jet_add(1, 2)"), "3");
  EXPECT_EQ(Value("SELECT jet_add('1', 2.5)"), "3.5");
  EXPECT_EQ(Value("SELECT jet_add(9223372036854775807, 1)"), "9.22337203685478e+18");
  EXPECT_EQ(Value("SELECT jet_add('a', NULL)"), std::nullopt);
  EXPECT_EQ(Value("SELECT jet_add('x', 2)"), "error: type mismatch");
}

TEST_F(JetFunctions, IntFloorsAndFixTruncates) {
  EXPECT_EQ(Value("SELECT jet_int(2.7)"), "2.0");
  EXPECT_EQ(Value("SELECT jet_int(-2.5)"), "-3.0");
  EXPECT_EQ(Value("SELECT jet_fix(-2.5)"), "-2.0");
  EXPECT_EQ(Value("SELECT typeof(jet_int(5))"), "integer");
  EXPECT_EQ(Value("SELECT jet_int('3.5')"), "3.0");
  EXPECT_EQ(Value("SELECT jet_int(NULL)"), std::nullopt);
  EXPECT_EQ(Value("SELECT jet_int('abc')"), "error: type mismatch");
}

TEST_F(JetFunctions, DatePartsReadOleDates) {
  EXPECT_EQ(Value("SELECT jet_year(38078.75) || '-' || jet_month(38078.75) || '-' || jet_day(38078.75)"),
            "2004-4-1");
  EXPECT_EQ(Value("SELECT jet_month(-1.25) || '/' || jet_day(-1.25)"), "12/29");
  EXPECT_EQ(Value("SELECT jet_month(NULL)"), std::nullopt);
  EXPECT_EQ(Value("SELECT jet_day(1e300)"), std::nullopt);
  EXPECT_EQ(Value("SELECT jet_year('x')"), "error: type mismatch");
}

TEST_F(JetFunctions, PowerOverflowFails) {
  EXPECT_EQ(Value("SELECT jet_power(2, -1)"), "0.5");
  EXPECT_EQ(Value("SELECT jet_power(10, 400)"), "error: numeric overflow");
}

TEST_F(JetFunctions, QuotedUnknownNameIsAnErrorNotText) {
  sqlite3_stmt* raw = nullptr;
  EXPECT_NE(sqlite3_prepare_v2(db_.get(), "SELECT \"NoSuchColumn\"", -1, &raw, nullptr), SQLITE_OK);
  sqlite3_finalize(raw);
}

}  // namespace
}  // namespace records
