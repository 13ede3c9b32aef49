#include "platform/CProfile.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "platform/FileFaults.h"
#include "platform/TempFolder.h"

namespace platform {
namespace {

using testing_support::ReadBytes;
using testing_support::ScopedFileFault;
using testing_support::TempFolder;
using testing_support::WriteBytes;

TEST(CProfile, ValuesReadBackFromTheFileAsWritten) {
  TempFolder folder;
  const auto file = folder / "NADIRA/Sorelle/KokyakuVM.ini";
  const std::vector<std::string> strings = {"法人タイプ", "", "  spaced  ", "\"quoted\"", "a;b # c",
                                            "line1\nline2\r\tend", "back\\slash", "[x]=y"};
  {
    CProfile profile(file);
    EXPECT_EQ(profile.GetInt("Settings", "CardType", 7), 7);
    EXPECT_TRUE(profile.WriteInt("Settings", "CardType", 2)) << profile.LastError();
    EXPECT_TRUE(profile.WriteInt("Settings-KList", "colwidth0", -120));
    for (std::size_t i = 0; i < strings.size(); ++i) {
      EXPECT_TRUE(profile.WriteString("Settings-RList", "s" + std::to_string(i), strings[i]));
    }
  }
  CProfile reread(file);
  EXPECT_EQ(reread.GetInt("Settings", "CardType", 0), 2);
  EXPECT_EQ(reread.GetInt("Settings-KList", "colwidth0", 0), -120);
  for (std::size_t i = 0; i < strings.size(); ++i) {
    EXPECT_EQ(reread.GetString("Settings-RList", "s" + std::to_string(i), "default"), strings[i]) << i;
  }
  EXPECT_EQ(reread.GetString("Settings", "missing", "default"), "default");
  EXPECT_EQ(reread.GetString("Nowhere", "CardType", "default"), "default");
}

TEST(CProfile, DamagedLinesAreSkippedAndKeptOnRewrite) {
  TempFolder folder;
  const auto file = folder / "KokyakuVM.ini";
  const std::string damaged =
      "\xEF\xBB\xBF"
      "orphan=before any section\n"
      "[Settings]\r\n"
      "; a comment=1\n"
      "# another=2\n"
      "no equals sign\n"
      "=no name\n"
      "cardwid = 300 \n"
      "bad\xFFutf8=1\n"
      "open=\"unclosed\n"
      "trail=\"closed\" extra\n"
      "escape=\"\\q\"\n"
      "[Broken\n"
      "hidden=1\n"
      "[Settings-KList]\n"
      "colwidth1=\"\\x41\\t\"\n";
  WriteBytes(file, damaged);
  CProfile profile(file);
  EXPECT_EQ(profile.GetInt("Settings", "cardwid", 0), 300);
  EXPECT_EQ(profile.GetString("Settings-KList", "colwidth1"), "A\t");
  for (const char* entry : {"orphan", "; a comment", "a comment", "open", "trail", "escape", "hidden"}) {
    EXPECT_EQ(profile.GetString("Settings", entry, "none"), "none") << entry;
  }
  EXPECT_EQ(profile.GetString("Broken", "hidden", "none"), "none");

  ASSERT_TRUE(profile.WriteInt("Settings", "CardType", 1));
  std::string expected = damaged.substr(3);
  expected.replace(expected.find("[Settings]\r\n"), 12, "[Settings]\n");
  expected.insert(expected.find("bad\xFF"), "CardType=1\n");
  EXPECT_EQ(ReadBytes(file), expected);
}

TEST(CProfile, NamesIgnoreCaseAndTheFirstOccurrenceCounts) {
  TempFolder folder;
  const auto file = folder / "machine.ini";
  WriteBytes(file,
             "[NADIRA\\SORELLE\\Mirte]\nVer=710\nver=999\n"
             "[NADIRA\\Sorelle\\Mirte]\nVer=800\nOther=x\n");
  CProfile profile(file);
  EXPECT_EQ(profile.GetInt("NADIRA\\Sorelle\\Mirte", "VER", 0), 710);
  EXPECT_EQ(profile.GetString("nadira\\sorelle\\mirte", "other"), "x");
  ASSERT_TRUE(profile.WriteInt("nadira\\sorelle\\mirte", "VER", 720));
  EXPECT_EQ(ReadBytes(file),
            "[NADIRA\\SORELLE\\Mirte]\nVer=720\nver=999\n"
            "[NADIRA\\Sorelle\\Mirte]\nVer=800\nOther=x\n");
  ASSERT_TRUE(profile.RemoveEntry("NADIRA\\Sorelle\\Mirte", "ver"));
  EXPECT_EQ(profile.GetInt("NADIRA\\Sorelle\\Mirte", "Ver", -1), -1);
  ASSERT_TRUE(profile.RemoveSection("NADIRA\\Sorelle\\Mirte"));
  EXPECT_EQ(ReadBytes(file), "");
}

TEST(CProfile, NewEntriesJoinTheirSectionAndCommentsStay) {
  TempFolder folder;
  const auto file = folder / "KokyakuVM.ini";
  WriteBytes(file, "; kept\n[Settings]\nCardType=1\n\n[Settings-KList]\ncolwidth0=10\n");
  CProfile profile(file);
  ASSERT_TRUE(profile.WriteInt("Settings", "cardwid", 250));
  ASSERT_TRUE(profile.WriteString("Settings-RList", "sort", "Date"));
  EXPECT_EQ(ReadBytes(file),
            "; kept\n[Settings]\nCardType=1\ncardwid=250\n\n[Settings-KList]\ncolwidth0=10\n"
            "\n[Settings-RList]\nsort=Date\n");
}

TEST(CProfile, IntsAreWholeDecimalNumbersOnly) {
  TempFolder folder;
  const auto file = folder / "KokyakuVM.ini";
  WriteBytes(file,
             "[Settings]\na= 42 \nb=-7\nc=12px\nd=\ne=99999999999\nf=0x10\ng=+5\nh=2147483647\n");
  CProfile profile(file);
  EXPECT_EQ(profile.GetInt("Settings", "a", 0), 42);
  EXPECT_EQ(profile.GetInt("Settings", "b", 0), -7);
  for (const char* entry : {"c", "d", "e", "f", "g"}) EXPECT_EQ(profile.GetInt("Settings", entry, -1), -1) << entry;
  EXPECT_EQ(profile.GetInt("Settings", "h", 0), 2147483647);
}

TEST(CProfile, RefusedWritesChangeNothing) {
  TempFolder folder;
  const auto file = folder / "KokyakuVM.ini";
  WriteBytes(file, "[Settings]\nCardType=1\n");
  CProfile profile(file);
  {
    ScopedFileFault fault(FileOp::Rename, 1, EIO, "KokyakuVM.ini");
    EXPECT_FALSE(profile.WriteInt("Settings", "CardType", 2));
    EXPECT_TRUE(fault.Fired());
    EXPECT_FALSE(profile.LastError().empty());
  }
  EXPECT_FALSE(profile.WriteString("Set]tings", "x", "1"));
  EXPECT_FALSE(profile.WriteString("Settings", "a=b", "1"));
  EXPECT_FALSE(profile.WriteString("Settings", "line\nbreak", "1"));
  EXPECT_FALSE(profile.WriteString("Settings", "x", "\xFF not text"));
  EXPECT_EQ(profile.GetInt("Settings", "CardType", 0), 1);
  EXPECT_EQ(ReadBytes(file), "[Settings]\nCardType=1\n");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"KokyakuVM.ini"});
}

}  // namespace
}  // namespace platform
