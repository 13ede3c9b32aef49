#include "customers/CKokyakuBulkDlg.h"

#include "settings/CQMVColSet.h"
#include "settings/CQMVComboData.h"
#include "shell/CQMVComboBox.h"
#include "text/Cp932.h"
#include "text/Format.h"

namespace customers {

namespace {

constexpr std::array<std::string_view, CKokyakuBulkDlg::kFieldCount> kColumns = {"ColorMark", "ImportantRanking",
                                                                                 "Ranking1", "Ranking2"};
constexpr std::array<const char*, CKokyakuBulkDlg::kFieldCount> kRadioCaptions = {"カラー", "重要度ランキング",
                                                                                  "ランク１", "ランク２"};
constexpr std::array<const char*, CKokyakuBulkDlg::kFieldCount> kQuestionCaptions = {"カラー", "重要度ランキング",
                                                                                     "ランキング１", "ランキング２"};

// Reads a choice list for its first entry only, asking nothing: the dialog's box reads the same
// file right after and asks there about a damaged one.
class QuietUi : public ui::Ui {
 public:
  ui::Answer Message(std::string_view, ui::Buttons, ui::Icon, ui::Answer) override { return ui::Answer::No; }
  std::optional<std::filesystem::path> ChooseFolder(std::string_view, const std::filesystem::path&) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> OpenFile(std::string_view, std::string_view,
                                                const std::filesystem::path&) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> SaveFile(std::string_view, std::string_view,
                                                const std::filesystem::path&) override {
    return std::nullopt;
  }
  bool Run(ui::CDialogModel&) override { return false; }
  ui::WaitScope Wait(bool) override { return {}; }
};

}  // namespace

CKokyakuBulkDlg::CKokyakuBulkDlg(ui::Ui& ui, std::filesystem::path install)
    : ui_(ui), install_(std::move(install)), colours_(ColorMarkItems()) {
  settings::CQMVColSet columns(ui_, install_);
  const bool labelled = columns.Load() == 1;
  for (int f = 0; f < kFieldCount; ++f) {
    if (labelled) labels_[f] = columns.GetLabel(kColumns[f]);
    captions_[f] = labels_[f].empty() ? kRadioCaptions[f] : labels_[f];
  }
  QuietUi quiet;
  for (int f = kImportant; f <= kRank2; ++f) {
    shell::CQMVComboBox list(quiet, install_);
    if (list.Fill(ChoiceListOf(f), false) == 1 && !list.Items().empty()) texts_[f] = list.Items().front();
  }
}

std::string_view CKokyakuBulkDlg::ColumnOf(int field) {
  return field >= 0 && field < kFieldCount ? kColumns[field] : std::string_view();
}

int CKokyakuBulkDlg::ChoiceListOf(int field) {
  switch (field) {
    case kImportant: return settings::CQMVComboData::kImportant;
    case kRank1: return settings::CQMVComboData::kRank1;
    case kRank2: return settings::CQMVComboData::kRank2;
    default: return -1;
  }
}

void CKokyakuBulkDlg::ChooseField(int field) {
  if (field >= 0 && field < kFieldCount) field_ = field;
}

void CKokyakuBulkDlg::ChooseColour(int position) {
  colour_ = position >= 0 && position < static_cast<int>(colours_.size()) ? position : -1;
}

std::int32_t CKokyakuBulkDlg::NewColour() const {
  if (field_ != kColour || colour_ < 0) return 0;
  return colours_[static_cast<std::size_t>(colour_)].value;
}

std::string CKokyakuBulkDlg::QuestionCaption(int field) const {
  return labels_[field].empty() ? kQuestionCaptions[field] : labels_[field];
}

void CKokyakuBulkDlg::OnOK() {
  std::string question;
  if (field_ == kColour) {
    if (colour_ < 0) {
      focus_ = kColour;  // taken once the message is answered
      return ui_.Tell(kNoColour);
    }
    question = text::Format(kColourQuestion, QuestionCaption(kColour), colours_[static_cast<std::size_t>(colour_)].text);
  } else {
    const std::string& value = Text(field_);
    if (text::Cp932Length(value) > kTextLimit) {
      focus_ = field_;
      return ui_.Tell(kTooLong);
    }
    // An empty text is allowed: the field is cleared.
    question = text::Format(kTextQuestion, QuestionCaption(field_), value);
  }
  if (ui_.Ask(question)) EndDialog(true);
}

}  // namespace customers
