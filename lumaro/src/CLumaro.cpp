#include "lumaro/CLumaro.h"

#include <algorithm>
#include <iostream>
#include <mutex>
#include <utility>

#include "CatalogueFiles.h"
#include "CatalogueTree.h"
#include "platform/CNeritEnv.h"

namespace lumaro {

namespace fs = std::filesystem;

namespace {

// The top category and middle categories of the address-printing forms.
constexpr std::string_view kAtenaTop = "宛名印刷";
constexpr std::string_view kAtenaMiddles[] = {"シール", "はがき", "封筒"};

std::mutex& HandlerMutex() {
  static std::mutex mutex;
  return mutex;
}

CLumaro::MessageHandler& ProgramHandler() {
  static CLumaro::MessageHandler handler;
  return handler;
}

fs::path MyDataFile(const fs::path& install, const char* name) {
  if (install.empty()) return {};
  return install / "Data" / "MyData" / name;
}

std::shared_ptr<CLayoutInfo> FindByID(const CLumaro::LayoutList& layouts, std::int32_t layoutID) {
  const auto it = std::find_if(layouts.begin(), layouts.end(),
                               [layoutID](const auto& l) { return l && l->LayoutID == layoutID; });
  return it == layouts.end() ? nullptr : *it;
}

// The index of the recent entry whose path identifies that layout, or recent.size().
std::size_t FindRecent(const DaiList& recent, std::int32_t layoutID) {
  const auto it = std::find_if(recent.begin(), recent.end(), [layoutID](const auto& path) {
    if (!path) return false;
    const auto layout = PathLayout(*path);
    return layout && layout->LayoutID == layoutID;
  });
  return static_cast<std::size_t>(it - recent.begin());
}

void MoveToFront(DaiList& list, std::size_t index) {
  std::rotate(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(index),
              list.begin() + static_cast<std::ptrdiff_t>(index) + 1);
}

bool IsAtenaPlace(const LayoutPlace& place) {
  if (place.dai->Name != kAtenaTop) return false;
  return std::find(std::begin(kAtenaMiddles), std::end(kAtenaMiddles), place.chu->Name) != std::end(kAtenaMiddles);
}

}  // namespace

CLumaro::CLumaro() : CLumaro(platform::CNeritEnv().GetInstallFolder()) {}

CLumaro::CLumaro(fs::path installFolder, MessageHandler handler)
    : mainFile_(MyDataFile(installFolder, "Lumaro.dat")),
      pickUpFile_(MyDataFile(installFolder, "Original.dat")),
      recentFile_(MyDataFile(installFolder, "Recent.dat")),
      customFile_(MyDataFile(installFolder, "Custom.dat")),
      downloadFile_(MyDataFile(installFolder, "DownLoad.dat")),
      handler_(std::move(handler)) {}

CLumaro::~CLumaro() {
  ClearData();
  ClearMData();
  ClearPData();
  ClearRData();
  ClearCData();
  ClearDData();
}

void CLumaro::SetMessageHandler(MessageHandler handler) {
  const std::lock_guard lock(HandlerMutex());
  ProgramHandler() = std::move(handler);
}

void CLumaro::Tell(std::string_view text) const {
  if (handler_) {
    handler_(text);
    return;
  }
  MessageHandler program;
  {
    const std::lock_guard lock(HandlerMutex());
    program = ProgramHandler();
  }
  if (program) {
    program(text);
  } else {
    std::cerr << text << '\n';
  }
}

// ---- Files ----

int CLumaro::ReadDataFile() { return ReadMain() && ReadPickUp() && ReadRecent() && ReadCustom() ? 1 : 0; }

int CLumaro::ReadCatalogueFile() {
  switch (ReadTreeFile(mainFile_, main_)) {
    case ReadResult::Loaded:
      return 1;
    case ReadResult::Missing:
      Tell(kMainMissing);
      return 0;
    case ReadResult::CannotOpen:
      Tell(kMainCannotOpen);
      return 0;
    case ReadResult::Failed:
      break;
  }
  Tell(kFileError);
  return 0;
}

int CLumaro::ReadMain() {
  ClearData();
  ClearMData();
  if (!ReadCatalogueFile()) return 0;
  // A broken download file has been reported and is an empty tree: the catalogue still serves.
  ReadDownLoad();
  for (auto it = download_.begin(); it != download_.end();) {
    const std::size_t match = *it ? FindTop(main_, (*it)->Name) : main_.size();
    if (match == main_.size()) {
      ++it;
      continue;
    }
    MergeCategory(*main_[match], **it);
    downloadsMerged_ = true;
    it = (*it)->Children.empty() ? download_.erase(it) : it + 1;
  }
  index_ = main_;
  return 1;
}

int CLumaro::ReadTree(const fs::path& file, DaiList& into) {
  const ReadResult result = ReadTreeFile(file, into);
  if (result == ReadResult::Loaded || result == ReadResult::Missing) return 1;
  Tell(kFileError);
  return 0;
}

int CLumaro::ReadPickUp() {
  const ReadResult result = ReadLayoutFile(pickUpFile_, pickUp_);
  if (result == ReadResult::Loaded || result == ReadResult::Missing) return 1;
  Tell(kFileError);
  return 0;
}

int CLumaro::ReadRecent() { return ReadTree(recentFile_, recent_); }
int CLumaro::ReadCustom() { return ReadTree(customFile_, custom_); }
int CLumaro::ReadDownLoad() { return ReadTree(downloadFile_, download_); }

int CLumaro::WriteTree(const fs::path& file, const DaiList& tree) {
  switch (WriteTreeFile(file, tree)) {
    case WriteResult::Written:
      return 1;
    case WriteResult::CannotCreate:
      Tell(kCannotCreate);
      return 0;
    case WriteResult::Failed:
      break;
  }
  Tell(kFileError);
  return 0;
}

int CLumaro::WriteMotoData() {
  // A catalogue with downloads merged in would make them factory forms that no download
  // operation could remove again.
  if (main_.empty() || downloadsMerged_ || (!index_.empty() && !download_.empty())) {
    Tell(kMainRefused);
    return 0;
  }
  return WriteTree(mainFile_, main_);
}

int CLumaro::WritePickUp() {
  switch (WriteLayoutFile(pickUpFile_, pickUp_)) {
    case WriteResult::Written:
      return 1;
    case WriteResult::CannotCreate:
      Tell(kCannotCreate);
      return 0;
    case WriteResult::Failed:
      break;
  }
  Tell(kFileError);
  return 0;
}

int CLumaro::WriteRecent() { return WriteTree(recentFile_, recent_); }
int CLumaro::WriteCustom() { return WriteTree(customFile_, custom_); }
int CLumaro::WriteDownLoad() { return WriteTree(downloadFile_, download_); }

void CLumaro::ClearData() { index_.clear(); }
void CLumaro::ClearMData() {
  main_.clear();
  downloadsMerged_ = false;
}
void CLumaro::ClearPData() { pickUp_.clear(); }
void CLumaro::ClearRData() { recent_.clear(); }
void CLumaro::ClearCData() { custom_.clear(); }
void CLumaro::ClearDData() { download_.clear(); }

// ---- Queries ----

int CLumaro::ReadCatalogueAndCustom() {
  ReadCustom();
  return ReadMain();
}

std::shared_ptr<CLayoutInfo> CLumaro::FindInCatalogueOrCustom(std::int32_t layoutID) const {
  LayoutPlace place{};
  if (FindLayout(index_, layoutID, place) || FindLayout(custom_, layoutID, place)) return place.Layout();
  return nullptr;
}

std::shared_ptr<CLayoutInfo> CLumaro::GetLayoutInfo(std::int32_t layoutID) {
  if (layoutID >= CLayoutInfo::kFirstOriginalID) return ReadPickUp() ? FindByID(pickUp_, layoutID) : nullptr;
  if (!ReadCatalogueAndCustom()) return nullptr;
  return FindInCatalogueOrCustom(layoutID);
}

std::string CLumaro::GetLayoutTitle(std::int32_t layoutID) {
  const auto layout = GetLayoutInfo(layoutID);
  return layout ? layout->Title : std::string();
}

std::string CLumaro::GetExcelName(std::int32_t layoutID) {
  const auto layout = GetLayoutInfo(layoutID);
  return layout ? layout->ExcelName : std::string();
}

int CLumaro::IsRenzoku(std::int32_t layoutID) {
  const auto layout = GetLayoutInfo(layoutID);
  return layout ? layout->Renzoku : -1;
}

int CLumaro::GetFormGenre(std::int32_t layoutID) {
  const auto layout = GetLayoutInfo(layoutID);
  return layout ? layout->FormGenre : -1;
}

int CLumaro::bExistTaiouPaper(std::int32_t layoutID) {
  const auto layout = GetLayoutInfo(layoutID);
  return layout && !layout->PaperCodes.empty() ? 1 : 0;
}

std::int32_t CLumaro::GetMotoLayoutID(std::int32_t layoutID) {
  if (!ReadPickUp()) return 0;
  const auto original = FindByID(pickUp_, layoutID);
  return original ? original->MotoLayoutID : 0;
}

std::string CLumaro::CategoryName(std::int32_t layoutID, Level level) {
  if (layoutID >= CLayoutInfo::kFirstOriginalID) {
    Tell(kBadID);
    return {};
  }
  if (!ReadCatalogueAndCustom()) return {};
  LayoutPlace place{};
  if (!FindLayout(index_, layoutID, place) && !FindLayout(custom_, layoutID, place)) return {};
  switch (level) {
    case Level::Dai:
      return place.dai->Name;
    case Level::Chu:
      return place.chu->Name;
    case Level::Sho:
      break;
  }
  return place.sho->Name;
}

std::string CLumaro::GetDaiBunruiName(std::int32_t layoutID) { return CategoryName(layoutID, Level::Dai); }
std::string CLumaro::GetChuBunruiName(std::int32_t layoutID) { return CategoryName(layoutID, Level::Chu); }
std::string CLumaro::GetShoBunruiName(std::int32_t layoutID) { return CategoryName(layoutID, Level::Sho); }

int CLumaro::IsAtenaTack(std::int32_t layoutID) {
  if (!ReadMain()) return 0;
  const bool found = VisitLayouts(index_, [layoutID](const LayoutPlace& place) {
    return place.Layout()->LayoutID == layoutID && IsAtenaPlace(place);
  });
  return found ? 1 : 0;
}

// ---- Original forms ----

int CLumaro::SetPickUp(std::string_view name, std::int32_t baseID, std::int32_t newID) {
  if (newID < CLayoutInfo::kFirstOriginalID) return 0;
  if (!ReadPickUp() || !ReadMain() || !ReadCustom()) return 0;
  const auto base = FindInCatalogueOrCustom(baseID);
  if (!base) {
    Tell(kBaseNotFound);
    return 0;
  }
  auto original = FindByID(pickUp_, newID);
  if (!original) original = pickUp_.emplace_back(std::make_shared<CLayoutInfo>());
  *original = *base;
  original->Title = std::string(name);
  original->MotoLayoutID = baseID;
  original->LayoutID = newID;
  return WritePickUp();
}

int CLumaro::DelPickUp(std::int32_t layoutID, int /*unused*/) {
  if (!ReadPickUp()) return 0;
  const auto it = std::find_if(pickUp_.begin(), pickUp_.end(),
                               [layoutID](const auto& l) { return l && l->LayoutID == layoutID; });
  if (it == pickUp_.end()) return 0;
  pickUp_.erase(it);
  // Most originals were never used recently; a missing recent entry is not a failure here.
  DelRecent(layoutID);
  return WritePickUp();
}

int CLumaro::UpdateFormGenre(const std::vector<std::int32_t>& ids, int flag) {
  if (!ReadDataFile()) return 0;
  for (const std::int32_t id : ids) {
    const auto original = FindByID(pickUp_, id);
    if (!original || original->MotoLayoutID <= 0) continue;
    const auto base = FindInCatalogueOrCustom(original->MotoLayoutID);
    if (!base) continue;
    if (flag != 0) {
      original->FormGenre = base->FormGenre;
      original->ExcelName = base->ExcelName;
    } else {
      original->FormGenre = 0;
    }
  }
  return WritePickUp();
}

// ---- Recent list ----

int CLumaro::PutRecentFirst(std::shared_ptr<CDaiBunrui> path) {
  const auto layout = PathLayout(*path);
  const std::size_t existing = FindRecent(recent_, layout->LayoutID);
  if (existing < recent_.size()) {
    MoveToFront(recent_, existing);
  } else {
    recent_.insert(recent_.begin(), std::move(path));
  }
  if (recent_.size() > kRecentLimit) recent_.resize(kRecentLimit);
  return WriteRecent();
}

int CLumaro::SetRecent(std::shared_ptr<CDaiBunrui> path) {
  if (!path || !PathLayout(*path)) return 0;
  if (!ReadRecent()) return 0;
  return PutRecentFirst(std::move(path));
}

int CLumaro::SetRecent(const CLayoutInfo& layout) {
  if (!ReadRecent()) return 0;
  auto path = std::make_shared<CDaiBunrui>(std::string(kPickUpName));
  path->Add().Add().Add(std::make_shared<CLayoutInfo>(layout));
  return PutRecentFirst(std::move(path));
}

int CLumaro::ResetRecent(int index) {
  if (!ReadRecent()) return 0;
  if (index < 0 || static_cast<std::size_t>(index) >= recent_.size()) return 0;
  MoveToFront(recent_, static_cast<std::size_t>(index));
  return WriteRecent();
}

int CLumaro::DelRecent(std::int32_t layoutID) {
  if (!ReadRecent()) return 0;
  const std::size_t existing = FindRecent(recent_, layoutID);
  if (existing == recent_.size()) return 0;
  recent_.erase(recent_.begin() + static_cast<std::ptrdiff_t>(existing));
  return WriteRecent();
}

// ---- Custom tree ----

int CLumaro::SetCustom(std::shared_ptr<CDaiBunrui> path) {
  if (!path) return 0;
  if (!ReadCustom()) return 0;
  const std::size_t top = FindTop(custom_, path->Name);
  if (top == custom_.size()) {
    custom_.push_back(std::move(path));
  } else {
    MergeCategory(*custom_[top], *path);
  }
  return WriteCustom();
}

int CLumaro::DelCustom(std::int32_t layoutID) {
  if (!ReadCustom()) return 0;
  RemoveLayout(custom_, layoutID, true);
  return WriteCustom();
}

CLumaro::LayoutList CLumaro::GetAllCustomLayout() {
  LayoutList layouts;
  if (!ReadCustom()) return layouts;
  VisitLayouts(custom_, [&layouts](const LayoutPlace& place) {
    layouts.push_back(place.Layout());
    return false;
  });
  return layouts;
}

// ---- Download tree ----

int CLumaro::SetDownLoad(DaiList tops) {
  if (!ReadDownLoad()) return 0;
  for (auto& given : tops) {
    if (!given) continue;
    const std::size_t top = FindTop(download_, given->Name);
    if (top == download_.size()) {
      download_.push_back(std::move(given));
    } else {
      MergeCategory(*download_[top], *given);
    }
  }
  return WriteDownLoad();
}

int CLumaro::DelDownLoad(std::int32_t layoutID) {
  if (!ReadDownLoad()) return 0;
  if (!RemoveLayout(download_, layoutID, false)) return 0;
  return WriteDownLoad();
}

}  // namespace lumaro
