#include "dm/DMDelivery.h"

#include <string>
#include <vector>

#include "analysis/CRainbowDlg.h"
#include "dm/CMailerDlg.h"
#include "dm/MailSending.h"
#include "printing/CQMVDispPrev.h"
#include "printing/FormPrint.h"
#include "shell/CTovanaDoc.h"

namespace dm {

using ui::Answer;
using ui::Buttons;
using ui::Icon;

const CDMDelivery::Texts CDMDelivery::kMail = {
    "送信するDMタイトルを選択してください。",
    "送信するDMタイトルをひとつ選択してください。",
    "送付対象顧客を選択してください。",
    "「送付日」が異なりますがメール送信しますか？\n\n※送付履歴を登録する場合\n　DMタイトルの「送付日」が履歴の「日付」に登録されます。",
    "送付済みですが、メール送信しますか？\n【はい】で選択している顧客を\n【いいえ】で対象の全顧客をメール送信します。\n\n"
    "※既に送付履歴が登録されています。\n　今回の送付履歴は登録されません。",
    "送付済みですが、メール送信しますか？\n【はい】で選択している顧客を\n【いいえ】で対象の全顧客をメール送信します。\n\n"
    "※今回の送付履歴を登録する場合には、\n　DMタイトルの「送付日」が履歴の「日付」に登録されます。\n　対象の全顧客の履歴に登録されます。",
    "送付済みですが、メール送信しますか？\n\n※既に送付履歴が登録されています。\n　今回の送付履歴は登録されません。",
    "送付済みですが、メール送信しますか？\n\n※今回の送付履歴を登録する場合には、\n　DMタイトルの「送付日」が履歴の「日付」に登録されます。\n",
};

const CDMDelivery::Texts CDMDelivery::kPrint = {
    "印刷するDMタイトルを選択してください。",
    "印刷するDMタイトルをひとつ選択してください。",
    "送付対象顧客を設定してください。",
    "「送付日」が異なりますが印刷しますか？\n\n※送付履歴を登録する場合\n　DMタイトルの「送付日」が履歴の「日付」に登録されます。",
    "送付済みですが、印刷しますか？\n【はい】で選択している顧客を\n【いいえ】で対象の全顧客を印刷します。\n\n"
    "※既に送付履歴が登録されています。\n　今回の送付履歴は登録されません。",
    "送付済みですが、印刷しますか？\n【はい】で選択している顧客を\n【いいえ】で対象の全顧客を印刷します。\n\n"
    "※今回の送付履歴を登録する場合には、\n　DMタイトルの「送付日」が履歴の「日付」に登録されます。\n　対象の全顧客の履歴に登録されます。",
    "送付済みですが、印刷しますか？\n\n※既に送付履歴が登録されています。\n　今回の送付履歴は登録されません。",
    "送付済みですが、印刷しますか？\n\n※今回の送付履歴を登録する場合には、\n　DMタイトルの「送付日」が履歴の「日付」に登録されます。\n",
};

namespace {

bool SameDay(const records::COleDate& a, const records::COleDate& b) {
  const records::CivilTime x = a.ToCivil(), y = b.ToCivil();
  return x.year == y.year && x.month == y.month && x.day == y.day;
}

}  // namespace

bool CDMDelivery::Writable() const { return !c_.doc->IsReadOnly() && !c_.doc->Store().IsReadOnly(); }

std::optional<CDMDelivery::Sending> CDMDelivery::Choose(const Texts& texts) {
  ui::Ui& ui = *c_.ui;
  const std::vector<int>& selected = view_.TitleSelection();
  if (selected.empty()) return ui.Tell(texts.selectTitle), std::nullopt;
  if (selected.size() > 1) return ui.Tell(texts.selectOneTitle), std::nullopt;
  if (!c_.doc) return ui.Tell(kNoData), std::nullopt;
  if (view_.RecipientCount() == 0) return ui.Tell(texts.noRecipients), std::nullopt;
  Sending s{selected.front(), view_.TitleAt(selected.front()), {}};
  if (!s.title) return ui.Tell(kNoDMData), std::nullopt;

  bool onlySelected = false;
  if (s.title->Sent != 1) {
    if (Writable() && !SameDay(s.title->SendDate, c_.clock()) && !ui.Ask(texts.otherDate)) return std::nullopt;
  } else if (!view_.RecipientSelection().empty() && view_.RecipientCount() > 1) {
    const char* question = HistoryRegistered(s) ? texts.sentChooseRegistered : texts.sentChooseUnregistered;
    const Answer answer = ui.Message(question, Buttons::YesNoCancel, Icon::Question, Answer::Yes);
    if (answer == Answer::Cancel) return std::nullopt;
    onlySelected = answer == Answer::Yes;
  } else if (!ui.Ask(HistoryRegistered(s) ? texts.sentRegistered : texts.sentUnregistered)) {
    return std::nullopt;
  }
  if (onlySelected) {
    for (int row : view_.RecipientSelection()) {
      if (const records::CDMMngData* r = view_.RecipientAt(row)) s.customers.push_back(r->ID);
    }
  } else {
    s.customers = view_.RecipientIds();
  }
  return s;
}

void CDMDelivery::MarkSent(const Sending& s, bool history, int method) {
  if (!Writable()) return;
  if (s.title->Sent == 1 && (HistoryRegistered(s) || !history)) return;
  view_.ChangeStatus(s.row, DMStatus{1, history ? 1 : 0, method});
}

void CDMDelivery::Mail() {
  ui::Ui& ui = *c_.ui;
  const ui::WaitScope wait = ui.Wait();
  const auto s = Choose(kMail);
  if (!s) return;
  std::vector<std::string> addresses;
  const int found = c_.doc->GetMailAddresses(s->customers, addresses);
  if (RefuseTooManyRecipients(ui, addresses.size())) return;
  if (found == -1) return ui.Tell(kNoAddresses);
  const bool sentWithHistory = s->title->Sent == 1 && HistoryRegistered(*s);
  if (found == 0 && !ui.Ask(sentWithHistory ? kSomeWithoutAddressRegistered : kSomeWithoutAddress)) return;

  CMailerDlg launcher(ui, HistoryFirst(*s), HistoryOffered(*s));
  if (!ui.Run(launcher)) return;
  if (SendMail(ui, launcher.Subject(), addresses, c_.mailCommand) != 1) return;
  MarkSent(*s, launcher.History(), records::CDMListData::kMail);
}

void CDMDelivery::Print() {
  ui::Ui& ui = *c_.ui;
  const ui::WaitScope wait = ui.Wait();
  const auto s = Choose(kPrint);
  if (!s) return;
  const std::vector<const records::CKokyaku*> customers = c_.doc->FindCustomers(s->customers);
  printing::CQMVDispPrev component(ui, c_.doc->InstallFolder(), c_.doc->Profile());
  component.SetPreviewCustomers(customers);
  if (component.CallDispPrevDlg(1, HistoryOffered(*s) ? 1 : 0, HistoryFirst(*s) ? 1 : 0) != 1) return;
  if (printing::PrintForm(ui, *c_.doc, component, printing::ChosenFormRequest(component, customers, false)) == 0) return;
  MarkSent(*s, component.History != 0, 0);  // DM印刷
}

void CDMDelivery::HitRate() {
  ui::Ui& ui = *c_.ui;
  if (!c_.doc) return ui.Tell(kHitRateNoData);
  const std::vector<int>& selected = view_.TitleSelection();
  if (selected.empty()) return ui.Tell(kHitRateSelect);
  if (selected.size() > 1) return ui.Tell(kHitRateOneOnly);
  const records::CDMListData* title = view_.TitleAt(selected.front());
  if (!title) return ui.Tell(kHitRateSelect);
  if (title->Sent != 1) return ui.Tell(kHitRateUnsent);
  if (!analysis::RunDMHitRate(ui, *c_.doc, c_.install, title->ID)) return;
  const ui::WaitScope wait = ui.Wait();
  view_.EnterHitRateMode();
}

}  // namespace dm
