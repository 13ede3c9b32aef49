#pragma once
// A Ui for tests: it is told, in order, every message it will be asked and the answer to give,
// every picker result and how to fill every nested dialog. Anything it was not told about, or
// told about and never asked, is reported through the failure callback (a test failure).

#include <deque>
#include <functional>
#include <string>
#include <typeinfo>
#include <variant>

#include "ui/Ui.h"

namespace ui {

class ScriptedUi : public Ui {
 public:
  using Failure = std::function<void(const std::string&)>;
  explicit ScriptedUi(Failure onFailure);
  // Reports every expectation that was never met.
  ~ScriptedUi() override;

  // The next call must be a message with exactly this text; it is answered with answer.
  ScriptedUi& ExpectMessage(std::string text, Answer answer = Answer::Ok);
  // As ExpectMessage, also checking the buttons, icon and default button.
  ScriptedUi& ExpectMessage(std::string text, Buttons buttons, Icon icon, Answer defaultButton, Answer answer);
  // As ExpectMessage, for a text that goes on after head with what only the run knows (a path,
  // a system error).
  ScriptedUi& ExpectMessageBeginning(std::string head, Answer answer = Answer::Ok);
  // The next call must be a folder (or file) picker; it returns result.
  ScriptedUi& ExpectFolder(std::optional<std::filesystem::path> result);
  ScriptedUi& ExpectOpenFile(std::optional<std::filesystem::path> result);
  ScriptedUi& ExpectSaveFile(std::optional<std::filesystem::path> result);
  // The next call must run a nested dialog of model type T; fill acts on it (calling its actions)
  // and Run returns whether the model closed with OK.
  template <typename T>
  ScriptedUi& ExpectDialog(std::function<void(T&)> fill) {
    steps_.push_back(DialogStep{&typeid(T), [fill](CDialogModel& m) { fill(static_cast<T&>(m)); }});
    return *this;
  }

  Answer Message(std::string_view text, Buttons buttons, Icon icon, Answer defaultButton) override;
  std::optional<std::filesystem::path> ChooseFolder(std::string_view title,
                                                    const std::filesystem::path& start) override;
  std::optional<std::filesystem::path> OpenFile(std::string_view title, std::string_view filter,
                                                const std::filesystem::path& start) override;
  std::optional<std::filesystem::path> SaveFile(std::string_view title, std::string_view filter,
                                                const std::filesystem::path& suggested) override;
  bool Run(CDialogModel& nested) override;
  WaitScope Wait(bool window = false) override;
  // A progress window that counts its steps; after CancelProgressAfter(n) the n-th step of the
  // next progress window and every later one answers false, as if the person had pressed cancel.
  std::unique_ptr<Progress> StartProgress(std::string_view title) override;
  ScriptedUi& CancelProgressAfter(int steps) {
    cancelAfter_ = steps;
    return *this;
  }
  int ProgressSteps() const { return progressSteps_; }
  const std::string& LastProgressText() const { return progressText_; }

  // How many wait scopes were opened, and whether one is open now.
  int WaitCount() const { return waits_; }
  bool Waiting() const { return openWaits_ > 0; }
  // True when every expectation was met.
  bool Done() const { return steps_.empty(); }

 private:
  struct MessageStep {
    std::string text;
    bool checkForm;
    Buttons buttons;
    Icon icon;
    Answer defaultButton;
    Answer answer;
    bool headOnly;
  };
  enum class PickerKind { Folder, OpenFile, SaveFile };
  struct PickerStep {
    PickerKind kind;
    std::optional<std::filesystem::path> result;
  };
  struct DialogStep {
    const std::type_info* type;
    std::function<void(CDialogModel&)> fill;
  };
  using Step = std::variant<MessageStep, PickerStep, DialogStep>;

  std::optional<std::filesystem::path> Pick(PickerKind kind, std::string_view what);
  void Fail(const std::string& why) { onFailure_(why); }

  Failure onFailure_;
  std::deque<Step> steps_;
  int waits_ = 0;
  int cancelAfter_ = -1;
  int progressSteps_ = 0;
  std::string progressText_;
  int openWaits_ = 0;
};

}  // namespace ui
