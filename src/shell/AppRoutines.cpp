#include "shell/AppRoutines.h"

#include <cstdio>

#include "records/CQmvFile.h"
#include "settings/CDefKokyaku.h"
#include "settings/CDefaultSort.h"
#include "settings/CExtract.h"
#include "settings/CQMVColSet.h"
#include "settings/CQMVComboData.h"
#include "settings/CQMVDispKokyakuCol.h"
#include "text/Cp932.h"

namespace shell {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveRoot(std::string_view withoutFinal) { return withoutFinal.size() == 2 && withoutFinal[1] == ':'; }

}  // namespace

int ClassifyFolderPath(std::string_view path) {
  const bool final = !path.empty() && IsSeparator(path.back());
  const std::string_view rest = final ? path.substr(0, path.size() - 1) : path;
  if (final) return rest.empty() || IsDriveRoot(rest) ? 4 : 2;
  if (IsDriveRoot(rest) || text::Cp932Length(rest) <= 1) return 3;
  return 1;
}

std::string WithoutFinalSeparator(std::string_view path) {
  const int kind = ClassifyFolderPath(path);
  if (kind == 2 || kind == 4) path.remove_suffix(1);
  return std::string(path);
}

void ListDataFiles(int mode, std::vector<std::string>& list) {
  list.clear();
  if (mode != 1 && mode != 2) return;
  // Each name comes from the owner of its file: the database, the columns, the nine choice lists
  // in their numbered order, the saved extractions, the pre-extraction and the default order.
  list = {records::CQmvFile::kDatabaseName, std::string(settings::CQMVColSet::kFileName),
          std::string(settings::CQMVDispKokyakuCol::kFileName)};
  for (int choices = 0; choices < settings::CQMVComboData::kListCount; ++choices) {
    list.emplace_back(settings::CQMVComboData::FileName(choices));
  }
  list.insert(list.end(), {settings::CExtract::kFileName, settings::CDefKokyaku::kFileName,
                           settings::CDefaultSort::kFileName});
}

UIFont CreateUIFont(std::string_view face, int height, int width, bool bold, int weight, bool italic,
                    bool underline, bool strikeout) {
  UIFont font;
  font.face = !face.empty() && text::Cp932Length(face) < 32 ? std::string(face) : std::string(kDefaultFace);
  font.height = height == 0 ? 18 : height;
  font.width = width;
  font.weight = bold ? 700 : weight;
  font.italic = italic, font.underline = underline, font.strikeout = strikeout;
  return font;
}

ImeMode SetImeMode(bool open, bool halfKana) {
  if (!open) return ImeMode::Closed;
  return halfKana ? ImeMode::HalfKatakana : ImeMode::Hiragana;
}

std::int32_t GetCommonControlsVersion() { return 6 * 65536 + 0; }

std::string AboutText(int versionNumber) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%3d", versionNumber);
  const std::string n = digits;
  return "顧客ソレル\nVersion " + n.substr(0, 1) + "." + n.substr(n.size() - 2);
}

}  // namespace shell
