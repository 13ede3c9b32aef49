#pragma once
// Copying a category: its version and name, and a copy of every child made anew, so that the
// copy shares no child with the category it was made from.

#include <memory>

namespace lumaro {

template <class Category>
void CopyCategory(Category& into, const Category& from) {
  if (&into == &from) return;
  into.Version = from.Version;
  into.Name = from.Name;
  typename Category::ChildList children;
  children.reserve(from.Children.size());
  for (const auto& child : from.Children) {
    if (child) children.push_back(std::make_shared<typename Category::Child>(*child));
  }
  into.Children = std::move(children);
}

template <class Category>
typename Category::Child& AddChild(Category& category, std::shared_ptr<typename Category::Child> child) {
  if (!child) child = std::make_shared<typename Category::Child>();
  category.Children.push_back(std::move(child));
  return *category.Children.back();
}

}  // namespace lumaro
