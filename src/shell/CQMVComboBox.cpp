#include "shell/CQMVComboBox.h"

#include <algorithm>

namespace shell {

CQMVComboBox::CQMVComboBox(ui::Ui& ui, std::filesystem::path install) : data_(ui, std::move(install)) {}

int CQMVComboBox::Fill(int list, bool autoRegister) {
  items_.clear();
  autoRegister_ = autoRegister;
  if (data_.Load(list) == 0) {
    autoRegister_ = false;
    return 0;
  }
  textLimit_ = settings::CQMVComboData::TextLimit(list);
  for (const auto& entry : data_.GetEntries()) items_.push_back(entry->GetText());
  return 1;
}

int CQMVComboBox::ItemOf(std::string_view text) const {
  const auto it = std::find(items_.begin(), items_.end(), text);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

bool CQMVComboBox::OnFocusLeave(std::string_view text) {
  if (!autoRegister_ || text.empty()) return false;
  if (std::find(items_.begin(), items_.end(), text) != items_.end()) return false;
  // Read the file again first, so that an entry another box added meanwhile is kept.
  if (data_.Load(data_.GetList()) == 0) return false;
  if (!data_.Contains(text) && data_.AddEntry(text) == 0) return false;
  items_.emplace_back(text);
  return true;
}

}  // namespace shell
