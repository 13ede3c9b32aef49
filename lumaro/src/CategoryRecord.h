#pragma once
// The archive record of a category of any of the three levels (see RecordPool.h).

#include <memory>
#include <string_view>
#include <vector>

#include "LayoutRecord.h"
#include "RecordPool.h"
#include "lumaro/CChuBunrui.h"
#include "lumaro/CDaiBunrui.h"
#include "lumaro/CShoBunrui.h"
#include "settings/CArchive.h"
#include "settings/CSerializable.h"

namespace lumaro {

// A null entry of an object array, which no writer of the catalogue produces.
[[noreturn]] void RejectNullEntry();

// The entries to write: a null one a caller left in a list is not written, so that every file
// written here reads back.
template <class Node>
std::vector<std::shared_ptr<Node>> EntriesToWrite(const std::vector<std::shared_ptr<Node>>& list) {
  std::vector<std::shared_ptr<Node>> entries;
  entries.reserve(list.size());
  for (const auto& node : list) {
    if (node) entries.push_back(node);
  }
  return entries;
}

// Version (written as 1), then, when the version read is below 2, the name and the children as
// an object array of ChildRecord's class. A null child is a damaged file.
template <class Category, class ChildRecord>
class CategoryRecord final : public settings::CSerializable {
 public:
  CategoryRecord() : node_(std::make_shared<Category>()) {}
  CategoryRecord(std::shared_ptr<Category> node, RecordPool& pool) : node_(std::move(node)), pool_(&pool) {}

  void Serialize(settings::CArchive& ar) override;
  std::string_view GetClassName() const override { return Category::kClassName; }
  const std::shared_ptr<Category>& Node() const { return node_; }

 private:
  std::shared_ptr<Category> node_;
  RecordPool* pool_ = nullptr;  // set only for storing
};

using ShoRecord = CategoryRecord<CShoBunrui, LayoutRecord>;
using ChuRecord = CategoryRecord<CChuBunrui, ShoRecord>;
using DaiRecord = CategoryRecord<CDaiBunrui, ChuRecord>;

template <class Category, class ChildRecord>
void CategoryRecord<Category, ChildRecord>::Serialize(settings::CArchive& ar) {
  if (ar.IsStoring()) {
    ar.StoreInt32(1);
    ar.StoreString(node_->Name);
    const auto children = EntriesToWrite(node_->Children);
    ar.StoreCount(children.size());
    for (const auto& child : children) ar.StoreObject(pool_->template RecordFor<ChildRecord>(child));
    return;
  }
  node_->Version = ar.LoadInt32();
  if (node_->Version >= 2) return;
  node_->Name = ar.LoadString();
  for (const auto& record : ar.LoadObjects<ChildRecord>()) {
    if (!record) RejectNullEntry();
    node_->Children.push_back(record->Node());
  }
}

}  // namespace lumaro
