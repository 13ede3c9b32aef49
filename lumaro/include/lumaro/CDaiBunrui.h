#pragma once
// A top category: a purpose ("宛名印刷"), holding middle categories.
// The three category levels share one shape and one stored form: version, name, children.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lumaro/CChuBunrui.h"
#include "lumaro/LumaroExport.h"

namespace lumaro {

class LUMARO_API CDaiBunrui {
 public:
  using Child = CChuBunrui;
  using ChildList = std::vector<std::shared_ptr<CChuBunrui>>;

  CDaiBunrui() = default;
  explicit CDaiBunrui(std::string name) : Name(std::move(name)) {}
  // Both take the version and the name, drop this category's children and copy the other's,
  // deeply: the copy shares nothing with the original.
  CDaiBunrui(const CDaiBunrui& other);
  CDaiBunrui& operator=(const CDaiBunrui& other);
  void Copy(const CDaiBunrui& other) { *this = other; }

  static std::shared_ptr<CDaiBunrui> CreateObject() { return std::make_shared<CDaiBunrui>(); }
  static constexpr std::string_view kClassName = "CDaiBunrui";
  std::string_view GetClassName() const { return kClassName; }
  std::uint16_t GetSchema() const { return 1; }

  // Appends a child (a new empty one for null) and returns it; the category owns it.
  CChuBunrui& Add(std::shared_ptr<CChuBunrui> child = nullptr);
  // Releases every child this category holds.
  void RemoveAll() { Children.clear(); }

  // Written as 1. Read back at 2 or above (a newer writer), name and children were not read.
  std::int32_t Version = 1;
  std::string Name;
  ChildList Children;  // a null entry is skipped by every operation and never written
};

}  // namespace lumaro
