#pragma once
// The card pane on screen: three tabs at the top right, the tab's buttons, and below them the
// history list or the detail card, filling the content area and following every resize. The tabs
// are a real tab bar, so screen readers find them as page tabs by caption and the keyboard moves
// between them (arrow keys on the bar, Ctrl+Tab and Ctrl+Shift+Tab anywhere in the window).
// Clicks go to the model; Refresh shows what the model holds after the list view told it
// something.

#include <QWidget>

#include <vector>

#include "customers/KokyakuCardPane.h"

class QPushButton;
class QTabBar;
class QTreeWidget;

namespace customers {

class KokyakuCardSheet;

class KokyakuCardPaneWidget : public QWidget {
 public:
  KokyakuCardPaneWidget(KokyakuCardPane& pane, QWidget* parent);

  // Tab, buttons, history rows and card page as the model has them.
  void Refresh();
  QTabBar* Tabs() const { return tabs_; }

  KokyakuCardSheet* Sheet() const { return sheet_; }
  QTreeWidget* HistoryList() const { return list_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct ButtonView {
    QPushButton* button;
    CardCommand command;
    bool historyTab;
  };

  void BuildTabs();
  void BuildButtons();
  void BuildHistoryList();
  void FillHistory();
  void LayOut();
  void FitHistoryColumns();
  template <typename Action>
  void Act(Action action) {
    action();
    Refresh();
  }

  KokyakuCardPane& pane_;
  QTabBar* tabs_ = nullptr;
  std::vector<ButtonView> buttons_;
  QTreeWidget* list_ = nullptr;
  KokyakuCardSheet* sheet_ = nullptr;
  bool filling_ = false;
};

}  // namespace customers
