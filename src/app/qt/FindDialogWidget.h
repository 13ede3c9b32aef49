#pragma once
// The frame's one modeless find dialog: the text and the direction (a search always matches case,
// so there is no box for it); 次を検索 hands the request to shell::CMainFrame, which passes it to
// the screen shown.

#include <QDialog>

#include "shell/CMainFrame.h"

class QLineEdit;
class QRadioButton;

namespace app {

class FindDialogWidget : public QDialog {
 public:
  FindDialogWidget(shell::CMainFrame& frame, QWidget* parent);

 protected:
  void done(int result) override;

 private:
  shell::CMainFrame& frame_;
  QLineEdit* text_;
  QRadioButton* down_;
};

}  // namespace app
