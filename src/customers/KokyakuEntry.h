#pragma once
// The commands that open the customer entry dialogs, one per command, for the menu screen and
// the customer list. cardType is the saved card type (0 通常, 1 個人, 2 法人; others read as 0).
// Each runs the dialog through ui.Run and returns how many customers it saved.

#include <cstdint>
#include <filesystem>
#include <memory>

#include "customers/CKokyakuDlg.h"
#include "customers/CKokyakuDlgOwner.h"
#include "platform/CNeritEnv.h"
#include "ui/Ui.h"

namespace customers {

inline constexpr const char* kReadOnlyAdd = "データベースは読取専用です。\n顧客を追加することはできません。\n";

// The dialog model of that card type.
std::unique_ptr<CKokyakuDlg> MakeKokyakuDlg(ui::Ui& ui, int cardType, KokyakuMode mode, CKokyakuDlgOwner* owner,
                                            const std::filesystem::path& install);

// A blank add dialog; refused with a message while the data is read-only.
int AddCustomerDialog(ui::Ui& ui, CKokyakuDlgOwner& owner, int cardType,
                      const std::filesystem::path& install = platform::CNeritEnv().GetInstallFolder());
// An add dialog starting from a copy of customer id; 0 without a dialog when the owner does not
// hold it, and refused with a message while read-only.
int CopyCustomerDialog(ui::Ui& ui, CKokyakuDlgOwner& owner, int cardType, std::int32_t id,
                       const std::filesystem::path& install = platform::CNeritEnv().GetInstallFolder());
// The modify dialog on customer id, selected in the owner, stepping from there; view-only while
// the data is read-only. 0 without a dialog when the owner does not hold id.
int ModifyCustomerDialog(ui::Ui& ui, CKokyakuDlgOwner& owner, int cardType, std::int32_t id,
                         const std::filesystem::path& install = platform::CNeritEnv().GetInstallFolder());

}  // namespace customers
