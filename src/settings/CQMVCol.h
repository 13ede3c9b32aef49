#pragma once
// One column definition: the customer column's name (its key, e.g. "CustomerID"), the label the
// user sees for it, and whether that label is a free item the user may rename.

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/CSerializable.h"

namespace settings {

class CQMVCol : public CSerializable {
 public:
  CQMVCol() = default;
  CQMVCol(std::string key, std::string label, bool renamable)
      : key_(std::move(key)), label_(std::move(label)), renamable_(renamable ? 1 : 0) {}

  // The key, the label, then the renamable flag as a 32-bit number.
  void Serialize(CArchive& ar) override;
  std::string_view GetClassName() const override { return "CQMVCol"; }

  const std::string& GetKey() const { return key_; }
  const std::string& GetLabel() const { return label_; }
  void SetLabel(std::string label) { label_ = std::move(label); }
  bool IsRenamable() const { return renamable_ != 0; }

 private:
  std::string key_;
  std::string label_;
  std::int32_t renamable_ = 0;
};

}  // namespace settings
