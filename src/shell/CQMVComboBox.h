#pragma once
// The choice-list drop-down box: an editable combo box bound to one choice list. It offers the
// list's entries, limits the text to the list's byte limit and, when the focus leaves it, adds a
// new text to the list at once (independently of the dialog that holds the box).

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CNeritEnv.h"
#include "settings/CQMVComboData.h"
#include "ui/Ui.h"

namespace shell {

class CQMVComboBox {
 public:
  static constexpr std::size_t kInitialTextLimit = 30;

  explicit CQMVComboBox(ui::Ui& ui, std::filesystem::path install = platform::CNeritEnv().GetInstallFolder());

  // Empties the items, loads the list and offers its entries in list order, with the list's text
  // limit: 1, or 0 (no items, no auto-registration) when the list does not load.
  int Fill(int list, bool autoRegister = true);

  const std::vector<std::string>& Items() const { return items_; }
  // The item a stored text chooses: the one equal to it byte for byte, else -1. A text that only
  // begins an item, or differs from it in case, chooses none and is shown and saved as stored.
  int ItemOf(std::string_view text) const;
  std::size_t TextLimit() const { return textLimit_; }
  bool AutoRegisters() const { return autoRegister_; }
  int List() const { return data_.GetList(); }

  // The focus left the box holding text: a non-empty text that is not an item yet is added to
  // the list file and to the items. True when it was added.
  bool OnFocusLeave(std::string_view text);

 private:
  settings::CQMVComboData data_;
  std::vector<std::string> items_;
  bool autoRegister_ = true;
  std::size_t textLimit_ = kInitialTextLimit;
};

}  // namespace shell
