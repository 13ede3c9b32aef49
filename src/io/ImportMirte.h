#pragma once
// "ミルテ4の顧客ﾃﾞｰﾀ取り込み...": the customer ledger of the sibling voucher-printing product, read
// with its fixed column positions, either from its ledger tool's archive file or from its
// customer workbook. The product's keys are read from the machine profile.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "records/CKokyaku.h"
#include "ui/Ui.h"

namespace shell {
class CTovanaDoc;
}

namespace io {

inline constexpr const char* kMirteMissing =
    "『ミルテ４』が見つかりません。\nこの機能は『ミルテ４』がインストールしてある場合のみ有効です。";
inline constexpr const char* kMirteNewer =
    "『ミルテ４』より新しいバージョンがインストールされています。\nデータが正しく取り込めないかもしれませんが、処理を続けますか？\n\n※『ミルテ４』の顧客台帳ツールとデータ構成が変更されていない場合は正常に取り込めます。データ構成についてはミルテのマニュアルなどでご確認ください。";
inline constexpr const char* kMirteLedgerMissing = "得意先台帳のファイル\n%s\nが見つかりません。";
inline constexpr const char* kMirteLedgerUnreadable = "得意先台帳のファイル\n%s\nを読み込めませんでした。";

// Where the product keeps what this import reads: machine profile sections and entries, the
// ledger file in the ledger tool's data folder, the workbook in the installation folder.
inline constexpr const char* kMirteSection = "NADIRA\\SORELLE\\Mirte";
inline constexpr const char* kMirteVersionEntry = "Ver";
inline constexpr const char* kMirteInstalledEntry = "InstalledDir";
inline constexpr const char* kCodeDataSection = "NADIRA\\Sorelle\\Common\\CodeData";
inline constexpr const char* kCodeDataEntry = "DataPath";
inline constexpr const char* kMirteLedgerFile = "CodeKokyaku2.dat";
// The product's customer workbook, first sheet, captions in its first row.
inline constexpr const char* kMirteWorkbook = "Tokuisaki.xls";
inline constexpr int kMirteLowestVersion = 710;
inline constexpr int kMirteNewerVersion = 800;

// One ledger entry (an array of strings) or workbook row as a new customer by position; nullopt
// when the entry holds nothing that makes a customer (positions 0 to 9 empty, or for a
// workbook row every position but 10).
std::optional<records::CKokyaku> MirteCustomer(const std::vector<std::string>& entry, bool workbook);

struct MirteLedger {
  std::vector<std::vector<std::string>> entries;
  std::string error;
};
// The ledger tool's archive: a 32-bit version, then, below version 2, an object array of string
// arrays (one per customer) and a DWORD array.
MirteLedger ReadMirteLedger(const std::filesystem::path& file);

// The command. True when customers were added: the caller reloads the customer list.
bool ImportFromMirte(ui::Ui& ui, shell::CTovanaDoc& doc);

}  // namespace io
