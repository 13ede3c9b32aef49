#include "text/Collation.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <memory>
#include <vector>

namespace text {

namespace {

// One collator per thread: ICU collators must not be shared between threads while in use.
icu::Collator* JapaneseCollator() {
  thread_local std::unique_ptr<icu::Collator> collator = [] {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> c(icu::Collator::createInstance(icu::Locale::getJapanese(), status));
    if (U_FAILURE(status)) c.reset();
    // Secondary strength: case and width (tertiary differences) do not separate texts.
    if (c) c->setStrength(icu::Collator::SECONDARY);
    return c;
  }();
  return collator.get();
}

}  // namespace

std::string JapaneseSortKey(std::string_view utf8) {
  icu::Collator* collator = JapaneseCollator();
  const icu::UnicodeString text =
      icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  if (!collator) {
    std::string fallback;
    text.toUTF8String(fallback);
    return fallback;
  }
  std::vector<uint8_t> key(64);
  int32_t length = collator->getSortKey(text, key.data(), static_cast<int32_t>(key.size()));
  if (length > static_cast<int32_t>(key.size())) {
    key.resize(static_cast<std::size_t>(length));
    length = collator->getSortKey(text, key.data(), length);
  }
  // The key ends with a zero byte, which std::string keeps out of the comparison.
  return std::string(reinterpret_cast<const char*>(key.data()), static_cast<std::size_t>(length > 0 ? length - 1 : 0));
}

}  // namespace text
