#include "customers/NameReading.h"

#include "text/Width.h"

namespace customers {

void NameReading::OnComposition(std::string_view preedit, std::string_view commit) {
  if (commit.empty()) {
    // Composing: kana are the reading of what will be handed over; a conversion to kanji keeps
    // the kana it came from, a cancelled composition drops them.
    if (preedit.empty()) {
      pending_.clear();
    } else if (text::IsKanaOnly(preedit)) {
      pending_ = preedit;
    }
    return;
  }
  std::string read;
  if (text::IsKanaOnly(commit)) {
    read = commit;  // kana handed over as typed are their own reading
  } else {
    read = pending_;
    // Only part of the composition handed over: the kana still composing are not read yet.
    if (text::IsKanaOnly(preedit) && read.ends_with(preedit)) read.resize(read.size() - preedit.size());
  }
  reading_ += read;
  pending_ = text::IsKanaOnly(preedit) ? std::string(preedit) : std::string();
}

void NameReading::Clear() {
  pending_.clear();
  reading_.clear();
}

}  // namespace customers
