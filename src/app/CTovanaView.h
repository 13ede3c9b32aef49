#pragma once
// The menu screen: five tabs over the list of printable forms with its preview, and twelve large
// buttons that open the other screens, the dialogs and the pop-up menus of settings, tools and
// help. The model owns the layout (in the 800 x 600 client area), the drawing state of every tab
// and button, the mouse and keyboard rules and the command table; the Qt view only paints it.

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CFormSource.h"
#include "printing/PrintCommands.h"
#include "shell/CScreen.h"
#include "ui/Ui.h"

namespace lookup {
class CLookupFacility;
}

namespace shell {
class CMainFrame;
class CTovanaDoc;
}  // namespace shell

namespace app {

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  bool Contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

// What the menu screen acts on besides the frame and the document.
struct MenuScreenContext {
  ui::Ui* ui = nullptr;
  shell::CMainFrame* frame = nullptr;
  shell::CTovanaDoc* doc = nullptr;
  CFormSource* forms = nullptr;
  std::filesystem::path install;
  std::function<void()> setPassword;  // the password dialog of the start-up password
  lookup::CLookupFacility* lookups = nullptr;  // the postal and phone lookups; may be null
};

class CTovanaView : public shell::CScreen {
 public:
  static constexpr int kTabCount = 5;
  static constexpr int kButtonCount = 12;
  static constexpr int kOriginalTab = 4;
  enum State : int { kNormal = 0, kHot = 1, kPressed = 2 };
  enum Button : int {
    kAddCustomer, kCustomerCard, kDMManagement, kCustomerList, kHistoryList, kRainbow,
    kExtract, kSettings, kTools, kHelp, kExit, kPrint,
  };
  enum class Popup { Settings, Tools, Help };

  static constexpr const char* kScreenTitle = "顧客 ソレル－メニュー";
  static constexpr const char* kNoCatalogue = "フォーム情報を取得できません";
  static constexpr const char* kNoDocument = "この操作を行うことはできません";
  static constexpr const char* kCannotAdd = "顧客を追加できません。";
  static constexpr const char* kNoForm = "フォームを選択してください";
  static constexpr const char* kNoListInfo = "リストの情報を取得できません";
  static constexpr const char* kReadOnlyAdd = "データベースは読取専用です。\n顧客を追加することはできません。\n";

  explicit CTovanaView(MenuScreenContext context);

  int Number() const override { return kMenu; }
  std::string Title() const override { return kScreenTitle; }
  void OnInitialUpdate() override;
  bool OnCommand(int id) override;
  bool IsCommandEnabled(int id) const override;

  // Layout, in client coordinates.
  static Rect TabRect(int tab);
  static Rect ButtonRect(int button);
  static Rect FormListRect();
  static Rect PreviewRect();
  static const char* ButtonCaption(int button);
  std::string TabCaption(int tab) const;

  int TabState(int tab) const { return tabStates_[tab]; }
  int ButtonState(int button) const { return buttonStates_[button]; }
  int SelectedTab() const;

  // Mouse: move, press and release at a point. OnMouseMove tells whether the point is over a tab
  // that is not selected or over a button (the program's own cursor shows there).
  bool OnMouseMove(int x, int y);
  void OnLButtonDown(int x, int y);
  void OnLButtonUp(int x, int y);
  // The pointer left the screen: nothing stays hot.
  void OnMouseLeave();
  // The keyboard's activation of a button or a tab.
  void PressButton(int button);
  void SelectTab(int tab);

  // The form list of the selected tab, and the chosen row (-1 none).
  const std::vector<FormRow>& Forms() const { return forms_; }
  int SelectedFormRow() const { return formRow_; }
  // Changes whenever the form list is filled anew.
  int FormsGeneration() const { return formsGeneration_; }
  void SelectFormRow(int row);
  // The preview picture of the chosen form; empty when there is none to show.
  std::filesystem::path PreviewFile() const;
  // A double click on the preview or on the form's row prints the chosen form, as 印刷 does.
  void OnPreviewDoubleClick() { RunButton(kPrint); }
  void OnFormDoubleClick() { RunButton(kPrint); }

  // Another program changed the original forms.
  void OnOriginalsChanged();
  // The file whose change means the original forms may have changed.
  std::filesystem::path OriginalsFile() const { return c_.install / "Data" / "MyData" / "Original.dat"; }

  // The items of a pop-up, with their greying and marks as they are now.
  std::vector<shell::MenuItem> PopupMenu(Popup popup) const;
  // A pop-up to show at a button, for the view: set by buttons 7 to 9, taken once.
  std::optional<Popup> TakePendingPopup();

  // Told when the drawing or the lists changed.
  std::function<void()> onChanged;

 private:
  int HitTab(int x, int y) const;
  int HitButton(int x, int y) const;
  void RunButton(int button);
  void FillForms();
  void Changed() const {
    if (onChanged) onChanged();
  }
  bool RunSettingsCommand(int id);
  bool RunToolsCommand(int id);
  void AddCustomer();
  void OpenHistoryList();
  void PrintForm();
  // Button 6: the extraction dialog; its result opens on the customer or the history list.
  void Extract();
  void Analyse();
  void SaveNow();
  void RemovePreExtraction();
  void StartTool(const char* program, const char* arguments, const char* failure);
  int CardType() const;
  void SetCardType(int type);
  bool PastData() const;

  MenuScreenContext c_;
  std::array<int, kTabCount> tabStates_{};
  std::array<int, kButtonCount> buttonStates_{};
  int pressed_ = -1;  // the button holding the mouse capture
  std::vector<std::string> topCategories_;
  std::vector<FormRow> forms_;
  int formRow_ = -1;
  int formsGeneration_ = 0;
  std::optional<Popup> pendingPopup_;
};

}  // namespace app
