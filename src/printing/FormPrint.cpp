#include "printing/FormPrint.h"

#include <utility>

#include "history/LastHistoryDate.h"
#include "lumaro/CLayoutInfo.h"
#include "lumaro/CLumaro.h"
#include "printing/CQMVDispPrev.h"
#include "shell/CTovanaDoc.h"

namespace printing {

std::filesystem::path PrintPictureFolder(const shell::CTovanaDoc& doc) { return doc.PictureFolder(); }

FormPrintRequest ChosenFormRequest(const CQMVDispPrev& component, std::vector<const records::CKokyaku*> customers,
                                   bool writeHistory) {
  FormPrintRequest request;
  request.customers = std::move(customers);
  request.layoutId = component.LayoutID;
  request.motoLayoutId = component.MotoLayoutID;
  request.genre = component.FormGenre;
  request.writeHistory = writeHistory;
  return request;
}

int PrintForm(ui::Ui& ui, shell::CTovanaDoc& doc, CQMVDispPrev& component, const FormPrintRequest& request,
              const std::function<void(std::int32_t)>& changed) {
  if (request.layoutId < 1) {
    ui.Tell(kNoLayout);
    return 0;
  }
  int printed = 0;
  {
    const ui::WaitScope wait = ui.Wait();
    component.LayoutID = request.layoutId;
    component.MotoLayoutID = request.motoLayoutId;
    component.FormGenre = request.genre;
    component.SetPictureDir(PrintPictureFolder(doc));
    if (request.genre == lumaro::CLayoutInfo::kGenreCardHistory) {
      if (request.prepared) {
        printed = component.CallQuilletFormType2(request.customers, *request.prepared);
      } else {
        // Each customer's history as the store returns it; the records live until printed.
        std::vector<records::RirekiList> lists(request.customers.size());
        HistoryArrays arrays(request.customers.size());
        for (std::size_t i = 0; i < request.customers.size(); ++i) {
          if (!request.customers[i]) continue;
          doc.Store().GetRirekiForKokyaku(request.customers[i]->ID, lists[i]);
          for (const auto& entry : lists[i]) arrays[i].push_back(entry.get());
        }
        printed = component.CallQuilletFormType2(request.customers, arrays);
      }
    } else {
      printed = component.CallQuilletFormType1(request.customers);
    }
  }
  if (!request.writeHistory || !printed || doc.IsReadOnly()) return printed;

  lumaro::CLumaro catalogue(doc.InstallFolder(), [&ui](std::string_view text) { ui.Tell(text); });
  records::CRirekiData entry;
  entry.ActionTitle = kFormPrintTitle;
  entry.Action = catalogue.GetLayoutTitle(request.layoutId) + "を印刷。";
  const records::COleDate now = records::COleDate::Now();
  entry.Date = now;
  records::IdArray ids;
  for (const records::CKokyaku* k : request.customers) {
    if (k) ids.push_back(k->ID);
  }
  switch (doc.Store().AddNewRireki(ids, entry, now)) {
    case -1: ui.Tell(kHistoryFailed); break;
    case 10: ui.Tell(kHistoryPartlyFailed); break;
    case 1: history::RefreshLastHistoryDate(doc.Customers(), ids, now, changed); break;
    default: break;
  }
  return printed;
}

}  // namespace printing
