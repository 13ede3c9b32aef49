#pragma once
// One entry of a choice list: its text and whether the user may change or delete it. Fixed
// entries are ones the program itself writes or recognises ("メール送信", "VIP").

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/CSerializable.h"

namespace settings {

class CQMVComboElem : public CSerializable {
 public:
  CQMVComboElem() = default;
  CQMVComboElem(std::string text, bool editable) : text_(std::move(text)), editable_(editable ? 1 : 0) {}

  // The text, then the editable flag as a 32-bit number.
  void Serialize(CArchive& ar) override;
  std::string_view GetClassName() const override { return "CQMVComboElem"; }

  const std::string& GetText() const { return text_; }
  void SetText(std::string text) { text_ = std::move(text); }
  bool IsEditable() const { return editable_ != 0; }

 private:
  std::string text_;
  std::int32_t editable_ = 1;
};

}  // namespace settings
