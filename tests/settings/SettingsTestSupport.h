#pragma once
// An installation folder whose "datadir.dat" names a data folder, both under a fresh temporary
// folder, and a scripted Ui whose unmet or unexpected messages fail the test.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>


#include "platform/DataDirFile.h"
#include "platform/InstallLayout.h"
#include "platform/TempFolder.h"
#include "settings/CClassRegistry.h"
#include "settings/FactoryColumns.h"
#include "settings/SettingsClasses.h"
#include "text/Cp932.h"
#include "ui/ScriptedUi.h"

namespace settings::test {

class SettingsFolderTest : public ::testing::Test {
 protected:
  SettingsFolderTest() : ui([](const std::string& why) { ADD_FAILURE() << why; }) {
    RegisterSettingsClasses(CClassRegistry::Program());
    std::filesystem::create_directories(platform::MyDataFolder(Install()));
    std::filesystem::create_directories(Data());
    std::filesystem::create_directories(platform::FactoryColumnSetFile(Install()).parent_path());
    StoreFactoryColumnSet(platform::FactoryColumnSetFile(Install()));
    std::string error;
    if (!platform::WriteDataDirFile(platform::DataDirFile(Install()), Data(), error)) ADD_FAILURE() << error;
  }

  std::filesystem::path Install() const { return temp / "install"; }
  std::filesystem::path Data() const { return temp / "data"; }
  // The data folder as a new installation has it: with the factory column labels.
  void PlaceColumnSet() const { StoreFactoryColumnSet(Data() / "QMVColSet.sys"); }
  // Names the data folder no more: datadir.dat is gone.
  void ForgetDataFolder() const { std::filesystem::remove(platform::DataDirFile(Install())); }

  testing_support::TempFolder temp;
  ui::ScriptedUi ui;
};

// CP932 bytes of UTF-8 text, for spelling out expected file content.
inline std::string Sjis(std::string_view utf8) { return text::ToCp932(utf8).value_or("?"); }


}  // namespace settings::test
