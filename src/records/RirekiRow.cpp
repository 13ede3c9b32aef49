#include "records/RirekiRow.h"

#include <strings.h>

#include <string>

#include "records/KokyakuRow.h"

namespace records {

namespace {

struct NamedField {
  const char* name;
  int field;
};

}  // namespace

RirekiReader::RirekiReader(const sqlite::Statement& statement) {
  static constexpr NamedField kFields[] = {
      {"ID", 0},      {"CustomerID", 1}, {"Date", 2},       {"ActionTitle", 3}, {"Action", 4},
      {"Money", 5},   {"Keyword", 6},    {"TantouName", 7}, {"Picture", 8},
  };
  const int count = statement.ColumnCount();
  for (int i = 0; i < count; ++i) {
    const std::string name(statement.ColumnName(i));
    for (const auto& f : kFields) {
      if (strcasecmp(name.c_str(), f.name) == 0) slots_.push_back({i, static_cast<Field>(f.field)});
    }
  }
}

void RirekiReader::Read(const sqlite::Statement& s, CRirekiData& e) const {
  for (const Slot& slot : slots_) {
    const int c = slot.column;
    switch (slot.field) {
      case Field::ID: e.ID = s.ColumnInt(c); break;
      case Field::CustomerID: e.CustomerID = s.ColumnInt(c); break;
      case Field::Date: e.Date = ColumnDate(s, c); break;
      case Field::ActionTitle: e.ActionTitle.assign(s.ColumnText(c)); break;
      case Field::Action: e.Action.assign(s.ColumnText(c)); break;
      case Field::Money: e.Money = s.ColumnDouble(c); break;
      case Field::Keyword: e.Keyword.assign(s.ColumnText(c)); break;
      case Field::TantouName: e.TantouName.assign(s.ColumnText(c)); break;
      case Field::Picture: e.Picture.assign(s.ColumnText(c)); break;
    }
  }
}

}  // namespace records
