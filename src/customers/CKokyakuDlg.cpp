#include "customers/CKokyakuDlg.h"

#include <utility>

#include "customers/CKokyakuPictureDlg.h"
#include "platform/RunProgram.h"
#include "records/KokyakuColumns.h"
#include "settings/ColumnRoutines.h"

namespace customers {

namespace {

using records::CKokyaku;

// The desktop's handler for a web address; the address is one quoted argument whatever it holds.
void OpenWithDesktop(const std::string& url) {
  std::string quoted = "\"";
  for (const char c : url) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  quoted += '"';
  platform::RunProgram("/usr/bin/xdg-open", quoted);
}

const char* TypeName(CardKind kind) {
  switch (kind) {
    case CardKind::Person: return "個人タイプ";
    case CardKind::Company: return "法人タイプ";
    case CardKind::Normal: break;
  }
  return "通常タイプ";
}

}  // namespace

CKokyakuDlg::CKokyakuDlg(ui::Ui& ui, CardKind kind, KokyakuMode mode, CKokyakuDlgOwner* owner,
                         std::filesystem::path install, UrlOpener openUrl)
    : ui_(ui),
      kind_(kind),
      mode_(mode),
      owner_(owner),
      install_(std::move(install)),
      openUrl_(openUrl ? std::move(openUrl) : UrlOpener(OpenWithDesktop)),
      form_(mode == KokyakuMode::View) {
  note1Label_ = settings::GetColLabel(ui_, "Note1", install_);
  rank1Label_ = settings::GetColLabel(ui_, "Ranking1", install_);
  rank2Label_ = settings::GetColLabel(ui_, "Ranking2", install_);
  Load(Blank());
}

CKokyaku CKokyakuDlg::Blank() const {
  CKokyaku blank;
  blank.Suffix = kPersonSuffix;
  // The 個人タイプ card is for individuals: a new customer entered on it is one.
  if (kind_ == CardKind::Person) blank.EntryType = kIndividual;
  // A new customer carries no colour mark: 0 would be the black one.
  blank.ColorMark = records::ColorMarks().front().colour;
  return blank;
}

void CKokyakuDlg::Load(const CKokyaku& record) {
  working_ = record;
  form_.Show(working_);
}

void CKokyakuDlg::SetSource(const CKokyaku* source) { Load(source ? *source : Blank()); }

void CKokyakuDlg::SetStepEnabled(bool previous, bool next) {
  previous_ = previous;
  next_ = next;
}

std::string CKokyakuDlg::Title() const {
  const char* action = "顧客を追加－";
  if (mode_ == KokyakuMode::Modify) action = "顧客を修正－";
  if (mode_ == KokyakuMode::View) action = "顧客を参照(修正することはできません)－";
  return std::string(action) + TypeName(kind_);
}

SubKind CKokyakuDlg::TypeSubDialog() const {
  switch (kind_) {
    case CardKind::Person: return SubKind::CompanyInfo;
    case CardKind::Company: return SubKind::HomeInfo;
    case CardKind::Normal: break;
  }
  return SubKind::CompanyDetails;
}

std::string CKokyakuDlg::Caption(std::string_view column, std::string_view fallback) const {
  const std::string* label = nullptr;
  if (column == "Note1") label = &note1Label_;
  if (column == "Ranking1") label = &rank1Label_;
  if (column == "Ranking2") label = &rank2Label_;
  return label && !label->empty() ? *label : std::string(fallback);
}

// --- Reading and the name rules ---

std::optional<CKokyaku> CKokyakuDlg::Read() { return form_.Read(ui_, MainColumns(kind_), working_); }

bool CKokyakuDlg::NameRulesAllow(CKokyaku& record) {
  if (record.EntryType == 1 && record.Name.empty()) return ui_.Ask(kNoName, ui::Answer::No);
  if (record.EntryType != 0 || !record.Name.empty()) return true;
  if (record.CompName.empty()) return ui_.Ask(kNoNames, ui::Answer::No);
  if (record.Suffix != kPersonSuffix) return true;
  switch (ui_.Message(kSuffixQuestion, ui::Buttons::YesNoCancel, ui::Icon::Question, ui::Answer::Yes)) {
    case ui::Answer::Yes:
      record.Suffix = kCompanySuffix;
      form_.SetText("Suffix", kCompanySuffix);
      Changed();  // 敬称 shows 御中 before the next question
      return true;
    case ui::Answer::No: return true;
    default: return false;
  }
}

// --- Saving ---

bool CKokyakuDlg::Add(CKokyaku record) {
  if (!owner_ || owner_->AddKokyaku(record) < 1) return false;
  ++saved_;
  return true;
}

bool CKokyakuDlg::Modify(CKokyaku record) {
  // The working record changes only once saved, so a failed save still counts as unsaved.
  if (!owner_ || owner_->ModifyKokyaku(working_.ID, record) != 1) return false;
  ++saved_;
  Load(record);
  return true;
}

void CKokyakuDlg::OnOK() {
  switch (mode_) {
    case KokyakuMode::View: return ui_.Tell(kViewOnly);
    case KokyakuMode::Add: return OkAdd();
    case KokyakuMode::Modify: return OkModify();
  }
}

void CKokyakuDlg::OkAdd() {
  auto record = Read();
  if (!record || !NameRulesAllow(*record) || !ui_.Ask(kAddQuestion)) return;
  if (!Add(*record)) return ui_.Tell(kAddFailed);
  Load(Blank());
  // Ready for the next customer: typing starts again at the first field.
  form_.SetFocus(kFirstField);
}

void CKokyakuDlg::OkModify() {
  auto record = Read();
  if (!record || !NameRulesAllow(*record) || !ui_.Ask(kModifyQuestion)) return;
  if (!Modify(*record)) return ui_.Tell(kModifyFailed);
  if (const auto place = owner_->SelectKokyaku(working_.ID)) SetStepEnabled(place->hasPrevious, place->hasNext);
}

void CKokyakuDlg::OnCancel() {
  switch (mode_) {
    case KokyakuMode::View: return EndDialog(false);
    case KokyakuMode::Add: return CloseAdd();
    case KokyakuMode::Modify: return CloseModify();
  }
}

void CKokyakuDlg::CloseAdd() {
  auto record = Read();
  if (!record) return;
  if (*record == Reference() || !ui_.Ask(kAddOnClose)) return EndDialog(false);
  if (!NameRulesAllow(*record)) return;
  if (!Add(*record)) return ui_.Tell(kAddFailed);
  EndDialog(true);
}

void CKokyakuDlg::CloseModify() {
  auto record = Read();
  if (!record) return;
  if (*record == Reference() || !ui_.Ask(kModifyOnClose)) return EndDialog(false);
  if (!NameRulesAllow(*record)) return;
  if (!Modify(*record)) return ui_.Tell(kModifyFailed);
  EndDialog(true);
}

// --- Stepping ---

void CKokyakuDlg::Step(int step) {
  if (!owner_ || mode_ == KokyakuMode::Add) return;
  if (mode_ == KokyakuMode::Modify) {
    auto record = Read();
    if (!record) return;
    if (*record != Reference()) {
      if (!NameRulesAllow(*record) || !ui_.Ask(kModifyQuestion)) return;
      if (!Modify(*record)) return ui_.Tell(kUpdateFailed);
    }
  }
  const auto stepped = owner_->StepKokyaku(step);
  if (!stepped) return;
  Load(stepped->customer);
  if (step < 0) {
    SetStepEnabled(stepped->further, true);
  } else {
    SetStepEnabled(true, stepped->further);
  }
}

// --- Sub-dialogs and links ---

void CKokyakuDlg::OnSubDialog(SubKind kind) {
  CKokyakuSubDlg sub(ui_, kind, form_, Lookups(), install_);
  if (ui_.Run(sub) && mode_ != KokyakuMode::View) form_.CopyColumns(sub.Form(), sub.Columns());
}

void CKokyakuDlg::OnPictures() {
  const std::filesystem::path folder = owner_ ? owner_->PictureFolder() : std::filesystem::path();
  CKokyakuPictureDlg pictures(ui_, form_, folder, install_);
  if (ui_.Run(pictures) && mode_ != KokyakuMode::View) form_.CopyColumns(pictures.Form(), PictureColumns());
}

void CKokyakuDlg::OnOpenUrl(std::string_view column) {
  const std::string url = form_.Text(column);
  if (url.empty() || url == CKokyakuForm::kUrlPrefix) return;
  openUrl_(url);
}

}  // namespace customers
