#pragma once
// The archive record of a layout (see RecordPool.h).

#include <memory>
#include <string_view>

#include "RecordPool.h"
#include "lumaro/CLayoutInfo.h"
#include "settings/CArchive.h"
#include "settings/CSerializable.h"

namespace lumaro {

// Version (written as 1), then, when the version read is 1 or less, the other 13 fields.
class LayoutRecord final : public settings::CSerializable {
 public:
  LayoutRecord() : node_(std::make_shared<CLayoutInfo>()) {}
  LayoutRecord(std::shared_ptr<CLayoutInfo> node, RecordPool&) : node_(std::move(node)) {}

  void Serialize(settings::CArchive& ar) override;
  std::string_view GetClassName() const override { return CLayoutInfo::kClassName; }
  const std::shared_ptr<CLayoutInfo>& Node() const { return node_; }

 private:
  std::shared_ptr<CLayoutInfo> node_;
};

}  // namespace lumaro
