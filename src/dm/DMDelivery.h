#pragma once
// Sending a DM title from the DM screen: by mail through the user's mail client or printed on a
// form, with the questions about its send date and an earlier sending, and the title marked sent
// through the status change routine once the mail or the print went out. Also the screen's
// "DMヒット率分析..." of one sent title.

#include <filesystem>
#include <optional>

#include "dm/CDMListView.h"
#include "records/CKokyakuVMData.h"

namespace dm {

class CDMDelivery {
 public:
  // The texts that differ between mailing and printing.
  struct Texts {
    const char* selectTitle;
    const char* selectOneTitle;
    const char* noRecipients;
    const char* otherDate;           // unsent, dated another day
    const char* sentChooseRegistered;  // sent, some of several rows selected; Yes/No/Cancel
    const char* sentChooseUnregistered;
    const char* sentRegistered;  // sent otherwise
    const char* sentUnregistered;
  };
  static const Texts kMail;
  static const Texts kPrint;
  static constexpr const char* kNoData = "データが取得できません。";
  static constexpr const char* kNoDMData = "DMデータが取得できません。";
  static constexpr const char* kNoAddresses = "顧客のメールアドレスがありません";
  static constexpr const char* kSomeWithoutAddress =
      "一部の顧客にメールアドレスがありませんが、このまま続けますか？\n※履歴に登録する場合は、全ての顧客の履歴に登録されます。";
  static constexpr const char* kSomeWithoutAddressRegistered =
      "一部の顧客にメールアドレスがありませんが、このまま続けますか？\n";

  static constexpr const char* kHitRateNoData = "データが取得できません";
  static constexpr const char* kHitRateSelect = "DMヒット率を調べるDMタイトルをひとつ選択してください";
  static constexpr const char* kHitRateOneOnly =
      "DMヒット率は一度にひとつのDMタイトルに対してのみ調べられます。\nDMタイトルをひとつだけ選択してください";
  static constexpr const char* kHitRateUnsent =
      "DMヒット率は送付済みのDMタイトルに対してのみ調べられます。\n送付済みのDMタイトルを選択してください";

  CDMDelivery(CDMListView& view, const DMViewContext& context) : view_(view), c_(context) {}

  // "メール送信..." of the DM screen.
  void Mail();
  // "印刷..." of the DM screen.
  void Print();
  // "DMヒット率分析...": the analysis of the selected sent title, then the screen in hit-rate mode.
  void HitRate();

 private:
  // The title row and the customers a sending goes to, once every check and question passed.
  struct Sending {
    int row = -1;
    records::CDMListData* title = nullptr;
    records::IdArray customers;
  };
  std::optional<Sending> Choose(const Texts& texts);
  bool Writable() const;
  bool HistoryRegistered(const Sending& s) const { return s.title->HistoryRegistered == 1; }
  // The history option of the mail launcher or the printing dialog: offered unless the history is
  // registered already or the data is read-only; checked first for an unsent title, else as the
  // title's history flag.
  bool HistoryOffered(const Sending& s) const { return !HistoryRegistered(s) && Writable(); }
  bool HistoryFirst(const Sending& s) const { return s.title->Sent != 1 || HistoryRegistered(s); }
  // The status change after a sending went out: an unsent title becomes sent, and a sent one
  // without history gains it when asked; anything else keeps its state.
  void MarkSent(const Sending& s, bool history, int method);

  CDMListView& view_;
  const DMViewContext& c_;
};

}  // namespace dm
