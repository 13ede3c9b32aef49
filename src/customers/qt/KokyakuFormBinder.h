#pragma once
// Binds the controls of a customer entry page to its customers::CKokyakuForm: each control
// writes what the person types into the form at once, Refresh shows the form again, Focus puts
// the cursor on a column's control. The controls carry their captions as accessible names.

#include <QString>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "customers/CKokyakuForm.h"
#include "customers/KokyakuChoices.h"
#include "ui/Ui.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace ui {
class ChoiceListComboBox;
}

namespace customers {

class KokyakuFormBinder {
 public:
  // limitTyping: refuse typing beyond a column's byte limit (the sub-dialogs); the main pages
  // check the limits when saving instead.
  KokyakuFormBinder(CKokyakuForm& form, QWidget* parent, bool limitTyping);

  // A one-line text. A name column passes what the input method composes to the form (its
  // reading fills the furigana); a furigana column has the form make its text half-width
  // katakana when it is left.
  QLineEdit* Edit(std::string_view column, const char* caption);
  // A read-only date ("%Y/%m/%d").
  QLineEdit* DateText(std::string_view column, const char* caption);
  // An editable list of fixed suggestions (prefectures, honorifics).
  QComboBox* Suggestions(std::string_view column, const char* caption, const std::vector<std::string>& texts);
  // A choice-list box (auto-registering) filled from list.
  ui::ChoiceListComboBox* ChoiceList(std::string_view column, const char* caption, int list, ui::Ui& ui,
                                 const std::filesystem::path& install);
  // A drop-down list whose items store their values (codes, 締日, 決算月, colours).
  QComboBox* Values(std::string_view column, const char* caption, std::vector<ChoiceItem> items);
  QComboBox* Colours(const char* caption);
  QCheckBox* Check(std::string_view column, const char* caption);
  // The "標準ﾒｰﾙ" button of position 1 to 5 (CommonMail).
  QRadioButton* StandardMail(int position, const QString& accessibleName);

  void Refresh();
  void Focus(const std::string& column);
  QWidget* Control(std::string_view column) const;

 private:
  void Bind(std::string_view column, QWidget* widget, std::function<void()> refresh);

  CKokyakuForm& form_;
  QWidget* parent_;
  bool limitTyping_;
  QButtonGroup* mail_ = nullptr;
  std::map<std::string, QWidget*, std::less<>> controls_;
  std::vector<std::function<void()>> refreshers_;
};

}  // namespace customers
