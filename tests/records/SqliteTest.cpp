#include "records/Sqlite.h"

#include <gtest/gtest.h>

#include "platform/TempFolder.h"

namespace records::sqlite {
namespace {

using testing_support::TempFolder;

constexpr int kCreate = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;

class SqliteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(db.Open(folder / "t.db", kCreate)) << db.LastError();
    ASSERT_TRUE(db.Exec("CREATE TABLE T(id INTEGER PRIMARY KEY, i INTEGER, r REAL, s TEXT)"));
  }

  std::int64_t Count(std::string_view where = "1") {
    Statement st = db.Prepare("SELECT COUNT(*) FROM T WHERE " + std::string(where));
    return st.Step() == StepResult::Row ? st.ColumnInt64(0) : -1;
  }

  TempFolder folder;
  Connection db;
};

TEST_F(SqliteTest, ValuesOfEveryTypeComeBackUnchanged) {
  const std::string text("顧客\0ソレル", 16);  // an embedded NUL must not cut the text
  Statement ins = db.Prepare("INSERT INTO T(id, i, r, s) VALUES(?, ?, ?, ?)");
  ASSERT_TRUE(ins.BindInt(1, 7));
  ASSERT_TRUE(ins.BindInt64(2, 1LL << 40));
  ASSERT_TRUE(ins.BindDouble(3, 45678.25));
  ASSERT_TRUE(ins.BindText(4, text));
  ASSERT_EQ(ins.Step(), StepResult::Done);
  EXPECT_EQ(db.Changes(), 1);
  EXPECT_EQ(db.LastInsertRowid(), 7);
  ins.Reset();
  ASSERT_TRUE(ins.BindInt(1, 8));
  ASSERT_TRUE(ins.BindNull(2));
  ins.ClearBindings();  // everything NULL again; id NULL picks the next rowid
  ASSERT_EQ(ins.Step(), StepResult::Done);
  EXPECT_EQ(db.LastInsertRowid(), 8);

  Statement sel = db.Prepare("SELECT i, r, s FROM T ORDER BY id");
  ASSERT_EQ(sel.Step(), StepResult::Row);
  EXPECT_EQ(sel.ColumnCount(), 3);
  EXPECT_EQ(sel.ColumnName(2), "s");
  EXPECT_EQ(sel.ColumnInt64(0), 1LL << 40);
  EXPECT_EQ(sel.ColumnDouble(1), 45678.25);
  EXPECT_EQ(sel.ColumnText(2), text);
  ASSERT_EQ(sel.Step(), StepResult::Row);
  EXPECT_TRUE(sel.ColumnIsNull(0));
  EXPECT_EQ(sel.ColumnText(2), "");
  EXPECT_EQ(sel.Step(), StepResult::Done);
}

TEST_F(SqliteTest, BindTextCopiesButNoCopyReadsTheCallersBuffer) {
  std::string copied = "copied";
  std::string borrowed = "borrow";
  Statement st = db.Prepare("SELECT ?, ?");
  ASSERT_TRUE(st.BindText(1, copied));
  ASSERT_TRUE(st.BindTextNoCopy(2, borrowed));
  copied[0] = 'X';
  borrowed[0] = 'X';
  ASSERT_EQ(st.Step(), StepResult::Row);
  EXPECT_EQ(st.ColumnText(0), "copied");
  EXPECT_EQ(st.ColumnText(1), "Xorrow");
}

TEST_F(SqliteTest, CachedStatementComesBackResetAndUnbound) {
  ASSERT_TRUE(db.Exec("INSERT INTO T(i) VALUES(1),(2),(3)"));
  constexpr std::string_view kSql = "SELECT i, ? FROM T ORDER BY i";
  sqlite3_stmt* first = nullptr;
  {
    Statement st = db.Cached(kSql);
    ASSERT_TRUE(st.BindText(1, "bound"));
    ASSERT_EQ(st.Step(), StepResult::Row);  // left in the middle of its rows
    first = st.Handle();
  }
  Statement again = db.Cached(kSql);
  EXPECT_EQ(again.Handle(), first);
  ASSERT_EQ(again.Step(), StepResult::Row);
  EXPECT_EQ(again.ColumnInt(0), 1);
  EXPECT_TRUE(again.ColumnIsNull(1));

  // The same text while the first one is out: an independent statement, not the same handle.
  Statement second = db.Cached(kSql);
  ASSERT_TRUE(second);
  EXPECT_NE(second.Handle(), first);
  ASSERT_EQ(second.Step(), StepResult::Row);
  EXPECT_EQ(second.ColumnInt(0), 1);
  ASSERT_EQ(again.Step(), StepResult::Row);
  EXPECT_EQ(again.ColumnInt(0), 2);
}

TEST_F(SqliteTest, FailuresAreReportedWithTheirText) {
  EXPECT_FALSE(db.Prepare("SELEKT 1"));
  EXPECT_NE(db.LastError().find("syntax error"), std::string::npos) << db.LastError();
  EXPECT_FALSE(db.Cached("SELECT nope FROM T"));
  EXPECT_NE(db.LastError().find("nope"), std::string::npos) << db.LastError();

  Statement st = db.Prepare("INSERT INTO T(id) VALUES(?)");
  EXPECT_FALSE(st.BindInt(2, 1));
  EXPECT_EQ(db.LastErrorCode(), SQLITE_RANGE);
  ASSERT_TRUE(st.BindInt(1, 1));
  ASSERT_EQ(st.Step(), StepResult::Done);
  st.Reset();
  EXPECT_EQ(st.Step(), StepResult::Error);
  EXPECT_EQ(db.LastErrorCode(), SQLITE_CONSTRAINT_PRIMARYKEY);
  EXPECT_NE(db.LastError().find("UNIQUE"), std::string::npos) << db.LastError();

  EXPECT_FALSE(db.Exec("INSERT INTO Missing VALUES(1)"));
  EXPECT_NE(db.LastError().find("Missing"), std::string::npos) << db.LastError();

  Connection closed;
  EXPECT_FALSE(closed.Exec("SELECT 1"));
  EXPECT_FALSE(closed.Prepare("SELECT 1"));
  EXPECT_FALSE(closed.Open(folder / "missing" / "x.db", SQLITE_OPEN_READWRITE));
  EXPECT_NE(closed.LastError().find("x.db"), std::string::npos) << closed.LastError();
  EXPECT_FALSE(closed.IsOpen());
}

TEST_F(SqliteTest, TransactionRollsBackUnlessCommitted) {
  {
    Transaction tx(db);
    ASSERT_TRUE(tx.IsActive());
    ASSERT_TRUE(db.Exec("INSERT INTO T(i) VALUES(1)"));
    EXPECT_TRUE(db.InTransaction());
  }
  EXPECT_FALSE(db.InTransaction());
  EXPECT_EQ(Count(), 0);
  {
    Transaction tx(db);
    ASSERT_TRUE(db.Exec("INSERT INTO T(i) VALUES(2)"));
    ASSERT_TRUE(tx.Commit());
  }
  EXPECT_EQ(Count(), 1);
}

TEST_F(SqliteTest, NestedTransactionUndoesOnlyItsOwnPart) {
  {
    Transaction outer(db);
    ASSERT_TRUE(db.Exec("INSERT INTO T(i) VALUES(1)"));
    {
      Transaction inner(db);
      ASSERT_TRUE(inner.IsActive());
      ASSERT_TRUE(db.Exec("INSERT INTO T(i) VALUES(2)"));
    }
    {
      Transaction inner(db);
      ASSERT_TRUE(db.Exec("INSERT INTO T(i) VALUES(3)"));
      ASSERT_TRUE(inner.Commit());
    }
    EXPECT_TRUE(db.InTransaction());
    ASSERT_TRUE(outer.Commit());
  }
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(Count("i = 2"), 0);
}

TEST_F(SqliteTest, RollbackKeepsTheFailureThatCausedIt) {
  ASSERT_TRUE(db.Exec("INSERT INTO T(id) VALUES(1)"));
  {
    Transaction tx(db);
    ASSERT_TRUE(db.Exec("INSERT INTO T(id) VALUES(2)"));
    EXPECT_FALSE(db.Exec("INSERT INTO T(id) VALUES(1)"));
  }
  EXPECT_EQ(db.LastErrorCode(), SQLITE_CONSTRAINT_PRIMARYKEY);
  EXPECT_EQ(Count(), 1);
}

TEST_F(SqliteTest, CloseWaitsForLiveStatements) {
  { Statement parked = db.Cached("SELECT 1"); }
  Statement live = db.Prepare("SELECT 2");
  EXPECT_FALSE(db.Close());
  EXPECT_TRUE(db.IsOpen());
  live = Statement();
  EXPECT_TRUE(db.Close()) << db.LastError();
  EXPECT_FALSE(db.IsOpen());
  EXPECT_TRUE(db.Close());
}

TEST_F(SqliteTest, UriOpenNamesTheSameFileWhateverItsCharacters) {
  const auto odd = folder / "a?b#c%d 顧客.db";
  {
    Connection w;
    ASSERT_TRUE(w.Open(odd, kCreate)) << w.LastError();
    ASSERT_TRUE(w.Exec("CREATE TABLE Odd(x); INSERT INTO Odd VALUES(42)"));
  }
  Connection r;
  ASSERT_TRUE(r.Open(odd, SQLITE_OPEN_READONLY, "immutable=1")) << r.LastError();
  Statement st = r.Prepare("SELECT x FROM Odd");
  ASSERT_EQ(st.Step(), StepResult::Row) << r.LastError();
  EXPECT_EQ(st.ColumnInt(0), 42);
}

}  // namespace
}  // namespace records::sqlite
