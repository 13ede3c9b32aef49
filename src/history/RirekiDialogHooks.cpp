#include "history/RirekiDialogHooks.h"

#include "analysis/CRainbowDlg.h"
#include "extract/Extraction.h"
#include "printing/PrintCommands.h"
#include "shell/CScreen.h"
#include "shell/CTovanaDoc.h"

namespace history {

ExtractionOutcome RunExtractionDialog(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install,
                                      ExtractionRequest request) {
  bool confirmed = false;
  switch (request) {
    case ExtractionRequest::SaveConditions:
      return extract::SaveCurrentExtraction(ui, doc) ? ExtractionOutcome::Saved : ExtractionOutcome::Cancelled;
    case ExtractionRequest::NewForHistory: confirmed = extract::ExtractForHistoryList(ui, doc, install); break;
    case ExtractionRequest::HistoryOnly: confirmed = extract::RedoHistoryExtraction(ui, doc, install); break;
  }
  if (!confirmed) return ExtractionOutcome::Cancelled;
  const settings::CExCondition* extraction = doc.CurrentExtraction();
  return extraction && extraction->resultType == settings::CExCondition::kHistory ? ExtractionOutcome::History
                                                                                  : ExtractionOutcome::Customers;
}

int RunAnalysisDialog(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install,
                      lookup::CLookupFacility* lookups) {
  return analysis::RunRainbowDialog(ui, doc, install, lookups);
}

void PrintHistory(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path&, const RirekiPrintSelection& selection) {
  printing::PrintHistoryCustomers(ui, doc, selection.customers, selection.entries,
                                  [&ui](bool readOnly) { return LeaveHistoryNotice(ui, readOnly); });
}

RirekiDialogs RirekiDialogs::Standard(ui::Ui& ui, shell::CTovanaDoc& doc, std::filesystem::path install,
                                      lookup::CLookupFacility* lookups) {
  RirekiDialogs dialogs;
  dialogs.extract = [&ui, &doc, install](ExtractionRequest request) {
    return RunExtractionDialog(ui, doc, install, request);
  };
  dialogs.analyse = [&ui, &doc, install, lookups] { return RunAnalysisDialog(ui, doc, install, lookups); };
  dialogs.print = [&ui, &doc, install](const RirekiPrintSelection& selection) {
    PrintHistory(ui, doc, install, selection);
  };
  return dialogs;
}

}  // namespace history
