#include "lookup/ZipDataReader.h"

#include <charconv>

#include "text/Utf8.h"

namespace lookup {
namespace {

// A reader of exactly the JSON the package holds: one object of arrays of numbers and strings.
class ZipDataParser {
 public:
  explicit ZipDataParser(std::string_view text) : text_(text) {}

  bool Parse(CZipDataResult& out) {
    Skip();
    if (!Literal("zipdata") || !Expect('(') || !Expect('{')) return false;
    if (Peek() == '}') return Finish();
    do {
      if (!Entry(out)) return false;
    } while (Accept(','));
    return Expect('}') && Finish();
  }
  const std::string& Error() const { return error_; }

 private:
  bool Finish() {
    if (!Expect(')')) return false;
    Accept(';');
    return AtEnd();
  }

  bool Entry(CZipDataResult& out) {
    std::string zip, city, town, block;
    int prefecture = 0;
    if (!String(zip) || !Expect(':') || !Expect('[') || !Number(prefecture) || !Expect(',') || !String(city) ||
        !Expect(',') || !String(town)) {
      return false;
    }
    if (Accept(',') && !String(block)) return false;
    if (!Expect(']')) return false;
    const std::string_view name = PrefectureName(prefecture);
    if (zip.size() != 7 || zip.find_first_not_of("0123456789") != std::string::npos || name.empty()) {
      return Fail("not a postal code entry: " + zip);
    }
    CPostalCandidate record{zip, std::string(name), city, town, block, {}};
    (block.empty() ? out.ordinary : out.business).push_back(std::move(record));
    return true;
  }

  bool String(std::string& value) {
    if (!Expect('"')) return false;
    while (pos_ < text_.size() && text_[pos_] != '"') {
      const char c = text_[pos_++];
      if (c != '\\') {
        value += c;
      } else if (!Escape(value)) {
        return false;
      }
    }
    if (pos_ >= text_.size()) return Fail("unclosed string");
    ++pos_;
    return true;
  }

  bool Escape(std::string& value) {
    if (pos_ >= text_.size()) return Fail("unclosed string");
    const char c = text_[pos_++];
    switch (c) {
      case '"': case '\\': case '/': value += c; return true;
      case 'n': value += '\n'; return true;
      case 't': value += '\t'; return true;
      case 'r': value += '\r'; return true;
      case 'b': value += '\b'; return true;
      case 'f': value += '\f'; return true;
      case 'u': break;
      default: return Fail("bad escape");
    }
    char32_t cp = 0;
    if (!Hex4(cp)) return false;
    if (cp >= 0xD800 && cp < 0xDC00 && text_.substr(pos_, 2) == "\\u") {
      pos_ += 2;
      char32_t low = 0;
      if (!Hex4(low)) return false;
      cp = (low >= 0xDC00 && low < 0xE000) ? 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00) : text::kReplacement;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = text::kReplacement;
    }
    text::AppendUtf8(value, cp);
    return true;
  }

  bool Hex4(char32_t& cp) {
    unsigned value = 0;
    if (pos_ + 4 > text_.size()) return Fail("short \\u escape");
    const auto [end, ec] = std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, value, 16);
    if (ec != std::errc() || end != text_.data() + pos_ + 4) return Fail("bad \\u escape");
    pos_ += 4;
    cp = value;
    return true;
  }

  bool Number(int& value) {
    Skip();
    const auto [end, ec] = std::from_chars(text_.data() + pos_, text_.data() + text_.size(), value);
    if (ec != std::errc()) return Fail("number expected");
    pos_ = static_cast<std::size_t>(end - text_.data());
    return true;
  }

  void Skip() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\n' || text_[pos_] == '\r' || text_[pos_] == '\t')) ++pos_;
  }
  char Peek() {
    Skip();
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  bool Accept(char c) {
    if (Peek() != c) return false;
    ++pos_;
    return true;
  }
  bool Expect(char c) { return Accept(c) || Fail(std::string("'") + c + "' expected"); }
  bool Literal(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return Fail(std::string(word) + " expected");
    pos_ += word.size();
    return true;
  }
  bool AtEnd() {
    Skip();
    return pos_ == text_.size() || Fail("text after the data");
  }
  bool Fail(std::string why) {
    if (error_.empty()) error_ = std::move(why) + " at byte " + std::to_string(pos_);
    return false;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::string error_;
};

}  // namespace

bool ReadZipData(std::string_view js, CZipDataResult& result, std::string& error) {
  CZipDataResult added;
  ZipDataParser parser(js);
  if (!parser.Parse(added)) {
    error = parser.Error();
    return false;
  }
  result.ordinary.insert(result.ordinary.end(), added.ordinary.begin(), added.ordinary.end());
  result.business.insert(result.business.end(), added.business.begin(), added.business.end());
  return true;
}

}  // namespace lookup
