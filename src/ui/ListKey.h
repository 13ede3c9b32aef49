#pragma once
// The keys a list screen's table acts on besides moving through it; each screen's model says
// which command each one runs.

namespace ui {

enum class ListKey { Enter, Delete };

}  // namespace ui
