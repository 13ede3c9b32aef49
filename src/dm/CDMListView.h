#pragma once
// The direct-mail management screen (screen 5, menu 135, toolbar 147): every DM title on the
// left, the recipients of the one selected on the right, and the title and recipient commands.
// Title rows point at the document's titles; the recipients of the selected title are held here
// and refilled from the store whenever the selection moves to one title.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "dm/DMStatus.h"
#include "platform/MailClient.h"
#include "records/CKokyakuVMData.h"
#include "shell/CScreen.h"
#include "ui/Ui.h"

namespace shell {
class CMainFrame;
class CTovanaDoc;
}  // namespace shell

namespace dm {

class CDMListView;

struct DMViewContext {
  ui::Ui* ui = nullptr;
  shell::CMainFrame* frame = nullptr;
  shell::CTovanaDoc* doc = nullptr;
  std::filesystem::path install;
  std::function<records::COleDate()> clock = records::COleDate::Now;
  std::filesystem::path mailCommand = platform::MailCommand();
};

// Where the controls of the form stand, in pixels of the form.
struct DMRect {
  int x = 0, y = 0, w = 0, h = 0;
  friend bool operator==(const DMRect&, const DMRect&) = default;
};
struct DMLayout {
  DMRect titles, recipients, chart;  // chart: empty outside hit-rate mode
  friend bool operator==(const DMLayout&, const DMLayout&) = default;
};

// The two lists on a form of clientWidth × clientHeight (at least minWidth × minHeight): the
// usable room is that less 30 × 80 (less topLeftY + 10 in height if the controls above the lists
// need more). The title list starts at (topLeftX, topLeftY), half the width but at most 500
// wide, the full height or half of it in hit-rate mode (the chart square under it); the
// recipients list 5 to its right and 2 higher takes the rest.
DMLayout ComputeDMLayout(int clientWidth, int clientHeight, int minWidth, int minHeight, int topLeftX, int topLeftY,
                         bool hitRateMode);

// text cut at a character boundary with "..." appended so that measure says it fits width;
// unchanged when it fits already.
std::string FitCellText(std::string_view text, int width, const std::function<int(std::string_view)>& measure);

// What a title row shows in a column (the 済 column: "1" sent, "0" not, for sorting).
std::string TitleCellText(const records::CDMListData& title, int column);

class CDMListView : public shell::CScreen {
 public:
  static constexpr const char* kScreenTitle = "顧客 ソレル－DM送付管理";
  static constexpr const char* kDefaultCaption = "DM送付対象顧客";
  static constexpr const char* kTitleListCaption = "DMタイトル一覧";

  // Messages.
  static constexpr const char* kSelectTitle = "DM送付予定を選択してください";
  static constexpr const char* kAddFailed = "登録できませんでした。\n";
  static constexpr const char* kCopyAllFailed = "顧客を登録できませんでした\n";
  static constexpr const char* kCopySomeFailed = "一部の顧客を登録できませんでした\n";
  static constexpr const char* kCopyFailed = "DMタイトルを登録できませんでした\n";
  static constexpr const char* kModifyReadOnly =
      "データベースは読み取り専用です。\nDMタイトルを修正することはできません。\n参照のみを行ないます。";
  static constexpr const char* kToUnsentWithHistory =
      "送付済みで履歴にも登録しています。\n未送付状態にすると、このDMについての履歴が削除されます。\n"
      "本当に未送付状態にしてもよろしいですか？";
  static constexpr const char* kToUnsent = "送付済みですが、未送付状態にしますか？";
  static constexpr const char* kRemoveHistory = "送付対象顧客の送付履歴を削除します。\n本当によろしいですか？";
  static constexpr const char* kChangeHistory =
      "送付済みで履歴にも登録しています。\n送付対象顧客の送付履歴を変更します。\n本当によろしいですか？";
  static constexpr const char* kAddHistory = "送付対象顧客の履歴に、送付履歴を登録します。\n本当によろしいですか？";
  static constexpr const char* kChangeSent = "送付済みですが、変更してもよろしいですか？";
  static constexpr const char* kModifyFailed = "更新できませんでした。\n";
  static constexpr const char* kModifyNotFound = "更新するDMﾀｲﾄﾙの情報が見つかりませんでした。\n";
  static constexpr const char* kCheckNeedsSending = "済ﾁｪｯｸを付ける場合は、DMを送付してください。";
  static constexpr const char* kDeleteSentWithHistory =
      "送付済みで履歴にも登録しています。\nDMタイトルを削除すると、このDMについての履歴が顧客の履歴から削除されます。\n"
      "本当に削除してもよろしいですか？";
  static constexpr const char* kDeleteSent = "送付済みですが、削除してもよろしいですか？";
  static constexpr const char* kDeleteOne = "削除してもよろしいですか？";
  static constexpr const char* kDeleteSeveral =
      "削除してもよろしいですか？\n送付済みで履歴にも登録している場合には\nそのDMについての履歴が顧客の履歴から削除されます。\n";
  static constexpr const char* kDeletePartly = "一部削除できないDMタイトルがあります。\n";
  static constexpr const char* kDeleteHistoryFailed = "履歴の削除に失敗したDMタイトルがあります。\n";
  static constexpr const char* kDeleteFailed = "削除できませんでした。\n";
  static constexpr const char* kSelectTargetDM = "対象DMを選択してください";
  static constexpr const char* kAddToSentWithHistory =
      "送付済みで履歴にも登録しています。\n追加した顧客の履歴にも、履歴情報として自動登録されます。\n追加してもよろしいですか？";
  static constexpr const char* kAddToSent = "送付済みになっています。顧客を追加しますか？";
  static constexpr const char* kNoCustomers = "顧客が取得できません\n";
  static constexpr const char* kNoDataLine = "データが取得できません\n";
  static constexpr const char* kNoTitleDataLine = "DMタイトルのデータが取得できません\n";
  static constexpr const char* kAddSomeFailed = "一部の顧客を追加できませんでした。\n";
  static constexpr const char* kAddNoSuchDM = "指定されたDMが見つかりませんでした。\n";
  static constexpr const char* kAddAllFailed = "すべての顧客を追加できませんでした。\n";
  static constexpr const char* kRemoveSelectTitle = "DMタイトルを選択してください。";
  static constexpr const char* kRemoveNoTitleData = "選択したDMタイトルのデータがみつかりません。";
  static constexpr const char* kSelectCustomers = "顧客を選択してください";
  static constexpr const char* kRemoveSentWithHistory =
      "送付済みで履歴にも登録しています。\n削除する顧客の履歴も自動的に削除されます。\n削除してもよろしいですか？";
  static constexpr const char* kRemoveSent = "送付済みになっています。削除してよろしいですか？";
  static constexpr const char* kRemoveUnsent = "削除してよろしいですか？";
  static constexpr const char* kRemoveFailed = "削除できませんでした。\n";
  static constexpr const char* kRemoveNotFound = "削除する顧客の情報が見つかりませんでした。\n";
  static constexpr const char* kRemovePartly = "指定された顧客は一部削除できませんでした。\n";
  static constexpr const char* kRecipientsUnreadable = "顧客のデータが取得できません\n";

  // Title list columns.
  enum TitleColumn { kSentColumn = 0, kDateColumn, kTitleColumn, kContentColumn, kManagerColumn, kMethodColumn };
  static constexpr int kTitleColumnCount = 6;
  static constexpr int kRecipientColumnCount = 3;
  struct Column {
    const char* title;
    int width;
  };
  static constexpr Column kTitleColumns[kTitleColumnCount] = {
      {"済", 28}, {"送付日", 100}, {"DMタイトル", 120}, {"内容", 65}, {"管理者", 95}, {"送付方法", 85}};
  static constexpr Column kRecipientColumns[kRecipientColumnCount] = {
      {"お客様コード", 100}, {"氏名", 190}, {"会社名", 190}};

  // The buttons of the form, each running the command of the same id.
  enum Button { kAddButton, kModifyButton, kDeleteButton, kCopyButton, kAddRecipientsButton, kRemoveRecipientsButton,
                kHitRateButton };

  explicit CDMListView(DMViewContext context);

  int Number() const override { return kDM; }
  std::string Title() const override { return kScreenTitle; }
  void OnInitialUpdate() override;
  bool OnCommand(int id) override;
  bool IsCommandEnabled(int id) const override;
  std::vector<shell::MenuItem> MenuBar() const override;
  bool OpensMaximised() const override { return true; }
  void OnClose() override;

  // --- The title list ---
  int TitleCount() const { return static_cast<int>(titles_.size()); }
  records::CDMListData* TitleAt(int row) const;
  std::string TitleText(int row, int column) const;
  // The check box of a row: true for 済.
  bool ShowsSent(int row) const;
  const std::vector<int>& TitleSelection() const { return selected_; }
  // The selection changed in the view: the recipients follow.
  void SetTitleSelection(std::vector<int> rows);
  void OnTitleHeaderClick(int column);
  void OnTitleDoubleClick();
  // A click on a row's check box: only ever turns a sent title back to unsent.
  void OnCheckClick(int row);
  // The one selected title, else null.
  records::CDMListData* SelectedTitle() const;
  int RowOfDM(std::int32_t dmId) const;

  // --- The recipients list ---
  int RecipientCount() const { return static_cast<int>(recipientRows_.size()); }
  const records::CDMMngData* RecipientAt(int row) const;
  std::string RecipientText(int row, int column) const;
  const std::vector<int>& RecipientSelection() const { return recipientSelected_; }
  void SetRecipientSelection(std::vector<int> rows);
  void OnRecipientHeaderClick(int column);
  // The customer IDs of every recipient row, in row order.
  records::IdArray RecipientIds() const;
  // The static text above the recipients.
  std::string RecipientsCaption() const;

  // --- The form ---
  bool ButtonEnabled(Button button) const;
  static int ButtonCommand(Button button);

  // --- Hit-rate mode: the hit recipients are shown; the chart needs room under the titles ---
  bool IsHitRateMode() const { return hitRateMode_; }
  bool IsHit(int recipientRow) const;
  int HitCount() const { return static_cast<int>(hits_.size()); }
  // The document's hit-rate result shown: its title alone selected with its recipients.
  void EnterHitRateMode();

  // The status change routine on a row: on 1 the row shows the new flags.
  int ChangeStatus(int row, const DMStatus& status);

  // Told just before the rows of either list change and right after, as a pair.
  std::function<void()> onRowsChanging;
  std::function<void()> onRowsChanged;
  // Told when the selection, the caption, the buttons or the layout changed.
  std::function<void()> onChanged;

 private:
  template <typename Change>
  void ChangeRows(Change change);
  void Changed() const;
  bool ReadOnly() const;
  records::COleDate Now() const { return c_.clock(); }
  shell::MenuItem Item(int id) const;

  void LoadTitles();
  void LoadRecipients();
  void ClearRecipients();
  void LeaveHitRateMode();
  void SelectOnlyTitle(int row);
  void PlaceNewTitle(std::unique_ptr<records::CDMListData> title);

  void AddTitle();
  void CopyTitle();
  void ModifyTitle();
  void DeleteTitles();
  void AddRecipients();
  void RemoveRecipients();

  DMViewContext c_;
  std::vector<records::CDMListData*> titles_;  // rows, pointing into the document's titles
  std::vector<int> selected_;
  bool titlesDescending_ = false;  // the direction of the next header-click sort
  records::DMUserArray recipients_;
  std::vector<const records::CDMMngData*> recipientRows_;
  std::vector<int> recipientSelected_;
  bool recipientsDescending_ = false;
  std::int32_t recipientsOf_ = 0;  // the DM whose recipients are held
  bool hitRateMode_ = false;
  std::unordered_set<std::int32_t> hits_;
};

}  // namespace dm
