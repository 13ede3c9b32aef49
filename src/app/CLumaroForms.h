#pragma once
// The menu screen's forms from the form catalogue library: tabs 0 to 3 are the catalogue's first
// four top categories with every layout under them (maker = bottom category), tab 4 the user's
// original forms.

#include <filesystem>
#include <memory>

#include "app/CFormSource.h"
#include "ui/Ui.h"

namespace lumaro {
class CLumaro;
}

namespace app {

class CLumaroForms : public CFormSource {
 public:
  // The catalogue of install/Data/MyData; its messages go to ui.
  CLumaroForms(ui::Ui& ui, const std::filesystem::path& install);
  ~CLumaroForms() override;

  bool Read() override;
  std::vector<std::string> TopCategories() const override;
  std::vector<FormRow> Forms(int tab) const override;
  void ReloadOriginals() override;

  lumaro::CLumaro& Catalogue() { return *catalogue_; }

 private:
  std::unique_ptr<lumaro::CLumaro> catalogue_;
};

}  // namespace app
