#include "io/CImportMappingDlg.h"

#include <algorithm>

#include "text/Format.h"
#include "text/Width.h"

namespace io {

namespace {

// A caption as compared with labels: full-width letters and digits as ASCII, no spaces of either
// width, ASCII letters in lower case.
std::string CaptionKey(std::string_view caption) {
  std::string ascii = text::FullWidthAsciiToAscii(caption);
  std::string key;
  for (std::size_t i = 0; i < ascii.size(); ++i) {
    if (ascii[i] == ' ' || ascii[i] == '\t') continue;
    if (ascii.compare(i, 3, "\xE3\x80\x80") == 0) {  // U+3000 ideographic space
      i += 2;
      continue;
    }
    key += (ascii[i] >= 'A' && ascii[i] <= 'Z') ? static_cast<char>(ascii[i] - 'A' + 'a') : ascii[i];
  }
  return key;
}

}  // namespace

CImportMappingDlg::CImportMappingDlg(ui::Ui& ui, ImportFormat format, const ImportTable& rows, std::vector<Column> offered)
    : ui_(ui), format_(format), rows_(rows), offered_(std::move(offered)), fromFirstRow_(format == ImportFormat::Access) {
  const std::size_t columns = rows_.empty() ? 1 : std::max<std::size_t>(rows_.front().size(), 1);
  mapping_.assign(columns, std::string());
  RefillAvailable();
}

std::vector<std::string> CImportMappingDlg::LineHeaders() const {
  if (format_ == ImportFormat::Access) return {"対応させる列", "ﾃﾞｰﾀの列名", "１行目"};
  return {"対応させる列", "１行目", "２行目"};
}

std::string CImportMappingDlg::Cell(std::size_t row, std::size_t column) const {
  if (row >= rows_.size() || column >= rows_[row].size()) return {};
  return rows_[row][column];
}

std::vector<CImportMappingDlg::Line> CImportMappingDlg::Lines() const {
  std::vector<Line> lines;
  for (std::size_t c = 1; c < mapping_.size(); ++c) {
    Line line;
    line.mapped = LabelOf(mapping_[c]);
    if (format_ == ImportFormat::Access) {
      line.first = Cell(0, c);
      line.second = Cell(1, c);
    } else {
      line.first = Cell(1, c);
      line.second = Cell(2, c);
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

void CImportMappingDlg::SelectAvailable(int row) {
  availableSelection_ = row >= 0 && row < static_cast<int>(available_.size()) ? row : -1;
}

void CImportMappingDlg::SelectLine(int row) {
  lineSelection_ = row >= 0 && row + 1 < static_cast<int>(mapping_.size()) ? row : -1;
}

std::string CImportMappingDlg::Note() const {
  if (availableSelection_ < 0) return {};
  return std::string(ImportRule(available_[static_cast<std::size_t>(availableSelection_)].key));
}

const CImportMappingDlg::Column* CImportMappingDlg::Offered(std::string_view key) const {
  const auto it = std::find_if(offered_.begin(), offered_.end(), [key](const Column& c) { return c.key == key; });
  return it == offered_.end() ? nullptr : &*it;
}

std::string CImportMappingDlg::LabelOf(std::string_view key) const {
  const Column* c = key.empty() ? nullptr : Offered(key);
  return c ? c->label : std::string();
}

bool CImportMappingDlg::IsMapped(std::string_view key) const {
  return std::find(mapping_.begin(), mapping_.end(), key) != mapping_.end();
}

void CImportMappingDlg::RefillAvailable() {
  available_.clear();
  for (const Column& c : offered_) {
    if (!IsMapped(c.key)) available_.push_back(c);
  }
  if (availableSelection_ >= static_cast<int>(available_.size())) availableSelection_ = static_cast<int>(available_.size()) - 1;
}

void CImportMappingDlg::MapColumn(std::size_t fileColumn, const std::string& key) {
  mapping_[fileColumn] = key;
  RefillAvailable();
}

void CImportMappingDlg::OnMap() {
  if (availableSelection_ < 0) return ui_.Tell(kNoCustomerColumn);
  if (lineSelection_ < 0) return ui_.Tell(kNoFileColumn);
  const std::size_t fileColumn = static_cast<std::size_t>(lineSelection_) + 1;
  if (!mapping_[fileColumn].empty()) return ui_.Tell(kAlreadyMapped);
  const std::string key = available_[static_cast<std::size_t>(availableSelection_)].key;
  MapColumn(fileColumn, key);
  // The next file column is the likely next one to map.
  if (fileColumn + 1 < mapping_.size()) lineSelection_ = static_cast<int>(fileColumn);
}

void CImportMappingDlg::OnUnmap() {
  if (lineSelection_ < 0 || mapping_[static_cast<std::size_t>(lineSelection_) + 1].empty()) return ui_.Tell(kNothingToUnmap);
  const std::string key = mapping_[static_cast<std::size_t>(lineSelection_) + 1];
  MapColumn(static_cast<std::size_t>(lineSelection_) + 1, std::string());
  const auto it = std::find_if(available_.begin(), available_.end(), [&key](const Column& c) { return c.key == key; });
  availableSelection_ = static_cast<int>(it - available_.begin());
}

void CImportMappingDlg::Apply(const ImportMapping& mapping) {
  for (std::size_t c = 1; c < mapping.size() && c < mapping_.size(); ++c) {
    if (mapping[c].empty() || !Offered(mapping[c]) || IsMapped(mapping[c]) || !mapping_[c].empty()) continue;
    mapping_[c] = mapping[c];
  }
  RefillAvailable();
}

bool CImportMappingDlg::MapByCaptions() {
  const std::size_t captionRow = format_ == ImportFormat::Access ? 0 : 1;
  if (captionRow >= rows_.size()) return false;
  ImportMapping found(mapping_.size());
  bool any = false;
  for (std::size_t c = 1; c < mapping_.size(); ++c) {
    const std::string caption = CaptionKey(Cell(captionRow, c));
    if (caption.empty()) continue;
    for (const Column& column : offered_) {
      if (CaptionKey(column.label) != caption && CaptionKey(column.key) != caption) continue;
      if (std::find(found.begin(), found.end(), column.key) != found.end()) continue;
      found[c] = column.key;
      any = true;
      break;
    }
  }
  if (!any) return false;
  Apply(found);
  if (format_ != ImportFormat::Access) fromFirstRow_ = false;
  return true;
}

void CImportMappingDlg::OnFinish() {
  if (std::all_of(mapping_.begin(), mapping_.end(), [](const std::string& k) { return k.empty(); })) {
    return ui_.Tell(kNoMapping);
  }
  const bool noName = !IsMapped("Name") && !IsMapped("CompName");
  const bool homeOnly = IsMapped("Add1_Home") && !IsMapped("Add2_Home") && !IsMapped("Add3_Home");
  const bool officeOnly = IsMapped("Add1_Office") && !IsMapped("Add2_Office") && !IsMapped("Add3_Office");
  const bool addressOnly = homeOnly || officeOnly;
  const std::string name = LabelOf("Name").empty() ? "氏名" : LabelOf("Name");
  const std::string company = LabelOf("CompName").empty() ? "会社名" : LabelOf("CompName");
  if (noName && addressOnly) {
    if (!ui_.Ask(text::Format(kNoNameAndAddressOnly, name, company))) return;
  } else if (noName) {
    if (!ui_.Ask(text::Format(kNoName, name, company))) return;
  } else if (addressOnly) {
    if (!ui_.Ask(kAddressOnly)) return;
  }
  EndDialog(true);
}

}  // namespace io
