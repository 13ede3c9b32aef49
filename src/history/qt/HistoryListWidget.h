#pragma once
// The history list screen on Qt, rendering history::CRirekiView: the count, the 検索... button and
// the three extraction buttons (shown while an extraction is) on the pale yellow form above the
// table of entries. In the list Enter shows the selected entry, Delete deletes, a double click
// shows the entry, Tab moves on; the header sorts and shows by which column.

#include <QWidget>

#include <vector>

#include "history/CRirekiView.h"

class QLabel;
class QPushButton;
class QTableView;

namespace shell {
class CMainFrame;
}

namespace history {

class HistoryTableModel;

class HistoryListWidget : public QWidget {
 public:
  HistoryListWidget(CRirekiView& model, shell::CMainFrame& frame, QWidget* parent);
  ~HistoryListWidget() override;

  QTableView* Table() const { return table_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildButtons(QWidget* bar);
  void ShowColumnLayout();
  void Sync();
  void ShowSelection();
  void PassSelection();

  CRirekiView& model_;
  shell::CMainFrame& frame_;
  HistoryTableModel* rows_ = nullptr;
  QTableView* table_ = nullptr;
  QLabel* count_ = nullptr;
  std::vector<QPushButton*> extractionButtons_;
  bool syncing_ = false;
};

}  // namespace history
