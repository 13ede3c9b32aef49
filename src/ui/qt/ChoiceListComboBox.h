#pragma once
// The choice-list drop-down box on Qt: an editable combo box rendering a shell::CQMVComboBox.
// Typing is limited to the list's byte limit; leaving the box registers a new text at once.

#include <QComboBox>

#include <filesystem>
#include <string>

#include "shell/CQMVComboBox.h"

namespace ui {

class ChoiceListComboBox : public QComboBox {
 public:
  // caption: the accessible name, the caption of the field the box fills.
  ChoiceListComboBox(ui::Ui& ui, const std::filesystem::path& install, const QString& caption, QWidget* parent);

  // Fills the box from list (see CQMVComboBox::Fill); the typed text is kept.
  int Fill(int list, bool autoRegister = true);
  // Shows a stored text as it is, with the item that equals it chosen (see CQMVComboBox::ItemOf).
  void ShowText(const std::string& text);
  const shell::CQMVComboBox& Model() const { return model_; }

 protected:
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void ShowItems();

  shell::CQMVComboBox model_;
};

}  // namespace ui
