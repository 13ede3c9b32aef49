#include "settings/CQMVComboData.h"

#include <algorithm>
#include <span>

#include "settings/CArchive.h"
#include "settings/CSettingsFile.h"
#include "settings/FileError.h"
#include "settings/SettingsFiles.h"
#include "text/Cp932.h"

namespace settings {

namespace {

struct DefaultEntry {
  std::string_view text;
  bool editable;
};

constexpr DefaultEntry kRirekiTypeDefaults[] = {
    {"DM", false},       {"DMメール送信", false}, {"問い合わせ", false},   {"購入", false},
    {"クレーム", false}, {"メール送信", false},   {"フォーム印刷", false},
};
constexpr DefaultEntry kRirekiWordDefaults[] = {{"商品１", true}, {"商品２", true}, {"商品３", true}};
constexpr DefaultEntry kDMTypeDefaults[] = {
    {"DM", false},     {"年賀", false},       {"お中元", false},
    {"お歳暮", false}, {"暑中見舞い", false}, {"寒中見舞い", false},
};
constexpr DefaultEntry kImportantDefaults[] = {
    {"VIP", false}, {"特A", true}, {"A", true}, {"B", true}, {"C", true}, {"ブラックリスト", false},
};
constexpr DefaultEntry kPayMethodDefaults[] = {{"現金", false}, {"小切手", false}, {"振込み", false}, {"手形", false}};
constexpr DefaultEntry kCompTypeDefaults[] = {{"製造業", true}, {"流通業", true}};

struct ListInfo {
  std::string_view file;
  std::size_t limit;
  std::span<const DefaultEntry> defaults;
  std::string_view name;  // for lists 4 and 5 the factory label of their ranking column
};

const ListInfo kLists[CQMVComboData::kListCount] = {
    {"RirekiType.dat", 100, kRirekiTypeDefaults, "履歴の概要"},
    {"RirekiWord.dat", 255, kRirekiWordDefaults, "履歴の検索キーワード"},
    {"DMType.dat", 50, kDMTypeDefaults, "DM送付予定の内容"},
    {"KImportant.dat", 50, kImportantDefaults, "顧客情報の重要度ランク"},
    {"KRank1.dat", 50, {}, "ランク１"},
    {"KRank2.dat", 50, {}, "ランク２"},
    {"KPayMeth.dat", 50, kPayMethodDefaults, "顧客情報の支払方法"},
    {"KCompType.dat", 50, kCompTypeDefaults, "顧客情報の会社業種"},
    {"Tantou.dat", 30, {}, "自社担当者"},
};

bool IsList(int list) { return list >= 0 && list < CQMVComboData::kListCount; }

std::string BrokenFileQuestion(const std::filesystem::path& file) {
  return "設定ファイル<" + file.string() + ">が壊れています。初期状態にしてよろしいですか？";
}

}  // namespace

CQMVComboData::CQMVComboData(ui::Ui& ui, std::filesystem::path install) : ui_(ui), install_(std::move(install)) {}

void CQMVComboData::Serialize(CArchive& ar) { ar.Exchange(entries_); }

int CQMVComboData::Load(int list) {
  RemoveAll();
  loaded_ = false;
  list_ = list;
  path_.clear();
  if (!IsList(list)) return 0;
  path_ = DataFolderFile(install_, kLists[list].file);
  if (path_.empty()) return 0;

  switch (ReadSettings(path_, [this](CArchive& ar) { Serialize(ar); })) {
    case ReadOutcome::Loaded:
      std::erase(entries_, nullptr);  // a null reference holds no entry to show
      loaded_ = true;
      return 1;
    case ReadOutcome::Missing:
      return LoadDefaults();
    case ReadOutcome::CannotOpen:
      return AskToReset();
    case ReadOutcome::Failed:
      RemoveAll();
      ui_.Tell(kFileErrorMessage);
      return AskToReset();
  }
  return 0;
}

// Replacing a file the user may still want back is their decision.
int CQMVComboData::AskToReset() {
  if (!ui_.Ask(BrokenFileQuestion(path_), ui::Answer::No, ui::Icon::Information)) return 0;
  return LoadDefaults();
}

int CQMVComboData::LoadDefaults() {
  RemoveAll();
  for (const DefaultEntry& entry : kLists[list_].defaults) {
    entries_.push_back(std::make_shared<CQMVComboElem>(std::string(entry.text), entry.editable));
  }
  loaded_ = true;
  if (Save() == 0) {
    loaded_ = false;
    return 0;
  }
  return 1;
}

int CQMVComboData::Save() {
  if (!loaded_ || path_.empty()) return 0;
  try {
    CSettingsFile::Store(path_, *this);
    return 1;
  } catch (const FileError&) {
    return 0;
  }
}

int CQMVComboData::AddEntry(std::string_view text) {
  if (!loaded_ || text.empty() || text::Cp932Length(text) > TextLimit(list_)) return 0;
  entries_.push_back(std::make_shared<CQMVComboElem>(std::string(text), true));
  const int saved = Save();
  if (saved == 0) entries_.pop_back();  // memory stays what the file holds
  return saved;
}

bool CQMVComboData::Contains(std::string_view text) const {
  return std::any_of(entries_.begin(), entries_.end(), [text](const auto& e) { return e && e->GetText() == text; });
}

std::string_view CQMVComboData::FileName(int list) { return IsList(list) ? kLists[list].file : std::string_view{}; }

std::size_t CQMVComboData::TextLimit(int list) { return IsList(list) ? kLists[list].limit : 0; }

std::string CQMVComboData::DisplayName(int list, std::string_view rankingLabel) {
  if (!IsList(list)) return {};
  if (list != kRank1 && list != kRank2) return std::string(kLists[list].name);
  return "顧客情報の" + std::string(rankingLabel.empty() ? kLists[list].name : rankingLabel);
}

}  // namespace settings
