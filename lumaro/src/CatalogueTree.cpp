#include "CatalogueTree.h"

#include <algorithm>

namespace lumaro {

namespace {

void MergeChildren(CShoBunrui& into, CShoBunrui& from) {
  auto& mine = into.Children;
  auto& theirs = from.Children;
  for (auto it = theirs.begin(); it != theirs.end();) {
    if (!*it) {
      it = theirs.erase(it);
      continue;
    }
    const std::int32_t id = (*it)->LayoutID;
    const auto match = std::find_if(mine.begin(), mine.end(), [id](const auto& l) { return l && l->LayoutID == id; });
    if (match == mine.end()) {
      mine.push_back(*it);
      ++it;
      continue;
    }
    if (match->get() != it->get()) **match = **it;
    it = theirs.erase(it);
  }
}

template <class Category>
void MergeChildren(Category& into, Category& from) {
  auto& mine = into.Children;
  auto& theirs = from.Children;
  for (auto it = theirs.begin(); it != theirs.end();) {
    if (!*it) {
      it = theirs.erase(it);
      continue;
    }
    const std::string& name = (*it)->Name;
    const auto match = std::find_if(mine.begin(), mine.end(), [&name](const auto& c) { return c && c->Name == name; });
    if (match == mine.end()) {
      mine.push_back(*it);
      ++it;
      continue;
    }
    if (match->get() != it->get()) MergeChildren(**match, **it);
    it = theirs.erase(it);
  }
}

}  // namespace

bool VisitLayouts(const DaiList& tops, const std::function<bool(const LayoutPlace&)>& visit) {
  for (const auto& dai : tops) {
    if (!dai) continue;
    for (const auto& chu : dai->Children) {
      if (!chu) continue;
      for (const auto& sho : chu->Children) {
        if (!sho) continue;
        for (std::size_t i = 0; i < sho->Children.size(); ++i) {
          if (sho->Children[i] && visit(LayoutPlace{dai.get(), chu.get(), sho.get(), i})) return true;
        }
      }
    }
  }
  return false;
}

bool FindLayout(const DaiList& tops, std::int32_t layoutID, LayoutPlace& place) {
  return VisitLayouts(tops, [&](const LayoutPlace& p) {
    if (p.Layout()->LayoutID != layoutID) return false;
    place = p;
    return true;
  });
}

std::shared_ptr<CLayoutInfo> PathLayout(const CDaiBunrui& path) {
  if (path.Children.empty() || !path.Children.front()) return nullptr;
  const CChuBunrui& chu = *path.Children.front();
  if (chu.Children.empty() || !chu.Children.front()) return nullptr;
  const CShoBunrui& sho = *chu.Children.front();
  if (sho.Children.empty()) return nullptr;
  return sho.Children.front();
}

void MergeCategory(CDaiBunrui& into, CDaiBunrui& from) {
  if (&into != &from) MergeChildren(into, from);
}

std::size_t FindTop(const DaiList& tops, const std::string& name) {
  const auto it = std::find_if(tops.begin(), tops.end(), [&name](const auto& dai) { return dai && dai->Name == name; });
  return static_cast<std::size_t>(it - tops.begin());
}

bool RemoveLayout(DaiList& tops, std::int32_t layoutID, bool prune) {
  LayoutPlace place{};
  if (!FindLayout(tops, layoutID, place)) return false;
  auto eraseChild = [](auto& children, const auto* child) {
    children.erase(std::find_if(children.begin(), children.end(), [child](const auto& c) { return c.get() == child; }));
  };
  place.sho->Children.erase(place.sho->Children.begin() + static_cast<std::ptrdiff_t>(place.index));
  if (!prune || !place.sho->Children.empty()) return true;
  eraseChild(place.chu->Children, place.sho);
  if (!place.chu->Children.empty()) return true;
  eraseChild(place.dai->Children, place.chu);
  if (!place.dai->Children.empty()) return true;
  eraseChild(tops, place.dai);
  return true;
}

}  // namespace lumaro
