#include "app/CLumaroForms.h"

#include <lumaro/CChuBunrui.h>
#include <lumaro/CDaiBunrui.h>
#include <lumaro/CLayoutInfo.h>
#include <lumaro/CLumaro.h>
#include <lumaro/CShoBunrui.h>

namespace app {

namespace {

constexpr std::size_t kCatalogueTabs = 4;

FormRow Row(const lumaro::CLayoutInfo& layout, const std::string& maker, int top) {
  return {layout.Title, maker, layout.PaperCodes, layout.LayoutID, layout.MotoLayoutID, layout.FormGenre, top};
}

// The top category of the catalogue index that holds a layout; -1 when none does.
int TopCategoryOf(lumaro::CLumaro& catalogue, int id) {
  const auto& tops = catalogue.GetMainData();
  for (std::size_t t = 0; t < tops.size(); ++t) {
    if (!tops[t]) continue;
    for (const auto& middle : tops[t]->Children) {
      if (!middle) continue;
      for (const auto& bottom : middle->Children) {
        if (!bottom) continue;
        for (const auto& layout : bottom->Children) {
          if (layout && layout->LayoutID == id) return static_cast<int>(t);
        }
      }
    }
  }
  return -1;
}

}  // namespace

CLumaroForms::CLumaroForms(ui::Ui& ui, const std::filesystem::path& install)
    : catalogue_(std::make_unique<lumaro::CLumaro>(install, [&ui](std::string_view text) { ui.Tell(text); })) {}

CLumaroForms::~CLumaroForms() = default;

bool CLumaroForms::Read() { return catalogue_->ReadDataFile() == 1; }

std::vector<std::string> CLumaroForms::TopCategories() const {
  std::vector<std::string> names;
  for (const auto& top : catalogue_->GetMainData()) {
    if (!top || names.size() == kCatalogueTabs) continue;
    names.push_back(top->Name);
  }
  return names;
}

std::vector<FormRow> CLumaroForms::Forms(int tab) const {
  std::vector<FormRow> rows;
  if (tab == 4) {
    for (const auto& layout : catalogue_->GetPickUpData()) {
      if (layout) rows.push_back(Row(*layout, {}, TopCategoryOf(*catalogue_, layout->MotoLayoutID)));
    }
    return rows;
  }
  const auto& tops = catalogue_->GetMainData();
  if (tab < 0 || static_cast<std::size_t>(tab) >= std::min(tops.size(), kCatalogueTabs) || !tops[tab]) return rows;
  for (const auto& middle : tops[tab]->Children) {
    if (!middle) continue;
    for (const auto& bottom : middle->Children) {
      if (!bottom) continue;
      for (const auto& layout : bottom->Children) {
        if (layout) rows.push_back(Row(*layout, bottom->Name, tab));
      }
    }
  }
  return rows;
}

void CLumaroForms::ReloadOriginals() { catalogue_->ReadPickUp(); }

}  // namespace app
