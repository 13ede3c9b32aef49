#include "platform/RunProgram.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/TempFolder.h"

namespace platform {
namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

// Polls until done() holds, for at most five seconds.
template <typename Done>
bool Eventually(Done done) {
  for (int i = 0; i < 500; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

TEST(RunProgram, ArgumentsAreSplitAsAUserTypesThem) {
  struct Case {
    const char* arguments;
    std::vector<std::string> expected;
  };
  for (const Case& c : std::vector<Case>{
           {"/B", {"/B"}},
           {" /R", {"/R"}},
           {"", {}},
           {"   ", {}},
           {"a  b\tc", {"a", "b", "c"}},
           {"\"C:\\Program Files\\x.dat\" /B", {"C:\\Program Files\\x.dat", "/B"}},
           {"pre\"quoted part\"post", {"prequoted partpost"}},
           {"\"\" x", {"", "x"}},
           {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
           {"\"unclosed rest", {"unclosed rest"}},
       }) {
    SCOPED_TRACE(c.arguments);
    EXPECT_EQ(SplitArguments(CommandLineFor(c.arguments)), c.expected);
  }
  EXPECT_EQ(CommandLineFor("/B"), " /B");
  EXPECT_EQ(CommandLineFor(" /B"), " /B");
}

TEST(RunProgram, TheProgramGetsItsArgumentsAndNoOtherDescriptor) {
  TempFolder folder;
  const auto script = folder / "Exe" / "ZQTel";
  std::filesystem::create_directories(script.parent_path());
  // The first argument names a descriptor number that must not be open in the program.
  WriteBytes(script,
             "#!/bin/sh\n"
             "out=\"$(dirname \"$0\")/argv.txt\"\n"
             "if [ -e /proc/$$/fd/$1 ]; then echo inherited; else echo closed; fi > \"$out.tmp\"\n"
             "shift\n"
             "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done >> \"$out.tmp\"\n"
             "mv \"$out.tmp\" \"$out\"\n");
  ::chmod(script.c_str(), 0755);
  const int leaked = ::open(script.c_str(), O_RDONLY);  // deliberately without O_CLOEXEC
  ASSERT_GE(leaked, 3);

  EXPECT_EQ(RunProgram(script, std::to_string(leaked) + " /B \"two words\""), 1);
  ::close(leaked);
  const auto out = folder / "Exe" / "argv.txt";
  ASSERT_TRUE(Eventually([&] { return std::filesystem::exists(out); }));
  EXPECT_EQ(ReadBytes(out), "closed\n[/B]\n[two words]\n");
}

TEST(RunProgram, NothingToStartGivesZero) {
  TempFolder folder;
  WriteBytes(folder / "notes.txt", "not a program");
  ::chmod((folder / "notes.txt").c_str(), 0644);
  EXPECT_EQ(RunProgram("", "/B"), 0);
  EXPECT_EQ(RunProgram(folder / "Exe" / "Zonaly", ""), 0);
  EXPECT_EQ(RunProgram(folder / "notes.txt", ""), 0);
  EXPECT_EQ(RunProgram(folder.Path(), ""), 0);
}

TEST(RunProgram, AFinishedProgramLeavesNoZombie) {
  const pid_t pid = StartProgram("/bin/true", "");
  ASSERT_NE(pid, 0);
  // kill(pid, 0) succeeds on a zombie; only once it is reaped does the pid vanish.
  EXPECT_TRUE(Eventually([pid] { return ::kill(pid, 0) != 0 && errno == ESRCH; }));
}

TEST(RunProgram, WaitingTellsTheExitCodeOrThatTheProgramStillRuns) {
  using std::chrono::milliseconds;
  EXPECT_EQ(RunProgramWaiting("/bin/true", "", milliseconds(5000)), 0);
  EXPECT_EQ(RunProgramWaiting("/bin/sh", "-c \"exit 3\"", milliseconds(5000)), 3);
  EXPECT_EQ(RunProgramWaiting("/bin/sh", "-c \"kill -9 $$\"", milliseconds(5000)), 128 + 9);
  EXPECT_EQ(RunProgramWaiting("/nonexistent/xdg-open", "", milliseconds(5000)), kNotStarted);
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(RunProgramWaiting("/bin/sleep", "2", milliseconds(100)), kStillRunning);
  EXPECT_LT(std::chrono::steady_clock::now() - started, milliseconds(1500));
}

}  // namespace
}  // namespace platform
