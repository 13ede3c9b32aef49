#pragma once
// The form print routine through which every printing goes: the printing component prints the
// customers on the form, and after a successful print each printed customer may get a history
// entry "フォーム印刷" (never on read-only data).

#include <vector>

#include "printing/PrintJob.h"
#include "ui/Ui.h"

namespace shell {
class CTovanaDoc;
}

namespace printing {

class CQMVDispPrev;

inline constexpr const char* kNoLayout = "レイアウト情報がありません。";
inline constexpr const char* kHistoryFailed = "顧客への履歴登録に失敗しました。\n";
inline constexpr const char* kHistoryPartlyFailed = "一部の顧客への履歴登録に失敗しました。\n";
inline constexpr const char* kFormPrintTitle = "フォーム印刷";

struct FormPrintRequest {
  std::vector<const records::CKokyaku*> customers;  // in order; the caller keeps them
  int layoutId = 0;
  int motoLayoutId = 0;
  int genre = 0;
  bool writeHistory = false;
  const HistoryArrays* prepared = nullptr;  // genre 4: one array per customer; null = read here
};

// The form the person chose in component's printing dialog (its layout, base layout and genre),
// for customers.
FormPrintRequest ChosenFormRequest(const CQMVDispPrev& component, std::vector<const records::CKokyaku*> customers,
                                   bool writeHistory);

// Prints through component (whose layout fields and print options the routine sets from the
// request; the dialog's options stay). The printing call's result: nonzero = printed. changed is
// told each customer whose last-history date was refreshed.
int PrintForm(ui::Ui& ui, shell::CTovanaDoc& doc, CQMVDispPrev& component, const FormPrintRequest& request,
              const std::function<void(std::int32_t)>& changed = {});

// The picture folder handed to the component: the viewed past data's own, else the data folder's.
std::filesystem::path PrintPictureFolder(const shell::CTovanaDoc& doc);

}  // namespace printing
