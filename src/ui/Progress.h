#pragma once
// Long work the person can follow and stop: a progress window with a cancel button. The work
// reports how far it is; once the person asks to stop, Step answers false and the work undoes what
// it began.

#include <cstdint>

namespace ui {

class Progress {
 public:
  virtual ~Progress() = default;
  // done of the total given at the start; false once the person asked to stop.
  virtual bool Step(std::int64_t done) = 0;
};

}  // namespace ui
