#include "io/ImportConvert.h"

#include <array>
#include <charconv>

#include "records/KokyakuColumns.h"
#include "text/Width.h"

namespace io {

namespace {

using records::ColumnKind;
using records::KokyakuColumn;

constexpr std::string_view kNotOffered[] = {"ID", "StartDate", "LastUpDate", "TEL_Home_X", "TEL_Office_X", "ColorMark",
                                            "Picture1", "Picture2", "Picture3", "Picture4", "Picture5", "RirekiUpDate"};

struct CodedRule {
  std::string_view column;
  std::string_view note;
};

constexpr CodedRule kCodedRules[] = {
    {"Sex", "数値で 0 を男性、数値で 1 を女性とします。判別できなかった場合または対応づけなかった場合、男性として登録されます。"},
    {"EntryType", "数値で 0 を法人、数値で 1 を個人とします。判別できなかった場合または対応づけなかった場合、個人として登録されます。"},
    {"CustomerType", "数値で 0 を正規顧客、数値で 1 を見込み客とします。判別できなかった場合または対応づけなかった場合、正規顧客として登録されます。"},
    {"BirthDay", "日付と認識できる形式（yyyy/mm/dd など）。認識できなかった場合、読み込みは行いません。"},
    {"ClosingDate", "数値で 1 ～ 12。判別できなかった場合または対応づけなかった場合、未設定となります。"},
    {"ClosingDay", "数値で 1 ～ 31、または 99（末日扱い）。判別できなかった場合または対応づけなかった場合、未設定となります。"},
    {"TaxMethod", "数値で 0 ～ 4。0：外税（納品ごと）、1：外税（請求時）、2：内税、3：なし、4：未設定。判別できなかった場合または対応づけなかった場合、未設定となります。"},
    {"CommonMail", "数値で 1 ～ 5。メールアドレスの1番目から5番目までのどれを標準のアドレスにするか指定します。判別できなかった場合または対応づけなかった場合、1 となります。"},
};

std::string_view LimitNote(std::size_t limit) {
  switch (limit) {
    case 10: return "最大 10 バイトまで。これを超えるデータは切り捨てられます。";
    case 20: return "最大 20 バイトまで。これを超えるデータは切り捨てられます。";
    case 30: return "最大 30 バイトまで。これを超えるデータは切り捨てられます。";
    case 50: return "最大 50 バイトまで。これを超えるデータは切り捨てられます。";
    case 100: return "最大 100 バイトまで。これを超えるデータは切り捨てられます。";
    case 255: return "最大 255 バイトまで。これを超えるデータは切り捨てられます。";
    default: return {};
  }
}

// "yy/mm/dd" (or with "-" or "."), the form spreadsheets export their short date cells in, as a
// four-digit-year text; anything else unchanged.
std::string WithFullYear(std::string_view cell) {
  const std::string ascii = text::FullWidthAsciiToAscii(cell);
  std::size_t digits = 0;
  while (digits < ascii.size() && ascii[digits] >= '0' && ascii[digits] <= '9') ++digits;
  if (digits != 2 || ascii.size() < 6 || (ascii[2] != '/' && ascii[2] != '-' && ascii[2] != '.')) return std::string(cell);
  const int yy = (ascii[0] - '0') * 10 + (ascii[1] - '0');
  return std::to_string(yy < 30 ? 2000 + yy : 1900 + yy) + ascii.substr(2);
}

}  // namespace

bool IsImportable(std::string_view column) {
  if (!records::FindKokyakuColumn(column)) return false;
  for (std::string_view excluded : kNotOffered) {
    if (column == excluded) return false;
  }
  return true;
}

std::string_view ImportRule(std::string_view column) {
  if (!IsImportable(column)) return {};
  for (const CodedRule& rule : kCodedRules) {
    if (rule.column == column) return rule.note;
  }
  const KokyakuColumn* c = records::FindKokyakuColumn(column);
  return c->kind == ColumnKind::Text ? LimitNote(c->limit) : std::string_view{};
}

records::CKokyaku NewImportedCustomer() {
  records::CKokyaku k;
  for (const KokyakuColumn& c : records::KokyakuColumns()) {
    if (!c.rule || !IsImportable(c.name)) continue;
    if (const auto* member = std::get_if<std::int32_t records::CKokyaku::*>(&c.field)) {
      k.*(*member) = records::UnmappedValue(c.name);
    }
  }
  return k;
}

void SetImportedColumn(records::CKokyaku& k, std::string_view column, std::string_view cell) {
  if (column == "BirthDay") {
    records::SetColumnFromText(k, column, WithFullYear(cell));
    return;
  }
  records::SetColumnFromText(k, column, cell);
}

records::KokyakuList ConvertRows(const ImportTable& rows, const ImportMapping& mapping, bool fromFirstRow,
                                 const std::function<bool(std::size_t)>& progress) {
  records::KokyakuList customers;
  const std::size_t first = fromFirstRow ? 1 : 2;
  if (rows.size() <= first) return customers;
  struct Mapped {
    std::size_t cell;
    const KokyakuColumn* column;
  };
  std::vector<Mapped> mapped;
  for (std::size_t i = 1; i < mapping.size(); ++i) {
    if (!mapping[i].empty() && IsImportable(mapping[i])) mapped.push_back({i, records::FindKokyakuColumn(mapping[i])});
  }
  const records::CKokyaku blank = NewImportedCustomer();
  customers.reserve(rows.size() - first);
  for (std::size_t r = first; r < rows.size(); ++r) {
    if (progress && (r - first) % 1000 == 0 && !progress(r - first)) return {};
    auto k = std::make_unique<records::CKokyaku>(blank);
    const ImportRow& row = rows[r];
    for (const Mapped& m : mapped) {
      if (m.cell < row.size()) SetImportedColumn(*k, m.column->name, row[m.cell]);
    }
    customers.push_back(std::move(k));
  }
  return customers;
}

}  // namespace io
