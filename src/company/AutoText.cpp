#include "company/AutoText.h"

#include "platform/DurableFile.h"
#include "settings/ArchiveError.h"
#include "settings/CArchive.h"
#include "settings/CMemoryStream.h"
#include "settings/CSettingsFile.h"
#include "settings/FileError.h"
#include "text/Utf8.h"
#include "text/Width.h"

namespace company {

namespace {

constexpr const char* kKanjiDigits[] = {"〇", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
constexpr const char* kFullDigits[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};

template <typename Digit>
std::string NumberForm(std::string_view utf8, std::string_view hyphen, Digit digit) {
  std::string out;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t cp = text::NextCodePoint(utf8, pos);
    if (cp == U'-') {
      out += hyphen;
    } else if (cp >= U'0' && cp <= U'9') {
      out += digit(cp - U'0');
    } else {
      out += digit(0);
    }
  }
  return out;
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size())) {
    text.replace(pos, from.size(), to);
  }
  return text;
}

}  // namespace

std::filesystem::path AutoTextFolder(const std::filesystem::path& install) { return install / "Data" / "Other"; }

std::string EncodeAutoText(std::string_view utf8) {
  settings::CMemoryStream stream;
  settings::CArchive ar(stream, settings::CArchive::Mode::Store);
  ar.StoreString(utf8);
  ar.Close();
  return stream.Bytes();
}

std::optional<std::string> ReadAutoText(const std::filesystem::path& folder, std::string_view name) {
  std::optional<std::string> value;
  try {
    settings::CSettingsFile::Load(folder / name, [&value](settings::CArchive& ar) {
      std::string text = ar.LoadString();
      if (ar.IsAtEnd()) value = std::move(text);
    });
  } catch (const settings::FileError&) {
    return std::nullopt;
  } catch (const settings::ArchiveError&) {
    return std::nullopt;
  }
  return value;
}

bool WriteAutoTexts(const std::filesystem::path& folder, const std::vector<AutoText>& files, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  std::vector<platform::FileBytes> bytes;
  bytes.reserve(files.size());
  for (const auto& [name, value] : files) bytes.emplace_back(folder / name, EncodeAutoText(value));
  return platform::WriteFilesDurably(bytes, error);
}

std::string VerticalNumber(std::string_view utf8) {
  return NumberForm(utf8, "-", [](char32_t d) { return kKanjiDigits[d]; });
}

std::string FullWidthNumber(std::string_view utf8) {
  return NumberForm(utf8, "－", [](char32_t d) { return kFullDigits[d]; });
}

std::string VerticalAddress(std::string_view utf8) {
  std::string out = ReplaceAll(std::string(utf8), "－", "-");
  out = text::DigitsToKanji(out);
  out = text::AsciiLettersToFullWidth(out);
  out = text::HalfKanaToFullWidth(out);
  return text::MergeVoicingMarks(out);
}

}  // namespace company
