#pragma once
// The dialogs of other subsystems that the history list and the menu screen's 履歴一覧 open: the
// extraction dialogs (of extract/), the seven-colour analysis (of analysis/) and the print dialog
// (of printing/). Each is one free function here. The history list calls them
// through RirekiDialogs, which tests may replace.

#include <filesystem>
#include <functional>

#include "history/RirekiPrint.h"
#include "ui/Ui.h"

namespace shell {
class CTovanaDoc;
}
namespace lookup {
class CLookupFacility;
}

namespace history {

enum class ExtractionRequest {
  // "抽出..." of the history list: the extraction dialog in its general form, the result type
  // preset to 履歴一覧, for a new extraction.
  NewForHistory,
  // "抽出のやり直し..." of the history list and the menu screen's "抽出して表示する": the dialog in
  // its history-only form, starting from the document's current extraction when there is one.
  HistoryOnly,
  // "抽出条件の保存" for the document's current extraction (the command and the save prompt).
  SaveConditions,
};

enum class ExtractionOutcome {
  Cancelled,  // nothing changed (also after a failed extraction, which the dialog reported)
  Customers,  // OK with a customer result: CurrentExtraction() and ExtractedIds() hold it
  History,    // OK with a history result: CurrentExtraction() and History() hold it
  Saved,      // the conditions were saved under a name
};

// Runs the extraction dialog asked for (NewForHistory: the general form with 履歴一覧 preset;
// HistoryOnly: the history-only form). On OK the dialog leaves in doc, as a successful
// extraction does: the current extraction replaced by the condition run, its saved flag, and
// the extracted customer IDs or History() holding the extracted entries (in the order returned). For NewForHistory and HistoryOnly, History() is empty while the dialog runs: the
// history list keeps the entries it shows and puts them back unless the outcome is History.
// SaveConditions saves doc.CurrentExtraction() under a name and changes nothing else; the
// caller marks the extraction saved on Saved.
ExtractionOutcome RunExtractionDialog(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install,
                                      ExtractionRequest request);

// Runs the seven-colour analysis dialog (lookups, for its address sweep, may be null). The result
// kind (1 to 7) left in doc.Analysis(), or -1 when nothing was analysed.
int RunAnalysisDialog(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install,
                      lookup::CLookupFacility* lookups);

// The print dialog and form printing for the selected entries (their use of LeaveHistoryNotice
// included). The selection's records belong to the document and stay valid during the call.
void PrintHistory(ui::Ui& ui, shell::CTovanaDoc& doc, const std::filesystem::path& install,
                  const RirekiPrintSelection& selection);

// The three as the history list calls them; by default the functions above.
struct RirekiDialogs {
  std::function<ExtractionOutcome(ExtractionRequest)> extract;
  std::function<int()> analyse;
  std::function<void(const RirekiPrintSelection&)> print;

  static RirekiDialogs Standard(ui::Ui& ui, shell::CTovanaDoc& doc, std::filesystem::path install,
                                lookup::CLookupFacility* lookups = nullptr);
};

}  // namespace history
