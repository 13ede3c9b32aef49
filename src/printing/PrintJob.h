#pragma once
// One print as the printing component hands it to its output: the form, the customers (with
// their history for a customer card) and how to place them. The output itself (Qt's print
// dialog and a printer, or a PDF file) is installed by the program through SetFormOutput, so
// the component and its dialog stay free of the toolkit and tests give their own output.

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "printing/FormSheet.h"
#include "records/CKokyaku.h"
#include "records/CRirekiData.h"

namespace printing {

using HistoryArrays = std::vector<std::vector<const records::CRirekiData*>>;

struct RenderOptions {
  int firstPiece = 0;               // start at this piece of the first page (a partly used sheet)
  double offsetX = 0, offsetY = 0;  // the printer's calibration, mm, added to every piece
  std::string jointColumn;          // the customer column holding a joint addressee's given name
  bool preview = false;             // also draw what is pre-printed: piece outlines, postal-code boxes
};

struct PrintJob {
  enum class Destination { Printer, Pdf };
  FormLayout layout;
  std::vector<const records::CKokyaku*> customers;  // owned by the caller
  HistoryArrays histories;                            // genre 4: one array per customer
  RenderOptions options;
  Destination destination = Destination::Printer;
  std::filesystem::path pdf;            // Destination::Pdf
  std::filesystem::path install;        // for the own-company texts
  // The calibration (x, y mm) kept for a printer, asked once the printer is chosen.
  std::function<std::pair<double, double>(const std::string& printer)> calibration;
};

// Sends a job out; 1 when every page went out, 0 when cancelled or failed (the output told the
// person why).
using FormOutput = std::function<int(const PrintJob&)>;
void SetFormOutput(FormOutput output);
const FormOutput& GetFormOutput();

// The printers the output knows (for the calibration), installed with the output.
using PrinterList = std::function<std::vector<std::string>()>;
void SetPrinterList(PrinterList list);
std::vector<std::string> Printers();

}  // namespace printing
