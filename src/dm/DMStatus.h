#pragma once
// The status change routine of a DM title: the one way its sent and history-registered flags
// change. The DM screen, DM printing and DM mail all go through it, so the store, the title the
// screen shows, the document's title and the recipients' last-history dates stay in step.

#include <cstdint>
#include <functional>

#include "records/CKokyakuVMData.h"

namespace shell {
class CTovanaDoc;
}
namespace ui {
class Ui;
}

namespace dm {

inline constexpr const char* kNoData = "データが取得できません";
inline constexpr const char* kNoTitleData = "DMタイトルのデータが取得できません";
inline constexpr const char* kStatusNotChanged = "ﾃﾞｰﾀﾍﾞｰｽの変更ができませんでした";
inline constexpr const char* kStatusNoSuchDM = "指定されたDMIDが見つかりませんでした";

struct DMStatus {
  std::int32_t sent = 0;               // 1 送付済み
  std::int32_t historyRegistered = 0;  // 1 the sending is in every recipient's history
  std::int32_t method = 0;             // 1 メール送信, otherwise DM印刷
};

// Sets the flags of title (the object a row shows; null: "DMタイトルのデータが取得できません")
// through SetStatusDMTitle at now. On 1 the title and the document's title of the same ID take
// the three values, and when history is now registered the customers recipients get their
// last-history date refreshed to now (customerChanged told of each, for a list to redraw).
// -1 and 0 are told to the person. Returns the store's result, or -1 without a document or title.
int ChangeDMStatus(ui::Ui& ui, shell::CTovanaDoc* doc, records::CDMListData* title, const DMStatus& status,
                   const records::IdArray& recipients, const records::COleDate& now,
                   const std::function<void(std::int32_t)>& customerChanged = {});

}  // namespace dm
