#include "settings/FactoryColumns.h"

#include <memory>
#include <vector>

#include "settings/CQMVCol.h"
#include "settings/CSettingsFile.h"

namespace settings {

namespace {

constexpr bool kFixed = false;
constexpr bool kFree = true;

constexpr FactoryColumn kFactoryColumns[] = {
    // Basic
    {"ID", "ID", kFixed},
    {"CustomerID", "お客様コード", kFixed},
    {"Name", "氏名", kFixed},
    {"Yomi", "フリガナ", kFixed},
    {"Suffix", "敬称", kFixed},
    {"Sex", "性別", kFixed},
    {"BirthDay", "生年月日", kFixed},
    {"EntryType", "法人／個人", kFixed},
    {"CustomerType", "顧客区分", kFixed},
    {"TantouName", "自社担当者", kFixed},
    // Home
    {"Zip_Home", "自宅郵便番号", kFixed},
    {"Add1_Home", "自宅住所１", kFixed},
    {"Add2_Home", "自宅住所２", kFixed},
    {"Add3_Home", "自宅住所３", kFixed},
    {"TEL_Home", "自宅電話番号", kFixed},
    {"FAX_Home", "自宅FAX番号", kFixed},
    {"CellPhone1", "携帯電話１", kFixed},
    {"CellPhone2", "携帯電話２", kFixed},
    // Company
    {"CompName", "会社名", kFixed},
    {"CompYomi", "会社名フリガナ", kFixed},
    {"Section", "部署名", kFixed},
    {"Post", "役職", kFixed},
    {"Represent", "代表者名", kFixed},
    {"CompType", "会社業種", kFixed},
    {"Zip_Office", "会社郵便番号", kFixed},
    {"Add1_Office", "会社住所１", kFixed},
    {"Add2_Office", "会社住所２", kFixed},
    {"Add3_Office", "会社住所３", kFixed},
    {"TEL_Office", "会社電話番号", kFixed},
    {"FAX_Office", "会社FAX番号", kFixed},
    // Contact
    {"EMail1", "メールアドレス１", kFixed},
    {"EMail2", "メールアドレス２", kFixed},
    {"EMail3", "メールアドレス３", kFixed},
    {"EMail4", "メールアドレス４", kFixed},
    {"EMail5", "メールアドレス５", kFixed},
    {"CommonMail", "通常使うメールアドレス", kFixed},
    {"URL1", "ホームページ１", kFixed},
    {"URL2", "ホームページ２", kFixed},
    // Company details
    {"ClosingDate", "決算月", kFixed},
    {"ClosingDay", "締め日", kFixed},
    {"PayMethod", "支払方法", kFixed},
    {"TaxMethod", "消費税計算方法", kFixed},
    {"Bank1", "取引銀行１", kFixed},
    {"Bank2", "取引銀行２", kFixed},
    {"MainMerchant1", "主要取扱商品１", kFree},
    {"MainMerchant2", "主要取扱商品２", kFree},
    {"MainMerchant3", "主要取扱商品３", kFree},
    {"MainMerchant4", "主要取扱商品４", kFree},
    {"MainMerchant5", "主要取扱商品５", kFree},
    // Ranks
    {"ColorMark", "カラーマーク", kFixed},
    {"ImportantRanking", "重要度ランク", kFixed},
    {"Ranking1", "ランク１", kFree},
    {"Ranking2", "ランク２", kFree},
    // Notes and pictures
    {"Note1", "備考１", kFree},
    {"Note2", "備考２", kFree},
    {"Note3", "備考３", kFree},
    {"Note4", "備考４", kFree},
    {"Note5", "備考５", kFree},
    {"Note6", "備考６", kFree},
    {"Note7", "備考７", kFree},
    {"Note8", "備考８", kFree},
    {"Note9", "備考９", kFree},
    {"Note10", "備考１０", kFree},
    {"Picture1", "写真１", kFixed},
    {"Picture2", "写真２", kFixed},
    {"Picture3", "写真３", kFixed},
    {"Picture4", "写真４", kFixed},
    {"Picture5", "写真５", kFixed},
    // Dates
    {"StartDate", "登録日", kFixed},
    {"LastUpDate", "最終更新日", kFixed},
    {"RirekiUpDate", "最終履歴日", kFixed},
};

}  // namespace

std::span<const FactoryColumn> FactoryColumns() { return kFactoryColumns; }

void StoreFactoryColumnSet(const std::filesystem::path& file) {
  std::vector<std::shared_ptr<CQMVCol>> columns;
  for (const FactoryColumn& c : kFactoryColumns) {
    columns.push_back(std::make_shared<CQMVCol>(std::string(c.key), std::string(c.label), c.renamable));
  }
  CSettingsFile::Store(file, [&columns](CArchive& ar) { ar.StoreObjects(columns); });
}

}  // namespace settings
