#include "records/JetFunctions.h"

#include <sqlite3.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

#include "records/OleDateMath.h"
#include "text/Utf8.h"

namespace records {

namespace {

// Simple case folding: ASCII, Latin-1, Greek, Cyrillic and the full-width Latin letters.
inline char32_t FoldCase(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

// The code point at pos (pos < s.size()), advancing past it. ASCII and well-formed two- and
// three-byte sequences (all of Japanese text) are decoded inline; the rest by text::NextCodePoint.
inline char32_t NextChar(std::string_view s, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  const std::size_t left = s.size() - pos;
  if (lead >= 0xE1 && lead <= 0xEF && lead != 0xED && left >= 3) {
    const auto b1 = static_cast<unsigned char>(s[pos + 1]);
    const auto b2 = static_cast<unsigned char>(s[pos + 2]);
    if ((b1 & 0xC0) == 0x80 && (b2 & 0xC0) == 0x80) {
      pos += 3;
      return (char32_t{lead & 0x0Fu} << 12) | (char32_t{b1 & 0x3Fu} << 6) | (b2 & 0x3Fu);
    }
  } else if (lead >= 0xC2 && lead <= 0xDF && left >= 2) {
    const auto b1 = static_cast<unsigned char>(s[pos + 1]);
    if ((b1 & 0xC0) == 0x80) {
      pos += 2;
      return (char32_t{lead & 0x1Fu} << 6) | (b1 & 0x3Fu);
    }
  }
  return text::NextCodePoint(s, pos);
}

// A Jet Like pattern compiled once per statement (kept as SQLite auxiliary data of the pattern).
class LikePattern {
 public:
  explicit LikePattern(std::string_view pattern) { Compile(pattern); }

  bool valid() const { return valid_; }

  bool Matches(std::string_view value) const {
    const std::size_t count = elements_.size();
    std::size_t pi = 0;
    std::size_t vi = 0;
    std::size_t resumePi = kNone;  // element after the latest "%"
    std::size_t resumeVi = 0;      // where that "%" currently stops
    for (;;) {
      if (pi < count && elements_[pi].kind == Kind::AnyRun) {
        resumePi = ++pi;
        if (pi == count) return true;  // a final "%" takes whatever is left
        if (pi < count && elements_[pi].kind == Kind::Char)
          vi = FindChar(value, vi, elements_[pi].ch);
        resumeVi = vi;
        continue;
      }
      if (vi == value.size()) break;
      if (pi < count) {
        std::size_t next = vi;
        if (MatchesOne(elements_[pi], NextChar(value, next))) {
          ++pi;
          vi = next;
          continue;
        }
      }
      if (resumePi == kNone) return false;
      // Let the "%" swallow one more character and try the rest again from there.
      NextChar(value, resumeVi);
      vi = resumeVi;
      pi = resumePi - 1;
    }
    while (pi < count && elements_[pi].kind == Kind::AnyRun) ++pi;
    return pi == count;
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  enum class Kind : std::uint8_t { Char, AnyChar, Digit, AnyRun, Class };
  struct Element {
    Kind kind;
    char32_t ch;          // Char: the folded character
    std::uint32_t first;  // Class: its ranges are ranges_[first, first + count)
    std::uint32_t count;
    bool negated;
  };
  struct Range {
    char32_t lo, hi, foldedLo, foldedHi;
  };

  void Compile(std::string_view pattern) {
    std::size_t pos = 0;
    while (pos < pattern.size() && valid_) {
      const char32_t c = NextChar(pattern, pos);
      switch (c) {
        case '%':
          if (elements_.empty() || elements_.back().kind != Kind::AnyRun) Push(Kind::AnyRun);
          break;
        case '_':
          Push(Kind::AnyChar);
          break;
        case '#':
          Push(Kind::Digit);
          break;
        case '[':
          valid_ = CompileClass(pattern, pos);
          break;
        default:
          Push(Kind::Char, FoldCase(c));
          break;
      }
    }
  }

  void Push(Kind kind, char32_t ch = 0) { elements_.push_back({kind, ch, 0, 0, false}); }

  // The class after "[" up to the first "]" (Jet allows no "]" inside one). "[]" matches nothing
  // at all (a zero-length part); "!" first negates; "-" first or last is itself.
  bool CompileClass(std::string_view pattern, std::size_t& pos) {
    const std::size_t close = pattern.find(']', pos);
    if (close == std::string_view::npos) return false;
    const std::string_view body = pattern.substr(pos, close - pos);
    pos = close + 1;
    std::vector<char32_t> chars;
    for (std::size_t i = 0; i < body.size();) chars.push_back(NextChar(body, i));
    if (chars.empty()) return true;
    std::size_t i = 0;
    const bool negated = chars.size() > 1 && chars[0] == '!';
    if (negated) i = 1;
    if (!negated && chars.size() == 1) {
      Push(Kind::Char, FoldCase(chars[0]));
      return true;
    }
    const auto first = static_cast<std::uint32_t>(ranges_.size());
    while (i < chars.size()) {
      char32_t lo = chars[i];
      char32_t hi = lo;
      if (i + 2 < chars.size() && chars[i + 1] == '-') {
        hi = chars[i + 2];
        if (hi < lo) return false;
        i += 3;
      } else {
        i += 1;
      }
      ranges_.push_back({lo, hi, FoldCase(lo), FoldCase(hi)});
    }
    elements_.push_back(
        {Kind::Class, 0, first, static_cast<std::uint32_t>(ranges_.size()) - first, negated});
    return true;
  }

  // The position of the first character at or after pos that folds to ch, or the end.
  static std::size_t FindChar(std::string_view value, std::size_t pos, char32_t ch) {
    if (ch < 0x80) {
      // Bytes below 0x80 occur in UTF-8 only as themselves, and only ASCII folds to ASCII.
      const char lower = static_cast<char>(ch);
      const char upper = (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 0x20) : lower;
      for (; pos < value.size(); ++pos) {
        if (value[pos] == lower || value[pos] == upper) return pos;
      }
      return pos;
    }
    while (pos < value.size()) {
      std::size_t next = pos;
      if (FoldCase(NextChar(value, next)) == ch) return pos;
      pos = next;
    }
    return pos;
  }

  bool MatchesOne(const Element& e, char32_t c) const {
    switch (e.kind) {
      case Kind::Char:
        return FoldCase(c) == e.ch;
      case Kind::AnyChar:
        return true;
      case Kind::Digit:
        return c >= '0' && c <= '9';
      case Kind::Class:
        return InClass(e, c) != e.negated;
      case Kind::AnyRun:
        break;
    }
    return false;
  }

  bool InClass(const Element& e, char32_t c) const {
    const char32_t folded = FoldCase(c);
    for (std::uint32_t k = e.first; k < e.first + e.count; ++k) {
      const Range& r = ranges_[k];
      if ((c >= r.lo && c <= r.hi) || (folded >= r.foldedLo && folded <= r.foldedHi)) return true;
    }
    return false;
  }

  std::vector<Element> elements_;
  std::vector<Range> ranges_;
  bool valid_ = true;
};

void DeletePattern(void* p) { delete static_cast<LikePattern*>(p); }

bool IsNull(sqlite3_value* v) { return sqlite3_value_type(v) == SQLITE_NULL; }

// Room for a double written with 15 significant digits.
using NumberBuffer = char[32];

// The text of a value as Jet shows it: a double with up to 15 significant digits and no trailing
// ".0" (1500 rather than SQLite's 1500.0); anything else as SQLite converts it.
std::string_view ValueText(sqlite3_value* v, NumberBuffer& buffer) {
  if (sqlite3_value_type(v) == SQLITE_FLOAT) {
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, sqlite3_value_double(v),
                                      std::chars_format::general, 15);
    return {buffer, static_cast<std::size_t>(result.ptr - buffer)};
  }
  const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(v));
  if (bytes == nullptr) return {};
  return {bytes, static_cast<std::size_t>(sqlite3_value_bytes(v))};
}

// A numeric argument: numeric text counts as its number; false for other text and blobs.
struct Number {
  bool isInteger = false;
  sqlite3_int64 integer = 0;
  double real = 0;
};

bool ReadNumber(sqlite3_value* v, Number& out) {
  switch (sqlite3_value_numeric_type(v)) {
    case SQLITE_INTEGER:
      out.isInteger = true;
      out.integer = sqlite3_value_int64(v);
      out.real = static_cast<double>(out.integer);
      return true;
    case SQLITE_FLOAT:
      out.real = sqlite3_value_double(v);
      return true;
    default:
      return false;
  }
}

void TypeMismatch(sqlite3_context* ctx) { sqlite3_result_error(ctx, "type mismatch", -1); }

void LikeFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
  try {
    auto* pattern = static_cast<LikePattern*>(sqlite3_get_auxdata(ctx, 0));
    std::unique_ptr<LikePattern> compiled;
    if (pattern == nullptr) {
      NumberBuffer buffer;
      compiled = std::make_unique<LikePattern>(ValueText(argv[0], buffer));
      pattern = compiled.get();
    }
    if (!pattern->valid()) {
      sqlite3_result_error(ctx, "invalid Like pattern", -1);
    } else {
      NumberBuffer buffer;
      sqlite3_result_int(ctx, pattern->Matches(ValueText(argv[1], buffer)) ? 1 : 0);
    }
    // SQLite may free the pattern at once, so hand it over only after its last use.
    if (compiled) sqlite3_set_auxdata(ctx, 0, compiled.release(), DeletePattern);
  } catch (const std::bad_alloc&) {
    sqlite3_result_error_nomem(ctx);
  }
}

// sqlite3_result_text takes an int length.
constexpr sqlite3_uint64 kMaxTextBytes = 0x7fffffff;

// Joins the texts of argv, NULL counting as empty; NULL when every argument is NULL.
void ConcatFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  sqlite3_uint64 total = 0;
  bool anyValue = false;
  for (int i = 0; i < argc; ++i) {
    if (IsNull(argv[i])) continue;
    anyValue = true;
    NumberBuffer buffer;
    total += ValueText(argv[i], buffer).size();
  }
  if (!anyValue) return sqlite3_result_null(ctx);
  auto* joined = static_cast<char*>(sqlite3_malloc64(total + 1));
  if (joined == nullptr) return sqlite3_result_error_nomem(ctx);
  char* end = joined;
  for (int i = 0; i < argc; ++i) {
    if (IsNull(argv[i])) continue;
    NumberBuffer buffer;
    const std::string_view part = ValueText(argv[i], buffer);
    if (!part.empty()) std::memcpy(end, part.data(), part.size());
    end += part.size();
  }
  *end = '\0';
  // Handed over with length -1, SQLite knows the text is terminated and reads it in place;
  // with an explicit length it would copy it again for jet_like. Only an embedded NUL needs one.
  if (total <= kMaxTextBytes && std::memchr(joined, '\0', total) == nullptr) {
    sqlite3_result_text(ctx, joined, -1, sqlite3_free);
  } else {
    sqlite3_result_text64(ctx, joined, total, sqlite3_free, SQLITE_UTF8);
  }
}

void AddFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
  if (sqlite3_value_type(argv[0]) == SQLITE_TEXT && sqlite3_value_type(argv[1]) == SQLITE_TEXT) {
    return ConcatFunction(ctx, argc, argv);
  }
  Number a, b;
  if (!ReadNumber(argv[0], a) || !ReadNumber(argv[1], b)) return TypeMismatch(ctx);
  sqlite3_int64 sum = 0;
  if (a.isInteger && b.isInteger && !__builtin_add_overflow(a.integer, b.integer, &sum)) {
    return sqlite3_result_int64(ctx, sum);
  }
  sqlite3_result_double(ctx, a.real + b.real);
}

template <double (*Round)(double)>
void RoundingFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  Number x;
  if (!ReadNumber(argv[0], x)) return TypeMismatch(ctx);
  if (x.isInteger) return sqlite3_result_int64(ctx, x.integer);
  sqlite3_result_double(ctx, Round(x.real));
}

double Floor(double x) { return std::floor(x); }
double Truncate(double x) { return std::trunc(x); }

template <int CivilDate::*Part>
void DatePartFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  Number x;
  if (!ReadNumber(argv[0], x)) return TypeMismatch(ctx);
  const auto date = CivilFromOle(x.real);
  if (!date) return sqlite3_result_null(ctx);
  sqlite3_result_int(ctx, (*date).*Part);
}

void PowerFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
  Number base, exponent;
  if (!ReadNumber(argv[0], base) || !ReadNumber(argv[1], exponent)) return TypeMismatch(ctx);
  const double result = std::pow(base.real, exponent.real);
  if (!std::isfinite(result)) return sqlite3_result_error(ctx, "numeric overflow", -1);
  sqlite3_result_double(ctx, result);
}

struct FunctionEntry {
  const char* name;
  int argc;
  void (*call)(sqlite3_context*, int, sqlite3_value**);
};

constexpr FunctionEntry kFunctions[] = {
    {"jet_like", 2, LikeFunction},
    {"jet_concat", -1, ConcatFunction},
    {"jet_add", 2, AddFunction},
    {"jet_int", 1, RoundingFunction<Floor>},
    {"jet_fix", 1, RoundingFunction<Truncate>},
    {"jet_year", 1, DatePartFunction<&CivilDate::year>},
    {"jet_month", 1, DatePartFunction<&CivilDate::month>},
    {"jet_day", 1, DatePartFunction<&CivilDate::day>},
    {"jet_power", 2, PowerFunction},
};

}  // namespace

int RegisterJetFunctions(sqlite3* db) {
  int rc = sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
  if (rc != SQLITE_OK) return rc;
  constexpr int kFlags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
  for (const FunctionEntry& f : kFunctions) {
    rc = sqlite3_create_function_v2(db, f.name, f.argc, kFlags, nullptr, f.call, nullptr, nullptr,
                                    nullptr);
    if (rc != SQLITE_OK) return rc;
  }
  return SQLITE_OK;
}

}  // namespace records
