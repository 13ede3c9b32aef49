#pragma once
// The document: lives for the whole run and owns the data store, the data folder and every list
// of records the screens show. Screens reach the data only through it.

#include <cstdint>
#include <filesystem>
#include <string>

#include "records/CKokyakuVMData.h"
#include "settings/SettingsFiles.h"
#include "ui/Ui.h"

namespace app {

class CTovanaDoc {
 public:
  // installFolder: the installation folder, which holds "Data/MyData/datadir.dat" and "EndInfo.dat".
  CTovanaDoc(ui::Ui& ui, std::filesystem::path installFolder);

  // 1 when "datadir.dat" names a folder that holds "ZQQMV.qmv"; the folder as read (without a
  // final separator) is kept either way. 0 for a missing or unreadable file, after a message
  // when reading it failed half-way.
  int ReadDataFolder();
  // Asks for the folder until one holding "ZQQMV.qmv" is chosen (roots refused). 1 when it was
  // chosen and recorded, 0 when cancelled or "datadir.dat" could not be written.
  int ChooseDataFolder();
  // Writes the data folder into "datadir.dat" (CP932, no line end). 1, or 0 after a message.
  int WriteDataFolder();
  // Reads the menu state from "EndInfo.dat". 1 when the file existed and was read; else 0 with
  // the values unchanged (a message when the file could not be read).
  int ReadEndInfo();
  // Writes the menu state into "EndInfo.dat". 1, or 0 after a message.
  int WriteEndInfo();

  // Deletes every record the lists hold and forgets the extraction and the analysis result.
  void FreeRecords();

  records::CKokyakuVMData& Store() { return store_; }
  const std::filesystem::path& InstallFolder() const { return installFolder_; }
  const std::filesystem::path& DataFolder() const { return dataFolder_; }
  void SetDataFolder(std::filesystem::path folder) { dataFolder_ = std::move(folder); }
  // While past data is viewed: the data folder to go back to; empty otherwise.
  const std::filesystem::path& CurrentDataFolder() const { return currentDataFolder_; }
  void SetCurrentDataFolder(std::filesystem::path folder) { currentDataFolder_ = std::move(folder); }
  bool IsReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }

  std::int32_t MenuTab() const { return menuTab_; }
  std::int32_t SelectedForm() const { return selectedForm_; }
  void SetMenuState(std::int32_t tab, std::int32_t form) { menuTab_ = tab, selectedForm_ = form; }

  records::KokyakuList& Customers() { return customers_; }
  records::RirekiList& History() { return history_; }
  records::DMTitleList& DMTitles() { return dmTitles_; }
  records::IdArray& ExtractedIds() { return extractedIds_; }

  std::filesystem::path DataDirFile() const;
  std::filesystem::path EndInfoFile() const;

 private:
  ui::Ui& ui_;
  std::filesystem::path installFolder_;
  records::CKokyakuVMData store_;
  std::filesystem::path dataFolder_, currentDataFolder_;
  bool readOnly_ = false;
  std::int32_t menuTab_ = 0, selectedForm_ = 0;
  records::KokyakuList customers_;
  records::RirekiList history_;
  records::DMTitleList dmTitles_;
  records::IdArray extractedIds_;
};

using settings::kFileErrorMessage;

}  // namespace app
