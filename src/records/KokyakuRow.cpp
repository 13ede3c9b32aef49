#include "records/KokyakuRow.h"

#include "records/CKokyakuVMData.h"

namespace records {

namespace {

bool IsStoredColumn(const KokyakuColumn& c) { return c.name != "ID"; }

std::string Quoted(std::string_view name) { return "\"" + std::string(name) + "\""; }

std::string BuildInsertSql() {
  std::string names, marks;
  for (const auto& c : KokyakuColumns()) {
    if (!IsStoredColumn(c)) continue;
    names += Quoted(c.name) + ",";
    marks += "?,";
  }
  return "INSERT INTO Customer (" + names + Quoted(kTelHomeX) + "," + Quoted(kTelOfficeX) + ") VALUES (" + marks +
         "?,?)";
}

std::string BuildUpdateSql() {
  std::string sets;
  for (const auto& c : KokyakuColumns()) {
    if (IsStoredColumn(c)) sets += Quoted(c.name) + "=?,";
  }
  return "UPDATE Customer SET " + sets + Quoted(kTelHomeX) + "=?," + Quoted(kTelOfficeX) + "=? WHERE ID=?";
}

}  // namespace

const std::string& KokyakuInsertSql() {
  static const std::string sql = BuildInsertSql();
  return sql;
}

const std::string& KokyakuUpdateSql() {
  static const std::string sql = BuildUpdateSql();
  return sql;
}

int KokyakuParameterCount() { return static_cast<int>(KokyakuColumns().size()) - 1 + 2; }

bool BindDate(sqlite::Statement& statement, int index, const COleDate& date) {
  return date.IsValid() ? statement.BindDouble(index, date.Value()) : statement.BindNull(index);
}

COleDate ColumnDate(const sqlite::Statement& statement, int column) {
  if (statement.ColumnIsNull(column)) return COleDate::Null();
  return COleDate(statement.ColumnDouble(column));
}

bool BindColumn(sqlite::Statement& statement, int index, const CKokyaku& customer, const KokyakuColumn& column) {
  return std::visit(
      [&](auto member) {
        const auto& value = customer.*member;
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, std::string>) {
          return statement.BindTextNoCopy(index, value);
        } else if constexpr (std::is_same_v<T, COleDate>) {
          return BindDate(statement, index, value);
        } else {
          return statement.BindInt(index, value);
        }
      },
      column.field);
}

bool BindKokyaku(sqlite::Statement& statement, const CKokyaku& customer) {
  int index = 1;
  bool ok = true;
  for (const auto& c : KokyakuColumns()) {
    if (IsStoredColumn(c)) ok &= BindColumn(statement, index++, customer, c);
  }
  ok &= statement.BindDouble(index++, CKokyakuVMData::StrTelToINT(customer.TEL_Home));
  ok &= statement.BindDouble(index, CKokyakuVMData::StrTelToINT(customer.TEL_Office));
  return ok;
}

KokyakuReader::KokyakuReader(const sqlite::Statement& statement) {
  const int count = statement.ColumnCount();
  for (int i = 0; i < count; ++i) {
    if (const KokyakuColumn* c = FindKokyakuColumn(statement.ColumnName(i))) slots_.push_back({i, c});
  }
}

void KokyakuReader::Read(const sqlite::Statement& statement, CKokyaku& customer) const {
  for (const Slot& slot : slots_) {
    std::visit(
        [&](auto member) {
          auto& field = customer.*member;
          using T = std::decay_t<decltype(field)>;
          if constexpr (std::is_same_v<T, std::string>) {
            field.assign(statement.ColumnText(slot.column));
          } else if constexpr (std::is_same_v<T, COleDate>) {
            field = ColumnDate(statement, slot.column);
          } else {
            field = statement.ColumnInt(slot.column);
          }
        },
        slot.field->field);
  }
}

}  // namespace records
