#include "lumaro/CShoBunrui.h"

#include "DeepCopy.h"

namespace lumaro {

CShoBunrui::CShoBunrui(const CShoBunrui& other) { CopyCategory(*this, other); }

CShoBunrui& CShoBunrui::operator=(const CShoBunrui& other) {
  CopyCategory(*this, other);
  return *this;
}

CLayoutInfo& CShoBunrui::Add(std::shared_ptr<CLayoutInfo> child) { return AddChild(*this, std::move(child)); }

}  // namespace lumaro
