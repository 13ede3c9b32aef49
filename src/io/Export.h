#pragma once
// The customer list's export commands: "外部ﾃﾞｰﾀへ書き出し..." (Excel, text or ContactXML) and
// "HTMLに書き出し...". Each asks, chooses and writes through the Ui port; long writing shows a
// progress window whose cancel leaves no file behind. Nothing is written to the database.

#include <cstddef>
#include <filesystem>

#include "io/ExportTable.h"
#include "io/FormatChoice.h"
#include "platform/CNeritEnv.h"
#include "records/CKokyakuVMData.h"
#include "ui/Ui.h"

namespace io {

inline constexpr const char* kNoCustomer = "書き出す顧客を選択してください。";
inline constexpr const char* kAskExport = "選択されている%d件の顧客を外部データに書き出します。よろしいですか？";
inline constexpr const char* kCreateFailed = "ファイルを作成できませんでした。";
inline constexpr const char* kFileError = "ファイル操作中にエラーが発生しました。";
inline constexpr const char* kOpenInSpreadsheet = "%sは 現在 Excelで開かれています。\nﾌﾞｯｸを閉じてから 操作を行ってください。";
inline constexpr const char* kTooManyRows = "一度に書き出せるのは%d件までです。\n%d件目までのﾃﾞｰﾀを書き出します。";
inline constexpr const char* kExportDone = "書き出しを完了しました。";
inline constexpr const char* kExcelFilter = "Microsoft Excelｼｰﾄ(*.xlsx)|*.xlsx||";
inline constexpr const char* kTextFilter = "ﾃｷｽﾄﾌｧｲﾙ(*.csv;*.txt)|*.csv; *.txt||";
inline constexpr const char* kContactXmlFilter = "ContactXMLﾌｧｲﾙ(*.xml)|*.xml||";
inline constexpr const char* kSaveTitle = "名前を付けて保存";
inline constexpr const char* kWriting = "顧客データを書き出しています...";

inline constexpr const char* kHtmlNoCustomer = "HTML書き出しする顧客を選択してください。";
inline constexpr const char* kHtmlTooMany =
    "%d人をHTML書き出ししようとしています。\n一度に書き出すことができるのは%d人までです。\n操作をし直してください。";
inline constexpr const char* kAskHtml = "選択されている%d件の顧客をHTML書き出しします。よろしいですか？";
inline constexpr const char* kHtmlFolderPrompt = "HTMLファイルを書き出すフォルダを指定して【ＯＫ】をクリックしてください。";
inline constexpr const char* kRootFolder = "ルートディレクトリを指定することはできません。別のフォルダを指定してください。";
inline constexpr const char* kFolderHasFiles =
    "指定されたフォルダ\n%s\nにはファイルが存在しています。\n空のフォルダを指定してください。\n";
inline constexpr const char* kFolderMissing = "フォルダが存在しませんでした。";
inline constexpr const char* kHtmlDone =
    "HTML書き出しを完了しました。\nindex.htmを開くとHTMLを表示できます。\n\n書き出したフォルダ：\n%s\n";
inline constexpr const char* kHtmlFailed = "HTML書き出しに失敗しました。";
inline constexpr const char* kWritingHtml = "HTMLを書き出しています...";
inline constexpr std::size_t kHtmlMaxCustomers = 1000;

// "外部ﾃﾞｰﾀへ書き出し..." for the selected customers; pictures are found in pictureFolder.
void ExportExternalData(ui::Ui& ui, const CustomerRefs& customers, const std::filesystem::path& pictureFolder,
                        const std::filesystem::path& install = platform::CNeritEnv().GetInstallFolder());

// "HTMLに書き出し..." for the selected customers; store gives their history when asked.
void ExportHtml(ui::Ui& ui, const CustomerRefs& customers, records::CKokyakuVMData& store,
                const std::filesystem::path& pictureFolder,
                const std::filesystem::path& install = platform::CNeritEnv().GetInstallFolder());

}  // namespace io
