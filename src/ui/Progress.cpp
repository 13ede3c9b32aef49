#include "ui/Progress.h"

#include "ui/Ui.h"

namespace ui {

namespace {

// The wait window of a port without a progress window: the work runs to its end.
class WaitingProgress : public Progress {
 public:
  explicit WaitingProgress(WaitScope wait) : wait_(std::move(wait)) {}
  bool Step(std::int64_t) override { return true; }

 private:
  WaitScope wait_;
};

}  // namespace

std::unique_ptr<Progress> Ui::StartProgress(std::string_view, std::int64_t) {
  return std::make_unique<WaitingProgress>(Wait(true));
}

}  // namespace ui
