#pragma once
// Walking, merging and pruning the three-level category trees (catalogue, recent paths, custom
// and download trees). Children are shared pointers: a merge may leave one child in two trees,
// and it is released once, when the last tree lets it go.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lumaro/CDaiBunrui.h"
#include "lumaro/CLayoutInfo.h"

namespace lumaro {

using DaiList = std::vector<std::shared_ptr<CDaiBunrui>>;

// Where a layout sits: its three categories and its position among the bottom one's children.
struct LayoutPlace {
  CDaiBunrui* dai;
  CChuBunrui* chu;
  CShoBunrui* sho;
  std::size_t index;

  const std::shared_ptr<CLayoutInfo>& Layout() const { return sho->Children[index]; }
};

// Calls visit for every layout, depth-first in stored order, until it returns true; then true.
bool VisitLayouts(const DaiList& tops, const std::function<bool(const LayoutPlace&)>& visit);

// The place of the first layout with that ID; false when there is none.
bool FindLayout(const DaiList& tops, std::int32_t layoutID, LayoutPlace& place);

// The layout that identifies a path: the first layout of its first bottom category of its first
// middle category; null when one of them is missing.
std::shared_ptr<CLayoutInfo> PathLayout(const CDaiBunrui& path);

// Merges from's children into into's, by name at each level and by layout ID at the last: a
// child into lacks is appended there (and stays in from too); a matching middle or bottom
// category is merged one level down and then leaves from; a matching layout takes the other's
// fields and leaves from. What is left in from afterwards is shared with into.
void MergeCategory(CDaiBunrui& into, CDaiBunrui& from);

// Index of the first top category with that name, or tops.size().
std::size_t FindTop(const DaiList& tops, const std::string& name);

// Removes the first layout with that ID. With prune, a bottom category it leaves empty goes too,
// then a middle, then a top category left empty. False when there was no such layout.
bool RemoveLayout(DaiList& tops, std::int32_t layoutID, bool prune);

}  // namespace lumaro
