#include "io/ImportExcel.h"

#include <freexl.h>
#include <pugixml.hpp>
#include <zip.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <system_error>

#include "records/COleDate.h"
#include "text/Format.h"

namespace io {

namespace {

// The cells of a sheet as read, by sheet row and column (both from 0), before they become a table.
struct SheetCells {
  std::map<std::size_t, std::map<std::size_t, std::string>> rows;
};

std::string FileName(const std::filesystem::path& p) { return p.filename().string(); }

// Turns the cells into the rows table: the used columns from the first used one up to column 256
// of the sheet, rows whose cells are all empty dropped.
ImportRead TableOf(const SheetCells& cells) {
  ImportRead read;
  std::size_t first = SIZE_MAX, last = 0;
  for (const auto& [r, row] : cells.rows) {
    for (const auto& [c, value] : row) {
      if (value.empty()) continue;
      first = std::min(first, c);
      last = std::max(last, c);
    }
  }
  if (first == SIZE_MAX) {
    read.rows.push_back({std::string()});
    return read;
  }
  if (last >= kExcelMaxColumns) {
    read.notice = kExcelCut;
    last = kExcelMaxColumns - 1;
  }
  if (first > last) {  // every used column lies past the 256th
    read.rows.push_back({std::string()});
    return read;
  }
  const std::size_t width = last - first + 1;
  ImportRow header(1);
  for (std::size_t c = 1; c <= width; ++c) header.push_back(DefaultColumnName(c));
  read.rows.push_back(std::move(header));
  for (const auto& [r, row] : cells.rows) {
    ImportRow out(width + 1);
    bool any = false;
    for (auto it = row.lower_bound(first); it != row.end() && it->first <= last; ++it) {
      if (it->second.empty()) continue;
      out[it->first - first + 1] = it->second;
      any = true;
    }
    if (!any) continue;
    out[0] = std::to_string(r + 1);
    read.rows.push_back(std::move(out));
  }
  return read;
}

// ---- .xls through freexl ----

struct XlsHandle {
  const void* handle = nullptr;
  ~XlsHandle() {
    if (handle) freexl_close(handle);
  }
};

std::string XlsError(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return text::Format(kExcelMissing, FileName(file));
  return text::Format(kExcelUnreadable, FileName(file));
}

SheetList ListXlsSheets(const std::filesystem::path& file) {
  SheetList list;
  XlsHandle xls;
  unsigned int count = 0;
  if (freexl_open(file.c_str(), &xls.handle) != FREEXL_OK || freexl_get_info(xls.handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK) {
    list.error = XlsError(file);
    return list;
  }
  for (unsigned short i = 0; i < count; ++i) {
    const char* name = nullptr;
    if (freexl_get_worksheet_name(xls.handle, i, &name) != FREEXL_OK) {
      list.error = XlsError(file);
      return list;
    }
    list.names.emplace_back(name ? name : "");
  }
  return list;
}

std::string XlsCellText(const FreeXL_CellValue& cell) {
  switch (cell.type) {
    case FREEXL_CELL_INT: return std::to_string(cell.value.int_value);
    case FREEXL_CELL_DOUBLE: return NumberText(cell.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT: return cell.value.text_value ? cell.value.text_value : "";
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME: {
      // "YYYY-MM-DD[ HH:MM:SS]" as "YYYY/MM/DD".
      std::string date = cell.value.text_value ? std::string(cell.value.text_value).substr(0, 10) : "";
      std::replace(date.begin(), date.end(), '-', '/');
      return date;
    }
    case FREEXL_CELL_TIME: return "1899/12/30";  // a time of day formatted as a date
    default: return {};
  }
}

ImportRead ReadXlsSheet(const std::filesystem::path& file, std::size_t sheet) {
  XlsHandle xls;
  unsigned int rows = 0;
  unsigned short columns = 0;
  if (freexl_open(file.c_str(), &xls.handle) != FREEXL_OK ||
      freexl_select_active_worksheet(xls.handle, static_cast<unsigned short>(sheet)) != FREEXL_OK ||
      freexl_worksheet_dimensions(xls.handle, &rows, &columns) != FREEXL_OK) {
    return ImportRead::Failed(XlsError(file));
  }
  SheetCells cells;
  for (unsigned int r = 0; r < rows; ++r) {
    for (unsigned short c = 0; c < columns; ++c) {
      FreeXL_CellValue cell;
      if (freexl_get_cell_value(xls.handle, r, c, &cell) != FREEXL_OK) return ImportRead::Failed(XlsError(file));
      std::string value = XlsCellText(cell);
      if (!value.empty()) cells.rows[r][c] = std::move(value);
    }
  }
  return TableOf(cells);
}

// ---- .xlsx through libzip and pugixml ----

struct Zip {
  zip_t* archive = nullptr;
  ~Zip() {
    if (archive) zip_discard(archive);
  }
};

std::optional<std::string> ZipEntry(zip_t* archive, const std::string& name) {
  zip_stat_t st;
  zip_stat_init(&st);
  if (zip_stat(archive, name.c_str(), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) return std::nullopt;
  std::unique_ptr<zip_file_t, decltype(&zip_fclose)> f(zip_fopen(archive, name.c_str(), 0), &zip_fclose);
  if (!f) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(st.size), '\0');
  const zip_int64_t n = zip_fread(f.get(), bytes.data(), st.size);
  if (n < 0 || static_cast<zip_uint64_t>(n) != st.size) return std::nullopt;
  return bytes;
}

bool ParseXml(const std::optional<std::string>& bytes, pugi::xml_document& doc) {
  return bytes && doc.load_buffer(bytes->data(), bytes->size(), pugi::parse_default | pugi::parse_ws_pcdata_single);
}

// The element's local name ("x:sheet" and "sheet" alike).
std::string_view Local(const pugi::xml_node& n) {
  std::string_view name = n.name();
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node Child(const pugi::xml_node& parent, std::string_view name) {
  for (pugi::xml_node c : parent.children()) {
    if (Local(c) == name) return c;
  }
  return {};
}

std::string AllText(const pugi::xml_node& node) {
  // The text of <t> elements below node, skipping phonetic runs (<rPh>).
  std::string text;
  for (pugi::xml_node c : node.children()) {
    if (Local(c) == "t") {
      text += c.text().get();
    } else if (Local(c) == "r") {
      text += AllText(c);
    }
  }
  return text;
}

struct Workbook {
  Zip zip;
  std::vector<std::string> names, parts;
  std::string error;
};

std::string ResolvePart(std::string target) {
  if (target.starts_with('/')) return target.substr(1);
  return "xl/" + target;
}

bool OpenXlsx(const std::filesystem::path& file, Workbook& book) {
  int error = 0;
  book.zip.archive = zip_open(file.c_str(), ZIP_RDONLY, &error);
  pugi::xml_document workbook, rels;
  if (!book.zip.archive || !ParseXml(ZipEntry(book.zip.archive, "xl/workbook.xml"), workbook) ||
      !ParseXml(ZipEntry(book.zip.archive, "xl/_rels/workbook.xml.rels"), rels)) {
    book.error = XlsError(file);
    return false;
  }
  std::map<std::string, std::string> targets;
  for (pugi::xml_node r : Child(rels, "Relationships").children()) targets[r.attribute("Id").value()] = r.attribute("Target").value();
  for (pugi::xml_node s : Child(Child(workbook, "workbook"), "sheets").children()) {
    if (Local(s) != "sheet") continue;
    std::string id;
    for (pugi::xml_attribute a : s.attributes()) {
      const std::string_view n = a.name();
      if (n.ends_with(":id")) id = a.value();
    }
    const auto it = targets.find(id);
    if (it == targets.end()) continue;
    book.names.emplace_back(s.attribute("name").value());
    book.parts.push_back(ResolvePart(it->second));
  }
  if (book.names.empty()) {
    book.error = XlsError(file);
    return false;
  }
  return true;
}

bool IsDateFormatCode(std::string_view original) {
  // "General" names no date, though its letters would.
  std::string code(original);
  for (std::size_t at; (at = [&] {
         std::string lower = code;
         std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
         return lower.find("general");
       }()) != std::string::npos;) {
    code.erase(at, 7);
  }
  bool quoted = false, bracket = false;
  for (std::size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\\') {
      ++i;
      continue;
    }
    if (c == '[') bracket = true;
    if (c == ']') bracket = false;
    if (bracket) continue;
    switch (c) {
      case 'y': case 'Y': case 'd': case 'D': case 'h': case 'H': case 's': case 'S': case 'm': case 'M': case 'e': case 'g':
        return true;
      default: break;
    }
  }
  return false;
}

bool IsBuiltinDate(int id) { return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58); }

// Which cell styles (the "s" attribute) show dates.
std::vector<bool> DateStyles(zip_t* archive) {
  std::vector<bool> dates;
  pugi::xml_document styles;
  if (!ParseXml(ZipEntry(archive, "xl/styles.xml"), styles)) return dates;
  const pugi::xml_node sheet = Child(styles, "styleSheet");
  std::map<int, bool> custom;
  for (pugi::xml_node f : Child(sheet, "numFmts").children()) custom[f.attribute("numFmtId").as_int()] = IsDateFormatCode(f.attribute("formatCode").value());
  for (pugi::xml_node xf : Child(sheet, "cellXfs").children()) {
    const int id = xf.attribute("numFmtId").as_int();
    const auto it = custom.find(id);
    dates.push_back(it != custom.end() ? it->second : IsBuiltinDate(id));
  }
  return dates;
}

// "AB12" as column 27 (from 0); SIZE_MAX when there are no letters.
std::size_t ColumnOf(std::string_view ref) {
  std::size_t column = 0, letters = 0;
  for (char c : ref) {
    if (c >= 'A' && c <= 'Z') {
      column = column * 26 + static_cast<std::size_t>(c - 'A' + 1);
      ++letters;
    } else {
      break;
    }
  }
  return letters ? column - 1 : SIZE_MAX;
}

ImportRead ReadXlsxSheet(const std::filesystem::path& file, std::size_t sheet) {
  Workbook book;
  if (!OpenXlsx(file, book)) return ImportRead::Failed(book.error);
  if (sheet >= book.parts.size()) return ImportRead::Failed(XlsError(file));
  std::vector<std::string> shared;
  pugi::xml_document sst;
  if (ParseXml(ZipEntry(book.zip.archive, "xl/sharedStrings.xml"), sst)) {
    for (pugi::xml_node si : Child(sst, "sst").children()) {
      if (Local(si) == "si") shared.push_back(AllText(si));
    }
  }
  const std::vector<bool> dateStyles = DateStyles(book.zip.archive);
  pugi::xml_document doc;
  if (!ParseXml(ZipEntry(book.zip.archive, book.parts[sheet]), doc)) return ImportRead::Failed(XlsError(file));
  SheetCells cells;
  std::size_t nextRow = 0;
  for (pugi::xml_node row : Child(Child(doc, "worksheet"), "sheetData").children()) {
    if (Local(row) != "row") continue;
    const std::size_t r = row.attribute("r") ? row.attribute("r").as_ullong() - 1 : nextRow;
    nextRow = r + 1;
    std::size_t nextColumn = 0;
    for (pugi::xml_node c : row.children()) {
      if (Local(c) != "c") continue;
      std::size_t column = ColumnOf(c.attribute("r").value());
      if (column == SIZE_MAX) column = nextColumn;
      nextColumn = column + 1;
      const std::string_view type = c.attribute("t").value();
      const std::string v = Child(c, "v").text().get();
      std::string value;
      if (type == "s") {
        const std::size_t i = static_cast<std::size_t>(std::strtoull(v.c_str(), nullptr, 10));
        if (!v.empty() && i < shared.size()) value = shared[i];
      } else if (type == "inlineStr") {
        value = AllText(Child(c, "is"));
      } else if (type == "str") {
        value = v;
      } else if (type == "b") {
        value = v == "1" ? "1" : "0";
      } else if (type == "e") {
        value.clear();
      } else if (!v.empty()) {
        const double number = std::strtod(v.c_str(), nullptr);
        const std::size_t style = c.attribute("s").as_ullong();
        const bool date = style < dateStyles.size() && dateStyles[style];
        value = date ? SerialDateText(number) : NumberText(number);
      }
      if (!value.empty()) cells.rows[r][column] = std::move(value);
    }
  }
  return TableOf(cells);
}

bool IsXlsx(const std::filesystem::path& file) {
  std::FILE* f = std::fopen(file.c_str(), "rb");
  if (!f) return false;
  char magic[4] = {};
  const std::size_t n = std::fread(magic, 1, 4, f);
  std::fclose(f);
  return n == 4 && magic[0] == 'P' && magic[1] == 'K';
}

}  // namespace

std::string NumberText(double value) {
  if (!std::isfinite(value)) return {};
  char buffer[64];
  if (value == std::trunc(value) && std::fabs(value) < 1e15) {
    std::snprintf(buffer, sizeof buffer, "%.0f", value);
    return buffer;
  }
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, end);
  const std::size_t point = text.find('.');
  if (point != std::string::npos && text.find('e') == std::string::npos && text.size() - point - 1 > 3) {
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    return buffer;
  }
  return text;
}

std::string SerialDateText(double serial) {
  return records::COleDate(serial).Format();
}

SheetList ListSheets(const std::filesystem::path& workbook) {
  std::error_code ec;
  if (!std::filesystem::exists(workbook, ec)) return {{}, text::Format(kExcelMissing, FileName(workbook))};
  if (!IsXlsx(workbook)) return ListXlsSheets(workbook);
  Workbook book;
  if (!OpenXlsx(workbook, book)) return {{}, book.error};
  return {book.names, {}};
}

ImportRead ReadSheet(const std::filesystem::path& workbook, std::size_t sheet) {
  std::error_code ec;
  if (!std::filesystem::exists(workbook, ec)) return ImportRead::Failed(text::Format(kExcelMissing, FileName(workbook)));
  return IsXlsx(workbook) ? ReadXlsxSheet(workbook, sheet) : ReadXlsSheet(workbook, sheet);
}

}  // namespace io
