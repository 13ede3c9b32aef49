#pragma once
// A middle category: a medium ("シール", "はがき", "封筒"), holding bottom categories.
// The three category levels share one shape and one stored form: version, name, children.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lumaro/CShoBunrui.h"
#include "lumaro/LumaroExport.h"

namespace lumaro {

class LUMARO_API CChuBunrui {
 public:
  using Child = CShoBunrui;
  using ChildList = std::vector<std::shared_ptr<CShoBunrui>>;

  CChuBunrui() = default;
  explicit CChuBunrui(std::string name) : Name(std::move(name)) {}
  // Both take the version and the name, drop this category's children and copy the other's,
  // deeply: the copy shares nothing with the original.
  CChuBunrui(const CChuBunrui& other);
  CChuBunrui& operator=(const CChuBunrui& other);
  void Copy(const CChuBunrui& other) { *this = other; }

  static std::shared_ptr<CChuBunrui> CreateObject() { return std::make_shared<CChuBunrui>(); }
  static constexpr std::string_view kClassName = "CChuBunrui";
  std::string_view GetClassName() const { return kClassName; }
  std::uint16_t GetSchema() const { return 1; }

  // Appends a child (a new empty one for null) and returns it; the category owns it.
  CShoBunrui& Add(std::shared_ptr<CShoBunrui> child = nullptr);
  // Releases every child this category holds.
  void RemoveAll() { Children.clear(); }

  // Written as 1. Read back at 2 or above (a newer writer), name and children were not read.
  std::int32_t Version = 1;
  std::string Name;
  ChildList Children;  // a null entry is skipped by every operation and never written
};

}  // namespace lumaro
