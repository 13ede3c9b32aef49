#pragma once
// The port through which models and operations talk to the person: messages, pickers, nested
// dialogs and waits. Models never include a toolkit; the Qt program implements this port, tests
// use ScriptedUi.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Icon { None, Information, Question, Warning, Stop };
enum class Answer { Ok, Yes, No, Cancel };

// The base of every dialog's presentation model. A model's actions decide when it closes.
class CDialogModel {
 public:
  virtual ~CDialogModel() = default;
  // The dialog's caption.
  virtual std::string Title() const = 0;

  bool IsClosing() const { return closing_; }
  bool ClosedWithOk() const { return closedWithOk_; }
  // Cancel, the Esc key or the window's close button: closes without OK unless the model objects.
  virtual void OnCancel() { EndDialog(false); }

  // Set by the view: told when an action changed what the controls show and goes on to ask a
  // further question, so the person sees the change while answering it.
  std::function<void()> onChanged;

 protected:
  void Changed() const {
    if (onChanged) onChanged();
  }
  void EndDialog(bool ok) {
    closing_ = true;
    closedWithOk_ = ok;
  }

 private:
  bool closing_ = false;
  bool closedWithOk_ = false;
};

// Ends the wait indication it started when destroyed. Move-only.
class WaitScope {
 public:
  WaitScope() = default;
  explicit WaitScope(std::function<void()> end) : end_(std::move(end)) {}
  ~WaitScope() {
    if (end_) end_();
  }
  WaitScope(WaitScope&& other) noexcept : end_(std::move(other.end_)) { other.end_ = nullptr; }
  WaitScope& operator=(WaitScope&& other) noexcept {
    if (this != &other) {
      if (end_) end_();
      end_ = std::move(other.end_);
      other.end_ = nullptr;
    }
    return *this;
  }
  WaitScope(const WaitScope&) = delete;
  WaitScope& operator=(const WaitScope&) = delete;

 private:
  std::function<void()> end_;
};

// A progress window with a cancel button, closed when destroyed. Step shows what has been done so
// far ("1,000 行") and answers false once the person has asked to cancel; the work then undoes
// itself, so a cancel leaves nothing half done.
class Progress {
 public:
  virtual ~Progress() = default;
  virtual bool Step(std::string_view done) = 0;
};

class Ui {
 public:
  virtual ~Ui() = default;

  // A modal message box with the exact text ("\n" breaks the line); the answer given.
  virtual Answer Message(std::string_view text, Buttons buttons, Icon icon, Answer defaultButton) = 0;
  // A folder browser; nullopt when cancelled.
  virtual std::optional<std::filesystem::path> ChooseFolder(std::string_view title,
                                                            const std::filesystem::path& start) = 0;
  // File dialogs; filter in the form "説明|*.ext;*.ext2|説明2|*.x||". nullopt when cancelled.
  virtual std::optional<std::filesystem::path> OpenFile(std::string_view title, std::string_view filter,
                                                        const std::filesystem::path& start) = 0;
  virtual std::optional<std::filesystem::path> SaveFile(std::string_view title, std::string_view filter,
                                                        const std::filesystem::path& suggested) = 0;
  // Shows a nested modal dialog for the model until it closes; true when it closed with OK.
  virtual bool Run(CDialogModel& nested) = 0;
  // A wait cursor (and with window, the small modeless wait window) until the scope ends.
  virtual WaitScope Wait(bool window = false) = 0;
  // A progress window titled title; by default the wait window, which cannot be cancelled.
  virtual std::unique_ptr<Progress> StartProgress(std::string_view title);

  // Shorthands for the common forms.
  void Tell(std::string_view text, Icon icon = Icon::Warning) { Message(text, Buttons::Ok, icon, Answer::Ok); }
  // A Yes/No question; destructive questions pass No as the default.
  bool Ask(std::string_view text, Answer defaultButton = Answer::Yes, Icon icon = Icon::Question) {
    return Message(text, Buttons::YesNo, icon, defaultButton) == Answer::Yes;
  }
};

inline std::unique_ptr<Progress> Ui::StartProgress(std::string_view /*title*/) {
  struct WaitOnly : Progress {
    explicit WaitOnly(WaitScope w) : wait(std::move(w)) {}
    bool Step(std::string_view) override { return true; }
    WaitScope wait;
  };
  return std::make_unique<WaitOnly>(Wait(true));
}

}  // namespace ui
