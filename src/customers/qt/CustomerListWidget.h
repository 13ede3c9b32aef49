#pragma once
// The customer list screen on Qt, rendering customers::CKokyakuView: the table of customers, the
// count, the three extraction buttons on the pale yellow form, and the slot of the card pane
// beside the list behind a draggable divider. In the list Enter opens the selected customer,
// Delete deletes, Tab moves on; the header shows which column the rows are sorted by.

#include <QWidget>

#include "customers/CKokyakuView.h"

class QLabel;
class QPushButton;
class QSplitter;
class QTableView;

namespace customers {

class CustomerTableModel;
class KokyakuCardPaneWidget;

class CustomerListWidget : public QWidget {
 public:
  CustomerListWidget(CKokyakuView& model, shell::CMainFrame& frame, QWidget* parent);
  ~CustomerListWidget() override;

  QTableView* Table() const { return table_; }
  // Where the card pane goes; hidden while the card is not shown.
  QWidget* CardSlot() const { return card_; }
  // The card pane's view once the card was shown; null before.
  KokyakuCardPaneWidget* Pane() const { return pane_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildButtons(QWidget* bar);
  void ShowColumnLayout();
  void Sync();
  void ShowSelection();
  void PassSelection();
  void ShowContextMenu(const QPoint& at);
  void LayOutCard();

  CKokyakuView& model_;
  shell::CMainFrame& frame_;
  CustomerTableModel* rows_ = nullptr;
  QTableView* table_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QWidget* card_ = nullptr;
  KokyakuCardPaneWidget* pane_ = nullptr;
  QLabel* count_ = nullptr;
  std::vector<QPushButton*> extractionButtons_;
  std::vector<QPushButton*> conditionButtons_;
  bool syncing_ = false;
};

}  // namespace customers
