#pragma once
// The DM management screen on Qt, rendering dm::CDMListView on its light yellow form: the title
// list with its 済 check boxes and the four title buttons on the left, the recipients with their
// caption and buttons on the right, placed by ComputeDMLayout at every resize. In the title list
// Space clicks the check box, Enter modifies, Delete deletes; a double click modifies. In hit-rate
// mode the chart of dm::PlanHitChart is painted under the title list.

#include <QWidget>

#include <vector>

#include "dm/CDMListView.h"

class QLabel;
class QPushButton;
class QTableView;

namespace shell {
class CMainFrame;
}

namespace dm {

class FunctionTableModel;

class DMListWidget : public QWidget {
 public:
  DMListWidget(CDMListView& model, shell::CMainFrame& frame, QWidget* parent);
  ~DMListWidget() override;

  QTableView* Titles() const { return titles_; }
  QTableView* Recipients() const { return recipients_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTableView* MakeTable(const char* name, FunctionTableModel* rows, const CDMListView::Column* columns, int count);
  void Run(int command);
  void LayOut();
  void Sync();

  CDMListView& model_;
  shell::CMainFrame& frame_;
  FunctionTableModel* titleRows_ = nullptr;
  FunctionTableModel* recipientRows_ = nullptr;
  QTableView* titles_ = nullptr;
  QTableView* recipients_ = nullptr;
  QLabel* titleCaption_ = nullptr;
  QLabel* recipientsCaption_ = nullptr;
  std::vector<QPushButton*> buttons_;  // by CDMListView::Button
  DMLayout layout_;
  bool syncing_ = false;
};

}  // namespace dm
