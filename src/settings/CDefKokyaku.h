#pragma once
// The pre-extraction of a data folder, file "DefKokyaku.dat": one customer condition, written as
// its fields, that restricts the customer list whenever it is loaded.

#include <filesystem>
#include <memory>

#include "settings/CExCondition.h"
#include "ui/Ui.h"

namespace settings {

class CDefKokyaku {
 public:
  static constexpr const char* kFileName = "DefKokyaku.dat";

  CDefKokyaku(ui::Ui& ui, const std::filesystem::path& dataFolder);

  // Only a customer condition is accepted. 1, or 0 after the message.
  int Save(const CExCondition& condition);
  // The stored condition (the caller owns it); null when there is none, or after the message
  // when the file cannot be read.
  std::unique_ptr<CExCondition> Load();
  bool Exists() const;
  // Removes the file; true also when there was none.
  bool Delete();
  const std::filesystem::path& FilePath() const { return file_; }

 private:
  ui::Ui& ui_;
  std::filesystem::path file_;
};

}  // namespace settings
