#pragma once
// The customer list's default order, file "DefOrder.dat": a column name and a direction.

#include <cstdint>
#include <filesystem>
#include <string>

#include "settings/CSerializable.h"
#include "ui/Ui.h"

namespace settings {

class CDefaultSort : public CSerializable {
 public:
  static constexpr const char* kFileName = "DefOrder.dat";
  static constexpr const char* kDefaultColumn = "RirekiUpDate";
  static constexpr std::int32_t kAscending = 0, kDescending = 1;

  CDefaultSort(ui::Ui& ui, const std::filesystem::path& dataFolder);

  void Serialize(CArchive& ar) override;
  std::string_view GetClassName() const override { return "CDefaultSort"; }

  // Back to the defaults, then the file when there is one. 1, or 0 after the message (the
  // defaults stay).
  int Load();
  // 1, or 0 after the message.
  int Save();
  // "ORDER BY [Customer].[column]" with " DESC" for direction 1; empty for no column or any other
  // direction. Loads first when not loaded yet.
  std::string OrderClause();

  std::string column = kDefaultColumn;
  std::int32_t direction = kDescending;
  bool IsLoaded() const { return loaded_; }

 private:
  ui::Ui& ui_;
  std::filesystem::path file_;
  bool loaded_ = false;
};

}  // namespace settings
