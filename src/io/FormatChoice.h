#pragma once
// What import and export both say when their format dialog returns no format they know.

namespace io {

inline constexpr const char* kBadFormat = "選択した形式が不正です";

}  // namespace io
