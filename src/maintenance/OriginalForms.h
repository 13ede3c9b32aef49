#pragma once
// The Tools menu's original-form backup and restore: the user's original forms (their list
// "Data/MyData/Original.dat", the number file "Data/Org/OrgNum.dat" and each form's
// "Data/Org/<id>.org") in one ".qmvobu" container whose names are those paths relative to the
// installation folder, written as stored ("\Data\Org\40001.org").

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "maintenance/BackupFormat.h"
#include "ui/Ui.h"

namespace platform {
class CProfile;
}

namespace maintenance {

inline constexpr const char* kNoOriginals = "オリジナルフォームがありません。";
inline constexpr const char* kOriginalBackupIntro =
    "オリジナルフォームのバックアップでは、フォームに含まれる画像データのバックアップは行いません。\n"
    "フォームに画像が含まれている場合は、個別にデータを保存しておく必要があります。\n\n次の画面で保存するバックアップファイル名を指定してください。";
inline constexpr const char* kOriginalBackupTitle = "ｵﾘｼﾞﾅﾙﾌｫｰﾑ情報のﾊﾞｯｸｱｯﾌﾟ";
inline constexpr const char* kOriginalFilter = "顧客ソレルORGﾊﾞｯｸｱｯﾌﾟﾌｧｲﾙ(*.qmvobu)|*.qmvobu||";
inline constexpr const char* kOriginalDefaultName = "ｵﾘｼﾞﾅﾙﾌｫｰﾑ情報.qmvobu";
inline constexpr const char* kOutOfMemory = "メモリ不足です";
inline constexpr const char* kOriginalBackupDone = "バックアップが正常に終了しました。";
inline constexpr const char* kOriginalRestoreConfirm =
    "オリジナルフォームの情報をバックアップを取ったときの状態に戻します。バックアップを取ったあとに行った変更や新しく作成したオリジナルフォームの情報は失われます。\n"
    "復元してよろしいですか？\n復元してよい場合は【はい】をクリックしてバックアップファイルを指定してください。";
inline constexpr const char* kOriginalRestoreTitle = "ｵﾘｼﾞﾅﾙﾌｫｰﾑ情報の復元";
inline constexpr const char* kNotOriginalBackup = "このファイルは顧客ソレルオリジナルフォームのバックアップファイルではありません。";
inline constexpr const char* kBadOriginalBackup = "このバックアップファイルは形式が不正です。";
inline constexpr const char* kOriginalRestoreDone = "復元が正常に終了しました。";
inline constexpr const char* kOriginalRestoreFailed = "復元ができませんでした。";
// The profile value that remembers the folder last used (not on removable media).
inline constexpr const char* kOriginalFolderEntry = "OrgBup";
inline constexpr const char* kOriginalFolderSection = "Settings";

// The stored names (as the container holds them, in UTF-8) of the original-form files of the
// installation that exist, for the original forms with these layout IDs.
std::vector<std::string> OriginalFormNames(const std::filesystem::path& install, const std::vector<int>& layoutIds);
// Where a stored name lives under the installation; nullopt for a name that is not one of the
// original-form files ("\Data\MyData\Original.dat", "\Data\Org\OrgNum.dat", "\Data\Org\<n>.org").
std::optional<std::filesystem::path> OriginalFormPath(const std::filesystem::path& install, std::string_view name);

enum class OriginalResult { Done, CannotRead, CannotWrite, NotBackup, BadFormat };
// Writes the container of those files to file (replaced whole). CannotRead when one cannot be read.
OriginalResult WriteOriginalBackup(const std::filesystem::path& install, const std::vector<std::string>& names,
                                   const std::filesystem::path& file, std::string& why);
// Checks the container whole, then writes every file back, all or none.
OriginalResult RestoreOriginalBackup(const std::filesystem::path& install, const std::filesystem::path& file,
                                     std::string& why);

// The menu commands. install: the installation folder; profile may be null. hasDocument: false
// refuses. Restore returns true when the forms were restored (the menu then reloads its list).
void BackupOriginalForms(ui::Ui& ui, bool hasDocument, const std::filesystem::path& install, platform::CProfile* profile);
bool RestoreOriginalForms(ui::Ui& ui, bool hasDocument, const std::filesystem::path& install, platform::CProfile* profile);

}  // namespace maintenance
