#include "text/Collation.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <memory>
#include <system_error>
#include <thread>

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

// The key, through buffers the thread keeps, so a key costs no allocation but its own.
std::string MakeKey(std::string_view utf8) {
  thread_local std::vector<char16_t> wide(64);
  thread_local std::vector<uint8_t> key(64);
  icu::Collator* collator = JapaneseCollator();
  const auto length8 = static_cast<int32_t>(utf8.size());
  int32_t length16 = 0;
  UErrorCode status = U_ZERO_ERROR;
  // Bytes that are not UTF-8 read as U+FFFD, as UnicodeString::fromUTF8 reads them.
  u_strFromUTF8WithSub(wide.data(), static_cast<int32_t>(wide.size()), &length16, utf8.data(), length8, 0xFFFD,
                       nullptr, &status);
  if (status == U_BUFFER_OVERFLOW_ERROR || length16 > static_cast<int32_t>(wide.size())) {
    wide.resize(static_cast<std::size_t>(length16) + 1);
    status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(wide.data(), static_cast<int32_t>(wide.size()), &length16, utf8.data(), length8, 0xFFFD,
                         nullptr, &status);
  }
  if (U_FAILURE(status)) length16 = 0;
  if (!collator) {
    std::string fallback;
    icu::UnicodeString(wide.data(), length16).toUTF8String(fallback);
    return fallback;
  }
  int32_t length = collator->getSortKey(wide.data(), length16, key.data(), static_cast<int32_t>(key.size()));
  if (length > static_cast<int32_t>(key.size())) {
    key.resize(static_cast<std::size_t>(length));
    length = collator->getSortKey(wide.data(), length16, key.data(), length);
  }
  // The key ends with a zero byte, which std::string keeps out of the comparison.
  return std::string(reinterpret_cast<const char*>(key.data()), static_cast<std::size_t>(length > 0 ? length - 1 : 0));
}

}  // namespace

std::string JapaneseSortKey(std::string_view utf8) { return MakeKey(utf8); }

std::vector<std::string> JapaneseSortKeys(const std::vector<std::string_view>& texts) {
  std::vector<std::string> keys(texts.size());
  const auto work = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) keys[i] = MakeKey(texts[i]);
  };
  // Below this a second thread costs more than it saves.
  constexpr std::size_t kWorthSharing = 20000;
  const std::size_t threads = texts.size() < kWorthSharing ? 1 : std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
  std::vector<std::thread> helpers;
  const std::size_t share = (texts.size() + threads - 1) / threads;
  std::size_t rest = texts.size();  // from here on this thread keys what no helper took
  for (std::size_t t = 1; t < threads; ++t) {
    const std::size_t from = std::min(texts.size(), t * share), to = std::min(texts.size(), (t + 1) * share);
    try {
      helpers.emplace_back(work, from, to);
    } catch (const std::system_error&) {
      rest = from;  // no thread to be had
      break;
    }
  }
  work(0, std::min(texts.size(), share));
  if (rest < texts.size()) work(rest, texts.size());
  for (std::thread& helper : helpers) helper.join();
  return keys;
}

}  // namespace text
