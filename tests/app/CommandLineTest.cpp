#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace app {
namespace {

using Action = CommandLine::Action;
using Args = std::vector<std::string_view>;

TEST(CommandLine, NoArgumentsOrQtsOwnOptionsOpenTheWindow) {
  const Args lines[] = {
      {},
      {"-platform", "offscreen"},
      {"--platform", "xcb", "-reverse"},
      {"-style=Fusion", "-stylesheet", "a.qss", "-widgetcount"},
      {"-display", ":1", "-geometry", "800x600", "-qmljsdebugger=port:1234"},
  };
  for (const Args& args : lines) {
    const CommandLine command = ReadCommandLine(args);
    EXPECT_EQ(command.action, Action::Run) << command.error;
  }
}

TEST(CommandLine, VersionAndHelpAnswerWithoutAWindowAndVersionWins) {
  EXPECT_EQ(ReadCommandLine(Args{"--version"}).action, Action::Version);
  EXPECT_EQ(ReadCommandLine(Args{"--help"}).action, Action::Help);
  EXPECT_EQ(ReadCommandLine(Args{"--help", "--version"}).action, Action::Version);
  EXPECT_EQ(VersionText(), "tovana (顧客ソレル) 1.00\n");
  EXPECT_TRUE(HelpText().starts_with(UsageLine()));
}

TEST(CommandLine, BackupAndRestoreTakeAFolderAndRunWithoutAWindow) {
  const CommandLine backup = ReadCommandLine(Args{"--backup", "/srv/backup/2026-12-09"});
  EXPECT_EQ(backup.action, Action::Backup);
  EXPECT_EQ(backup.folder, "/srv/backup/2026-12-09");
  const CommandLine restore = ReadCommandLine(Args{"-platform", "offscreen", "--restore", "b"});
  EXPECT_EQ(restore.action, Action::Restore);
  EXPECT_EQ(restore.folder, "b");
  EXPECT_EQ(ReadCommandLine(Args{"--backup", "b", "--version"}).action, Action::Version);
  EXPECT_EQ(ReadCommandLine(Args{"--backup"}).error, "tovana: オプション '--backup' には値が必要です");
  EXPECT_EQ(ReadCommandLine(Args{"--backup", "a", "--restore", "b"}).action, Action::Refuse);
  EXPECT_NE(HelpText().find("--restore"), std::string::npos);
}

TEST(CommandLine, AnythingElseIsRefusedAndNamed) {
  const struct {
    Args args;
    const char* error;
  } cases[] = {
      {{"--bakup"}, "tovana: 不明なオプションです: '--bakup'"},
      {{"-v"}, "tovana: 不明なオプションです: '-v'"},
      {{"--version", "--bakup"}, "tovana: 不明なオプションです: '--bakup'"},
      {{"data.qmv"}, "tovana: 余分な引数です: 'data.qmv'"},
      {{"-"}, "tovana: 余分な引数です: '-'"},
      {{"--"}, "tovana: 余分な引数です: '--'"},
      {{"-platform"}, "tovana: オプション '-platform' には値が必要です"},
  };
  for (const auto& c : cases) {
    const CommandLine command = ReadCommandLine(c.args);
    EXPECT_EQ(command.action, Action::Refuse) << c.error;
    EXPECT_EQ(command.error, c.error);
  }
  EXPECT_EQ(kUsageStatus, 2);
}

}  // namespace
}  // namespace app
