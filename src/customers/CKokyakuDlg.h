#pragma once
// The customer entry dialog shared by the three card types: a working copy of one customer, the
// mode and the stepping state; saving through the owner, the name rules, the closing logic.
// Add stays open with a blank form after each add; Modify saves with "修正" and steps with
// 前へ/次へ; View never writes. The card types differ only in which columns their main page holds.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "customers/AddressLookup.h"
#include "customers/CKokyakuDlgOwner.h"
#include "customers/CKokyakuForm.h"
#include "customers/CKokyakuSubDlg.h"
#include "customers/KokyakuPages.h"
#include "records/CKokyaku.h"
#include "settings/CQMVComboData.h"
#include "ui/Ui.h"

namespace customers {

enum class KokyakuMode { Add = 0, Modify = 1, View = 2 };

class CKokyakuDlg : public ui::CDialogModel {
 public:
  using UrlOpener = std::function<void(const std::string& url)>;

  static constexpr const char* kViewOnly = "現在、顧客は参照のみです。修正はできません。\n";
  static constexpr const char* kNoName = "氏名が入力されていません。\nこのまま登録しますか？\n";
  static constexpr const char* kNoNames = "会社名・氏名がいずれも入力されていません。\nこのまま登録しますか？\n";
  static constexpr const char* kSuffixQuestion =
      "氏名が入力されていませんが、敬称が「様」です。\n「御中」に変更しますか？\n";
  static constexpr const char* kAddQuestion = "顧客を追加します。よろしいですか？";
  static constexpr const char* kModifyQuestion = "顧客を修正します。よろしいですか？";
  static constexpr const char* kAddFailed = "顧客が追加できませんでした。\n";
  static constexpr const char* kModifyFailed = "顧客が修正できませんでした。\n";
  static constexpr const char* kUpdateFailed = "顧客が更新できませんでした。\n";
  static constexpr const char* kAddOnClose =
      "顧客を追加しますか？\n【はい】で追加してダイアログを閉じます。\n【いいえ】で追加せずにダイアログを閉じます。";
  static constexpr const char* kModifyOnClose =
      "顧客を修正しますか？\n【はい】で修正してダイアログを閉じます。\n【いいえ】で修正せずにダイアログを閉じます。";
  static constexpr const char* kPersonSuffix = "様";
  static constexpr const char* kCompanySuffix = "御中";
  // EntryType of an individual (0 is a company).
  static constexpr std::int32_t kIndividual = 1;
  // Where typing starts: お客様ｺｰﾄﾞ.
  static constexpr const char* kFirstField = "CustomerID";

  static constexpr int kImportantList = settings::CQMVComboData::kImportant;
  static constexpr int kRank1List = settings::CQMVComboData::kRank1;
  static constexpr int kRank2List = settings::CQMVComboData::kRank2;
  static constexpr int kStaffList = settings::CQMVComboData::kTantou;
  static constexpr int kPayList = settings::CQMVComboData::kPayMethod;
  static constexpr int kCompTypeList = settings::CQMVComboData::kCompType;

  // owner may be null: saving then fails and stepping does nothing. install: where the choice
  // lists and column labels are found. openUrl opens a web address (the desktop's handler).
  CKokyakuDlg(ui::Ui& ui, CardKind kind, KokyakuMode mode, CKokyakuDlgOwner* owner,
              std::filesystem::path install, UrlOpener openUrl = {});

  // --- Set by the opener before showing ---
  // The customer to edit or copy; none: a blank customer.
  void SetSource(const records::CKokyaku* source);
  // Whether 前へ / 次へ start enabled (Modify, View).
  void SetStepEnabled(bool previous, bool next);

  // --- What the controls show ---
  std::string Title() const override;
  CardKind Kind() const { return kind_; }
  KokyakuMode Mode() const { return mode_; }
  std::string OkCaption() const { return mode_ == KokyakuMode::Add ? "追加" : "修正"; }
  bool OkEnabled() const { return mode_ != KokyakuMode::View; }
  bool StepButtonsShown() const { return mode_ != KokyakuMode::Add; }
  bool PreviousEnabled() const { return StepButtonsShown() && previous_; }
  bool NextEnabled() const { return StepButtonsShown() && next_; }
  // The sub-dialog of the card type besides the notes and the pictures.
  SubKind TypeSubDialog() const;
  // The caption of a free item (Note1, Ranking1, Ranking2) from the column labels, else fallback.
  std::string Caption(std::string_view column, std::string_view fallback) const;
  CKokyakuForm& Form() { return form_; }
  ui::Ui& ChoiceUi() const { return ui_; }
  const std::filesystem::path& Install() const { return install_; }
  // The record as last loaded or saved (the reference the closing test compares with).
  const records::CKokyaku& Working() const { return working_; }
  // Customers added or modified since the dialog opened.
  int SavedCount() const { return saved_; }

  // --- Actions ---
  void OnOK();
  // 閉じる, Esc and the close box.
  void OnCancel() override;
  void OnPrevious() { Step(-1); }
  void OnNext() { Step(+1); }
  void OnSubDialog(SubKind kind);
  void OnPictures();
  void OnPostalLookup(AddressBlock block) { LookupPostalCode(ui_, Lookups(), form_, block); }
  void OnPhoneLookup(AddressBlock block) { LookupPhoneNumber(ui_, Lookups(), form_, block); }
  void OnOpenUrl(std::string_view column);

  // The column a failed check or a lookup asks to focus; empty once taken.
  std::string TakeFocus() { return form_.TakeFocus(); }

 private:
  lookup::CLookupFacility* Lookups() { return owner_ ? owner_->Lookups() : nullptr; }
  // The record the closing test compares with: the source, else a blank customer.
  const records::CKokyaku& Reference() const { return working_; }
  records::CKokyaku Blank() const;
  void Load(const records::CKokyaku& record);
  std::optional<records::CKokyaku> Read();
  // False when the person stops the save; may change Suffix of record and of the form.
  bool NameRulesAllow(records::CKokyaku& record);
  bool Add(records::CKokyaku record);
  bool Modify(records::CKokyaku record);

  void OkAdd();
  void OkModify();
  void CloseAdd();
  void CloseModify();
  void Step(int step);

  ui::Ui& ui_;
  CardKind kind_;
  KokyakuMode mode_;
  CKokyakuDlgOwner* owner_;
  std::filesystem::path install_;
  UrlOpener openUrl_;
  records::CKokyaku working_;
  CKokyakuForm form_;
  bool previous_ = true, next_ = true;
  int saved_ = 0;
  std::string note1Label_, rank1Label_, rank2Label_;
};

}  // namespace customers
