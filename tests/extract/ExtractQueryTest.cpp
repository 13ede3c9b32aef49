// The extraction query builder: each condition's exact SQL fragment or exact refusal, the
// statement's FROM and grouping, hostile values that must not change a statement's structure, and
// extractions run end to end against a seeded database.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extract/ExtractQuery.h"
#include "records/CKokyakuVMData.h"
#include "records/CQmvFile.h"
#include "records/JetSql.h"
#include "records/QmvSchema.h"
#include "settings/SettingsTestSupport.h"
#include "ui/ScriptedUi.h"

namespace extract {
namespace {

using Names = std::vector<std::string>;

struct FragmentRow {
  const char* field;
  const char* op;
  const char* value;
  const char* expected;  // the fragment, or the message when it starts with "条件<"
};

TEST(ExtractQuery, EachConditionBuildsItsExactFragmentOrMessage) {
  const FragmentRow rows[] = {
      {"[Customer].[Name]", " Like '%*%'", "50%_off",
       "([Customer].[Name] Like '%50[%][_]off%' AND [Customer].[Name] Not Like '')"},
      {"[Customer].[Name]", " = '*'", "O'Neil", "([Customer].[Name] = 'O''Neil' AND [Customer].[Name] Not Like '')"},
      {"[Customer].[Name]", " = '*'", "", "[Customer].[Name] = ''"},
      {"[Customer].[Name]", " Not Like '*%'", "[#x", "([Customer].[Name] Not Like '[[][#]x%' AND [Customer].[Name] Not Like '')"},
      {"[Customer].[Name]", " = '*'", "50%_", "([Customer].[Name] = '50%_' AND [Customer].[Name] Not Like '')"},
      {"[Customer].[CustomerID]", " >= '*'", "A100", "([Customer].[CustomerID] >= 'A100' AND [Customer].[CustomerID] Not Like '')"},
      {"[Customer].[BirthDay]", "Month()= *", "2004/05/10", "Month(Int([Customer].[BirthDay]))= 5"},
      {"[Customer].[BirthDay]", "Month()= *", "7", "Month(Int([Customer].[BirthDay]))= 7"},
      {"[Customer].[BirthDay]", "Day()= *", "2004/05/10", "Day(Int([Customer].[BirthDay]))= 10"},
      {"[Customer].[BirthDay]", " >= *", "2004/04/01", "Int([Customer].[BirthDay]) >= #4/1/2004#"},
      {"[Rireki].[Date]", " < *", "2024/12/31", "Int([Rireki].[Date]) < #12/31/2024#"},
      {"[Customer].[Sex]", " = *", "女", "[Customer].[Sex] = 1"},
      {"[Customer].[TaxMethod]", " <> *", "未設定", "[Customer].[TaxMethod] <> 4"},
      {"[Customer].[ColorMark]", " = *", "255", "[Customer].[ColorMark] = 255"},
      {"[Customer].[ClosingDay]", " = *", "99", "[Customer].[ClosingDay] = 99"},
      {"[Rireki].[Money]", " >= *", "-100000000", "[Rireki].[Money] >= -100000000"},
      {"[Rireki].[Money]", " < *", "999999999999.99", "[Rireki].[Money] < 999999999999.99"},
      {"[Rireki].[Money]", " = *", "１，５００", "[Rireki].[Money] = 1500"},
      {"[Customer].[TEL_Home]", " = '*'", "03-1234-5678",
       "(([Customer].[TEL_Home] = '03-1234-5678' AND [Customer].[TEL_Home] Not Like '') OR [Customer].[TEL_Home_X] = 312345678.000000)"},
      {"[Customer].[TEL_Office]", " <> '*'", "06-1111-2222",
       "(([Customer].[TEL_Office] <> '06-1111-2222' AND [Customer].[TEL_Office] Not Like '') AND ([Customer].[TEL_Office_X] <> 611112222.000000 AND [Customer].[TEL_Office_X] <>0))"},
      {"[Customer].[TEL_Home]", " Like '*%'", "03", "([Customer].[TEL_Home] Like '03%' AND [Customer].[TEL_Home] Not Like '')"},
      // Refusals, each with its condition's label.
      {"[Customer].[BirthDay]", "Month()= *", "13",
       "条件<A>：入力された日付の形式が正しくありません。\n月を指定する場合は 1 ～ 12 の数字または、yyyy/mm/dd 形式で入力してください。"},
      {"[Customer].[BirthDay]", "Day()= *", "32",
       "条件<A>：入力された日付の形式が正しくありません。\n日にちを指定する場合は 1 ～ 31 の数字または、yyyy/mm/dd 形式で入力してください。"},
      {"[Customer].[BirthDay]", " = *", "5/10", "条件<A>：入力された日付の形式が正しくありません。\n日付は yyyy/mm/dd 形式で入力してください。"},
  };
  for (const FragmentRow& row : rows) {
    SCOPED_TRACE(std::string(row.field) + row.op + row.value);
    const ConditionInput input{row.field, row.value, row.op};
    const std::string expected = row.expected;
    if (expected.starts_with("条件<")) {
      const CheckResult check = CheckCondition(input, 0);
      const Fragment f = check.kind == CheckResult::Refused ? Fragment{{}, {}, check.message} : BuildFragment(input, 0);
      EXPECT_EQ(f.sql, "");
      EXPECT_EQ(f.message, expected);
    } else {
      EXPECT_NE(CheckCondition(input, 0).kind, CheckResult::Refused) << CheckCondition(input, 0).message;
      const Fragment f = BuildFragment(input, 0);
      EXPECT_EQ(f.sql, expected);
      EXPECT_EQ(f.array, (std::vector<std::string>{row.field, row.value, row.op}));
    }
  }
}

struct CheckRow {
  const char* field;
  const char* op;
  const char* value;
  int index;
  const char* message;  // empty: passes
};

TEST(ExtractQuery, ChecksRefuseWithTheExactMessage) {
  const CheckRow rows[] = {
      {"", " = '*'", "x", 0, "条件<A>：項目を選択してください"},
      {"[Customer].[Name]", "", "x", 1, "条件<B>：比較式を選択してください"},
      {"[Customer].[Sex]", " = *", "", 2, "条件<C>：条件を入力または選択してください"},
      {"[Customer].[Sex]", " = *", "おとこ", 0, "条件<A>：条件を選択してください"},
      {"[Customer].[ClosingDate]", " = *", "12", 0, ""},
      {"[Customer].[ClosingDate]", " = *", "13", 0, "条件<A>：条件には 0 ～12 を設定してください"},
      {"[Customer].[ClosingDate]", " = *", "a", 0, "条件<A>：条件には 0 ～12 を設定してください"},
      {"[Customer].[ClosingDay]", " = *", "99", 0, ""},
      {"[Customer].[ClosingDay]", " = *", "32", 0, "条件<A>：条件には 0 ～ 31 または 99 を設定してください"},
      {"[Customer].[ClosingDay]", " = *", "100", 0, "条件<A>：条件に入力された数字が大きすぎます"},
      {"[Rireki].[Money]", " = *", "12.345", 0, "条件<A>：条件に入力できる数値は小数点以下２桁までです"},
      {"[Rireki].[Money]", " = *", "12a", 0, "条件<A>：条件には半角数字、マイナス符号、小数点のみ入力できます"},
      {"[Rireki].[Money]", " = *", "1-2", 0, "条件<A>：条件に入力された数字が不正です"},
      {"[Rireki].[Money]", " = *", "1.-5", 0, "条件<A>：条件に入力された数字が不正です"},
      {"[Rireki].[Money]", " = *", "-", 0, "条件<A>：条件に入力された数字が不正です"},
      {"[Rireki].[Money]", " = *", "-100000000", 0, ""},
      {"[Rireki].[Money]", " = *", "-100000001", 0, "条件<A>：条件に入力された数字が小さすぎます"},
      {"[Rireki].[Money]", " = *", "-1000000000", 0, "条件<A>：条件に入力された数字が小さすぎます"},
      {"[Rireki].[Money]", " = *", "999999999999.99", 0, ""},
      {"[Rireki].[Money]", " = *", "1000000000000", 0, "条件<A>：条件に入力された数字が大きすぎます"},
      {"[Rireki].[Money]", " = *", "10000000000000", 0, "条件<A>：条件に入力された数字が大きすぎます"},
      {"[Customer].[ColorMark]", " = *", "", 0, ""},
  };
  for (const CheckRow& row : rows) {
    SCOPED_TRACE(std::string(row.field) + row.op + row.value);
    const CheckResult check = CheckCondition({row.field, row.value, row.op}, row.index);
    EXPECT_EQ(check.message, row.message);
    EXPECT_EQ(check.kind == CheckResult::Refused, *row.message != '\0');
  }
  const CheckResult empty = CheckCondition({"[Customer].[Name]", "", " = '*'"}, 0);
  EXPECT_EQ(empty.kind, CheckResult::AskEmpty);
  EXPECT_EQ(empty.message, "条件<A>：条件が入力されていません。\n空の文字とみなしますがよろしいですか？");
}

TEST(ExtractQuery, ListsFollowTheItemsKind) {
  const auto items = ItemList({{"CustomerID", "お客様コード"}, {"Picture1", "写真1"}, {"TEL_Home_X", "x"},
                               {"CommonMail", "標準"}, {"Name", "氏名"}});
  ASSERT_EQ(items.size(), 10u);
  EXPECT_EQ(items[0].label, kCustomerHeading);
  EXPECT_EQ(items[2].field, "[Customer].[Name]");
  EXPECT_EQ(items[3].label, kHistoryHeading);
  EXPECT_EQ(items[9].field, "[Rireki].[TantouName]");
  EXPECT_TRUE(ItemList({}).empty());
  EXPECT_EQ(Operators("[Customer].[CustomerID]").size(), 12u);
  EXPECT_EQ(Operators("[Customer].[Name]").size(), 8u);
  EXPECT_EQ(Operators("[Customer].[BirthDay]")[1].sql, "Month()= *");
  EXPECT_TRUE(Operators("[Customer].[Picture1]").empty());
  EXPECT_EQ(InputModeOf("[Customer].[TEL_Home]"), InputMode::Off);
  EXPECT_EQ(InputModeOf("[Customer].[Yomi]"), InputMode::Katakana);
  EXPECT_EQ(InputModeOf("[Customer].[Name]"), InputMode::On);
  EXPECT_EQ(InputModeOf("[Rireki].[Money]"), InputMode::Off);
}

StatementInput Statement(std::int32_t type, std::vector<ConditionInput> conditions, Connector ab = Connector::End,
                         Connector bc = Connector::None) {
  StatementInput in;
  in.resultType = type;
  for (std::size_t i = 0; i < conditions.size(); ++i) in.conditions[i] = conditions[i];
  in.ab = ab;
  in.bc = bc;
  return in;
}

TEST(ExtractQuery, StatementChoosesItsTablesAndGroupsAAndBFirst) {
  ui::ScriptedUi ui([](const std::string& why) { ADD_FAILURE() << why; });
  settings::CExCondition c;
  c.displayColumns = {"Name"};
  const ConditionInput money{"[Rireki].[Money]", "100", " > *"};
  const ConditionInput name{"[Customer].[Name]", "田", " Like '%*%'"};
  const ConditionInput sex{"[Customer].[Sex]", "男", " = *"};
  ASSERT_TRUE(BuildStatement(Statement(1, {money}), ui, c));
  EXPECT_EQ(c.sql, "SELECT DISTINCTROW Rireki.* FROM Rireki WHERE [Rireki].[Money] > 100");
  EXPECT_EQ(c.displayColumns, std::vector<std::string>{"Name"});
  EXPECT_EQ(c.conditionA.size(), 3u);
  EXPECT_TRUE(c.conditionB.empty());
  ASSERT_TRUE(BuildStatement(Statement(1, {money, name}, Connector::Or), ui, c));
  EXPECT_EQ(c.sql,
            "SELECT DISTINCTROW Rireki.* FROM Customer INNER JOIN Rireki ON Customer.ID = Rireki.CustomerID WHERE "
            "[Rireki].[Money] > 100 OR ([Customer].[Name] Like '%田%' AND [Customer].[Name] Not Like '')");
  EXPECT_EQ(c.conditionA.back(), "OR");
  ASSERT_TRUE(BuildStatement(Statement(0, {name, sex, money}, Connector::And, Connector::Or), ui, c));
  EXPECT_EQ(c.sql,
            "SELECT DISTINCTROW Customer.* FROM Customer INNER JOIN Rireki ON Customer.ID = Rireki.CustomerID WHERE "
            "(([Customer].[Name] Like '%田%' AND [Customer].[Name] Not Like '') AND [Customer].[Sex] = 0) OR "
            "[Rireki].[Money] > 100");
  // "おわり" ignores whatever B and C hold, even a broken B.
  ASSERT_TRUE(BuildStatement(Statement(0, {sex, {"", "", ""}, money}, Connector::End, Connector::And), ui, c));
  EXPECT_EQ(c.sql, "SELECT DISTINCTROW Customer.* FROM Customer WHERE [Customer].[Sex] = 0");
  // A refusal tells the check's message, then the statement's, and leaves the condition as it was.
  const settings::CExCondition before = c;
  ui.ExpectMessage("条件<B>：条件に入力できる数値は小数点以下２桁までです").ExpectMessage("条件<B>の設定が不正です");
  EXPECT_FALSE(BuildStatement(Statement(0, {sex, {"[Rireki].[Money]", "1.234", " = *"}}, Connector::And), ui, c));
  EXPECT_EQ(c, before);
  // An empty text value asks first; No refuses.
  ui.ExpectMessage("条件<A>：条件が入力されていません。\n空の文字とみなしますがよろしいですか？", ui::Answer::No)
      .ExpectMessage("条件<A>の設定が不正です");
  EXPECT_FALSE(BuildStatement(Statement(0, {{"[Customer].[Name]", "", " = '*'"}}), ui, c));
  EXPECT_TRUE(ui.Done());
}

// A database with customers and their history, for extractions run end to end.
class ExtractEndToEnd : public settings::test::SettingsFolderTest {
 protected:
  ExtractEndToEnd() {
    EXPECT_EQ(records::CQmvFile::CreateDatabaseFile(Data() / "ZQQMV.qmv", records::QmvSchemaSql()), 1);
    EXPECT_EQ(store.InitDB(Data()), 1);
  }
  ~ExtractEndToEnd() override { store.SaveQMV(true); }

  std::int32_t Add(std::string name, std::function<void(records::CKokyaku&)> more = {}) {
    records::KokyakuList list;
    auto k = std::make_unique<records::CKokyaku>();
    k->Name = std::move(name);
    k->CustomerID = k->Name;
    if (more) more(*k);
    list.push_back(std::move(k));
    records::IdArray ids;
    EXPECT_EQ(store.AddNewKokyaku(list, ids), 1);
    return ids.empty() ? 0 : ids.front();
  }
  std::vector<std::string> Found(const std::vector<ConditionInput>& conditions, Connector ab = Connector::End,
                                 Connector bc = Connector::None) {
    settings::CExCondition c;
    EXPECT_TRUE(BuildStatement(Statement(0, conditions, ab, bc), ui, c));
    records::IdArray ids;
    EXPECT_EQ(store.ExtractKokyaku(c.sql, ids), 1) << c.sql;
    records::KokyakuList all;
    store.GetAllKokyaku(all, "");
    std::vector<std::string> names;
    for (std::int32_t id : ids) {
      for (const auto& k : all) {
        if (k->ID == id) names.push_back(k->Name);
      }
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  records::CKokyakuVMData store;
};



TEST_F(ExtractEndToEnd, ExtractionsReturnTheCustomersAUserExpects) {
  Add("50%_off");
  Add("5000 off");
  Add("O'Neil");
  Add("ONeil");
  Add("五月生まれ", [](auto& k) { k.BirthDay = records::COleDate::FromCivil(1980, 5, 10); });
  Add("六月生まれ", [](auto& k) { k.BirthDay = records::COleDate::FromCivil(1980, 6, 10); });
  Add("電話", [](auto& k) { k.TEL_Home = "03-1234-5678"; });
  EXPECT_EQ(Found({{"[Customer].[Name]", "50%_off", " Like '%*%'"}}), Names{"50%_off"});
  EXPECT_EQ(Found({{"[Customer].[Name]", "O'Neil", " = '*'"}}), Names{"O'Neil"});
  EXPECT_EQ(Found({{"[Customer].[BirthDay]", "2004/05/01", "Month()= *"}}), Names{"五月生まれ"});
  // The number typed without hyphens finds the stored number with them, through the numeric column.
  EXPECT_EQ(Found({{"[Customer].[TEL_Home]", "0312345678", " = '*'"}}), Names{"電話"});
  EXPECT_EQ(Found({{"[Customer].[Name]", "O", " Like '*%'"}, {"[Customer].[Name]", "'", " Like '%*%'"},
                   {"[Customer].[Name]", "生まれ", " Like '%*'"}},
                  Connector::And, Connector::Or),
            (Names{"O'Neil", "五月生まれ", "六月生まれ"}));
}

TEST_F(ExtractEndToEnd, HistoryExtractionReturnsTheEntriesOfTheConditions) {
  const std::int32_t id = Add("履歴の客");
  for (double money : {500.0, 1500.0}) {
    records::CRirekiData entry;
    entry.Date = records::COleDate::FromCivil(2024, 3, 1);
    entry.ActionTitle = "購入";
    entry.Money = money;
    EXPECT_GT(store.AddNewRireki(id, entry, entry.Date), 0);
  }
  settings::CExCondition c;
  ASSERT_TRUE(BuildStatement(Statement(1, {{"[Rireki].[Money]", "1000", " > *"}, {"[Customer].[Name]", "履歴", " Like '*%'"}},
                                       Connector::And),
                             ui, c));
  records::RirekiList list;
  ASSERT_EQ(store.ExtractRireki(c.sql, list), 1) << c.sql;
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0]->Money, 1500.0);
}

// No value a user types changes the statement's structure: through every text operator, the
// statement still reads as one SELECT, and comparing for equality finds exactly the customer who
// holds that value, never the decoy.
TEST_F(ExtractEndToEnd, HostileValuesNeverChangeTheStatement) {
  const std::vector<std::string> values = {
      "'", "''", "a' OR 'a'='a", "]", "[", "[a-z]", "#", "#1/1/2000#", "%", "_", "*", "?", "--", ";", "; DROP TABLE Customer; --",
      "\"", "ソ表能", "ﾎﾞ\\", std::string(10000, 'x'), std::string(3000, '\''), std::string(3000, '['),
  };
  Add("decoy");
  for (const std::string& value : values) {
    Add(value);
  }
  for (const std::string& value : values) {
    SCOPED_TRACE(value.substr(0, 40));
    for (const Operator& op : Operators("[Customer].[Name]")) {
      settings::CExCondition c;
      ASSERT_TRUE(BuildStatement(Statement(0, {{"[Customer].[Name]", value, op.sql}}), ui, c));
      const records::JetTranslation t = records::TranslateJetSql(c.sql);
      EXPECT_TRUE(t.ok) << op.label << ": " << t.error;
      records::IdArray ids;
      EXPECT_EQ(store.ExtractKokyaku(c.sql, ids), 1) << op.label;
    }
    const Names found = Found({{"[Customer].[Name]", value, " = '*'"}});
    EXPECT_EQ(found, Names{value});
    const Names containing = Found({{"[Customer].[Name]", value, " Like '%*%'"}});
    EXPECT_TRUE(std::find(containing.begin(), containing.end(), value) != containing.end());
    EXPECT_TRUE(std::find(containing.begin(), containing.end(), "decoy") == containing.end());
  }
  // A NUL cannot be stored; the statement carrying one is refused whole by the store.
  settings::CExCondition c;
  ASSERT_TRUE(BuildStatement(Statement(0, {{"[Customer].[Name]", std::string("a\0b", 3), " = '*'"}}), ui, c));
  records::IdArray ids;
  EXPECT_EQ(store.ExtractKokyaku(c.sql, ids), -1);
  EXPECT_TRUE(ids.empty());
}

}  // namespace
}  // namespace extract
