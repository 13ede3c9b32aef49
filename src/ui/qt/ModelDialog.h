#pragma once
// The base of every dialog view: it renders one presentation model, forwards each action to it
// and closes when the model says so. Esc and the close button go to the model's OnCancel. It
// opens no larger than its screen, and shows at once what a model changes while it still asks.

#include <QDialog>

#include "ui/Ui.h"

namespace ui {

class ModelDialog : public QDialog {
 public:
  ModelDialog(CDialogModel& model, QWidget* parent);

  ~ModelDialog() override;

  void reject() override;
  void setVisible(bool visible) override;

 protected:
  // Runs an action of the model, then refreshes the view or closes it.
  template <typename Action>
  void Act(Action action) {
    action();
    AfterAction();
  }
  // Fills the controls from the model; called after every action.
  virtual void Refresh() {}

 private:
  void AfterAction();
  CDialogModel& model_;
  bool fitted_ = false;
};

}  // namespace ui
