#include "ui/ScriptedUi.h"

#include <gtest/gtest.h>

#include <vector>

namespace ui {
namespace {

class Confirm : public CDialogModel {
 public:
  std::string Title() const override { return "確認"; }
  void OnOK() { EndDialog(true); }
  std::string value;
};

struct Recorder {
  std::vector<std::string> failures;
  ScriptedUi::Failure Sink() {
    return [this](const std::string& why) { failures.push_back(why); };
  }
};

TEST(ScriptedUi, AnswersScriptedMessagesInOrder) {
  Recorder r;
  {
    ScriptedUi ui(r.Sink());
    ui.ExpectMessage("よろしいですか？", Buttons::YesNo, Icon::Question, Answer::No, Answer::Yes)
        .ExpectMessage("完了しました");
    EXPECT_TRUE(ui.Ask("よろしいですか？", Answer::No));
    ui.Tell("完了しました", Icon::Information);
    EXPECT_TRUE(ui.Done());
  }
  EXPECT_TRUE(r.failures.empty());
}

TEST(ScriptedUi, ReportsUnexpectedWrongAndMissingSteps) {
  Recorder r;
  {
    ScriptedUi ui(r.Sink());
    ui.Tell("予定外");
    ui.ExpectMessage("A", Buttons::YesNo, Icon::Question, Answer::No, Answer::Yes);
    ui.Ask("A");  // default Yes where No was scripted
    ui.ExpectMessage("never shown");
  }
  ASSERT_EQ(r.failures.size(), 3u);
  EXPECT_NE(r.failures[0].find("予定外"), std::string::npos);
  EXPECT_NE(r.failures[2].find("never shown"), std::string::npos);
}

TEST(ScriptedUi, NestedDialogsAreFilledByTheirScript) {
  Recorder r;
  {
    ScriptedUi ui(r.Sink());
    ui.ExpectDialog<Confirm>([](Confirm& c) {
      c.value = "入力";
      c.OnOK();
    });
    ui.ExpectDialog<Confirm>([](Confirm& c) { c.OnCancel(); });
    ui.ExpectFolder(std::nullopt);
    Confirm first, second;
    EXPECT_TRUE(ui.Run(first));
    EXPECT_EQ(first.value, "入力");
    EXPECT_FALSE(ui.Run(second));
    EXPECT_EQ(ui.ChooseFolder("フォルダ", {}), std::nullopt);
    {
      WaitScope wait = ui.Wait();
      EXPECT_TRUE(ui.Waiting());
    }
    EXPECT_FALSE(ui.Waiting());
  }
  EXPECT_TRUE(r.failures.empty());
}

}  // namespace
}  // namespace ui
