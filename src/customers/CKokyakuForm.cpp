#include "customers/CKokyakuForm.h"

#include <utility>

#include "records/KokyakuColumns.h"
#include "text/Cp932.h"
#include "text/Format.h"
#include "text/Width.h"

namespace customers {

namespace {

using records::COleDate;
using records::CKokyaku;
using records::KokyakuColumn;

// The field of a text column, const with the record.
template <typename Record>
auto TextField(Record& k, const KokyakuColumn* c) -> decltype(&k.Name) {
  if (!c || c->kind != records::ColumnKind::Text) return nullptr;
  return &(k.*std::get<std::string CKokyaku::*>(c->field));
}

// The field of a coded, numeric or colour column other than ID.
template <typename Record>
auto ValueField(Record& k, const KokyakuColumn* c) -> decltype(&k.Sex) {
  if (!c || c->name == "ID") return nullptr;
  const auto* member = std::get_if<std::int32_t CKokyaku::*>(&c->field);
  return member ? &(k.**member) : nullptr;
}

}  // namespace

void CKokyakuForm::Show(const CKokyaku& record) {
  shown_ = record;
  names_ = {};
  if (!viewOnly_) {
    if (shown_.URL1.empty()) shown_.URL1 = kUrlPrefix;
    if (shown_.URL2.empty()) shown_.URL2 = kUrlPrefix;
  }
  birthDay_ = record.BirthDay.Format();
}

std::string CKokyakuForm::Text(std::string_view column) const {
  if (column == "BirthDay") return birthDay_;
  if (column == "StartDate") return shown_.StartDate.Format();
  if (column == "LastUpDate") return shown_.LastUpDate.Format();
  const std::string* text = TextField(shown_, records::FindKokyakuColumn(column));
  return text ? *text : std::string();
}

void CKokyakuForm::SetText(std::string_view column, std::string text) {
  if (column == "BirthDay") {
    birthDay_ = std::move(text);
    return;
  }
  // A name cleared is typed anew: so is its reading.
  if (!FuriganaOf(column).empty() && text.empty()) StateOf(column)->reading.Clear();
  if (std::string* field = TextField(shown_, records::FindKokyakuColumn(column))) *field = std::move(text);
}

std::string_view CKokyakuForm::FuriganaOf(std::string_view nameColumn) {
  if (nameColumn == "Name") return "Yomi";
  if (nameColumn == "CompName") return "CompYomi";
  return {};
}

CKokyakuForm::NameState* CKokyakuForm::StateOf(std::string_view column) {
  if (column == "Name" || column == "Yomi") return &names_[0];
  if (column == "CompName" || column == "CompYomi") return &names_[1];
  return nullptr;
}

bool CKokyakuForm::OnNameComposition(std::string_view column, std::string_view preedit, std::string_view commit) {
  NameState* name = StateOf(column);
  if (!name || FuriganaOf(column).empty() || viewOnly_) return false;
  name->reading.OnComposition(preedit, commit);
  const std::string_view furigana = FuriganaOf(column);
  const std::string current = Text(furigana);
  const std::string reading = text::ToHalfWidthKatakana(name->reading.Reading());
  // A reading the person wrote or changed is theirs: it is never overwritten.
  if (!current.empty() && current != name->filled) return false;
  if (reading == current) return false;
  SetText(furigana, reading);
  name->filled = reading;
  return true;
}

void CKokyakuForm::OnFuriganaEntered(std::string_view column) {
  if (NameState* name = StateOf(column); name && FuriganaOf(column).empty()) name->onEntry = Text(column);
}

bool CKokyakuForm::OnFuriganaLeft(std::string_view column) {
  NameState* name = StateOf(column);
  if (!name || !FuriganaOf(column).empty() || viewOnly_) return false;
  const std::string typed = Text(column);
  if (typed == name->onEntry) return false;
  const std::string half = text::ToHalfWidthKatakana(typed);
  name->onEntry = half;
  if (half == typed) return false;
  if (typed == name->filled) name->filled = half;
  SetText(column, half);
  return true;
}

std::int32_t CKokyakuForm::Value(std::string_view column) const {
  const std::int32_t* value = ValueField(shown_, records::FindKokyakuColumn(column));
  return value ? *value : 0;
}

void CKokyakuForm::SetValue(std::string_view column, std::int32_t value) {
  if (std::int32_t* field = ValueField(shown_, records::FindKokyakuColumn(column))) *field = value;
}

void CKokyakuForm::CopyColumns(const CKokyakuForm& from, std::span<const std::string_view> columns) {
  for (const std::string_view column : columns) {
    SetText(column, from.Text(column));
    SetValue(column, from.Value(column));
  }
}

bool CKokyakuForm::CheckLimits(ui::Ui& ui, std::span<const std::string_view> checked) {
  for (const std::string_view column : checked) {
    const KokyakuColumn* c = records::FindKokyakuColumn(column);
    if (!c || c->kind != records::ColumnKind::Text) continue;
    if (text::Cp932Length(Text(column)) <= c->limit) continue;
    ui.Tell(text::Format(kTooLong, c->limit));
    focus_ = std::string(column);
    return false;
  }
  return true;
}

bool CKokyakuForm::ReadBirthDay(ui::Ui& ui, COleDate& date) {
  if (birthDay_.empty()) {
    date = COleDate::Null();
    return true;
  }
  const auto parsed = COleDate::Parse(birthDay_);
  if (!parsed) {
    ui.Tell(kBadDate);
    focus_ = "BirthDay";
    return false;
  }
  date = parsed->DateOnly();
  return true;
}

bool CKokyakuForm::Check(ui::Ui& ui, std::span<const std::string_view> checked) {
  COleDate ignored;
  return CheckLimits(ui, checked) && ReadBirthDay(ui, ignored);
}

std::optional<CKokyaku> CKokyakuForm::Read(ui::Ui& ui, std::span<const std::string_view> checked,
                                           const CKokyaku& base) {
  if (!CheckLimits(ui, checked)) return std::nullopt;
  CKokyaku record = shown_;
  // The registration dates and the history date are never edited here.
  record.ID = base.ID;
  record.StartDate = base.StartDate;
  record.LastUpDate = base.LastUpDate;
  record.RirekiUpDate = base.RirekiUpDate;
  if (!ReadBirthDay(ui, record.BirthDay)) return std::nullopt;
  if (record.URL1 == kUrlPrefix) record.URL1.clear();
  if (record.URL2 == kUrlPrefix) record.URL2.clear();
  return record;
}

std::string CKokyakuForm::TakeFocus() { return std::exchange(focus_, std::string()); }

}  // namespace customers
