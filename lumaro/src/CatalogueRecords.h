#pragma once
// How the catalogue classes meet the settings archive. The archive writes and recreates objects
// of its own base class by class name; each record here stands for one category or layout under
// the name of its public class ("CDaiBunrui", ... "CLayoutInfo", schema 1) and reads into or
// writes from that object. The public classes stay free of the archive.

#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lumaro/CChuBunrui.h"
#include "lumaro/CDaiBunrui.h"
#include "lumaro/CLayoutInfo.h"
#include "lumaro/CShoBunrui.h"
#include "settings/CArchive.h"
#include "settings/CClassRegistry.h"
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

// The registry the catalogue files are read with: the four record classes and nothing else.
const settings::CClassRegistry& CatalogueClasses();

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
