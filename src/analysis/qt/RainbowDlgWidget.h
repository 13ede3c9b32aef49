#pragma once
// "七色分析" on Qt: the seven analysis buttons down the left, the page of the chosen analysis to
// their right, "実行" and "ｷｬﾝｾﾙ" at the bottom right. Every page is built once; the model says
// which one shows and what its controls hold.

#include <QPushButton>
#include <QStackedWidget>

#include <array>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "analysis/CRainbowDlg.h"
#include "ui/qt/ModelDialog.h"

class QAbstractButton;
class QLineEdit;
class QListWidget;
class QTreeWidget;

namespace analysis {

class RainbowDlgWidget : public ui::ModelDialog {
 public:
  RainbowDlgWidget(CRainbowDlg& model, QWidget* parent);

 protected:
  void Refresh() override;

 private:
  QWidget* PageFrame(int kind, QWidget*& body);
  QWidget* RegularsPage();
  QWidget* RecentPage();
  QWidget* ApproachPage();
  QWidget* DMHitPage();
  QWidget* RollerPage();
  QWidget* AmountPage();
  QWidget* MerchantsPage();
  QWidget* PeriodBox(Period& period, int kind, QWidget* parent);
  QWidget* SummaryRow(std::string& summary, int kind, QWidget* parent);

  // An edit bound to field, enabled while enabled() holds.
  QLineEdit* Edit(std::string& field, const char* caption, QWidget* parent, std::function<bool()> enabled = {});
  // A radio button that is on while isOn() holds and runs choose when clicked.
  QAbstractButton* Radio(const char* caption, QWidget* parent, std::function<bool()> isOn, std::function<void()> choose);
  void FocusTarget(int kind, Focus focus, QWidget* widget) { focusTargets_[{kind, focus}] = widget; }

  CRainbowDlg& model_;
  std::array<QPushButton*, kKindCount> kindButtons_{};
  QStackedWidget* pages_ = nullptr;
  std::vector<std::function<void()>> refreshers_;
  std::map<std::pair<int, Focus>, QWidget*> focusTargets_;
};

}  // namespace analysis
