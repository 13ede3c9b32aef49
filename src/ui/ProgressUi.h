#pragma once
// For long work that can tell how far it is (a backup, a restore): what is being done (such as
// the file being written), done of total, and a way for the person to stop it. A Ui port that can
// show it implements this beside Ui; the work asks through ReportProgress, which any Ui answers.

#include <cstdint>
#include <string_view>

#include "ui/Ui.h"

namespace ui {

class CProgressReporter {
 public:
  virtual ~CProgressReporter() = default;
  // Inside a Wait(true) scope. False once the person has asked to stop; the work then undoes
  // what it began.
  virtual bool Progress(std::string_view text, std::uint64_t done, std::uint64_t total) = 0;
};

// The port's answer when it reports progress; true (go on) when it cannot show any.
inline bool ReportProgress(Ui& ui, std::string_view text, std::uint64_t done, std::uint64_t total) {
  auto* reporter = dynamic_cast<CProgressReporter*>(&ui);
  return !reporter || reporter->Progress(text, done, total);
}

}  // namespace ui
