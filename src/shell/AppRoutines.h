#pragma once
// Routines of the application shared by many screens: folder-path classes, the data files of a
// data folder, the UI font description, input-method hints and the lookups at start.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

// 1 ordinary folder path without a final separator, 2 with one, 3 a drive root without one ("C:")
// or a path of one character, 4 a drive root with one ("C:\") or "/" or "\" alone. Both "/" and "\"
// count as separators; the text is UTF-8, so a "\" is never the second byte of a kanji.
int ClassifyFolderPath(std::string_view path);

// The path without its final separator when ClassifyFolderPath gives 2 or 4.
std::string WithoutFinalSeparator(std::string_view path);

// Mode 1 or 2: the names of the files a data folder holds, in their fixed order; otherwise none.
void ListDataFiles(int mode, std::vector<std::string>& list);

// A font as the views should create it (the Qt side maps the face to a Japanese Gothic).
struct UIFont {
  std::string face;
  int height = 18;
  int width = 0;
  int weight = 400;
  bool italic = false, underline = false, strikeout = false;
  friend bool operator==(const UIFont&, const UIFont&) = default;
};

// Height 0 means 18; bold means weight 700; a face of 32 bytes or more is replaced by the default.
UIFont CreateUIFont(std::string_view face, int height, int width, bool bold, int weight, bool italic,
                    bool underline, bool strikeout);

inline constexpr std::string_view kDefaultFace = "ＭＳ Ｐゴシック";
inline constexpr std::string_view kFixedFace = "ＭＳ ゴシック";

// What an input field asks of the input method: closed, full-width hiragana or half-width katakana.
enum class ImeMode { Closed, Hiragana, HalfKatakana };
ImeMode SetImeMode(bool open, bool halfKana);

// The version of the list and tree controls as major * 65536 + minor; Qt's widgets behave as the
// newest common controls, 6.0.
std::int32_t GetCommonControlsVersion();

// The About box text for a version number: 100 gives "顧客ソレル\nVersion 1.00".
std::string AboutText(int versionNumber);

}  // namespace shell
