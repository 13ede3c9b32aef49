#include "records/JetSql.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "records/JetFunctions.h"
#include "records/OleDateMath.h"

namespace records {
namespace {

using Database = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;
using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;
using Ids = std::vector<long long>;

constexpr const char* kSchema = R"sql(
CREATE TABLE Customer (
  ID INTEGER PRIMARY KEY, CustomerID TEXT COLLATE NOCASE, Name TEXT COLLATE NOCASE,
  Yomi TEXT COLLATE NOCASE, EntryType INTEGER, StartDate REAL, BirthDay REAL,
  Zip_Home TEXT COLLATE NOCASE, Add1_Home TEXT COLLATE NOCASE, Add2_Home TEXT COLLATE NOCASE,
  Add3_Home TEXT COLLATE NOCASE, TEL_Home TEXT COLLATE NOCASE, TEL_Home_X REAL,
  CompName TEXT COLLATE NOCASE, Zip_Office TEXT COLLATE NOCASE, Add1_Office TEXT COLLATE NOCASE,
  Add2_Office TEXT COLLATE NOCASE, Add3_Office TEXT COLLATE NOCASE, TEL_Office TEXT COLLATE NOCASE,
  TEL_Office_X REAL, MainMerchant1 TEXT COLLATE NOCASE, MainMerchant2 TEXT COLLATE NOCASE,
  MainMerchant3 TEXT COLLATE NOCASE, MainMerchant4 TEXT COLLATE NOCASE,
  MainMerchant5 TEXT COLLATE NOCASE, Bank1 TEXT COLLATE NOCASE, Bank2 TEXT COLLATE NOCASE,
  ClosingDay INTEGER);
CREATE TABLE Rireki (
  ID INTEGER PRIMARY KEY, CustomerID INTEGER REFERENCES Customer(ID), Date REAL,
  ActionTitle TEXT COLLATE NOCASE, Action TEXT COLLATE NOCASE, Money REAL,
  Keyword TEXT COLLATE NOCASE, TantouName TEXT COLLATE NOCASE);
CREATE TABLE DMList (
  ID INTEGER PRIMARY KEY, SendDate REAL, SendMethod INTEGER, Sent INTEGER,
  Manager TEXT COLLATE NOCASE, Title TEXT COLLATE NOCASE, Content TEXT COLLATE NOCASE,
  HistoryRegistered INTEGER);
CREATE TABLE DMMng (DMID INTEGER, CustomerID INTEGER, PRIMARY KEY (DMID, CustomerID));
CREATE INDEX RirekiByCustomer ON Rireki(CustomerID);
CREATE INDEX CustomerByBirthDay ON Customer(BirthDay);
CREATE INDEX CustomerByTelHome ON Customer(TEL_Home);
)sql";

double Day(int y, int m, int d, int hour = 0, int minute = 0) {
  return OleFromCivilTime(y, m, d, hour, minute, 0);
}

// A double as SQL text that reads back exactly.
std::string Sql(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

class JetSql : public testing::Test {
 protected:
  void SetUp() override {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &raw), SQLITE_OK);
    db_.reset(raw);
    ASSERT_EQ(RegisterJetFunctions(db_.get()), SQLITE_OK);
    Exec(kSchema);
    SeedCustomers();
    SeedHistory();
    Exec("INSERT INTO DMList VALUES (1, " + Sql(Day(2024, 5, 1, 9)) +
         ", 0, 1, '佐藤', '春の案内', 'カタログ', 0);"
         "INSERT INTO DMMng VALUES (1, 1), (1, 2), (1, 3), (1, 5);");
  }

  void Exec(const std::string& sql) {
    char* error = nullptr;
    ASSERT_EQ(sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << error;
  }

  void SeedCustomers() {
    const std::string birthdays[] = {
        Sql(Day(1980, 5, 10)), Sql(Day(2004, 4, 1, 8, 30)),
        Sql(Day(1975, 5, 31)), "NULL", Sql(Day(2004, 3, 31, 23, 59)),
        Sql(Day(1990, 1, 1))};
    Exec("INSERT INTO Customer (ID, Name, EntryType, BirthDay, Zip_Home, Add1_Home, Add2_Home,"
         " Add3_Home, TEL_Home, TEL_Home_X, CompName, Zip_Office, Add1_Office, Add2_Office,"
         " Add3_Office, MainMerchant1, MainMerchant2, Bank1) VALUES"
         "(1, '山田太郎', 1, " + birthdays[0] + ", '1234567', '東京都', '千代田区', '丸の内1-1',"
         " '03-1234-5678', 312345678, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 'みずほ銀行 本店'),"
         "(2, 'O''Neil', 1, " + birthdays[1] + ", NULL, '東京都', '千代田区', NULL,"
         " '03-9999-0000', 399990000, NULL, NULL, NULL, NULL, NULL, NULL, 'ACME Corp', NULL),"
         "(3, '春の50%_offセール', 0, " + birthdays[2] + ", NULL, '埼玉県', NULL, NULL, NULL, NULL,"
         " 'ａｂｃ商事', '1234567', '東京都', '千代田区', '大手町2-2', 'Acme Tools', NULL, NULL),"
         "(4, '50% off', 0, " + birthdays[3] + ", '1234567', '東京都', '千代田区', NULL, NULL, NULL,"
         " '大阪商会', '5300001', '大阪府', '大阪市北区', NULL, NULL, NULL, NULL),"
         "(5, 'Ｓｍｉｔｈ', 1, " + birthdays[4] + ", '5300001', '大阪府', '大阪市', NULL, NULL, NULL,"
         " NULL, NULL, NULL, NULL, NULL, 'Big ACME', NULL, NULL),"
         "(6, '鈴木花子', 1, " + birthdays[5] + ", '123-4567', '神奈川県', '横浜市', NULL,"
         " '(03)1234-5678', 312345678, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);");
  }

  void SeedHistory() {
    struct Entry {
      int customer;
      double date;
      const char* title;
      double money;
    };
    const Entry entries[] = {
        {1, Day(2024, 1, 10), "購入", 1000},  {1, Day(2024, 3, 5), "購入", 3000},
        {1, Day(2024, 5, 20), "問合せ", 0},   {1, Day(2024, 5, 25, 15), "購入", 2000},
        {2, Day(2024, 2, 1), "購入", 500},    {2, Day(2023, 12, 1), "購入", -800},
        {3, Day(2024, 5, 30), "問合せ", 0},   {3, Day(2023, 6, 1), "購入", 10000},
        {4, Day(2024, 4, 15, 8), "購入", 1500.5},
        {5, Day(2024, 5, 1, 18), "購入", 700}, {5, Day(2024, 5, 2, 10), "資料請求", 0},
    };
    std::string sql = "INSERT INTO Rireki (CustomerID, Date, ActionTitle, Money) VALUES ";
    for (const Entry& e : entries) {
      sql += "(" + std::to_string(e.customer) + ", " + Sql(e.date) + ", '" + e.title +
             "', " + Sql(e.money) + "),";
    }
    sql.back() = ';';
    Exec(sql);
  }

  // Translates jet and prepares it; fails the test when either step fails.
  Statement Run(const std::string& jet) {
    const JetTranslation t = TranslateJetSql(jet);
    EXPECT_TRUE(t.ok) << t.error << "\n" << jet;
    sqlite3_stmt* raw = nullptr;
    if (t.ok) {
      EXPECT_EQ(sqlite3_prepare_v2(db_.get(), t.sql.c_str(), -1, &raw, nullptr), SQLITE_OK)
          << sqlite3_errmsg(db_.get()) << "\n" << t.sql;
    }
    return Statement(raw, sqlite3_finalize);
  }

  // The first column of every row, in the order returned.
  Ids Column0(const std::string& jet) {
    Ids ids;
    Statement s = Run(jet);
    while (s && sqlite3_step(s.get()) == SQLITE_ROW) ids.push_back(sqlite3_column_int64(s.get(), 0));
    return ids;
  }

  Ids SortedIds(const std::string& jet) {
    Ids ids = Column0(jet);
    std::sort(ids.begin(), ids.end());
    return ids;
  }

  // (customer ID, value) rows, as the analyses' aggregate queries return them.
  std::vector<std::pair<long long, double>> Hits(const std::string& jet) {
    std::vector<std::pair<long long, double>> hits;
    Statement s = Run(jet);
    while (s && sqlite3_step(s.get()) == SQLITE_ROW) {
      hits.emplace_back(sqlite3_column_int64(s.get(), 0), sqlite3_column_double(s.get(), 1));
    }
    return hits;
  }

  std::string QueryPlan(const std::string& jet) {
    std::string plan;
    const JetTranslation t = TranslateJetSql(jet);
    sqlite3_stmt* raw = nullptr;
    sqlite3_prepare_v2(db_.get(), ("EXPLAIN QUERY PLAN " + t.sql).c_str(), -1, &raw, nullptr);
    Statement explain(raw, sqlite3_finalize);
    while (explain && sqlite3_step(explain.get()) == SQLITE_ROW) {
      plan += reinterpret_cast<const char*>(sqlite3_column_text(explain.get(), 3));
      plan += "\n";
    }
    return plan;
  }

  Database db_{nullptr, sqlite3_close};
};

const std::string kCustomers = "SELECT DISTINCTROW Customer.* FROM Customer WHERE ";
const std::string kJoined =
    "SELECT DISTINCTROW Customer.* FROM Customer INNER JOIN Rireki ON Customer.ID = Rireki.CustomerID WHERE ";

// --- Extraction conditions ---------------------------------------------------------------------

TEST_F(JetSql, EscapedLikeWildcardsMatchThemselves) {
  EXPECT_EQ(SortedIds(kCustomers +
                      "([Customer].[Name] Like '%50[%][_]off%' AND [Customer].[Name] Not Like '')"),
            (Ids{3}));
  // Unescaped, "% " in "50% off" satisfies "%_" as well.
  EXPECT_EQ(SortedIds(kCustomers + "[Customer].[Name] Like '%50%_off%'"), (Ids{3, 4}));
}

TEST_F(JetSql, DoubledQuoteComparesAsOneQuote) {
  EXPECT_EQ(SortedIds(kCustomers + "([Customer].[Name] = 'O''Neil' AND [Customer].[Name] Not Like '')"),
            (Ids{2}));
  EXPECT_EQ(SortedIds(kCustomers + "[Customer].[Name] = \"o'neil\""), (Ids{2}));
}

TEST_F(JetSql, DateConditionsIgnoreTheTimeOfDay) {
  EXPECT_EQ(SortedIds(kCustomers + "Int([Customer].[BirthDay]) >= #4/1/2004#"), (Ids{2}));
  EXPECT_EQ(SortedIds(kCustomers + "Int([Customer].[BirthDay]) = #4/1/2004#"), (Ids{2}));
  EXPECT_EQ(SortedIds(kCustomers + "Int([Customer].[BirthDay]) < #4/1/2004#"), (Ids{1, 3, 5, 6}));
  EXPECT_EQ(SortedIds(kCustomers + "Int([Customer].[BirthDay]) <= #3/31/2004#"), (Ids{1, 3, 5, 6}));
  EXPECT_EQ(SortedIds(kCustomers + "Int([Customer].[BirthDay]) > #3/31/2004#"), (Ids{2}));
  EXPECT_EQ(SortedIds(kCustomers + "Int([Customer].[BirthDay]) <> #3/31/2004#"), (Ids{1, 2, 3, 6}));
  EXPECT_EQ(SortedIds(kCustomers + "#4/1/2004# <= Int([Customer].[BirthDay])"), (Ids{2}));
}

TEST_F(JetSql, MonthAndDayConditionsReadStoredDates) {
  EXPECT_EQ(SortedIds(kCustomers + "Month(Int([Customer].[BirthDay]))= 5"), (Ids{1, 3}));
  EXPECT_EQ(SortedIds(kCustomers + "Day(Int([Customer].[BirthDay]))= 31"), (Ids{3, 5}));
  EXPECT_EQ(SortedIds(kCustomers + "Year([Customer].[BirthDay]) = 2004"), (Ids{2, 5}));
}

TEST_F(JetSql, TelephoneMatchesTextOrNumber) {
  EXPECT_EQ(SortedIds(kCustomers +
                      "(([Customer].[TEL_Home] = '03-1234-5678' AND [Customer].[TEL_Home] Not Like '') "
                      "OR [Customer].[TEL_Home_X] = 312345678.000000)"),
            (Ids{1, 6}));
  EXPECT_EQ(SortedIds(kCustomers +
                      "(([Customer].[TEL_Home] <> '03-1234-5678' AND [Customer].[TEL_Home] Not Like '') "
                      "AND ([Customer].[TEL_Home_X] <> 312345678.000000 AND [Customer].[TEL_Home_X] <>0))"),
            (Ids{2}));
}

TEST_F(JetSql, ThreeConditionsGroupTheFirstTwo) {
  const std::string a = "([Rireki].[ActionTitle] = '購入' AND [Rireki].[ActionTitle] Not Like '')";
  const std::string b = "[Rireki].[Money] >= 2000";
  const std::string c = "Int([Rireki].[Date]) = #5/2/2024#";
  EXPECT_EQ(SortedIds(kJoined + "(" + a + " AND " + b + ") OR " + c), (Ids{1, 3, 5}));
  EXPECT_EQ(SortedIds(kJoined + a + " AND " + b + " OR " + c), (Ids{1, 3, 5}));
  EXPECT_EQ(SortedIds(kJoined + a + " AND (" + b + " OR " + c + ")"), (Ids{1, 3}));
}

TEST_F(JetSql, HistoryResultSelectsEntries) {
  EXPECT_EQ(Column0("SELECT DISTINCTROW Rireki.* FROM Rireki WHERE ([Rireki].[ActionTitle] = '問合せ' "
                    "AND [Rireki].[ActionTitle] Not Like '') ORDER BY Rireki.ID"),
            (Ids{3, 7}));
  EXPECT_EQ(Column0("SELECT DISTINCTROW Rireki.* FROM Customer INNER JOIN Rireki ON Customer.ID = "
                    "Rireki.CustomerID WHERE [Customer].[EntryType] = 0 AND [Rireki].[Money] > 1000 "
                    "ORDER BY Rireki.ID"),
            (Ids{8, 9}));
}

TEST_F(JetSql, DefaultOrderClauseFollowsTheCondition) {
  EXPECT_EQ(Column0(kCustomers + "[Customer].[EntryType] = 1 ORDER BY [Customer].[ID] DESC"),
            (Ids{6, 5, 2, 1}));
}

TEST_F(JetSql, TextComparisonsIgnoreCase) {
  EXPECT_EQ(SortedIds(kCustomers + "[Customer].[MainMerchant2] = 'acme corp'"), (Ids{2}));
  EXPECT_EQ(SortedIds(kCustomers + "[Customer].[Name] Like '%ｓｍｉｔｈ%'"), (Ids{5}));
  EXPECT_EQ(SortedIds(kCustomers + "([Customer].[Add1_Home] & 'X') = '東京都x'"), (Ids{1, 2, 4}));
  EXPECT_EQ(SortedIds(kCustomers + "'ABC' = 'abc' AND [Customer].[ID] = 1"), (Ids{1}));
}

TEST_F(JetSql, NullInConcatenationCountsAsEmpty) {
  EXPECT_EQ(SortedIds(kCustomers + "([Add1_Home] & [Add2_Home] & [Add3_Home]) = '東京都千代田区'"),
            (Ids{2, 4}));
  EXPECT_EQ(SortedIds(kCustomers + "([CompName] & [Add3_Office]) Is Null"), (Ids{1, 2, 5, 6}));
}

TEST_F(JetSql, ConcatenationBindsBetweenArithmeticAndComparison) {
  EXPECT_EQ(SortedIds(kCustomers + "[ID] & 1 + 1 = '12'"), (Ids{1}));
  EXPECT_EQ(SortedIds(kCustomers + "[ID] = 3 - 1 & ''"), (Ids{2}));
}

TEST_F(JetSql, PlainComparisonsKeepTheirIndexes) {
  EXPECT_NE(QueryPlan(kCustomers + "Int([Customer].[BirthDay]) >= #4/1/2004#").find("CustomerByBirthDay"),
            std::string::npos);
  EXPECT_NE(QueryPlan(kCustomers + "Int([Customer].[BirthDay]) = #4/1/2004#").find("CustomerByBirthDay"),
            std::string::npos);
  EXPECT_NE(QueryPlan(kCustomers + "([Customer].[TEL_Home] = '03-1234-5678')").find("CustomerByTelHome"),
            std::string::npos);
}

// The extraction's "Not Like ''" guard: only the empty text matches, a missing value never does,
// and a number is compared as its text.
TEST_F(JetSql, EmptyLikePatternMatchesOnlyTheEmptyText) {
  Exec("UPDATE Customer SET CompName = '' WHERE ID = 1; UPDATE Customer SET ClosingDay = 0 WHERE ID = 2;");
  EXPECT_EQ(SortedIds(kCustomers + "[Customer].[CompName] Like ''"), Ids{1});
  EXPECT_EQ(SortedIds(kCustomers + "[Customer].[CompName] Not Like ''"), (Ids{3, 4}));
  EXPECT_EQ(SortedIds(kCustomers + "[Customer].[ClosingDay] Not Like ''"), Ids{2});
  EXPECT_EQ(SortedIds(kCustomers + "[Customer].[CompName] & '' Like ''"), (Ids{1, 2, 5, 6}));
}

// --- Seven-colour analyses -----------------------------------------------------------------------

const std::string kCountSelect =
    "SELECT DISTINCTROW Customer.ID, Count(*) AS Rirekiのカウント FROM Customer INNER JOIN Rireki ON "
    "Customer.ID = Rireki.CustomerID ";

TEST_F(JetSql, DistinctGoesOnlyWhereGroupingDoesNotAlreadyMakeRowsDistinct) {
  const std::string grouped = kCountSelect + "GROUP BY Customer.ID ORDER BY Count(*) DESC";
  const std::string translated = TranslateJetSql(grouped).sql;
  EXPECT_EQ(translated.rfind("SELECT DISTINCT", 0), std::string::npos) << translated;
  // The same rows as the statement with its DISTINCT kept.
  std::vector<std::pair<long long, double>> kept;
  sqlite3_stmt* raw = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db_.get(), ("SELECT DISTINCT" + translated.substr(6)).c_str(), -1, &raw, nullptr), SQLITE_OK);
  Statement s(raw, sqlite3_finalize);
  while (sqlite3_step(s.get()) == SQLITE_ROW) kept.emplace_back(sqlite3_column_int64(s.get(), 0), sqlite3_column_double(s.get(), 1));
  EXPECT_EQ(Hits(grouped), kept);
  ASSERT_FALSE(kept.empty());
  // Grouped by what is not selected, or not grouped: DISTINCT stays.
  for (const char* jet : {"SELECT DISTINCT Count(*) FROM Rireki GROUP BY Rireki.CustomerID",
                          "SELECT DISTINCTROW Customer.EntryType, Count(*) FROM Customer GROUP BY Customer.EntryType, Customer.ID",
                          "SELECT DISTINCTROW Customer.EntryType FROM Customer"}) {
    EXPECT_EQ(TranslateJetSql(jet).sql.rfind("SELECT DISTINCT", 0), 0u) << jet;
  }
}

TEST_F(JetSql, RegularsCountEntriesOfASummary) {
  const auto hits = Hits(kCountSelect +
                         "WHERE ((Rireki.ActionTitle)='購入') GROUP BY Customer.ID HAVING ((Count(*))>=2) "
                         "ORDER BY Count(*) DESC");
  EXPECT_EQ(hits, (std::vector<std::pair<long long, double>>{{1, 3}, {2, 2}}));
}

TEST_F(JetSql, RegularsWithinAPeriod) {
  const auto hits = Hits(kCountSelect +
                         "WHERE (((Rireki.ActionTitle)='購入') AND ((Int(Rireki.Date)>=#1/1/2024#) AND "
                         "(Int(Rireki.Date)<=#3/5/2024#))) GROUP BY Customer.ID HAVING ((Count(*))>=1) "
                         "ORDER BY Count(*) DESC");
  EXPECT_EQ(hits, (std::vector<std::pair<long long, double>>{{1, 2}, {2, 1}}));
}

TEST_F(JetSql, RegularsWithoutConditionsCountEveryEntry) {
  const auto hits = Hits(kCountSelect + "GROUP BY Customer.ID ORDER BY Count(*) DESC");
  ASSERT_EQ(hits.size(), 5u);
  EXPECT_EQ(hits[0], (std::pair<long long, double>{1, 4}));
  double total = 0;
  for (const auto& hit : hits) total += hit.second;
  EXPECT_EQ(total, 11);
}

TEST_F(JetSql, NewestEntriesOnOrAfterADate) {
  const auto hits = Hits(
      "SELECT DISTINCTROW Customer.ID, Max(Rireki.Date) AS [最新 の RirekiDate] FROM Customer INNER JOIN "
      "Rireki ON Customer.ID = Rireki.CustomerID WHERE ((Rireki.ActionTitle)='購入') GROUP BY Customer.ID "
      "HAVING (((Max(Rireki.Date))>=#3/1/2024#)) ORDER BY Max(Rireki.Date) DESC");
  EXPECT_EQ(hits, (std::vector<std::pair<long long, double>>{
                      {1, Day(2024, 5, 25, 15)}, {5, Day(2024, 5, 1, 18)}, {4, Day(2024, 4, 15, 8)}}));
}

TEST_F(JetSql, ApproachCandidatesByDaysSinceLatestEntry) {
  const std::string elapsed = "((#6/1/2024#)-Int(Max([Rireki].[Date])))";
  const auto hits = Hits("SELECT DISTINCTROW Customer.ID, " + elapsed +
                         " AS 式1 FROM Customer INNER JOIN Rireki ON Customer.ID = Rireki.CustomerID "
                         "WHERE ((Rireki.ActionTitle)='購入') GROUP BY Customer.ID HAVING (" + elapsed +
                         ">=30) ORDER BY " + elapsed + " DESC");
  EXPECT_EQ(hits, (std::vector<std::pair<long long, double>>{{3, 366}, {2, 121}, {4, 47}, {5, 31}}));
}

const std::string kDmSelect =
    "SELECT DISTINCTROW Customer.* FROM DMList INNER JOIN ((Customer INNER JOIN DMMng ON Customer.ID = "
    "DMMng.CustomerID) INNER JOIN Rireki ON Customer.ID = Rireki.CustomerID) ON DMList.ID = DMMng.DMID ";

TEST_F(JetSql, DmRespondersCountFromTheDayAfterSending) {
  EXPECT_EQ(SortedIds(kDmSelect +
                      "WHERE (DMList.ID = 1) AND ((Int([Rireki].[Date])-Int([DMList].[Date]))>=1 And "
                      "(Int([Rireki].[Date])-Int([DMList].[Date]))<=21)"),
            (Ids{1, 5}));
  EXPECT_EQ(SortedIds(kDmSelect +
                      "WHERE ((Rireki.ActionTitle)='購入') AND (DMList.ID = 1) AND "
                      "((Int([Rireki].[Date])-Int([DMList].[Date]))>=1)"),
            (Ids{1}));
}

TEST_F(JetSql, RollerSearchMatchesOfficeOrHomeByEntryType) {
  const auto part = [](const char* type, const char* place) {
    const std::string p = place;
    const std::string address = "([Add1_" + p + "] & [Add2_" + p + "] & [Add3_" + p + "])";
    return std::string("(((Customer.EntryType)=") + type + ") AND (((Customer.Zip_" + p +
           ") Like '123%4567') OR (" + address + " Like '東京都千代田区%') OR (" + address +
           " Like '千代田区%')))";
  };
  EXPECT_EQ(SortedIds("SELECT Customer.* FROM Customer WHERE " + part("0", "Office") + " OR " +
                      part("1", "Home")),
            (Ids{1, 2, 3, 6}));
}

TEST_F(JetSql, AmountTotalsMaximaAndAverages) {
  const std::string from = "FROM Customer INNER JOIN Rireki ON Customer.ID = Rireki.CustomerID ";
  using HitList = std::vector<std::pair<long long, double>>;
  EXPECT_EQ(Hits("SELECT DISTINCTROW Customer.ID, Sum(Rireki.Money) AS 合計 " + from +
                 "GROUP BY Customer.ID HAVING ((Sum(Rireki.Money))>=-500) ORDER BY Sum(Rireki.Money) DESC"),
            (HitList{{3, 10000}, {1, 6000}, {4, 1500.5}, {5, 700}, {2, -300}}));
  EXPECT_EQ(Hits("SELECT DISTINCTROW Customer.ID, Max(Rireki.Money) AS 最高 " + from +
                 "WHERE ((Rireki.ActionTitle)='購入') GROUP BY Customer.ID HAVING ((Max(Rireki.Money))>=2000) "
                 "ORDER BY Max(Rireki.Money) DESC"),
            (HitList{{3, 10000}, {1, 3000}}));
  EXPECT_EQ(Hits("SELECT DISTINCTROW Customer.ID, Avg(Rireki.Money) AS 平均 " + from +
                 "WHERE ((Rireki.Money)<>0) GROUP BY Customer.ID HAVING ((Avg(Rireki.Money))>=1000) "
                 "ORDER BY Avg(Rireki.Money) DESC"),
            (HitList{{3, 10000}, {1, 2000}, {4, 1500.5}}));
}

TEST_F(JetSql, BusinessPartnersMatchByPrefix) {
  std::string sql = "SELECT Customer.* FROM Customer WHERE ";
  for (const std::string name : {"acme", "みずほ"}) {
    std::string group = "(";
    for (const char* column : {"MainMerchant1", "MainMerchant2", "MainMerchant3", "MainMerchant4",
                               "MainMerchant5", "Bank1", "Bank2"}) {
      if (group.size() > 1) group += " OR ";
      group += "((Customer." + std::string(column) + ") Like '" + name + "%')";
    }
    sql += group + ") OR ";
  }
  sql.resize(sql.size() - 4);
  EXPECT_EQ(SortedIds(sql), (Ids{1, 2, 3}));
}

// --- Translation --------------------------------------------------------------------------------

TEST_F(JetSql, DateLiteralsBecomeOleNumbers) {
  const struct {
    const char* literal;
    double ole;
  } cases[] = {
      {"#4/1/2004#", 38078},           {"#2004/4/1#", 38078},     {"#2004-04-01#", 38078},
      {"#4/1/04#", 38078},             {"#1/1/1930#", 10959},     {"#12/30/1899#", 0},
      {"#4/1/2004 12:00:00#", 38078.5}, {"# 4/1/2004 6:00 PM #", 38078.75},
      {"#4/1/2004 12:00 AM#", 38078},  {"#6:00:00#", 0.25},
  };
  for (const auto& c : cases) {
    Statement s = Run(std::string("SELECT ") + c.literal);
    ASSERT_TRUE(s) << c.literal;
    ASSERT_EQ(sqlite3_step(s.get()), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_double(s.get(), 0), c.ole) << c.literal;
  }
}

TEST_F(JetSql, ArithmeticFollowsJet) {
  const struct {
    const char* jet;
    double value;
  } cases[] = {
      {"7 / 2", 3.5}, {"7 \\ 2", 3},   {"7 Mod 3", 1},     {"-2 ^ 2", -4},  {"2 ^ 3 ^ 2", 64},
      {"2 ^ -1", 0.5}, {"1 - -1", 2}, {"2 + 3 * 4", 14},  {"True", -1},    {"#1/2/1900# - #1/1/1900#", 1},
  };
  for (const auto& c : cases) {
    Statement s = Run(std::string("SELECT ") + c.jet);
    ASSERT_TRUE(s) << c.jet;
    ASSERT_EQ(sqlite3_step(s.get()), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_double(s.get(), 0), c.value) << c.jet;
  }
}

TEST_F(JetSql, TopBecomesLimit) {
  EXPECT_EQ(Column0("SELECT TOP 2 Customer.ID FROM Customer ORDER BY Customer.ID DESC;"), (Ids{6, 5}));
}

TEST_F(JetSql, UnreadableStatementsGiveAnError) {
  const std::string tooDeep = "SELECT " + std::string(300, '(') + "1" + std::string(300, ')');
  const std::string tooLong = "SELECT '" + std::string(70000, 'x') + "'";
  const std::string withNul = std::string("SELECT 'a\0b'", 12);
  const std::string cases[] = {
      "", "SELECT", "SELECT * FROM", "DELETE FROM Customer", "UPDATE Customer SET Name = 'x'",
      "SELECT * FROM Customer; DROP TABLE Customer", "SELECT * FROM Customer WHERE Name = 'abc",
      "SELECT [Name FROM Customer", "SELECT [] FROM Customer", "SELECT #2/30/2024#",
      "SELECT #13/1/2004#", "SELECT #4/1/2004", "SELECT #4/1/2004 25:00#", "SELECT Shell('rm')",
      "SELECT Int(1, 2)", "SELECT Count(*, 1)", "SELECT Max(*)", "SELECT TOP 5 PERCENT * FROM Customer",
      "SELECT TOP x * FROM Customer", "SELECT 1 2", "SELECT 12abc", "SELECT a FROM Customer WHERE",
      "SELECT * FROM Customer INNER JOIN Rireki", "SELECT * FROM Customer WHERE a Is 1",
      "SELECT * FROM Customer WHERE x Between 1", "SELECT @x", "SELECT Select",
      tooDeep, tooLong, withNul,
  };
  for (const std::string& jet : cases) {
    const JetTranslation t = TranslateJetSql(jet);
    EXPECT_FALSE(t.ok) << jet.substr(0, 80) << " gave " << t.sql;
    EXPECT_FALSE(t.error.empty()) << jet.substr(0, 80);
  }
}

TEST_F(JetSql, MisspeltColumnFailsToPrepare) {
  const JetTranslation t = TranslateJetSql(kCustomers + "[Nmae] = 'x'");
  ASSERT_TRUE(t.ok);
  sqlite3_stmt* raw = nullptr;
  EXPECT_NE(sqlite3_prepare_v2(db_.get(), t.sql.c_str(), -1, &raw, nullptr), SQLITE_OK);
  sqlite3_finalize(raw);
}

// Every translated text must prepare as exactly one statement or be refused; nothing may crash.
void ExpectSafe(sqlite3* db, const std::string& jet) {
  const JetTranslation t = TranslateJetSql(jet);
  if (!t.ok) {
    EXPECT_FALSE(t.error.empty());
    return;
  }
  sqlite3_stmt* raw = nullptr;
  const char* tail = nullptr;
  if (sqlite3_prepare_v2(db, t.sql.c_str(), static_cast<int>(t.sql.size()), &raw, &tail) == SQLITE_OK) {
    EXPECT_EQ(std::string(tail), "") << jet;
    if (raw != nullptr) sqlite3_step(raw);
  }
  sqlite3_finalize(raw);
}

TEST_F(JetSql, TruncatedAndShuffledStatementsNeverCrash) {
  const std::string statements[] = {
      kDmSelect + "WHERE ((Rireki.ActionTitle)='購入') AND (DMList.ID = 1) AND "
                  "((Int([Rireki].[Date])-Int([DMList].[Date]))>=1)",
      kCustomers + "([Customer].[Name] Like '%50[%][_]off%' AND [Customer].[Name] Not Like '') OR "
                   "Month(Int([Customer].[BirthDay]))= 5 OR ([Add1_Home] & \"x\") = 'y'",
      kCountSelect + "WHERE (((Rireki.ActionTitle)='購入') AND (Int(Rireki.Date)>=#1/1/2024 10:00#)) "
                     "GROUP BY Customer.ID HAVING ((Count(*))>=2) ORDER BY Count(*) DESC",
  };
  std::vector<std::string> pieces;
  for (const std::string& s : statements) {
    for (std::size_t n = 0; n <= s.size(); ++n) ExpectSafe(db_.get(), s.substr(0, n));
    for (std::size_t i = 0; i < s.size(); i += 3) pieces.push_back(s.substr(i, 5));
  }
  std::string minusRun = "SELECT ";
  std::string notRun = kCustomers;
  for (int k = 0; k < 20000; ++k) minusRun += "- ", notRun += "Not ";
  ExpectSafe(db_.get(), minusRun + "1");
  ExpectSafe(db_.get(), notRun + "1 = 1");
  std::mt19937 random(20240601);
  const char noise[] = "'\"[]#()-&%*/\\^.!;, \x80\xE3\xFF";
  for (int round = 0; round < 3000; ++round) {
    std::string jet = "SELECT ";
    const int count = static_cast<int>(random() % 12);
    for (int k = 0; k < count; ++k) {
      jet += (random() % 4 == 0) ? std::string(1, noise[random() % (sizeof noise - 1)])
                                 : pieces[random() % pieces.size()];
    }
    ExpectSafe(db_.get(), jet);
  }
}

}  // namespace
}  // namespace records
