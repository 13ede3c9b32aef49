#include "printing/PrintJob.h"

namespace printing {

namespace {
FormOutput& Output() {
  static FormOutput output;
  return output;
}
PrinterList& List() {
  static PrinterList list;
  return list;
}
}  // namespace

void SetFormOutput(FormOutput output) { Output() = std::move(output); }
const FormOutput& GetFormOutput() { return Output(); }
void SetPrinterList(PrinterList list) { List() = std::move(list); }
std::vector<std::string> Printers() { return List() ? List()() : std::vector<std::string>{}; }

}  // namespace printing
