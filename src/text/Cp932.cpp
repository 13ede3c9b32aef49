#include "text/Cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "text/Utf8.h"

namespace text {

namespace {

// One converter per direction and thread; iconv_open is far too slow to pay per string.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error("iconv has no CP932 converter");
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts in; on an unconvertible or incomplete sequence calls onBad(out, in, inLeft), which
  // must advance in (and may append to out) or return false to give up.
  template <typename OnBad>
  bool Run(std::string_view input, std::string& out, OnBad onBad) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[16384];
    while (inLeft > 0) {
      char* o = buffer;
      std::size_t oLeft = sizeof buffer;
      const std::size_t r = iconv(cd_, &in, &inLeft, &o, &oLeft);
      const int error = errno;
      out.append(buffer, o);
      if (r != static_cast<std::size_t>(-1)) break;
      if (error == E2BIG) continue;
      if (!onBad(out, in, inLeft)) return false;
    }
    return true;
  }

 private:
  iconv_t cd_;
};

Converter& ToCp932Converter() {
  thread_local Converter c("CP932", "UTF-8");
  return c;
}

Converter& FromCp932Converter() {
  thread_local Converter c("UTF-8", "CP932");
  return c;
}

std::size_t Cp932Width(char32_t cp) {
  if (cp < 0x80) return 1;
  if (cp >= 0xFF61 && cp <= 0xFF9F) return 1;  // half-width katakana
  if (cp == 0x00A5 || cp == 0x203E) return 1;  // ¥ and ‾ map onto 5C and 7E
  return 2;                                    // double-byte, or not encodable (counted 2)
}

}  // namespace

std::optional<std::string> ToCp932(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  const bool ok = ToCp932Converter().Run(utf8, out, [](std::string&, char*&, std::size_t&) { return false; });
  if (!ok) return std::nullopt;
  return out;
}

bool RoundTripsCp932(std::string_view utf8) {
  const auto bytes = ToCp932(utf8);
  return bytes && FromCp932(*bytes) == utf8;
}

std::string FromCp932(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  FromCp932Converter().Run(cp932, out, [](std::string& o, char*& in, std::size_t& left) {
    AppendUtf8(o, kReplacement);
    ++in;
    --left;
    return true;
  });
  return out;
}

std::size_t Cp932Length(std::string_view utf8) {
  std::size_t length = 0;
  for (std::size_t pos = 0; pos < utf8.size();) {
    if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
      ++pos;
      ++length;
      continue;
    }
    length += Cp932Width(NextCodePoint(utf8, pos));
  }
  return length;
}

std::string CutToCp932Bytes(std::string_view utf8, std::size_t maxBytes) {
  std::size_t length = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    std::size_t next = pos;
    const std::size_t width = Cp932Width(NextCodePoint(utf8, next));
    if (length + width > maxBytes) break;
    length += width;
    pos = next;
  }
  return std::string(utf8.substr(0, pos));
}

bool IsCp932LeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

bool IsCp932TrailByte(std::string_view cp932, std::size_t index) {
  if (index >= cp932.size()) return false;
  std::size_t pos = 0;
  while (pos < index) {
    pos += IsCp932LeadByte(static_cast<unsigned char>(cp932[pos])) ? 2 : 1;
  }
  return pos == index + 1;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t cp = NextCodePoint(utf8, pos);
    if (cp >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 3);
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace text
