#pragma once
// "金額計算設定": how amounts on printed forms are rounded and the consumption-tax rate they use,
// kept in the auto-text files SHOUHI.AUT ("D" round down, "F" half up, "U" up) and TAX.AUT (the
// rate in percent, as typed). OK writes both files or neither; Cancel writes nothing.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/CNeritEnv.h"
#include "ui/Ui.h"

namespace company {

enum class Rounding { Down, HalfUp, Up };

class CKingakuDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "金額計算設定";
  static constexpr const char* kIntro = "金額計算についての設定をします。\n\n以下の方法から選択してください。";
  static constexpr const char* kGroup = "金額計算の処理";
  static constexpr const char* kRateCaption = "消費税率を指定してください。";
  static constexpr const char* kRateUnit = "％";
  static constexpr const char* kRoundingFile = "SHOUHI.AUT";
  static constexpr const char* kRateFile = "TAX.AUT";
  static constexpr std::size_t kRateBytes = 3;
  static constexpr const char* kBadRate = "消費税率を数字で入力してください。";
  static constexpr const char* kSaveFailed =
      "金額計算設定のファイルを書き込めませんでした。\n設定は変更されていません。";

  CKingakuDlg(ui::Ui& ui, std::filesystem::path install = platform::CNeritEnv().GetInstallFolder());

  // Reads both files: without SHOUHI.AUT the method is round down; without TAX.AUT the rate is 5.
  void Open();
  std::string Title() const override { return kTitle; }

  static const char* RoundingCaption(Rounding r);
  Rounding GetRounding() const { return rounding_; }
  void SetRounding(Rounding r) { rounding_ = r; }
  const std::string& Rate() const { return rate_; }
  // Kept to its 3 bytes in CP932, as the edit box limits it.
  void SetRate(std::string rate);

  // Refuses a rate that is not a number (full-width digits read as digits); otherwise writes.
  void OnOK();

  // What TAX.AUT holds for a typed rate: full-width digits as ASCII digits; nullopt when the
  // text is not a whole or decimal number.
  static std::optional<std::string> StoredRate(std::string_view typed);

 private:
  ui::Ui& ui_;
  std::filesystem::path install_;
  Rounding rounding_ = Rounding::Down;
  std::string rate_ = "5";
};

// The Settings menu's "金額計算設定...": true when the dialog closed with OK.
bool EditKingaku(ui::Ui& ui, const std::filesystem::path& install = platform::CNeritEnv().GetInstallFolder());

}  // namespace company
