#include "ui/ScriptedUi.h"

namespace ui {

namespace {

const char* Name(Answer a) {
  switch (a) {
    case Answer::Ok: return "OK";
    case Answer::Yes: return "Yes";
    case Answer::No: return "No";
    case Answer::Cancel: return "Cancel";
  }
  return "?";
}


}  // namespace

ScriptedUi::ScriptedUi(Failure onFailure) : onFailure_(std::move(onFailure)) {}

ScriptedUi::~ScriptedUi() {
  for (const Step& step : steps_) {
    if (const auto* m = std::get_if<MessageStep>(&step)) {
      Fail("expected message never shown: \"" + m->text + "\"");
    } else if (const auto* d = std::get_if<DialogStep>(&step)) {
      Fail(std::string("expected dialog never run: ") + d->type->name());
    } else {
      Fail("expected file or folder picker never shown");
    }
  }
}

ScriptedUi& ScriptedUi::ExpectMessage(std::string text, Answer answer) {
  steps_.push_back(MessageStep{std::move(text), false, Buttons::Ok, Icon::None, Answer::Ok, answer, false});
  return *this;
}

ScriptedUi& ScriptedUi::ExpectMessage(std::string text, Buttons buttons, Icon icon, Answer defaultButton,
                                      Answer answer) {
  steps_.push_back(MessageStep{std::move(text), true, buttons, icon, defaultButton, answer, false});
  return *this;
}

ScriptedUi& ScriptedUi::ExpectMessageBeginning(std::string head, Answer answer) {
  steps_.push_back(MessageStep{std::move(head), false, Buttons::Ok, Icon::None, Answer::Ok, answer, true});
  return *this;
}

ScriptedUi& ScriptedUi::ExpectFolder(std::optional<std::filesystem::path> result) {
  steps_.push_back(PickerStep{PickerKind::Folder, std::move(result)});
  return *this;
}

ScriptedUi& ScriptedUi::ExpectOpenFile(std::optional<std::filesystem::path> result) {
  steps_.push_back(PickerStep{PickerKind::OpenFile, std::move(result)});
  return *this;
}

ScriptedUi& ScriptedUi::ExpectSaveFile(std::optional<std::filesystem::path> result) {
  steps_.push_back(PickerStep{PickerKind::SaveFile, std::move(result)});
  return *this;
}

Answer ScriptedUi::Message(std::string_view text, Buttons buttons, Icon icon, Answer defaultButton) {
  const auto* step = steps_.empty() ? nullptr : std::get_if<MessageStep>(&steps_.front());
  if (!step) {
    Fail("unexpected message: \"" + std::string(text) + "\"");
    return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
  }
  const MessageStep expected = *step;
  steps_.pop_front();
  const bool matches = expected.headOnly ? text.substr(0, expected.text.size()) == expected.text : expected.text == text;
  if (!matches) {
    Fail("message \"" + std::string(text) + "\" shown where \"" + expected.text + "\" was expected");
  } else if (expected.checkForm &&
             (expected.buttons != buttons || expected.icon != icon || expected.defaultButton != defaultButton)) {
    Fail("message \"" + expected.text + "\" shown with other buttons, icon or default (default " +
         Name(defaultButton) + ")");
  }
  return expected.answer;
}

std::optional<std::filesystem::path> ScriptedUi::Pick(PickerKind kind, std::string_view what) {
  const auto* step = steps_.empty() ? nullptr : std::get_if<PickerStep>(&steps_.front());
  if (!step || step->kind != kind) {
    Fail("unexpected " + std::string(what));
    return std::nullopt;
  }
  auto result = step->result;
  steps_.pop_front();
  return result;
}

std::optional<std::filesystem::path> ScriptedUi::ChooseFolder(std::string_view title, const std::filesystem::path&) {
  return Pick(PickerKind::Folder, "folder browser \"" + std::string(title) + "\"");
}

std::optional<std::filesystem::path> ScriptedUi::OpenFile(std::string_view title, std::string_view,
                                                          const std::filesystem::path&) {
  return Pick(PickerKind::OpenFile, "open-file dialog \"" + std::string(title) + "\"");
}

std::optional<std::filesystem::path> ScriptedUi::SaveFile(std::string_view title, std::string_view,
                                                          const std::filesystem::path&) {
  return Pick(PickerKind::SaveFile, "save-file dialog \"" + std::string(title) + "\"");
}

bool ScriptedUi::Run(CDialogModel& nested) {
  const auto* step = steps_.empty() ? nullptr : std::get_if<DialogStep>(&steps_.front());
  if (!step || *step->type != typeid(nested)) {
    Fail("unexpected dialog \"" + nested.Title() + "\"");
    return false;
  }
  const auto fill = step->fill;
  steps_.pop_front();
  fill(nested);
  return nested.IsClosing() && nested.ClosedWithOk();
}

WaitScope ScriptedUi::Wait(bool) {
  ++waits_;
  ++openWaits_;
  return WaitScope([this] { --openWaits_; });
}

std::unique_ptr<Progress> ScriptedUi::StartProgress(std::string_view) {
  struct Counted : Progress {
    explicit Counted(ScriptedUi& u) : ui(u), wait(u.Wait(true)) {}
    bool Step(std::string_view done) override {
      ++ui.progressSteps_;
      ui.progressText_ = std::string(done);
      return ui.cancelAfter_ < 0 || ++steps < ui.cancelAfter_;
    }
    ScriptedUi& ui;
    WaitScope wait;
    int steps = 0;
  };
  return std::make_unique<Counted>(*this);
}

}  // namespace ui
