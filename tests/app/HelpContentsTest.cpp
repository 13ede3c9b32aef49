#include "app/HelpContents.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/TempFolder.h"
#include "text/Format.h"
#include "ui/ScriptedUi.h"

namespace app {
namespace {

using testing_support::TempFolder;
using testing_support::WriteBytes;

class HelpContents : public testing::Test {
 protected:
  HelpContents() {
    std::filesystem::create_directories(help.parent_path());
    WriteBytes(help, "<html><body>ヘルプ</body></html>");
  }
  // A stand-in for xdg-open that records its argument and ends with code.
  std::filesystem::path Opener(int code) {
    const auto script = folder / ("opener" + std::to_string(code));
    WriteBytes(script, "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/opened.txt\"\nexit " + std::to_string(code) + "\n");
    ::chmod(script.c_str(), 0755);
    return script;
  }

  TempFolder folder;
  std::filesystem::path help = folder / "Exe" / "help" / "index.html";
  ui::ScriptedUi ui{[](const std::string& why) { ADD_FAILURE() << why; }};
};

TEST_F(HelpContents, TheOpenerGetsTheFileAndNothingIsSaid) {
  EXPECT_EQ(ShowHelpContents(ui, help, Opener(0)), 1);
  EXPECT_EQ(testing_support::ReadBytes(folder / "opened.txt"), help.string());
  EXPECT_EQ(ui.WaitCount(), 1);
}

TEST_F(HelpContents, WhenNothingCanShowItThePersonLearnsWhereTheFileIs) {
  // xdg-open ends with 3 when no program is there for the file ("no method available").
  ui.ExpectMessage(text::Format(kHelpNoViewer, help.string()));
  EXPECT_EQ(ShowHelpContents(ui, help, Opener(3)), 0);
  ui.ExpectMessage(text::Format(kHelpNoViewer, help.string()));
  EXPECT_EQ(ShowHelpContents(ui, help, folder / "no-such-opener"), 0);
}

TEST_F(HelpContents, AMissingFileIsNamed) {
  const auto gone = folder / "Exe" / "help" / "missing.html";
  ui.ExpectMessage(text::Format(kHelpMissing, gone.string()));
  EXPECT_EQ(ShowHelpContents(ui, gone, Opener(0)), 0);
}

}  // namespace
}  // namespace app
