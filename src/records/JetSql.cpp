#include "records/JetSql.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <new>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <algorithm>
#include <vector>

#include "records/OleDateMath.h"

namespace records {

namespace {

constexpr std::size_t kMaxStatementBytes = 64000;
constexpr int kMaxDepth = 200;

// Thrown inside the translator only; TranslateJetSql turns it into JetTranslation::error.
struct TranslationError {
  std::string message;
};

[[noreturn]] void Fail(std::size_t offset, const std::string& what) {
  throw TranslationError{what + " at offset " + std::to_string(offset)};
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsNameStart(char c) {
  return IsAsciiLetter(c) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}
bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c); }
bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// Shortest text that reads back as the same double, always with a point or exponent so that
// SQLite keeps it a REAL.
std::string FormatReal(double value) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  std::string text(buffer.data(), result.ptr);
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

std::string QuoteIdentifier(std::string_view name) {
  std::string quoted = "\"";
  for (const char c : name) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + "\"";
}

std::string QuoteText(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted + "'";
}

// ---------------------------------------------------------------------------------------------
// Date literals

// Reads 1 to 4 digits at pos.
std::optional<int> ReadDateNumber(std::string_view s, std::size_t& pos, int& digits) {
  int value = 0;
  digits = 0;
  while (pos < s.size() && IsDigit(s[pos]) && digits < 5) {
    value = value * 10 + (s[pos] - '0');
    ++pos, ++digits;
  }
  if (digits == 0 || digits > 4) return std::nullopt;
  return value;
}

void SkipSpaces(std::string_view s, std::size_t& pos) {
  while (pos < s.size() && IsSpace(s[pos])) ++pos;
}

// Two-digit years fall in 1930..2029, as Jet reads them.
int WindowYear(int year, int digits) {
  if (digits > 2) return year;
  return year < 30 ? 2000 + year : 1900 + year;
}

struct CivilDateTime {
  CivilDate date{1899, 12, 30};
  int hour = 0, minute = 0, second = 0;
};

bool ReadDatePart(std::string_view s, std::size_t& pos, CivilDateTime& out) {
  int digits[3] = {};
  int parts[3] = {};
  char separator = 0;
  for (int i = 0; i < 3; ++i) {
    const auto value = ReadDateNumber(s, pos, digits[i]);
    if (!value) return false;
    parts[i] = *value;
    if (i == 2) break;
    if (pos >= s.size() || (s[pos] != '/' && s[pos] != '-')) return false;
    if (separator != 0 && s[pos] != separator) return false;
    separator = s[pos++];
  }
  if (digits[0] >= 3) {
    out.date = {parts[0], parts[1], parts[2]};
  } else {
    out.date = {WindowYear(parts[2], digits[2]), parts[0], parts[1]};
  }
  return out.date.year >= kOleMinYear && out.date.year <= kOleMaxYear &&
         IsValidCivil(out.date.year, out.date.month, out.date.day);
}

bool ReadTimePart(std::string_view s, std::size_t& pos, CivilDateTime& out) {
  int digits = 0;
  const auto hour = ReadDateNumber(s, pos, digits);
  if (!hour || digits > 2 || pos >= s.size() || s[pos] != ':') return false;
  ++pos;
  const auto minute = ReadDateNumber(s, pos, digits);
  if (!minute || digits != 2) return false;
  std::optional<int> second = 0;
  if (pos < s.size() && s[pos] == ':') {
    ++pos;
    second = ReadDateNumber(s, pos, digits);
    if (!second || digits != 2) return false;
  }
  SkipSpaces(s, pos);
  int h = *hour;
  if (pos + 2 <= s.size() && EqualsIgnoringCase(s.substr(pos + 1, 1), "M") &&
      (AsciiUpper(s[pos]) == 'A' || AsciiUpper(s[pos]) == 'P')) {
    if (h < 1 || h > 12) return false;
    const bool afternoon = AsciiUpper(s[pos]) == 'P';
    h = (h % 12) + (afternoon ? 12 : 0);
    pos += 2;
  }
  if (h > 23 || *minute > 59 || *second > 59) return false;
  out.hour = h, out.minute = *minute, out.second = *second;
  return true;
}

// The OLE value of the text between two "#": a date, a time of day, or both.
std::optional<double> ParseDateLiteral(std::string_view body) {
  CivilDateTime value;
  std::size_t pos = 0;
  SkipSpaces(body, pos);
  std::size_t probe = pos;
  while (probe < body.size() && IsDigit(body[probe])) ++probe;
  const bool timeOnly = probe < body.size() && body[probe] == ':';
  if (!timeOnly && !ReadDatePart(body, pos, value)) return std::nullopt;
  SkipSpaces(body, pos);
  if (pos < body.size() && !ReadTimePart(body, pos, value)) return std::nullopt;
  SkipSpaces(body, pos);
  if (pos != body.size()) return std::nullopt;
  return OleFromCivilTime(value.date.year, value.date.month, value.date.day, value.hour,
                          value.minute, value.second);
}

// ---------------------------------------------------------------------------------------------
// Tokens

enum class TokenType { Name, QuotedName, Number, Text, Date, Symbol, End };

struct Token {
  TokenType type = TokenType::End;
  std::string text;  // the name, the number as written, the text's value, or the symbol
  double value = 0;  // numbers and dates
  std::size_t offset = 0;
};

class Lexer {
 public:
  explicit Lexer(std::string_view source) : s_(source) {}

  std::vector<Token> Tokens() {
    std::vector<Token> tokens;
    for (;;) {
      SkipSpaces(s_, pos_);
      if (pos_ >= s_.size()) break;
      tokens.push_back(Next());
    }
    tokens.push_back({TokenType::End, "", 0, s_.size()});
    return tokens;
  }

 private:
  Token Next() {
    const char c = s_[pos_];
    if (c == '\'' || c == '"') return QuotedText(c);
    if (c == '[') return BracketedName();
    if (c == '#') return DateLiteral();
    if (IsDigit(c) || (c == '.' && pos_ + 1 < s_.size() && IsDigit(s_[pos_ + 1]))) return Number();
    if (IsNameStart(c)) return BareName();
    return Symbol();
  }

  // Jet takes both '...' and "..." as text; a doubled quote stands for itself.
  Token QuotedText(char quote) {
    const std::size_t start = pos_++;
    std::string value;
    for (;;) {
      if (pos_ >= s_.size()) Fail(start, "unterminated text literal");
      const char c = s_[pos_++];
      if (c == '\0') Fail(pos_ - 1, "NUL character");
      if (c != quote) {
        value += c;
      } else if (pos_ < s_.size() && s_[pos_] == quote) {
        value += c;
        ++pos_;
      } else {
        return {TokenType::Text, std::move(value), 0, start};
      }
    }
  }

  Token BracketedName() {
    const std::size_t start = pos_++;
    const std::size_t close = s_.find(']', pos_);
    if (close == std::string_view::npos) Fail(start, "unterminated [name]");
    std::string name(s_.substr(pos_, close - pos_));
    if (name.empty()) Fail(start, "empty [name]");
    if (name.find('\0') != std::string::npos) Fail(start, "NUL character");
    pos_ = close + 1;
    return {TokenType::QuotedName, std::move(name), 0, start};
  }

  Token DateLiteral() {
    const std::size_t start = pos_++;
    const std::size_t close = s_.find('#', pos_);
    if (close == std::string_view::npos) Fail(start, "unterminated #date#");
    const auto value = ParseDateLiteral(s_.substr(pos_, close - pos_));
    if (!value) Fail(start, "unreadable #date#");
    pos_ = close + 1;
    return {TokenType::Date, std::string(s_.substr(start, pos_ - start)), *value, start};
  }

  Token Number() {
    const std::size_t start = pos_;
    SkipDigits();
    if (pos_ < s_.size() && s_[pos_] == '.') {
      ++pos_;
      SkipDigits();
    }
    if (pos_ + 1 < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
      std::size_t exponent = pos_ + 1;
      if (s_[exponent] == '+' || s_[exponent] == '-') ++exponent;
      if (exponent < s_.size() && IsDigit(s_[exponent])) {
        pos_ = exponent;
        SkipDigits();
      }
    }
    if (pos_ < s_.size() && IsNameChar(s_[pos_])) Fail(start, "malformed number");
    std::string text(s_.substr(start, pos_ - start));
    // A number beyond a double's range stays as written but is not used as a known value.
    double value = 0;
    const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
    if (read.ec != std::errc()) value = std::nan("");
    return {TokenType::Number, std::move(text), value, start};
  }

  void SkipDigits() {
    while (pos_ < s_.size() && IsDigit(s_[pos_])) ++pos_;
  }

  Token BareName() {
    const std::size_t start = pos_;
    while (pos_ < s_.size() && IsNameChar(s_[pos_])) ++pos_;
    return {TokenType::Name, std::string(s_.substr(start, pos_ - start)), 0, start};
  }

  Token Symbol() {
    const std::size_t start = pos_;
    for (const std::string_view pair : {"<>", "<=", ">="}) {
      if (s_.substr(pos_, 2) == pair) {
        pos_ += 2;
        return {TokenType::Symbol, std::string(pair), 0, start};
      }
    }
    const char c = s_[pos_++];
    // "!" is Jet's other qualifier, as in Customer!Name.
    if (c == '!') return {TokenType::Symbol, ".", 0, start};
    if (std::string_view("(),.*+-/\\^&=<>;").find(c) == std::string_view::npos) {
      Fail(start, "unexpected character");
    }
    return {TokenType::Symbol, std::string(1, c), 0, start};
  }

  std::string_view s_;
  std::size_t pos_ = 0;
};

// ---------------------------------------------------------------------------------------------
// Expressions

enum class ValueType { Unknown, Number, Text };

struct Expr {
  std::string sql;
  ValueType type = ValueType::Unknown;
  bool isColumn = false;          // a bare column: keeps its collation and can use an index
  std::optional<double> literal;  // the value of a number or date literal
  std::string floorOf;            // for Int(column): the column
};

Expr Computed(std::string sql, ValueType type) {
  Expr e;
  e.sql = std::move(sql);
  e.type = type;
  return e;
}

// Comparing two non-columns involving text, SQLite would fall back to BINARY.
bool NeedsNoCase(const Expr& a, const Expr& b) {
  return !a.isColumn && !b.isColumn && (a.type == ValueType::Text || b.type == ValueType::Text);
}

std::string_view MirroredComparison(std::string_view op) {
  if (op == "<") return ">";
  if (op == ">") return "<";
  if (op == "<=") return ">=";
  if (op == ">=") return "<=";
  return op;
}

bool IsWholeNumber(double v) { return std::floor(v) == v && std::fabs(v) < 9.0e15; }

// Int(column) op n for a whole n, as a range on the column itself.
std::optional<Expr> FloorComparisonAsRange(const Expr& left, std::string_view op,
                                           const Expr& right) {
  if (left.floorOf.empty() && !right.floorOf.empty()) {
    return FloorComparisonAsRange(right, MirroredComparison(op), left);
  }
  if (left.floorOf.empty() || !right.literal || !IsWholeNumber(*right.literal)) return std::nullopt;
  const std::string& column = left.floorOf;
  const std::string n = FormatReal(*right.literal);
  const std::string next = FormatReal(*right.literal + 1);
  std::string sql;
  if (op == ">=") sql = column + " >= " + n;
  if (op == ">") sql = column + " >= " + next;
  if (op == "<") sql = column + " < " + n;
  if (op == "<=") sql = column + " < " + next;
  if (op == "=") sql = column + " >= " + n + " AND " + column + " < " + next;
  if (op == "<>") sql = column + " < " + n + " OR " + column + " >= " + next;
  return Computed("(" + sql + ")", ValueType::Number);
}

Expr Comparison(const Expr& left, std::string_view op, const Expr& right) {
  if (auto range = FloorComparisonAsRange(left, op, right)) return *range;
  std::string sql = "(" + left.sql + " " + std::string(op) + " " + right.sql;
  if (NeedsNoCase(left, right)) sql += " COLLATE NOCASE";
  return Computed(sql + ")", ValueType::Number);
}

Expr Addition(const Expr& left, const Expr& right) {
  if (left.type == ValueType::Number && right.type == ValueType::Number) {
    return Computed("(" + left.sql + " + " + right.sql + ")", ValueType::Number);
  }
  // Jet's + joins two texts (NULL propagating, as ||); which it is may only show per row.
  if (left.type == ValueType::Text && right.type == ValueType::Text) {
    return Computed("(" + left.sql + " || " + right.sql + ")", ValueType::Text);
  }
  return Computed("jet_add(" + left.sql + ", " + right.sql + ")", ValueType::Unknown);
}

// Jet's \ and Mod round both operands to whole numbers first.
Expr WholeNumberOperation(const Expr& left, std::string_view op, const Expr& right) {
  return Computed("(CAST(round(" + left.sql + ") AS INTEGER) " + std::string(op) + " CAST(round(" +
                      right.sql + ") AS INTEGER))",
                  ValueType::Number);
}

struct FunctionMapping {
  std::string_view jet;
  std::string_view sqlite;
  int minArgs;
  int maxArgs;
  ValueType type;
  bool takesStar;
};

constexpr FunctionMapping kFunctionMappings[] = {
    {"Int", "jet_int", 1, 1, ValueType::Number, false},
    {"Fix", "jet_fix", 1, 1, ValueType::Number, false},
    {"Year", "jet_year", 1, 1, ValueType::Number, false},
    {"Month", "jet_month", 1, 1, ValueType::Number, false},
    {"Day", "jet_day", 1, 1, ValueType::Number, false},
    {"Abs", "abs", 1, 1, ValueType::Number, false},
    {"Len", "length", 1, 1, ValueType::Number, false},
    {"Nz", "ifnull", 2, 2, ValueType::Unknown, false},
    {"Count", "count", 1, 1, ValueType::Number, true},
    {"Sum", "sum", 1, 1, ValueType::Number, false},
    {"Avg", "avg", 1, 1, ValueType::Number, false},
    {"Max", "max", 1, 1, ValueType::Unknown, false},
    {"Min", "min", 1, 1, ValueType::Unknown, false},
};

const FunctionMapping* FindFunction(std::string_view name) {
  for (const FunctionMapping& f : kFunctionMappings) {
    if (EqualsIgnoringCase(f.jet, name)) return &f;
  }
  return nullptr;
}

constexpr std::string_view kReservedWords[] = {
    "SELECT", "FROM",    "WHERE", "GROUP", "BY",    "HAVING", "ORDER",    "AND",
    "OR",     "NOT",     "LIKE",  "IS",    "NULL",  "IN",     "BETWEEN",  "AS",
    "ON",     "INNER",   "LEFT",  "RIGHT", "OUTER", "JOIN",   "DISTINCT", "DISTINCTROW",
    "TOP",    "ASC",     "DESC",  "MOD",   "TRUE",  "FALSE",  "UNION",    "EXISTS",
    "ALL",    "PERCENT", "XOR",   "EQV",   "IMP"};

bool IsReserved(std::string_view word) {
  for (const std::string_view reserved : kReservedWords) {
    if (EqualsIgnoringCase(reserved, word)) return true;
  }
  return false;
}

// The physical name of a Jet column where the store names it differently.
std::string_view PhysicalColumn(std::string_view table, std::string_view column) {
  if (EqualsIgnoringCase(table, "DMList") && EqualsIgnoringCase(column, "Date")) return "SendDate";
  return column;
}

// ---------------------------------------------------------------------------------------------
// Statements

class Translator {
 public:
  explicit Translator(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  std::string Statement() {
    std::string sql = Select();
    TakeSymbol(";");
    if (Peek().type != TokenType::End) Unexpected();
    return sql;
  }

 private:
  class DepthGuard {
   public:
    DepthGuard(int& depth, std::size_t offset) : depth_(depth) {
      if (++depth_ > kMaxDepth) Fail(offset, "statement nested too deeply");
    }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

   private:
    int& depth_;
  };

  DepthGuard Nest() { return DepthGuard(depth_, Peek().offset); }

  const Token& Peek(std::size_t ahead = 0) const {
    const std::size_t index = pos_ + ahead;
    return index < tokens_.size() ? tokens_[index] : tokens_.back();
  }

  const Token& Take() {
    const Token& t = Peek();
    if (pos_ + 1 < tokens_.size()) ++pos_;
    return t;
  }

  bool AtWord(std::string_view word, std::size_t ahead = 0) const {
    const Token& t = Peek(ahead);
    return t.type == TokenType::Name && EqualsIgnoringCase(t.text, word);
  }

  bool AtSymbol(std::string_view symbol, std::size_t ahead = 0) const {
    const Token& t = Peek(ahead);
    return t.type == TokenType::Symbol && t.text == symbol;
  }

  bool TakeWord(std::string_view word) {
    if (!AtWord(word)) return false;
    Take();
    return true;
  }

  bool TakeSymbol(std::string_view symbol) {
    if (!AtSymbol(symbol)) return false;
    Take();
    return true;
  }

  void ExpectWord(std::string_view word) {
    if (!TakeWord(word)) Fail(Peek().offset, "expected " + std::string(word));
  }

  void ExpectSymbol(std::string_view symbol) {
    if (!TakeSymbol(symbol)) Fail(Peek().offset, "expected '" + std::string(symbol) + "'");
  }

  [[noreturn]] void Unexpected() const {
    const Token& t = Peek();
    switch (t.type) {
      case TokenType::End:
        Fail(t.offset, "unexpected end of statement");
      case TokenType::Text:
        Fail(t.offset, "unexpected text literal");
      default:
        Fail(t.offset, "unexpected '" + t.text + "'");
    }
  }

  // A name token usable as a name here: bracketed, or bare and not a reserved word.
  bool AtName(std::size_t ahead = 0) const {
    const Token& t = Peek(ahead);
    return t.type == TokenType::QuotedName || (t.type == TokenType::Name && !IsReserved(t.text));
  }

  std::string TakeName() {
    if (!AtName()) Fail(Peek().offset, "expected a name");
    return Take().text;
  }

  // After a qualifier any word names a column (Rireki.Date, x.Order).
  std::string TakeQualifiedPart() {
    const Token& t = Peek();
    if (t.type != TokenType::Name && t.type != TokenType::QuotedName) {
      Fail(t.offset, "expected a name after '.'");
    }
    return Take().text;
  }

  std::string Select() {
    const DepthGuard guard = Nest();
    ExpectWord("SELECT");
    bool distinct = false;
    if (TakeWord("DISTINCTROW") || TakeWord("DISTINCT")) {
      distinct = true;
    } else {
      TakeWord("ALL");
    }
    std::string limit;
    if (TakeWord("TOP")) limit = " LIMIT " + TopCount();
    std::vector<std::string> selected, grouped;
    std::string sql = SelectList(selected);
    if (TakeWord("FROM")) sql += " FROM " + FromList();
    if (TakeWord("WHERE")) sql += " WHERE " + Expression().sql;
    if (TakeWord("GROUP")) {
      ExpectWord("BY");
      sql += " GROUP BY " + ExpressionList(nullptr, &grouped);
    }
    // Grouped by expressions that are all selected, every row is already distinct: DISTINCT
    // would only sort them once more (the analyses' "SELECT DISTINCTROW Customer.ID, Count(*)
    // ... GROUP BY Customer.ID").
    const bool rowsDistinct = !grouped.empty() && std::all_of(grouped.begin(), grouped.end(), [&selected](const std::string& g) {
      return std::find(selected.begin(), selected.end(), g) != selected.end();
    });
    sql = (distinct && !rowsDistinct ? "SELECT DISTINCT " : "SELECT ") + sql;
    if (TakeWord("HAVING")) sql += " HAVING " + Expression().sql;
    if (TakeWord("ORDER")) {
      ExpectWord("BY");
      sql += " ORDER BY " + OrderList();
    }
    return sql + limit;
  }

  std::string TopCount() {
    const Token& count = Peek();
    if (count.type != TokenType::Number ||
        count.text.find_first_not_of("0123456789") != std::string::npos) {
      Fail(count.offset, "TOP needs a whole number");
    }
    Take();
    if (AtWord("PERCENT")) Fail(Peek().offset, "TOP ... PERCENT is not supported");
    return count.text;
  }

  // expressions receives each item's expression (without its alias).
  std::string SelectList(std::vector<std::string>& expressions) {
    std::string sql = SelectItem(expressions);
    while (TakeSymbol(",")) sql += ", " + SelectItem(expressions);
    return sql;
  }

  std::string SelectItem(std::vector<std::string>& expressions) {
    if (TakeSymbol("*")) return "*";
    if (AtName() && AtSymbol(".", 1) && AtSymbol("*", 2)) {
      std::string table = QuoteIdentifier(Take().text);
      Take(), Take();
      return table + ".*";
    }
    std::string sql = Expression().sql;
    expressions.push_back(sql);
    if (TakeWord("AS")) return sql + " AS " + QuoteIdentifier(TakeQualifiedPart());
    if (AtName()) return sql + " AS " + QuoteIdentifier(Take().text);
    return sql;
  }

  std::string FromList() {
    std::string sql = TableReference();
    while (TakeSymbol(",")) sql += ", " + TableReference();
    return sql;
  }

  std::string TableReference() {
    std::string sql = TablePrimary();
    for (;;) {
      std::string join;
      if (TakeWord("INNER")) {
        join = "INNER JOIN";
      } else if (TakeWord("LEFT")) {
        TakeWord("OUTER");
        join = "LEFT JOIN";
      } else if (TakeWord("RIGHT")) {
        TakeWord("OUTER");
        join = "RIGHT JOIN";
      } else {
        return sql;
      }
      ExpectWord("JOIN");
      const std::string right = TablePrimary();
      ExpectWord("ON");
      sql += " " + join + " " + right + " ON " + Expression().sql;
    }
  }

  std::string TablePrimary() {
    const DepthGuard guard = Nest();
    std::string sql;
    if (TakeSymbol("(")) {
      if (!AtWord("SELECT")) {
        sql = "(" + TableReference() + ")";
        ExpectSymbol(")");
        return sql;
      }
      sql = "(" + Select() + ")";
      ExpectSymbol(")");
    } else {
      sql = QuoteIdentifier(TakeName());
    }
    if (TakeWord("AS")) return sql + " AS " + QuoteIdentifier(TakeName());
    if (AtName()) return sql + " AS " + QuoteIdentifier(Take().text);
    return sql;
  }

  std::string OrderList() {
    std::string sql;
    do {
      if (!sql.empty()) sql += ", ";
      sql += Expression().sql;
      if (TakeWord("DESC")) {
        sql += " DESC";
      } else if (TakeWord("ASC")) {
        sql += " ASC";
      }
    } while (TakeSymbol(","));
    return sql;
  }

  std::string ExpressionList(bool* anyText = nullptr, std::vector<std::string>* expressions = nullptr) {
    std::string sql;
    do {
      if (!sql.empty()) sql += ", ";
      const Expr e = Expression();
      if (anyText != nullptr && e.type == ValueType::Text) *anyText = true;
      if (expressions != nullptr) expressions->push_back(e.sql);
      sql += e.sql;
    } while (TakeSymbol(","));
    return sql;
  }

  // Jet precedence, loosest first: Or, And, Not, comparisons (= <> < > <= >= Like Is Between
  // In), &, + -, Mod, \, * /, unary -, ^.
  Expr Expression() {
    const DepthGuard guard = Nest();
    Expr left = Conjunction();
    while (TakeWord("OR"))
      left = Computed("(" + left.sql + " OR " + Conjunction().sql + ")", ValueType::Number);
    return left;
  }

  Expr Conjunction() {
    Expr left = Negation();
    while (TakeWord("AND"))
      left = Computed("(" + left.sql + " AND " + Negation().sql + ")", ValueType::Number);
    return left;
  }

  // Prefix operators are counted rather than recursed into, so a long run of them cannot
  // exhaust the stack.
  Expr Negation() {
    int count = 0;
    while (TakeWord("NOT")) ++count;
    Expr e = Comparisons();
    for (; count > 0; --count) e = Computed("(NOT " + e.sql + ")", ValueType::Number);
    return e;
  }

  Expr Comparisons() {
    Expr left = Concatenation();
    for (;;) {
      const Token& t = Peek();
      if (t.type == TokenType::Symbol && (t.text == "=" || t.text == "<>" || t.text == "<" ||
                                          t.text == ">" || t.text == "<=" || t.text == ">=")) {
        const std::string op = Take().text;
        left = Comparison(left, op, Concatenation());
        continue;
      }
      const bool negated =
          AtWord("NOT") && (AtWord("LIKE", 1) || AtWord("BETWEEN", 1) || AtWord("IN", 1));
      if (negated) Take();
      if (TakeWord("LIKE")) {
        left = Like(left, Concatenation(), negated);
      } else if (TakeWord("BETWEEN")) {
        left = Between(left, negated);
      } else if (TakeWord("IN")) {
        left = In(left, negated);
      } else if (!negated && TakeWord("IS")) {
        const bool isNot = TakeWord("NOT");
        ExpectWord("NULL");
        left =
            Computed("(" + left.sql + (isNot ? " IS NOT NULL)" : " IS NULL)"), ValueType::Number);
      } else {
        return left;
      }
    }
  }

  // jet_like takes the pattern first, as SQLite's like() does. The empty pattern matches only the
  // empty text, whatever the folding: the extraction adds "Not Like ''" to most conditions, and a
  // plain comparison spares a function call per row and keeps the column's index usable.
  static Expr Like(const Expr& value, const Expr& pattern, bool negated) {
    if (pattern.type == ValueType::Text && pattern.sql == "''") {
      return Computed("(" + value.sql + (negated ? " <> ''" : " = ''") + ")", ValueType::Number);
    }
    const std::string call = "jet_like(" + pattern.sql + ", " + value.sql + ")";
    return Computed(negated ? "(NOT " + call + ")" : call, ValueType::Number);
  }

  Expr Between(const Expr& value, bool negated) {
    const Expr low = Concatenation();
    ExpectWord("AND");
    const Expr high = Concatenation();
    std::string sql = "(" + value.sql;
    if (!value.isColumn && (value.type == ValueType::Text || low.type == ValueType::Text ||
                            high.type == ValueType::Text)) {
      sql += " COLLATE NOCASE";
    }
    sql += std::string(negated ? " NOT" : "") + " BETWEEN " + low.sql + " AND " + high.sql + ")";
    return Computed(sql, ValueType::Number);
  }

  Expr In(const Expr& value, bool negated) {
    ExpectSymbol("(");
    bool anyText = value.type == ValueType::Text;
    std::string list;
    if (AtWord("SELECT")) {
      list = Select();
    } else {
      list = ExpressionList(&anyText);
    }
    ExpectSymbol(")");
    std::string sql = "(" + value.sql;
    if (!value.isColumn && anyText) sql += " COLLATE NOCASE";
    return Computed(sql + (negated ? " NOT IN (" : " IN (") + list + "))", ValueType::Number);
  }

  Expr Concatenation() {
    Expr first = Additive();
    if (!AtSymbol("&")) return first;
    std::string sql = "jet_concat(" + first.sql;
    while (TakeSymbol("&")) sql += ", " + Additive().sql;
    return Computed(sql + ")", ValueType::Text);
  }

  Expr Additive() {
    Expr left = Modulo();
    for (;;) {
      if (TakeSymbol("+")) {
        left = Addition(left, Modulo());
      } else if (TakeSymbol("-")) {
        left = Computed("(" + left.sql + " - " + Modulo().sql + ")", ValueType::Number);
      } else {
        return left;
      }
    }
  }

  Expr Modulo() {
    Expr left = IntegerDivision();
    while (TakeWord("MOD")) left = WholeNumberOperation(left, "%", IntegerDivision());
    return left;
  }

  Expr IntegerDivision() {
    Expr left = Multiplicative();
    while (TakeSymbol("\\")) left = WholeNumberOperation(left, "/", Multiplicative());
    return left;
  }

  Expr Multiplicative() {
    Expr left = Unary();
    for (;;) {
      if (TakeSymbol("*")) {
        left = Computed("(" + left.sql + " * " + Unary().sql + ")", ValueType::Number);
      } else if (TakeSymbol("/")) {
        // Jet divides as doubles; SQLite would divide two integers as integers.
        left = Computed("(1.0 * " + left.sql + " / " + Unary().sql + ")", ValueType::Number);
      } else {
        return left;
      }
    }
  }

  Expr Unary() { return Signed(&Translator::Power); }

  Expr Signed(Expr (Translator::*operand)()) {
    int minus = 0;
    for (;;) {
      if (TakeSymbol("-")) {
        ++minus;
      } else if (!TakeSymbol("+")) {
        break;
      }
    }
    Expr e = (this->*operand)();
    for (; minus > 0; --minus) e = Negated(e);
    return e;
  }

  // The space after "-" keeps a following "-" from forming an SQL comment.
  static Expr Negated(const Expr& operand) {
    Expr e = Computed("(- " + operand.sql + ")", ValueType::Number);
    if (operand.literal) e.literal = -*operand.literal;
    return e;
  }

  // Jet's ^ groups from the left and takes a signed exponent (2 ^ -1).
  Expr Power() {
    Expr left = Primary();
    while (TakeSymbol("^")) {
      const Expr exponent = Signed(&Translator::Primary);
      left = Computed("jet_power(" + left.sql + ", " + exponent.sql + ")", ValueType::Number);
    }
    return left;
  }

  Expr Primary() {
    const Token& t = Peek();
    switch (t.type) {
      case TokenType::Number: {
        Expr e = Computed(Take().text, ValueType::Number);
        if (std::isfinite(t.value)) e.literal = t.value;
        return e;
      }
      case TokenType::Date: {
        Expr e = Computed(FormatReal(t.value), ValueType::Number);
        e.literal = t.value;
        Take();
        return e;
      }
      case TokenType::Text:
        return Computed(QuoteText(Take().text), ValueType::Text);
      case TokenType::Symbol:
        if (AtSymbol("(")) return Parenthesised();
        break;
      case TokenType::Name:
      case TokenType::QuotedName:
        return NameOrCall();
      case TokenType::End:
        break;
    }
    Unexpected();
  }

  Expr Parenthesised() {
    Take();
    if (AtWord("SELECT")) {
      Expr e = Computed("(" + Select() + ")", ValueType::Unknown);
      ExpectSymbol(")");
      return e;
    }
    Expr e = Expression();
    ExpectSymbol(")");
    e.sql = "(" + e.sql + ")";
    return e;
  }

  Expr NameOrCall() {
    const Token& t = Peek();
    if (t.type == TokenType::Name) {
      if (EqualsIgnoringCase(t.text, "NULL")) {
        Take();
        return Computed("NULL", ValueType::Unknown);
      }
      if (EqualsIgnoringCase(t.text, "TRUE")) return Literal(-1);
      if (EqualsIgnoringCase(t.text, "FALSE")) return Literal(0);
      if (EqualsIgnoringCase(t.text, "EXISTS")) {
        Take();
        ExpectSymbol("(");
        Expr e = Computed("EXISTS (" + Select() + ")", ValueType::Number);
        ExpectSymbol(")");
        return e;
      }
      if (AtSymbol("(", 1)) return Call();
    }
    return Column();
  }

  Expr Literal(int value) {
    Take();
    Expr e = Computed(std::to_string(value), ValueType::Number);
    e.literal = value;
    return e;
  }

  Expr Column() {
    const std::string first = TakeName();
    Expr e;
    e.isColumn = true;
    if (!TakeSymbol(".")) {
      e.sql = QuoteIdentifier(first);
      return e;
    }
    const std::string column = TakeQualifiedPart();
    e.sql = QuoteIdentifier(first) + "." + QuoteIdentifier(PhysicalColumn(first, column));
    return e;
  }

  Expr Call() {
    const Token& name = Take();
    const FunctionMapping* f = FindFunction(name.text);
    if (f == nullptr) Fail(name.offset, "unknown function " + name.text);
    ExpectSymbol("(");
    std::vector<Expr> args;
    if (f->takesStar && TakeSymbol("*")) {
      args.push_back(Computed("*", ValueType::Unknown));
    } else if (!AtSymbol(")")) {
      do {
        args.push_back(Expression());
      } while (TakeSymbol(","));
    }
    ExpectSymbol(")");
    const auto count = static_cast<int>(args.size());
    if (count < f->minArgs || count > f->maxArgs) {
      Fail(name.offset, "wrong number of arguments to " + name.text);
    }
    std::string sql = std::string(f->sqlite) + "(";
    for (std::size_t i = 0; i < args.size(); ++i) sql += (i == 0 ? "" : ", ") + args[i].sql;
    Expr e = Computed(sql + ")", f->type);
    if (f->sqlite == "jet_int" && args[0].isColumn) e.floorOf = args[0].sql;
    return e;
  }

  std::vector<Token> tokens_;
  std::size_t pos_ = 0;
  int depth_ = 0;
};

}  // namespace

JetTranslation TranslateJetSql(std::string_view jet) {
  JetTranslation result;
  if (jet.size() > kMaxStatementBytes) {
    result.error = "statement longer than 64000 bytes";
    return result;
  }
  try {
    Translator translator(Lexer(jet).Tokens());
    result.sql = translator.Statement();
    result.ok = true;
  } catch (const TranslationError& e) {
    result.error = e.message;
  } catch (const std::bad_alloc&) {
    result.error = "out of memory";
  }
  return result;
}

}  // namespace records
