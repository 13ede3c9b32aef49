#include "history/RirekiDialogHooks.h"

#include "shell/CScreen.h"
#include "shell/CTovanaDoc.h"

namespace history {

ExtractionOutcome RunExtractionDialog(ui::Ui& ui, shell::CTovanaDoc&, const std::filesystem::path&, ExtractionRequest) {
  // The extraction dialogs come with the extraction subsystem.
  ui.Tell(shell::CScreen::kNotAvailable, ui::Icon::Information);
  return ExtractionOutcome::Cancelled;
}

int RunAnalysisDialog(ui::Ui& ui, shell::CTovanaDoc&, const std::filesystem::path&) {
  // The seven-colour analysis comes with its own subsystem.
  ui.Tell(shell::CScreen::kNotAvailable, ui::Icon::Information);
  return -1;
}

void PrintHistory(ui::Ui& ui, shell::CTovanaDoc&, const std::filesystem::path&, const RirekiPrintSelection&) {
  // The print dialog and form printing come with the printing subsystem.
  ui.Tell(shell::CScreen::kNotAvailable, ui::Icon::Information);
}

RirekiDialogs RirekiDialogs::Standard(ui::Ui& ui, shell::CTovanaDoc& doc, std::filesystem::path install) {
  RirekiDialogs dialogs;
  dialogs.extract = [&ui, &doc, install](ExtractionRequest request) {
    return RunExtractionDialog(ui, doc, install, request);
  };
  dialogs.analyse = [&ui, &doc, install] { return RunAnalysisDialog(ui, doc, install); };
  dialogs.print = [&ui, &doc, install](const RirekiPrintSelection& selection) {
    PrintHistory(ui, doc, install, selection);
  };
  return dialogs;
}

}  // namespace history
