#pragma once
// The customer list's import commands, from the choice of format to the customers stored: the
// readers give rows (or, for ContactXML, customers), the mapping dialog turns rows into customers,
// and all of them are added in one transaction under a progress window; either every one is added
// or, after a failure or a cancel, none.

#include <filesystem>
#include <string>

#include "io/CImportMappingDlg.h"
#include "io/FormatChoice.h"
#include "io/ImportConvert.h"
#include "io/ImportTable.h"
#include "records/CKokyakuVMData.h"
#include "ui/Ui.h"

namespace shell {
class CTovanaDoc;
}
namespace platform {
class CProfile;
}

namespace io {

inline constexpr const char* kReadOnly = "データベースは読取専用です。\n外部データの読み込みをすることはできません。";
inline constexpr const char* kSaveFailed =
    "現在のデータベース状態を更新できませんでした。読み込みを中止します。\nディスクの空き容量が足りない場合は、いったん『顧客ソレル』を終了して、ディスクの空き容量を増やしてから再度操作してください。";
inline constexpr const char* kNoDataRows = "データ行がありません。処理を中止します。";
inline constexpr const char* kNoCustomers = "読み込む顧客データがありません";
inline constexpr const char* kAddFailed = "顧客データを登録できませんでした。\n顧客データは１件も追加されていません。";

// "外部ﾃﾞｰﾀの取り込み...". True when customers were added: the caller reloads the customer list.
bool ImportExternalData(ui::Ui& ui, shell::CTovanaDoc& doc);

// Adds every customer in one transaction under a progress window. True when all were added;
// false after a failure (reported) or a cancel, and then none was.
bool AddImportedCustomers(ui::Ui& ui, records::CKokyakuVMData& store, const records::KokyakuList& customers);

// The mapping dialog over the rows, started from the mapping last used for a file of the same
// columns or else from the captions; on "完了" the customers of the rows (empty when cancelled).
// The mapping used is remembered in profile (may be null).
struct MappedRows {
  bool finished = false;
  records::KokyakuList customers;
  bool cancelled = false;  // the conversion was cancelled
};
MappedRows MapAndConvert(ui::Ui& ui, ImportFormat format, const ImportTable& rows, const std::filesystem::path& install,
                         platform::CProfile* profile);

// The key under which the mapping of a file of these columns is remembered: the format, the
// number of columns and the caption row.
std::string MappingMemoryKey(ImportFormat format, const ImportTable& rows);

}  // namespace io
