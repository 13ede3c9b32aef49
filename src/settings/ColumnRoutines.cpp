#include "settings/ColumnRoutines.h"

#include <algorithm>

#include "records/KokyakuColumns.h"
#include "settings/CQMVColSet.h"
#include "settings/CQMVDispKokyakuCol.h"

namespace settings {

namespace {

constexpr std::string_view kHiddenColumns[] = {
    "ID", records::kTelHomeX, records::kTelOfficeX, "Picture1", "Picture2", "Picture3", "Picture4", "Picture5",
};

void UseDefaultDisplay(ui::Ui& ui, std::vector<std::unique_ptr<CQMVCol>>& out, const std::filesystem::path& install,
                       bool writeFile) {
  out.push_back(std::make_unique<CQMVCol>("CustomerID", "お客様コード", false));
  out.push_back(std::make_unique<CQMVCol>("Name", "氏名", false));
  if (!writeFile) return;
  CQMVDispKokyakuCol display(ui, install);
  display.GetKeys() = {"CustomerID", "Name"};
  display.Save();  // a failure has shown its message; the list still gets its two columns
}

}  // namespace

int IsDispColumn(std::string_view key) {
  return std::find(std::begin(kHiddenColumns), std::end(kHiddenColumns), key) == std::end(kHiddenColumns) ? 1 : 0;
}

std::string GetColLabel(ui::Ui& ui, std::string_view key, const std::filesystem::path& install) {
  CQMVColSet set(ui, install);
  if (set.Load() == 0) return {};
  return set.GetLabel(key);
}

void GetDispColumns(ui::Ui& ui, std::vector<std::unique_ptr<CQMVCol>>& out, const std::filesystem::path& install) {
  out.clear();
  CQMVColSet set(ui, install);
  const bool haveSet = set.Load() == 1;
  CQMVDispKokyakuCol display(ui, install);
  if (display.Load() == 0) {
    // A file that is there but does not open may come back; it is not replaced behind the user.
    UseDefaultDisplay(ui, out, install, display.LastRead() != ReadOutcome::CannotOpen);
    return;
  }
  if (!haveSet) return;
  for (const std::string& key : display.GetKeys()) {
    if (const CQMVCol* column = set.Find(key)) out.push_back(std::make_unique<CQMVCol>(*column));
  }
}

}  // namespace settings
