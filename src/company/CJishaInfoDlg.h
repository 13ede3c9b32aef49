#pragma once
// "自社情報設定": the own-company details that forms fill in by themselves. Five named sets are
// kept ("使用者１" to "使用者５"); the first is the one printed: it is read from and written to the
// auto-text files of Data/Other, with the derived horizontal, vertical and full-width files. The
// other four are alternatives the person keeps in Data/MyData/JishaInfo.dat and can swap into
// the first. OK writes every file or none; Cancel writes nothing.

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "company/AutoText.h"
#include "platform/CNeritEnv.h"
#include "ui/Ui.h"

namespace company {

// The boxes of one set, in the dialog's order.
enum class JishaBox { Company, Department, Person, Zip1, Zip2, Address, Tel1, Tel2, Tel3, Fax1, Fax2, Fax3, Bank, CatchPhrase };
inline constexpr std::size_t kJishaBoxCount = 14;
using JishaSet = std::array<std::string, kJishaBoxCount>;

// The nine values of a set, as the nine files hold them: company, department, person, postal
// code, address, telephone, fax, bank, catch phrase.
inline constexpr std::size_t kJishaValueCount = 9;
using JishaValues = std::array<std::string, kJishaValueCount>;

// The values from the boxes: the postal code "first-second", the telephone and fax parts joined
// by "-"; each empty when all its boxes are.
JishaValues ComposeJishaValues(const JishaSet& set);
// The boxes from the values: the numbers split at their "-", each part kept to its box's digits.
JishaSet SplitJishaValues(const JishaValues& values);
// The sixteen auto-text files of a set: the nine values, then TATEZIP, ZIP, ZENZIP, TATEADD,
// TATETEL, TELNOHIFN and TATEFAX.
std::vector<AutoText> JishaAutoTexts(const JishaValues& values);

class CJishaInfoDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "自社情報設定";
  static constexpr const char* kIntro =
      "登録した自社情報は、フォーム印刷時にフォームの自社情報欄に自動で入力されます。\n"
      "この情報はメニュー画面【設定】-[印刷について]-[自社情報設定...]から設定できます。";
  static constexpr const char* kSaveFailed =
      "自社情報のファイルを書き込めませんでした。\n自社情報は変更されていません。";
  // The nine files, in value order, and the caption of each value.
  static constexpr const char* kFiles[kJishaValueCount] = {"COM.AUT", "BUSYO.AUT", "NAME.AUT", "ZIPHIFN.AUT", "ADD.AUT",
                                                           "TEL.AUT", "FAX.AUT",   "KOUZA.AUT", "CATCH.AUT"};
  static constexpr const char* kSetsFile = "JishaInfo.dat";
  static constexpr int kSetCount = 5;

  CJishaInfoDlg(ui::Ui& ui, std::filesystem::path install = platform::CNeritEnv().GetInstallFolder());

  // Reads the files into the sets. The first-run marker FTtemp.dat is removed here, and its
  // presence asks for the dialog to be centred on the screen rather than on its parent.
  void Open();
  std::string Title() const override { return kTitle; }
  bool CentredOnScreen() const { return centredOnScreen_; }

  // "使用者１" ... "使用者５".
  static std::string SetName(int set);
  int ShownSet() const { return shown_; }
  void ShowSet(int set);
  // Swaps the shown set with the first, the one printed, and shows the first.
  void OnMakeFirst();

  const std::string& Text(JishaBox box) const { return sets_[shown_][static_cast<std::size_t>(box)]; }
  // A digit box keeps only the digits "0"-"9" of what it is given, up to its length.
  void SetText(JishaBox box, std::string text);
  static bool IsDigitBox(JishaBox box);
  // The most characters a digit box takes; 0 for the text boxes, which take any length.
  static std::size_t MaxLength(JishaBox box);

  const JishaSet& Set(int set) const { return sets_[set]; }

  void OnOK();

 private:
  std::filesystem::path SetsFile() const;
  void LoadOtherSets();
  std::string EncodeOtherSets() const;

  ui::Ui& ui_;
  std::filesystem::path install_;
  std::array<JishaSet, kSetCount> sets_{};
  int shown_ = 0;
  bool centredOnScreen_ = false;
};

// The Settings menu's "自社情報設定...": true when the dialog closed with OK.
bool EditJishaInfo(ui::Ui& ui, const std::filesystem::path& install = platform::CNeritEnv().GetInstallFolder());

// The menu screen's first-run step: while the installation holds FTtemp.dat, the dialog opens
// before anything else (and removes the marker, so this happens once).
void AskJishaInfoOnFirstRun(ui::Ui& ui, const std::filesystem::path& install);

}  // namespace company
