#pragma once
// The model of one screen of the main window: the menu screen, the customer list (three
// variants), the history list or the DM screen. The frame holds exactly one at a time.

#include <string>
#include <vector>

namespace shell {

// What the frame's find dialog asks the screen to look for. The search always matches case, so
// the dialog offers no choice of it.
struct FindRequest {
  std::string text;
  bool down = true;
};

// One item of a menu; an id of 0 is a separator, an item with children a sub-menu.
struct MenuItem {
  int id = 0;
  std::string text;
  bool enabled = true;
  bool checked = false;
  bool radio = false;  // a checkable item of a group
  std::vector<MenuItem> children;
};

class CScreen {
 public:
  // Screen numbers.
  enum : int { kMenu = 0, kCustomerList = 1, kCustomerCard = 2, kCustomerCard2 = 3, kHistory = 4, kDM = 5 };
  // What a command of the menus says when this version does not offer it.
  static constexpr const char* kNotAvailable = "この機能は、このバージョンではご利用いただけません。";

  virtual ~CScreen() = default;
  virtual int Number() const = 0;
  // The window title while the screen is shown.
  virtual std::string Title() const = 0;
  // Runs once, after the frame made the screen current.
  virtual void OnInitialUpdate() {}
  // A command of the screen's menus or toolbar: true when the screen handled it.
  virtual bool OnCommand(int /*id*/) { return false; }
  // Whether a command of the screen is available now, and whether it shows a check mark.
  virtual bool IsCommandEnabled(int /*id*/) const { return true; }
  virtual bool IsCommandChecked(int /*id*/) const { return false; }
  // The screen's menu bar (top-level menus with their items); empty for none.
  virtual std::vector<MenuItem> MenuBar() const { return {}; }
  // Whether the window is maximised when the screen opens.
  virtual bool OpensMaximised() const { return false; }
  // The screen is about to be replaced: it saves what it keeps between runs.
  virtual void OnClose() {}
  // A find-next from the frame's find dialog (screens 1 to 4).
  virtual void OnFind(const FindRequest& /*request*/) {}
};

}  // namespace shell
