#include "lumaro/CChuBunrui.h"

#include "DeepCopy.h"

namespace lumaro {

CChuBunrui::CChuBunrui(const CChuBunrui& other) { CopyCategory(*this, other); }

CChuBunrui& CChuBunrui::operator=(const CChuBunrui& other) {
  CopyCategory(*this, other);
  return *this;
}

CShoBunrui& CChuBunrui::Add(std::shared_ptr<CShoBunrui> child) { return AddChild(*this, std::move(child)); }

}  // namespace lumaro
