#pragma once
// The blocks of controls the customer entry dialogs and their sub-dialogs share: the home and
// company address blocks with their lookups and e-mails, the company details and the notes.

#include <QString>

#include <filesystem>
#include <functional>
#include <string>

#include "customers/AddressLookup.h"
#include "customers/qt/KokyakuFormBinder.h"

class QGroupBox;
class QWidget;

namespace customers {

// What the "..." buttons of a block do; the view runs each through its model.
struct BlockActions {
  std::function<void(AddressBlock)> postal, phone;
  std::function<void(const std::string& column)> openUrl;
};

// 自宅情報: 〒 with its lookup, 都道府県, 市区町村, 番地等, TEL with its lookup, FAX, 携帯電話,
// E-mail 1 to 3 with "標準ﾒｰﾙ", URL; with birthDay also 生年月日 (the 個人情報 sub-dialog).
QGroupBox* HomeBlock(KokyakuFormBinder& bind, QWidget* parent, const BlockActions& actions, const QString& title,
                     bool birthDay);
// 会社基本情報: 会社名, ﾌﾘｶﾞﾅ, 部署, 役職, the address block, 携帯電話, E-mail 4 and 5, URL.
QGroupBox* CompanyBlock(KokyakuFormBinder& bind, QWidget* parent, const BlockActions& actions, const QString& title);
// 会社詳細: 業種, 代表者, 締日, 決算月, 税の扱い, 支払方法, 主要取引銀行, 主要取引先 1 to 5.
QGroupBox* CompanyDetailBlock(KokyakuFormBinder& bind, QWidget* parent, ui::Ui& ui,
                              const std::filesystem::path& install);

}  // namespace customers
