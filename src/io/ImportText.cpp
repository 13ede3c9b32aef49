#include "io/ImportText.h"

#include <algorithm>
#include <fstream>
#include <optional>

#include "text/Cp932.h"
#include "text/Cp932Typed.h"
#include "text/Format.h"
#include "text/Utf8.h"

namespace io {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

bool IsValidUtf8(std::string_view bytes, bool& anyHigh) {
  anyHigh = false;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const auto c = static_cast<unsigned char>(bytes[pos]);
    if (c < 0x80) {
      ++pos;
      continue;
    }
    anyHigh = true;
    const std::size_t start = pos;
    const char32_t cp = text::NextCodePoint(bytes, pos);
    // A malformed byte decodes as U+FFFD one byte long; a real U+FFFD is three bytes.
    if (cp == text::kReplacement && bytes.substr(start, 3) != kReplacementUtf8) return false;
  }
  return true;
}

// The text without a UTF-8 character that the end of the buffer cut short.
std::string_view WithoutCutUtf8(std::string_view s) {
  std::size_t i = s.size(), continuation = 0;
  while (continuation < 3 && i > 0 && (static_cast<unsigned char>(s[i - 1]) & 0xC0) == 0x80) --i, ++continuation;
  if (i == 0) return s;
  const auto lead = static_cast<unsigned char>(s[i - 1]);
  if (lead < 0xC0) return s;
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  return continuation + 1 < length ? s.substr(0, i - 1) : s;
}

std::optional<std::string> ReadWhole(const std::filesystem::path& file, std::size_t limit = std::string::npos) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  in.seekg(0, std::ios::end);
  const auto size = static_cast<std::size_t>(std::max<std::streamoff>(0, in.tellg()));
  in.seekg(0);
  bytes.resize(std::min(size, limit));  // may throw bad_alloc, which the callers report
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return std::nullopt;
  return bytes;
}

class Parser {
 public:
  Parser(std::string_view bytes, char delimiter, TextEncoding encoding, const RowProgress& progress)
      : bytes_(bytes), delimiter_(delimiter), cp932_(encoding == TextEncoding::Cp932), progress_(progress) {
    lfEnds_ = bytes.find("\r\n") == std::string_view::npos;
  }

  TextParse Run() {
    TextParse result;
    const std::size_t n = bytes_.size();
    std::size_t i = 0;
    bool inQuotes = false;
    bool any = false;  // something of the current row has been seen
    while (i < n) {
      const char c = bytes_[i];
      const auto u = static_cast<unsigned char>(c);
      if (cp932_ && text::IsCp932LeadByte(u) && i + 1 < n) {
        cell_.append(bytes_.substr(i, 2));
        i += 2;
        any = true;
        continue;
      }
      if (inQuotes) {
        if (c == '"') {
          if (i + 1 < n && bytes_[i + 1] == '"') {
            cell_ += '"';
            i += 2;
            continue;
          }
          inQuotes = false;
          ++i;
          // A closing quote must end the cell.
          if (i < n && bytes_[i] != delimiter_ && bytes_[i] != '\0' && LineEndAt(i) == 0) return Malformed();
          continue;
        }
        cell_ += c;
        ++i;
        continue;
      }
      if (c == delimiter_) {
        EndCell();
        any = true;
        ++i;
        continue;
      }
      if (c == '"') {
        inQuotes = true;
        any = true;
        ++i;
        continue;
      }
      if (const std::size_t end = LineEndAt(i)) {
        EndCell();
        if (!EndRow()) return Malformed();
        if (progress_ && (rows_.size() - 1) % 1000 == 0 && !progress_(rows_.size() - 1)) {
          result.cancelled = true;
          return result;
        }
        any = false;
        i += end;
        continue;
      }
      cell_ += c;
      any = true;
      ++i;
    }
    if (inQuotes) return Malformed();
    if (any || !cell_.empty()) {
      EndCell();
      if (!EndRow()) return Malformed();
    }
    if (badRow_ > 0) {
      result.read.error = text::Format(kTextBadCharacter, badRow_);
      return result;
    }
    if (rows_.size() > 1) {
      ImportRow& header = rows_.front();
      header.assign(1, std::string());
      for (std::size_t c = 1; c < width_; ++c) header.push_back(DefaultColumnName(c));
    } else {
      rows_.clear();
    }
    result.read.rows = std::move(rows_);
    return result;
  }

 private:
  // The length of the line end at i (2 for CR LF, 1 for LF in a file without CR LF), else 0.
  std::size_t LineEndAt(std::size_t i) const {
    if (bytes_[i] == '\r' && i + 1 < bytes_.size() && bytes_[i + 1] == '\n') return 2;
    if (lfEnds_ && bytes_[i] == '\n') return 1;
    return 0;
  }

  void EndCell() {
    if (row_.empty()) row_.push_back(std::to_string(rows_.size()));  // the row label, from 1
    const bool ascii = std::all_of(cell_.begin(), cell_.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (cp932_ && !ascii) {  // ASCII reads the same in both encodings: codes, numbers, dates, mail
      std::string utf8 = text::FromCp932AsTyped(cell_);
      if (badRow_ == 0 && utf8.find(kReplacementUtf8) != std::string::npos) badRow_ = static_cast<int>(rows_.size());
      row_.push_back(std::move(utf8));
    } else {
      row_.push_back(cell_);
    }
    cell_.clear();
  }

  bool EndRow() {
    if (rows_.size() == 1) {
      width_ = row_.size();
    } else if (row_.size() != width_) {
      return false;
    }
    rows_.push_back(std::move(row_));
    row_.clear();
    return true;
  }

  TextParse Malformed() {
    TextParse result;
    result.read.error = kTextMalformed;
    return result;
  }

  std::string_view bytes_;
  char delimiter_;
  bool cp932_;
  bool lfEnds_ = false;
  const RowProgress& progress_;
  ImportTable rows_{ImportRow{}};  // row 0 is the header, filled at the end
  ImportRow row_;
  std::string cell_;
  std::size_t width_ = 0;
  int badRow_ = 0;
};

}  // namespace

TextEncoding DetectEncoding(std::string_view bytes) {
  if (bytes.starts_with(kBom)) return TextEncoding::Utf8;
  bool anyHigh = false;
  return IsValidUtf8(bytes, anyHigh) && anyHigh ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

TextParse ParseDelimited(std::string_view bytes, char delimiter, const RowProgress& progress) {
  const TextEncoding encoding = DetectEncoding(bytes);
  if (bytes.starts_with(kBom)) bytes.remove_prefix(kBom.size());
  return Parser(bytes, delimiter, encoding, progress).Run();
}

TextParse ReadDelimitedFile(const std::filesystem::path& file, char delimiter, const RowProgress& progress) {
  std::optional<std::string> bytes;
  try {
    bytes = ReadWhole(file);
  } catch (const std::bad_alloc&) {
    return {ImportRead::Failed(kOutOfMemory), false};
  }
  if (!bytes) return {ImportRead::Failed(kTextUnreadable), false};
  return ParseDelimited(*bytes, delimiter, progress);
}

TextPreview ReadPreview(const std::filesystem::path& file) {
  TextPreview preview;
  std::optional<std::string> bytes;
  try {
    bytes = ReadWhole(file, kPreviewBytes);
  } catch (const std::bad_alloc&) {
    preview.error = "メモリ不足です。または、読み込みファイルが大きすぎます。";
    return preview;
  }
  if (!bytes) {
    preview.error = kTextUnreadable;
    return preview;
  }
  std::string_view head = *bytes;
  if (head.starts_with(kBom)) head.remove_prefix(kBom.size());
  const std::string_view whole = WithoutCutUtf8(head);
  if (bytes->starts_with(kBom) || DetectEncoding(whole) == TextEncoding::Utf8) {
    preview.text = std::string(whole);
    return preview;
  }
  // CP932: a lead byte left alone at the cut is dropped.
  std::size_t end = head.size();
  if (end > 0 && text::IsCp932LeadByte(static_cast<unsigned char>(head[end - 1])) && !text::IsCp932TrailByte(head, end - 1)) --end;
  preview.text = text::FromCp932AsTyped(head.substr(0, end));
  return preview;
}

}  // namespace io
