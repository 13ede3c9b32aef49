#pragma once
// How the catalogue classes meet the settings archive. The archive writes and recreates objects
// of its own base class by class name; one record stands for each category or layout under the
// name of its public class ("CDaiBunrui", ... "CLayoutInfo", schema 1) and reads into or writes
// from that object. The public classes stay free of the archive.

#include <memory>
#include <unordered_map>

#include "settings/CSerializable.h"

namespace lumaro {

// Storing: one record per object, alive until the archive is closed, so that an object held in
// two places is written once and then by reference, as the archive does for shared objects.
class RecordPool {
 public:
  template <class Record, class Node>
  settings::CSerializable* RecordFor(const std::shared_ptr<Node>& node) {
    std::shared_ptr<settings::CSerializable>& slot = records_[node.get()];
    if (!slot) slot = std::make_shared<Record>(node, *this);
    return slot.get();
  }

 private:
  std::unordered_map<const void*, std::shared_ptr<settings::CSerializable>> records_;
};

}  // namespace lumaro
