#pragma once
// Delimited text: the reader of "テキスト（*.csv/*.txt）データ". Bytes are parsed one by one under
// the quote rules; in CP932 text the second byte of a two-byte character is never taken for a
// delimiter, a quote or a line end. UTF-8 text is recognised by its BOM or by being valid UTF-8.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "io/ImportTable.h"

namespace io {

inline constexpr const char* kTextMalformed = "テキストファイルの形式が正しくありません。\nファイルの読み込みを中止します。";
inline constexpr const char* kTextUnreadable = "ファイルの読み込みができませんでした";
inline constexpr const char* kOutOfMemory = "メモリ不足です";
// A CP932 file holding bytes that are no character: reported, never read as "?".
inline constexpr const char* kTextBadCharacter =
    "%d行目に、読み込めない文字（Shift-JISにない文字）があります。\nファイルの読み込みを中止します。";
// How much of the file the delimiter dialog shows.
inline constexpr std::size_t kPreviewBytes = 62464;

enum class TextEncoding { Cp932, Utf8 };

// UTF-8 when the bytes start with its BOM, or are valid UTF-8 and hold a byte above 0x7F; else CP932.
TextEncoding DetectEncoding(std::string_view bytes);

// Called every 1,000 rows with the rows read so far; false stops the reading (no rows come back).
using RowProgress = std::function<bool(std::size_t rows)>;

// The rows table of delimited text: a header row "", "F1"... "Fn", then each row with its row
// number as label. A row ends at CR LF outside quotes (in a file that has no CR LF at all, at LF);
// every row must have as many cells as the first. Malformed text gives kTextMalformed and no rows.
// A cancel through progress gives no rows and an empty error with cancelled set.
struct TextParse {
  ImportRead read;
  bool cancelled = false;
};
TextParse ParseDelimited(std::string_view bytes, char delimiter, const RowProgress& progress = {});

// Reads the whole file and parses it.
TextParse ReadDelimitedFile(const std::filesystem::path& file, char delimiter, const RowProgress& progress = {});

// The head of the file the delimiter dialog shows, as UTF-8 (at most kPreviewBytes of the file,
// never cutting a character); nullopt-like empty error on success.
struct TextPreview {
  std::string text;
  std::string error;
};
TextPreview ReadPreview(const std::filesystem::path& file);

}  // namespace io
