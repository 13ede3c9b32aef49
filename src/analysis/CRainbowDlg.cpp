#include "analysis/CRainbowDlg.h"

#include <algorithm>

#include "lookup/CLookupFacility.h"
#include "platform/InstallLayout.h"
#include "platform/RunProgram.h"
#include "shell/CTovanaDoc.h"

namespace analysis {

namespace {

constexpr const char* kCaptions[kKindCount] = {"お得意様は誰？", "”旬”な顧客は誰？", "アプローチ候補は誰？", "DMヒット率分析",
                                               "ローラー作戦",   "履歴金額について", "取引先チェック"};
constexpr const char* kPageTexts[kKindCount] = {
    "指定した履歴概要が多く登録されている顧客を調べます",
    "指定した履歴概要の登録が新しい顧客を調べます",
    "指定した履歴概要を最後に登録した日からの経過日数が長い顧客を調べます",
    "発送済みDMタイトルを、以下の条件で分析します。",
    "郵便番号・住所から顧客を抽出します。\n(住所等が正確に登録されていないと抽出できない場合があります)",
    "履歴に登録してある金額を集計して、該当する顧客をリストアップします。",
    "主要取引先や取引銀行に登録されている情報を検索します。\n気になる企業名などを入力してください。それらが登録されている顧客をすべて表示します。"};

bool IsKind(int kind) { return kind >= 1 && kind <= kKindCount; }

// A dictionary code "1234567" as people write it, "123-4567".
std::string ZipWithHyphen(const std::string& zip) { return zip.size() == 7 ? zip.substr(0, 3) + "-" + zip.substr(3) : zip; }

}  // namespace

const char* CRainbowDlg::ButtonCaption(int kind) { return IsKind(kind) ? kCaptions[kind - 1] : ""; }
const char* CRainbowDlg::PageText(int kind) { return IsKind(kind) ? kPageTexts[kind - 1] : ""; }

CRainbowDlg::CRainbowDlg(ui::Ui& ui, shell::CTovanaDoc* doc, std::filesystem::path install, lookup::CLookupFacility* lookups,
                         int kind, bool dmOnly)
    : ui_(ui), doc_(doc), install_(std::move(install)), lookups_(lookups), kind_(dmOnly ? kDMHit : IsKind(kind) ? kind : kRegulars),
      dmOnly_(dmOnly) {}

void CRainbowDlg::Open() { SelectKind(kind_); }

void CRainbowDlg::SelectKind(int kind) {
  if (!IsKind(kind) || !KindEnabled(kind)) return;
  kind_ = kind;
  focus_ = Focus::None;
  switch (kind) {
    case kRegulars: regulars = RegularsInput(); break;
    case kRecent: recent = RecentInput(); break;
    case kApproach: approach = ApproachInput(); break;
    case kDMHit: OpenDMPage(); break;
    case kRoller: OpenRollerPage(); break;
    case kAmount: amount = AmountInput(); break;
    case kMerchants:
      nameEntry.clear();
      names_.clear();
      nameRow_ = -1;
      break;
  }
}

// --- Page 4 ---

void CRainbowDlg::OpenDMPage() {
  dmHit = DMHitInput();
  dmHit.period = DMHitInput::kNoLimit;
  dmTexts_.clear();
  dmIds_.clear();
  dmRow_ = -1;
  records::DMTitleList titles;
  if (doc_ && doc_->Store().GetAllDMTitle(titles) == 0) ui_.Tell("DM送付情報を取得できませんでした");
  const std::int32_t chosen = doc_ ? doc_->Analysis().dmId : 0;
  for (const auto& title : titles) {
    if (!title || title->Sent != 1) continue;
    if (title->ID == chosen) dmRow_ = static_cast<int>(dmIds_.size());
    dmTexts_.push_back(title->SendDate.Format() + " " + title->Title);
    dmIds_.push_back(title->ID);
  }
  if (dmIds_.empty()) dmTexts_.push_back(kNoSentDM);
  dmHit.dmId = dmRow_ >= 0 ? dmIds_[static_cast<std::size_t>(dmRow_)] : 0;
}

void CRainbowDlg::SelectDMTitle(int row) {
  dmRow_ = row >= 0 && row < static_cast<int>(dmIds_.size()) ? row : -1;
  dmHit.dmId = dmRow_ >= 0 ? dmIds_[static_cast<std::size_t>(dmRow_)] : 0;
}

// --- Page 5 ---

void CRainbowDlg::OpenRollerPage() {
  for (auto& level : levels_) level.clear();
  levelRows_ = {-1, -1, -1, -1};
  addresses_.clear();
  addressRow_ = -1;
  rollerTarget = 0;
  dictionary_ = lookups_ && lookups_->OpenPostalDictionary(false) == 1;
  if (!dictionary_) return ui_.Tell(kNoDictionary);
  levels_[0] = lookups_->PostalDictionary().Prefectures();
}

void CRainbowDlg::SelectLevel(int level, int row) {
  if (level < 0 || level >= kLevels || !dictionary_) return;
  const auto& entries = levels_[static_cast<std::size_t>(level)];
  levelRows_[static_cast<std::size_t>(level)] = row >= 0 && row < static_cast<int>(entries.size()) ? row : -1;
  for (int below = level + 1; below < kLevels; ++below) {
    levels_[static_cast<std::size_t>(below)].clear();
    levelRows_[static_cast<std::size_t>(below)] = -1;
  }
  if (levelRows_[static_cast<std::size_t>(level)] < 0 || level + 1 >= kLevels) return;
  const auto name = [this](int l) {
    return levels_[static_cast<std::size_t>(l)][static_cast<std::size_t>(levelRows_[static_cast<std::size_t>(l)])].name;
  };
  lookup::CMultiDB& db = lookups_->PostalDictionary();
  auto& next = levels_[static_cast<std::size_t>(level + 1)];
  if (level == 0) next = db.Cities(name(0));
  if (level == 1) next = db.Towns(name(0), name(1));
  if (level == 2) next = db.Blocks(name(0), name(1), name(2));
}

AddressRow CRainbowDlg::CurrentAddress() const {
  AddressRow row;
  std::string* parts[kLevels] = {&row.prefecture, &row.city, &row.town, &row.block};
  for (int level = 0; level < kLevels; ++level) {
    const int r = levelRows_[static_cast<std::size_t>(level)];
    if (r < 0) break;
    const lookup::CPostalLevelEntry& entry = levels_[static_cast<std::size_t>(level)][static_cast<std::size_t>(r)];
    *parts[level] = WithoutNotes(entry.name);
    if (!entry.zip.empty()) row.zip = ZipWithHyphen(entry.zip);
  }
  return row;
}

std::string CRainbowDlg::ZipText() const {
  const AddressRow row = CurrentAddress();
  return row.zip.empty() ? std::string() : "〒" + row.zip;
}

void CRainbowDlg::OnAddAddress() {
  if (addresses_.size() >= kMaxAddresses) return ui_.Tell("追加できる住所は10個までです。");
  const AddressRow row = CurrentAddress();
  if (row.prefecture.empty()) return ui_.Tell("住所を選択してください");
  if (std::find(addresses_.begin(), addresses_.end(), row) != addresses_.end()) {
    return ui_.Tell("既に同じ住所が追加されています。");
  }
  addresses_.push_back(row);
}

void CRainbowDlg::OnRemoveAddress() {
  if (addressRow_ < 0) return;
  addresses_.erase(addresses_.begin() + addressRow_);
  addressRow_ = -1;
}

// --- Page 7 ---

void CRainbowDlg::OnAddName() {
  focus_ = Focus::Names;
  if (nameEntry.empty()) return ui_.Tell("リストに追加する名前を入力してください");
  if (std::find(names_.begin(), names_.end(), nameEntry) != names_.end()) return ui_.Tell("同じ名前がすでに登録されています");
  if (names_.size() >= kMaxNames) return ui_.Tell("すでに5個の名前が登録されています。\nこれ以上登録できません。");
  names_.push_back(nameEntry);
  nameEntry.clear();
}

void CRainbowDlg::OnRemoveName() {
  if (nameRow_ < 0) return ui_.Tell("リストから削除する名前を選択してください");
  names_.erase(names_.begin() + nameRow_);
  nameRow_ = -1;
}

// --- Running ---

std::optional<Statement> CRainbowDlg::Build() {
  Refusal refusal;
  std::optional<Statement> statement;
  switch (kind_) {
    case kRegulars: statement = BuildRegulars(regulars, ui_, refusal); break;
    case kRecent: statement = BuildRecent(recent, ui_, refusal); break;
    case kApproach:
      approach.today = records::COleDate::Now();
      statement = BuildApproach(approach, ui_, refusal);
      break;
    case kDMHit: statement = BuildDMHit(dmHit, ui_, refusal); break;
    case kRoller: statement = BuildRoller(addresses_, ui_, refusal); break;
    case kAmount: statement = BuildAmount(amount, ui_, refusal); break;
    case kMerchants: statement = BuildMerchants(names_, ui_, refusal); break;
  }
  focus_ = refusal.focus;
  return statement;
}

void CRainbowDlg::OnRun() {
  focus_ = Focus::None;
  if (!doc_) return ui_.Tell(kNoDatabase);
  if (kind_ == kRoller && rollerTarget == 1) return StartZonaly();
  const std::optional<Statement> statement = Build();
  if (!statement) return;
  if (RunStatement(*statement)) EndDialog(true);
}

bool CRainbowDlg::RunStatement(const Statement& statement) {
  doc_->ClearAnalysis();
  shell::AnalysisResult result;
  int rc = 0;
  {
    const ui::WaitScope wait = ui_.Wait();
    if (statement.kind == kRegulars || statement.kind == kRecent || statement.kind == kApproach || statement.kind == kAmount) {
      rc = doc_->Store().QueryRainbow(statement.kind, statement.sql, result.hits, statement.limit);
    } else {
      rc = doc_->Store().ExtractKokyaku(statement.sql, result.ids);
    }
  }
  if (rc == -1) {
    ui_.Tell(kFailed);
    doc_->ClearAnalysis();
    return false;
  }
  result.kind = statement.kind;
  if (statement.kind == kDMHit) result.dmId = dmHit.dmId;
  doc_->Analysis() = std::move(result);
  return true;
}

void CRainbowDlg::StartZonaly() {
  if (addresses_.empty()) {
    focus_ = Focus::Addresses;
    return ui_.Tell("抽出する住所がリストに追加されていません。\n少なくとも一つはリストに追加してください。");
  }
  if (addresses_.size() > 1 && !ui_.Ask("電話帳から抽出できる住所は一件だけです。\nいちばん上の住所を検索します。よろしいですか？")) return;
  const std::string& zip = addresses_.front().zip;
  // Characters, not bytes: a code typed in full width counts as many as in half width.
  std::size_t characters = 0;
  for (unsigned char c : zip) characters += (c & 0xC0) != 0x80;
  if (characters < 3) {
    focus_ = Focus::Addresses;
    return ui_.Tell("電話帳から住所を抽出するには、3桁以上の郵便番号が設定されている必要があります。\n住所を選びなおしてください。\n");
  }
  doc_->ClearAnalysis();
  if (platform::RunProgram(platform::ProgramFolder(install_) / "Zonaly", " /Z:" + zip) == 0) {
    return ui_.Tell("エリアマーケティングツールを起動できませんでした。\n");
  }
  EndDialog(true);  // the area-marketing program takes over; no customer result
}

void CRainbowDlg::OnCancel() {
  if (!dmOnly_ && doc_) doc_->ClearAnalysis();
  EndDialog(false);
}

int RunRainbowDialog(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install, lookup::CLookupFacility* lookups,
                     int kind, bool dmOnly) {
  CRainbowDlg dialog(ui, &doc, install, lookups, kind, dmOnly);
  dialog.Open();
  if (!ui.Run(dialog)) return -1;
  const int result = doc.Analysis().kind;
  return IsKind(result) ? result : -1;
}

bool RunDMHitRate(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install, std::int32_t dmId) {
  doc.ClearAnalysis();
  doc.Analysis().dmId = dmId;
  return RunRainbowDialog(ui, doc, install, nullptr, kDMHit, true) == kDMHit;
}

}  // namespace analysis
