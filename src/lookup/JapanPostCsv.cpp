#include "lookup/JapanPostCsv.h"

#include <algorithm>
#include <array>

#include "lookup/CsvLine.h"
#include "text/Cp932.h"

namespace lookup {
namespace {

constexpr std::string_view kOpen = "（";
constexpr std::string_view kClose = "）";
constexpr std::size_t kKenAllColumns = 15;
constexpr std::size_t kJigyosyoColumns = 13;

bool IsPostalCode(std::string_view zip) {
  return zip.size() == 7 && std::all_of(zip.begin(), zip.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// A note that tells how the list is arranged rather than where the address is.
bool IsRemark(std::string_view note) {
  static constexpr std::array<std::string_view, 6> kRemarks = {"次のビルを除く", "地階・階層不明", "その他",
                                                              "番地",           "丁目",           "無番地"};
  if (std::find(kRemarks.begin(), kRemarks.end(), note) != kRemarks.end()) return true;
  return Contains(note, "を除く") || Contains(note, "以外") || Contains(note, "以下に掲載がない場合") ||
         Contains(note, "次に番地がくる場合");
}

bool IsWholeCity(std::string_view city, std::string_view town) {
  if (town == "以下に掲載がない場合") return true;
  if (town.ends_with("の次に番地がくる場合")) return true;
  return town.size() == city.size() + std::string_view("一円").size() && town.starts_with(city) &&
         town.ends_with("一円");
}

std::vector<std::string_view> DecodedLines(std::string_view cp932, std::string& holder) {
  holder = text::FromCp932(cp932);
  return SplitLines(holder);
}

}  // namespace

std::pair<std::string, std::string> SplitTownName(std::string_view city, std::string_view town) {
  if (IsWholeCity(city, town)) return {};
  const std::size_t open = town.find(kOpen);
  if (open == std::string_view::npos) return {std::string(town), {}};
  std::string head(town.substr(0, open));
  std::string_view note = town.substr(open + kOpen.size());
  const std::size_t close = note.rfind(kClose);
  if (close != std::string_view::npos) note = note.substr(0, close);
  if (IsRemark(note)) return {std::move(head), {}};
  return {std::move(head), std::string(note)};
}

CPostalReadResult ReadKenAll(std::string_view cp932) {
  std::string decoded;
  const std::vector<std::string_view> lines = DecodedLines(cp932, decoded);
  CPostalReadResult result;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::vector<std::string> fields = SplitCsvLine(lines[i]);
    if (fields.size() < kKenAllColumns || !IsPostalCode(fields[2]) || PrefectureCode(fields[6]) == 0) {
      ++result.skippedLines;
      continue;
    }
    std::string town = fields[8];
    // A name cut over several records: the following records of the same code carry the rest.
    while (Contains(town, kOpen) && !Contains(town, kClose) && i + 1 < lines.size()) {
      const std::vector<std::string> next = SplitCsvLine(lines[i + 1]);
      if (next.size() < kKenAllColumns || next[2] != fields[2]) break;
      town += next[8];
      ++i;
    }
    auto [name, block] = SplitTownName(fields[7], town);
    result.records.push_back({fields[2], fields[6], fields[7], std::move(name), std::move(block), {}});
  }
  return result;
}

CPostalReadResult ReadJigyosyo(std::string_view cp932) {
  std::string decoded;
  CPostalReadResult result;
  for (std::string_view line : DecodedLines(cp932, decoded)) {
    std::vector<std::string> f = SplitCsvLine(line);
    if (f.size() < kJigyosyoColumns || !IsPostalCode(f[7]) || PrefectureCode(f[3]) == 0) {
      ++result.skippedLines;
      continue;
    }
    result.records.push_back({f[7], f[3], f[4], f[5], f[6], f[2]});
  }
  return result;
}

}  // namespace lookup
