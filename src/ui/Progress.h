#pragma once
// Long work the person can follow and stop: a progress window with a cancel button. The work
// reports how far it is; once the person asks to stop, Step (or Report) answers false and the work
// undoes what it began.

#include <cstdint>
#include <string_view>

namespace ui {

// What the wait window says, and a progress window until the work names what it is doing.
inline constexpr const char* kWorking = "処理中です。しばらくお待ちください...";

class Progress {
 public:
  virtual ~Progress() = default;
  // done of the total given at the start; false once the person asked to stop.
  virtual bool Step(std::int64_t done) = 0;
  // For work whose description and extent change as it goes (a backup naming each file it
  // writes): the window says text, done of total. False once the person asked to stop.
  virtual bool Report(std::string_view text, std::int64_t done, std::int64_t total) {
    (void)text;
    (void)total;
    return Step(done);
  }
};

}  // namespace ui
