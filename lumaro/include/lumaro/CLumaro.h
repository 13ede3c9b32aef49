#pragma once
// The form catalogue: the category tree of printable layouts, and beside it the user's original
// forms, recently used forms (at most 10), custom forms and downloaded forms, each kept in its
// own file of the installation's Data/MyData folder:
//   Lumaro.dat (catalogue), Original.dat, Recent.dat, Custom.dat, DownLoad.dat.
// Every query reloads the files it needs; nothing is cached between calls.
//
// Results: 1 done, 0 failed (the reason has been shown as a message), unless a call says
// otherwise. A failed read leaves its list empty. A write replaces its file atomically: after any
// failure the old file is still there, whole.
//
// Ownership: categories and layouts are held by std::shared_ptr, so each is released exactly
// once whichever trees still hold it (after a merge the download tree and the catalogue share the
// categories that arrived by download). The lists below belong to this object; what a caller
// keeps of them stays valid, but is no longer part of a list after the next call that reloads it.
//
// Messages: the library never shows a window. Its message texts go to the handler given to the
// constructor, else to the one the program installed with SetMessageHandler, else to stderr.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lumaro/CDaiBunrui.h"
#include "lumaro/CLayoutInfo.h"
#include "lumaro/LumaroExport.h"

namespace lumaro {

class LUMARO_API CLumaro {
 public:
  using MessageHandler = std::function<void(std::string_view text)>;
  using DaiList = std::vector<std::shared_ptr<CDaiBunrui>>;
  using LayoutList = std::vector<std::shared_ptr<CLayoutInfo>>;

  static constexpr std::size_t kRecentLimit = 10;
  // The top category given to a recent entry built from a single layout.
  static constexpr std::string_view kPickUpName = "ﾋﾟｯｸｱｯﾌﾟ";

  // The message texts, exactly as shown.
  static constexpr std::string_view kMainMissing = "メインデータファイルがありません。";
  static constexpr std::string_view kMainCannotOpen = "メインデータファイルを開けません。";
  static constexpr std::string_view kFileError = "ファイル操作中にエラーが起こりました。";
  static constexpr std::string_view kCannotCreate = "ファイルを作成できません";
  static constexpr std::string_view kMainRefused = "メインデータを作成できません";
  static constexpr std::string_view kBaseNotFound = "オリジナルフォームのもとになるデータが見つかりません";
  static constexpr std::string_view kBadID = "IDが不正です";

  // The files of the installation folder CNeritEnv names ($TOVANA_HOME, ...).
  CLumaro();
  // The files of installFolder/Data/MyData; messages to handler when it is set.
  explicit CLumaro(std::filesystem::path installFolder, MessageHandler handler = {});
  // Empties every list.
  ~CLumaro();
  CLumaro(const CLumaro&) = delete;
  CLumaro& operator=(const CLumaro&) = delete;

  // Where the messages of every CLumaro built without a handler of its own go. Install once at
  // start-up, before any CLumaro is used; an empty handler restores stderr.
  static void SetMessageHandler(MessageHandler handler);

  static std::unique_ptr<CLumaro> CreateObject() { return std::make_unique<CLumaro>(); }
  static constexpr std::string_view kClassName = "CLumaro";
  std::string_view GetClassName() const { return kClassName; }
  std::uint16_t GetSchema() const { return 1; }

  // ---- Files ----
  // ReadMain, ReadPickUp, ReadRecent, ReadCustom in this order; stops at the first failure.
  int ReadDataFile();
  // Reads the catalogue and the download tree and merges the downloads into the catalogue; the
  // index then holds the catalogue's top categories. 0 when Lumaro.dat is missing, cannot be
  // opened or does not read back (the index and the catalogue are then empty).
  int ReadMain();
  // Each empties its list and reads its file; a missing file is an empty list and 1.
  int ReadPickUp();
  int ReadRecent();
  int ReadCustom();
  int ReadDownLoad();
  // Each replaces its file with its list. WriteMotoData refuses (0) an empty catalogue, and one
  // that holds merged downloads (it is rewritten only from what ReadMain did not merge into).
  int WriteMotoData();
  int WritePickUp();
  int WriteRecent();
  int WriteCustom();
  int WriteDownLoad();

  // ClearData empties the index only; the others release and empty the catalogue, originals,
  // recent, custom and download lists.
  void ClearData();
  void ClearMData();
  void ClearPData();
  void ClearRData();
  void ClearCData();
  void ClearDData();

  // ---- Queries: each reloads what it needs ----
  // IDs of kFirstOriginalID and above: the original form with that ID. Below: the first layout
  // with that ID in the catalogue (depth-first, stored order), else in the custom tree. Null when
  // there is none or the files needed cannot be read.
  std::shared_ptr<CLayoutInfo> GetLayoutInfo(std::int32_t layoutID);
  // Empty, -1 (IsRenzoku, GetFormGenre) or 0 (bExistTaiouPaper) when there is no such layout.
  std::string GetLayoutTitle(std::int32_t layoutID);
  std::string GetExcelName(std::int32_t layoutID);
  int IsRenzoku(std::int32_t layoutID);
  int GetFormGenre(std::int32_t layoutID);
  int bExistTaiouPaper(std::int32_t layoutID);
  // The base layout of the original form with that ID; 0 when none or unreadable.
  std::int32_t GetMotoLayoutID(std::int32_t layoutID);
  // The name of the category at that level holding the first layout with that ID (catalogue,
  // then custom tree); empty when none. An original form's ID shows kBadID.
  std::string GetDaiBunruiName(std::int32_t layoutID);
  std::string GetChuBunruiName(std::int32_t layoutID);
  std::string GetShoBunruiName(std::int32_t layoutID);
  // 1 when the catalogue has the layout under "宛名印刷" in "シール", "はがき" or "封筒".
  int IsAtenaTack(std::int32_t layoutID);

  // ---- Original forms ----
  // Creates or replaces the original form newID as a copy of the catalogue or custom layout
  // baseID, titled name. 0 when baseID is nowhere (kBaseNotFound), when newID is below
  // kFirstOriginalID (no lookup would ever find it), or a file fails; else WritePickUp's result.
  int SetPickUp(std::string_view name, std::int32_t baseID, std::int32_t newID);
  // Removes the original form and its recent entry. 0 when there is no such original. The second
  // argument is accepted for the program's calls and not used.
  int DelPickUp(std::int32_t layoutID, int unused = 0);
  // For each original of ids, refreshes the form genre and spreadsheet name from its base layout
  // (flag nonzero) or sets the genre to 0 (flag 0); then WritePickUp's result.
  int UpdateFormGenre(const std::vector<std::int32_t>& ids, int flag);

  // ---- Recent list: paths (a top category with one middle, one bottom, one or more layouts) ----
  // Puts the path (taken over) to the front; an entry of the same layout moves to the front
  // instead. Beyond kRecentLimit the oldest entry goes. 0 for a path without a layout.
  int SetRecent(std::shared_ptr<CDaiBunrui> path);
  // The same for one layout; a new entry is a "ﾋﾟｯｸｱｯﾌﾟ" path holding a copy of it.
  int SetRecent(const CLayoutInfo& layout);
  // Moves the entry at index to the front. 0 when index is outside the list.
  int ResetRecent(int index);
  // Removes the entry of that layout. 0 when there is none.
  int DelRecent(std::int32_t layoutID);

  // ---- Custom tree ----
  // Merges the path (taken over) into the custom tree under the top category of its name.
  int SetCustom(std::shared_ptr<CDaiBunrui> path);
  // Removes the first layout with that ID and the categories it leaves empty, up to the top.
  // The file is written whether or not the layout was there: that result.
  int DelCustom(std::int32_t layoutID);
  // Every custom layout in tree order, still owned by this object's tree; empty when there is
  // none or the file cannot be read.
  LayoutList GetAllCustomLayout();

  // ---- Download tree ----
  // Merges the top categories (taken over) into the download tree by name.
  int SetDownLoad(DaiList tops);
  // Removes the first layout with that ID; emptied categories stay. 0 when there is none.
  int DelDownLoad(std::int32_t layoutID);

  // ---- The lists, as last read ----
  // The catalogue's top categories after ReadMain: what the menu tabs show, in catalogue order.
  const DaiList& GetIndex() const { return index_; }
  DaiList& GetMainData() { return main_; }
  LayoutList& GetPickUpData() { return pickUp_; }
  DaiList& GetRecentData() { return recent_; }
  DaiList& GetCustomData() { return custom_; }
  DaiList& GetDownLoadData() { return download_; }

  // The five files.
  const std::filesystem::path& MainFile() const { return mainFile_; }
  const std::filesystem::path& PickUpFile() const { return pickUpFile_; }
  const std::filesystem::path& RecentFile() const { return recentFile_; }
  const std::filesystem::path& CustomFile() const { return customFile_; }
  const std::filesystem::path& DownLoadFile() const { return downloadFile_; }

 private:
  enum class Level { Dai, Chu, Sho };

  void Tell(std::string_view text) const;
  int ReadTree(const std::filesystem::path& file, DaiList& into);
  int WriteTree(const std::filesystem::path& file, const DaiList& tree);
  int ReadCatalogueFile();
  int ReadCatalogueAndCustom();
  std::shared_ptr<CLayoutInfo> FindInCatalogueOrCustom(std::int32_t layoutID) const;
  std::string CategoryName(std::int32_t layoutID, Level level);
  int PutRecentFirst(std::shared_ptr<CDaiBunrui> path);

  std::filesystem::path mainFile_, pickUpFile_, recentFile_, customFile_, downloadFile_;
  MessageHandler handler_;

  DaiList index_;      // shares the catalogue's top categories
  DaiList main_;
  LayoutList pickUp_;
  DaiList recent_;     // most recent first
  DaiList custom_;
  DaiList download_;
  bool downloadsMerged_ = false;  // main_ holds layouts that came from download_
};

}  // namespace lumaro
