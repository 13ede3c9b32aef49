#include <gtest/gtest.h>

#include "platform/TempFolder.h"
#include "settings/CDefKokyaku.h"
#include "settings/CDefaultSort.h"
#include "settings/CExtract.h"
#include "ui/ScriptedUi.h"

namespace settings {
namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

CExCondition NameContains(std::string name) {
  CExCondition c;
  c.sql = "SELECT DISTINCTROW Customer.* FROM Customer WHERE [Customer].[Name] Like '%山%'";
  c.name = std::move(name);
  c.conditionA = {"[Customer].[Name]", "山", " Like '%*%'"};
  return c;
}

class ExtractionSettingsTest : public ::testing::Test {
 protected:
  TempFolder folder_;
  ui::ScriptedUi ui_{[](const std::string& why) { ADD_FAILURE() << why; }};
};

TEST_F(ExtractionSettingsTest, SavedConditionsRoundTripInOrder) {
  CExtract extract(ui_, folder_.Path());
  ASSERT_EQ(extract.Load(), 1);  // no file yet: loaded, empty
  EXPECT_EQ(extract.Count(), 0u);
  EXPECT_FALSE(std::filesystem::exists(extract.FilePath()));
  ASSERT_EQ(extract.Add(NameContains("山のつく人")), 1);
  CExCondition history = NameContains("履歴");
  history.resultType = CExCondition::kHistory;
  history.displayColumns = {"Name", "TEL_Home"};
  history.conditionA.push_back("OR");
  history.conditionB = {"[Rireki].[Money]", "1000", " >= *"};
  ASSERT_EQ(extract.Add(history), 1);

  CExtract again(ui_, folder_.Path());
  ASSERT_EQ(again.Load(), 1);
  ASSERT_EQ(again.Count(), 2u);
  EXPECT_EQ(again.At(0), NameContains("山のつく人"));
  EXPECT_EQ(again.At(1), history);
  // The array count, then CExCondition's class record once and 01 80 for the second element.
  const std::string bytes = ReadBytes(extract.FilePath());
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x02\x00\xFF\xFF", 4));
  EXPECT_NE(bytes.find("CExCondition"), std::string::npos);
  EXPECT_NE(bytes.find(std::string("\x01\x80", 2)), std::string::npos);
}

TEST_F(ExtractionSettingsTest, ADamagedFileIsNeverOverwritten) {
  CExtract extract(ui_, folder_.Path());
  WriteBytes(extract.FilePath(), std::string("\x01\x00\xFF\xFF\x01\x00", 6));
  ui_.ExpectMessage("ファイル操作中にエラーが発生しました");
  EXPECT_EQ(extract.Load(), 0);
  EXPECT_FALSE(extract.IsLoaded());
  EXPECT_EQ(extract.Add(NameContains("x")), 0);
  EXPECT_EQ(ReadBytes(extract.FilePath()), std::string("\x01\x00\xFF\xFF\x01\x00", 6));
}

TEST_F(ExtractionSettingsTest, PreExtractionTakesOnlyCustomerConditions) {
  CDefKokyaku def(ui_, folder_.Path());
  EXPECT_FALSE(def.Exists());
  EXPECT_EQ(def.Load(), nullptr);
  CExCondition history = NameContains("");
  history.resultType = CExCondition::kHistory;
  ui_.ExpectMessage("指定された条件が不正です");
  EXPECT_EQ(def.Save(history), 0);
  EXPECT_FALSE(def.Exists());
  ASSERT_EQ(def.Save(NameContains("")), 1);
  // Fields only: the result type comes first, no class record.
  EXPECT_EQ(ReadBytes(def.FilePath()).substr(0, 4), std::string(4, '\0'));
  const auto loaded = def.Load();
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(*loaded, NameContains(""));
  EXPECT_EQ(loaded->conditionA.size(), 3u);
  EXPECT_TRUE(loaded->conditionB.empty());
  EXPECT_TRUE(def.Delete());
  EXPECT_TRUE(def.Delete());
}

TEST_F(ExtractionSettingsTest, DefaultOrderClauseByDirection) {
  CDefaultSort sort(ui_, folder_.Path());
  EXPECT_EQ(sort.OrderClause(), "ORDER BY [Customer].[RirekiUpDate] DESC");  // a fresh installation
  sort.column = "Yomi";
  sort.direction = CDefaultSort::kAscending;
  ASSERT_EQ(sort.Save(), 1);
  EXPECT_EQ(ReadBytes(folder_ / CDefaultSort::kFileName), std::string("\x04Yomi\x00\x00\x00\x00", 9));
  CDefaultSort again(ui_, folder_.Path());
  EXPECT_EQ(again.OrderClause(), "ORDER BY [Customer].[Yomi]");
  again.direction = 2;
  EXPECT_EQ(again.OrderClause(), "");
  again.column.clear();
  again.direction = CDefaultSort::kDescending;
  EXPECT_EQ(again.OrderClause(), "");
}

// The column goes into the start-up query, so a damaged file must never name one the table lacks.
TEST_F(ExtractionSettingsTest, DefaultOrderWithUnknownColumnFallsBackToFactoryOrder) {
  for (const char* column : {"NoSuchColumn", "Yomi] DESC; DROP TABLE Customer; --"}) {
    CDefaultSort written(ui_, folder_.Path());
    written.column = column;
    written.direction = CDefaultSort::kAscending;
    ASSERT_EQ(written.Save(), 1);
    ui_.ExpectMessage("ファイル操作中にエラーが発生しました");
    CDefaultSort read(ui_, folder_.Path());
    EXPECT_EQ(read.OrderClause(), "ORDER BY [Customer].[RirekiUpDate] DESC") << column;
    EXPECT_TRUE(ui_.Done());
  }
}

}  // namespace
}  // namespace settings
