#pragma once
// The saved extraction conditions of a data folder, file "QMVExtract.sys": the array of
// CExCondition objects in the order they were saved. Failures are told through the Ui.

#include <filesystem>
#include <memory>
#include <vector>

#include "settings/CClassRegistry.h"
#include "settings/CExCondition.h"
#include "ui/Ui.h"

namespace settings {

class CExtract : public CSerializable {
 public:
  static constexpr const char* kFileName = "QMVExtract.sys";

  CExtract(ui::Ui& ui, const std::filesystem::path& dataFolder);

  void Serialize(CArchive& ar) override;
  std::string_view GetClassName() const override { return "CExtract"; }

  // Empties the array and reads the file. No file: loaded with no conditions. 1, or 0 after the
  // message when the file cannot be read (then not loaded: adds and saves are refused).
  int Load();
  // Writes the array. 0 unless loaded, or after the message when the file cannot be written.
  int Save();
  // Appends a copy and saves: the save's result; 0 unless loaded.
  int Add(const CExCondition& condition);

  bool IsLoaded() const { return loaded_; }
  std::size_t Count() const { return conditions_.size(); }
  // The condition at position i (i < Count()); owned by this object.
  CExCondition& At(std::size_t i) { return *conditions_.at(i); }
  // Removes the condition at position i; the caller saves.
  void RemoveAt(std::size_t i) { conditions_.erase(conditions_.begin() + static_cast<std::ptrdiff_t>(i)); }
  const std::filesystem::path& FilePath() const { return file_; }

 private:
  ui::Ui& ui_;
  std::filesystem::path file_;
  std::vector<std::shared_ptr<CExCondition>> conditions_;
  bool loaded_ = false;
};

// The classes an extraction file may hold.
const CClassRegistry& ExtractionClasses();

}  // namespace settings
