#include "extract/CExtractDlg.h"

#include <algorithm>

#include "extract/ExtractDialogs.h"
#include "extract/Extraction.h"
#include "records/KokyakuColumns.h"
#include "settings/CDefKokyaku.h"
#include "settings/CQMVColSet.h"
#include "settings/CQMVComboData.h"
#include "shell/CTovanaDoc.h"
#include "text/Format.h"
#include "text/Utf8.h"

namespace extract {

namespace {

using settings::CExCondition;

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

Connector FromArray(const std::vector<std::string>& array) {
  if (array.size() < 4) return Connector::End;
  if (array[3] == "AND") return Connector::And;
  if (array[3] == "OR") return Connector::Or;
  return Connector::End;
}

bool Joins(Connector c) { return c == Connector::And || c == Connector::Or; }

}  // namespace

CExtractDlg::CExtractDlg(ui::Ui& ui, shell::CTovanaDoc& doc, std::filesystem::path install, int form,
                         std::int32_t resultPreset)
    : ui_(ui),
      doc_(doc),
      install_(std::move(install)),
      form_(form >= kGeneral && form <= kPreExtraction ? form : kGeneral),
      resultType_(resultPreset == CExCondition::kHistory ? CExCondition::kHistory : CExCondition::kCustomers) {
  if (form_ == kHistoryOnly) resultType_ = CExCondition::kHistory;
  if (form_ != kGeneral && form_ != kHistoryOnly) resultType_ = CExCondition::kCustomers;
}

CExtractDlg::~CExtractDlg() = default;

void CExtractDlg::Open() {
  FillItems();
  saved_ = std::make_unique<settings::CExtract>(ui_, doc_.DataFolder());
  saved_->Load();
  Relist();
  if (const CExCondition* current = doc_.CurrentExtraction()) {
    // A current extraction that is one of the saved conditions stays so while it is not edited,
    // so running it again unchanged does not ask to save it once more.
    working_ = *current;
    unchanged_ = Reproduce(working_) && doc_.IsExtractionSaved();
  }
}

void CExtractDlg::FillItems() {
  settings::CQMVColSet set(ui_, install_);
  std::vector<std::pair<std::string, std::string>> columns;
  if (set.Load() == 1) {
    for (const auto& column : set.GetColumns()) columns.emplace_back(column->GetKey(), column->GetLabel());
  }
  items_ = ItemList(columns);
  colours_.clear();
  for (const auto& mark : records::ColorMarks()) colours_.push_back({std::string(mark.name), mark.colour});
}

bool CExtractDlg::Accepts(const CExCondition& c) const {
  if (form_ == kHistoryOnly) return c.resultType == CExCondition::kHistory;
  if (form_ == kGeneral) return true;
  return c.resultType == CExCondition::kCustomers;
}

void CExtractDlg::Relist() {
  listed_.clear();
  for (std::size_t i = 0; i < saved_->Count(); ++i) {
    if (Accepts(saved_->At(i))) listed_.push_back(i);
  }
  if (savedSelection_ >= static_cast<int>(listed_.size())) savedSelection_ = -1;
}

std::vector<std::string> CExtractDlg::SavedNames() const {
  std::vector<std::string> names;
  for (std::size_t i : listed_) names.push_back(saved_->At(i).name);
  return names;
}

int CExtractDlg::SavedIndex(int row) const {
  return row >= 0 && row < static_cast<int>(listed_.size()) ? static_cast<int>(listed_[static_cast<std::size_t>(row)]) : -1;
}

bool CExtractDlg::ConditionEnabled(int k) const {
  if (k == 0) return true;
  if (k == 1) return Joins(ab_);
  return Joins(ab_) && Joins(bc_);
}

void CExtractDlg::SelectItem(int k, int item) {
  if (k < 0 || k > 2 || item < 0 || item >= static_cast<int>(items_.size())) return;
  ConditionState& c = conditions_[static_cast<std::size_t>(k)];
  if (items_[static_cast<std::size_t>(item)].field.empty()) {
    ui_.Tell(kHeadingRefused);
    return;  // the previous item stays
  }
  const std::string& field = items_[static_cast<std::size_t>(item)].field;
  c = ConditionState();
  c.item = item;
  c.ops = Operators(field);
  c.values = FixedValues(field);
  if (const int list = ChoiceListOf(field); list >= 0) {
    settings::CQMVComboData choices(ui_, install_);
    if (choices.Load(list) == 1) {
      for (const auto& entry : choices.GetEntries()) c.values.push_back(entry->GetText());
    }
  }
  c.colour = KindOf(field) == ValueKind::Colour;
  if (c.colour && !colours_.empty()) c.colourRow = 0;
  if (!c.values.empty()) c.value = c.values.front();
  Edited();
}

void CExtractDlg::SetValue(int k, std::string value) {
  if (k < 0 || k > 2) return;
  conditions_[static_cast<std::size_t>(k)].value = std::move(value);
  Edited();
}

void CExtractDlg::SelectOperator(int k, int op) {
  if (k < 0 || k > 2) return;
  ConditionState& c = conditions_[static_cast<std::size_t>(k)];
  c.op = op >= 0 && op < static_cast<int>(c.ops.size()) ? op : -1;
  Edited();
}

void CExtractDlg::SelectColour(int k, int row) {
  if (k < 0 || k > 2) return;
  conditions_[static_cast<std::size_t>(k)].colourRow = row >= 0 && row < static_cast<int>(colours_.size()) ? row : -1;
  Edited();
}

void CExtractDlg::SetAB(Connector c) {
  ab_ = c;
  if (Joins(ab_) && bc_ == Connector::None) bc_ = Connector::End;
  Edited();
}

void CExtractDlg::SetBC(Connector c) {
  bc_ = c;
  Edited();
}

bool CExtractDlg::ResultTypeEnabled(std::int32_t type) const {
  if (type == CExCondition::kHistory) return form_ == kGeneral || form_ == kHistoryOnly;
  return form_ != kHistoryOnly;
}

void CExtractDlg::SetResultType(std::int32_t type) {
  if (!ResultTypeEnabled(type)) return;
  resultType_ = type == CExCondition::kHistory ? CExCondition::kHistory : CExCondition::kCustomers;
  Edited();
}

bool CExtractDlg::ColumnsEnabled() const {
  return (form_ == kGeneral || form_ == kCustomersOnly) && resultType_ == CExCondition::kCustomers;
}

void CExtractDlg::OnColumns() {
  if (!ColumnsEnabled()) return;
  CExtractColumnDlg columns(ui_, install_, working_.displayColumns);
  if (!columns.Open()) return;
  if (!ui_.Run(columns)) return;
  working_.displayColumns = columns.Columns();
  Edited();
}

StatementInput CExtractDlg::Input() const {
  StatementInput input;
  input.resultType = resultType_;
  input.ab = ab_;
  input.bc = bc_;
  for (std::size_t k = 0; k < 3; ++k) {
    const ConditionState& c = conditions_[k];
    ConditionInput& in = input.conditions[k];
    if (c.item >= 0) in.field = items_[static_cast<std::size_t>(c.item)].field;
    if (c.colour) {
      in.value = c.colourRow >= 0 ? std::to_string(colours_[static_cast<std::size_t>(c.colourRow)].code) : "";
    } else {
      in.value = c.value;
    }
    if (c.op >= 0) in.op = c.ops[static_cast<std::size_t>(c.op)].sql;
  }
  return input;
}

void CExtractDlg::OnOK() {
  if (!ExtractEnabled()) return;
  if (!unchanged_ && !BuildStatement(Input(), ui_, working_)) return;
  records::IdArray ids;
  records::RirekiList list;
  int result = -1;
  {
    const ui::WaitScope wait = ui_.Wait();
    result = working_.resultType == CExCondition::kHistory ? doc_.Store().ExtractRireki(working_.sql, list)
                                                           : doc_.Store().ExtractKokyaku(working_.sql, ids);
  }
  if (result == -1) return ui_.Tell(kFailed);
  doc_.SetExtraction(std::make_unique<CExCondition>(working_), unchanged_);
  if (working_.resultType == CExCondition::kHistory) {
    doc_.History() = std::move(list);
  } else {
    ids_ = ids;
    doc_.ExtractedIds() = std::move(ids);
  }
  EndDialog(true);
}

void CExtractDlg::OnSave() {
  if (!SaveShown()) return;
  if (!BuildStatement(Input(), ui_, working_)) return;
  if (!SaveConditionDialog(ui_, doc_.DataFolder(), &working_)) return;
  ui_.Tell("抽出条件を保存しました。", ui::Icon::Information);
  unchanged_ = true;
  saved_->Load();
  Relist();
}

void CExtractDlg::OnSetPreExtraction() {
  if (!PreExtractionShown()) return;
  if (!BuildStatement(Input(), ui_, working_)) return;
  working_.displayColumns.clear();
  if (!ui_.Ask(kPreExtractionConfirm)) return;
  if (settings::CDefKokyaku(ui_, doc_.DataFolder()).Save(working_) != 1) return;
  ui_.Tell("設定しました", ui::Icon::Information);
  EndDialog(true);
}

void CExtractDlg::SelectSaved(int row) {
  const int index = SavedIndex(row);
  savedSelection_ = index >= 0 ? row : -1;
  if (index < 0) return;
  working_ = saved_->At(static_cast<std::size_t>(index));
  if (Reproduce(working_)) unchanged_ = true;
}

void CExtractDlg::OnRename() {
  if (!RenameEnabled()) return;
  const int index = SavedIndex(savedSelection_);
  if (index < 0) return ui_.Tell("名前を変更する条件を選択してください");
  CExCondition& condition = saved_->At(static_cast<std::size_t>(index));
  CExtractRenameDlg rename(ui_, condition.name);
  if (!ui_.Run(rename)) return;
  const std::string old = condition.name;
  condition.name = rename.Name();
  if (saved_->Save() != 1) condition.name = old;  // the list shows what the file holds
  Relist();
}

void CExtractDlg::OnDelete() {
  if (!DeleteEnabled()) return;
  const int index = SavedIndex(savedSelection_);
  if (index < 0) return ui_.Tell("削除する条件を選択してください");
  const std::string name = saved_->At(static_cast<std::size_t>(index)).name;
  if (!ui_.Ask(text::Format("条件「%s」を削除します。\nよろしいですか？", name), ui::Answer::No)) return;
  saved_->RemoveAt(static_cast<std::size_t>(index));
  if (saved_->Save() != 1) saved_->Load();  // what the file still holds
  savedSelection_ = -1;
  Relist();
}

bool CExtractDlg::Reproduce(const CExCondition& c) {
  if (!Accepts(c)) {
    ui_.Tell(kCannotReproduce);
    return false;
  }
  resultType_ = c.resultType;
  conditions_ = {};
  ab_ = Connector::End;
  bc_ = Connector::None;
  if (!ReproduceOne(0, c.conditionA)) return false;
  ab_ = FromArray(c.conditionA);
  if (Joins(ab_)) bc_ = Connector::End;
  if (Joins(ab_) && c.conditionB.size() >= 3) {
    if (!ReproduceOne(1, c.conditionB)) return false;
    bc_ = FromArray(c.conditionB);
    if (Joins(bc_) && c.conditionC.size() >= 3 && !ReproduceOne(2, c.conditionC)) return false;
  }
  return true;
}

bool CExtractDlg::ReproduceOne(int k, const std::vector<std::string>& array) {
  const auto fail = [this] {
    ui_.Tell(kCannotReproduce);
    return false;
  };
  if (array.size() < 3) return fail();
  const auto item = std::find_if(items_.begin(), items_.end(), [&](const Item& i) { return !i.field.empty() && i.field == array[0]; });
  if (item == items_.end()) return fail();
  SelectItem(k, static_cast<int>(item - items_.begin()));
  ConditionState& c = conditions_[static_cast<std::size_t>(k)];
  if (c.colour) {
    c.colourRow = -1;
    for (std::size_t i = 0; i < colours_.size(); ++i) {
      if (std::to_string(colours_[i].code) == array[1]) c.colourRow = static_cast<int>(i);
    }
  } else {
    const auto op = std::find_if(c.ops.begin(), c.ops.end(), [&](const Operator& o) { return o.sql == array[2]; });
    if (op == c.ops.end()) return fail();
    c.op = static_cast<int>(op - c.ops.begin());
    const auto value = std::find_if(c.values.begin(), c.values.end(), [&](const std::string& v) { return EqualIgnoringCase(v, array[1]); });
    c.value = value != c.values.end() ? *value : array[1];
  }
  if (c.colour) {
    const auto op = std::find_if(c.ops.begin(), c.ops.end(), [&](const Operator& o) { return o.sql == array[2]; });
    if (op == c.ops.end()) return fail();
    c.op = static_cast<int>(op - c.ops.begin());
  }
  return true;
}

}  // namespace extract
