#include "lumaro/CDaiBunrui.h"

#include "DeepCopy.h"

namespace lumaro {

CDaiBunrui::CDaiBunrui(const CDaiBunrui& other) { CopyCategory(*this, other); }

CDaiBunrui& CDaiBunrui::operator=(const CDaiBunrui& other) {
  CopyCategory(*this, other);
  return *this;
}

CChuBunrui& CDaiBunrui::Add(std::shared_ptr<CChuBunrui> child) { return AddChild(*this, std::move(child)); }

}  // namespace lumaro
