#pragma once
// "七色分析": seven analysis buttons, the page of the chosen one, "実行" and "ｷｬﾝｾﾙ". Running an
// analysis leaves its result in the document (kind, hits or customer IDs, the DM analysed) for
// the customer list or the DM screen. The DM-only form, which the DM screen opens, offers the DM
// hit rate alone.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "analysis/RainbowQuery.h"
#include "lookup/PostalRecords.h"
#include "ui/Ui.h"

namespace shell {
class CTovanaDoc;
}
namespace lookup {
class CLookupFacility;
}

namespace analysis {

class CRainbowDlg : public ui::CDialogModel {
 public:
  static constexpr const char* kTitle = "七色分析";
  static constexpr const char* kRunCaption = "実行";
  static constexpr const char* kCancelCaption = "ｷｬﾝｾﾙ";
  static constexpr const char* kNoDatabase = "データベースに問い合わせができません";
  static constexpr const char* kFailed = "抽出に失敗しました";
  static constexpr const char* kNoSentDM = "※発送済みDMはありません。";
  static constexpr const char* kNoDictionary = "アプリケーションクラスが見つかりません\n局番データを取得できません。";

  // The button caption and the page text of kind 1 to 7.
  static const char* ButtonCaption(int kind);
  static const char* PageText(int kind);

  // doc may be null (every run then refuses); lookups may be null (kind 5 then has no
  // dictionary). kind: the page to open on; dmOnly: kind 4 alone, the other buttons disabled.
  CRainbowDlg(ui::Ui& ui, shell::CTovanaDoc* doc, std::filesystem::path install, lookup::CLookupFacility* lookups,
              int kind = kRegulars, bool dmOnly = false);

  std::string Title() const override { return kTitle; }
  // Creates the first page.
  void Open();

  int Kind() const { return kind_; }
  bool KindEnabled(int kind) const { return !dmOnly_ || kind == kDMHit; }
  bool DMOnly() const { return dmOnly_; }
  // Destroys the shown page and creates the page of kind with its defaults.
  void SelectKind(int kind);

  // 実行: reads the page and runs its analysis; closes with OK on success.
  void OnRun();
  // ｷｬﾝｾﾙ: closes; except in the DM-only form the document's analysis result is cleared.
  void OnCancel() override;
  // What the history summary's choice-list box needs.
  ui::Ui& ChoiceUi() const { return ui_; }
  const std::filesystem::path& Install() const { return install_; }

  // The control a refused run asks the view to focus.
  Focus FocusRequest() const { return focus_; }
  // The same, for the view, which focuses it once.
  Focus TakeFocusRequest() { return std::exchange(focus_, Focus::None); }

  // --- Pages 1, 2, 3, 6: the inputs as the controls show them ---
  RegularsInput regulars;
  RecentInput recent;
  ApproachInput approach;
  AmountInput amount;

  // --- Page 4 ---
  DMHitInput dmHit;
  // The sent titles as "%Y/%m/%d title", or the single kNoSentDM; the list is disabled then.
  const std::vector<std::string>& DMTitleTexts() const { return dmTexts_; }
  bool DMTitlesEnabled() const { return !dmIds_.empty(); }
  int DMTitleRow() const { return dmRow_; }
  void SelectDMTitle(int row);

  // --- Page 5 ---
  // The four steps: 0 都道府県, 1 市区町村, 2 町名, 3 建物等.
  static constexpr int kLevels = 4;
  const std::vector<lookup::CPostalLevelEntry>& LevelEntries(int level) const { return levels_.at(level); }
  int LevelRow(int level) const { return levelRows_.at(level); }
  // Choosing an entry refills the steps below it.
  void SelectLevel(int level, int row);
  // "〒%s" of the address chosen so far; empty while none has a code.
  std::string ZipText() const;
  bool DictionaryAvailable() const { return dictionary_; }
  const std::vector<AddressRow>& Addresses() const { return addresses_; }
  int AddressRowSelected() const { return addressRow_; }
  void SelectAddressRow(int row) { addressRow_ = row >= 0 && row < static_cast<int>(addresses_.size()) ? row : -1; }
  void OnAddAddress();     // 追加↓
  void OnRemoveAddress();  // はずす
  bool RemoveAddressEnabled() const { return addressRow_ >= 0; }
  // 0: "顧客リストから抽出して表示する", 1: "電話帳から抽出して表示する".
  int rollerTarget = 0;

  // --- Page 7 ---
  std::string nameEntry;
  const std::vector<std::string>& Names() const { return names_; }
  int NameRow() const { return nameRow_; }
  void SelectName(int row) { nameRow_ = row >= 0 && row < static_cast<int>(names_.size()) ? row : -1; }
  void OnAddName();     // リストに追加 ↓
  void OnRemoveName();  // リストから削除

 private:
  void OpenDMPage();
  void OpenRollerPage();
  std::optional<Statement> Build();
  bool RunStatement(const Statement& statement);
  void StartZonaly();
  AddressRow CurrentAddress() const;

  ui::Ui& ui_;
  shell::CTovanaDoc* doc_;
  std::filesystem::path install_;
  lookup::CLookupFacility* lookups_;
  int kind_;
  bool dmOnly_;
  Focus focus_ = Focus::None;

  std::vector<std::string> dmTexts_;
  std::vector<std::int32_t> dmIds_;
  int dmRow_ = -1;

  bool dictionary_ = false;
  std::array<std::vector<lookup::CPostalLevelEntry>, kLevels> levels_;
  std::array<int, kLevels> levelRows_ = {-1, -1, -1, -1};
  std::vector<AddressRow> addresses_;
  int addressRow_ = -1;

  std::vector<std::string> names_;
  int nameRow_ = -1;
};

// Runs "七色分析" opened on kind (dmOnly: the DM screen's form). The result kind (1 to 7) it left
// in doc.Analysis(), or -1 when it was cancelled or left no result.
int RunRainbowDialog(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install,
                     lookup::CLookupFacility* lookups, int kind = kRegulars, bool dmOnly = false);

// The DM screen's hit rate of one sent title: stores dmId as the document's DM identifier and
// runs the DM-only form. True when a hit-rate result (kind 4: dmId and the responders' ids) is
// left in the document for the screen to show.
bool RunDMHitRate(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install, std::int32_t dmId);

}  // namespace analysis
