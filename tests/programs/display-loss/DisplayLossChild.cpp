// A program started by the display-loss test on a display of its own: it starts as the program
// does, records one customer, shows a window and runs until its display server goes away.
// Prints "added" once the customer is recorded. Exit 2 when start-up or the addition failed.
#include <QApplication>
#include <QWidget>

#include <cstdio>

#include "app/CTovanaApp.h"
#include "ui/ScriptedUi.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  ui::ScriptedUi ui([](const std::string& why) { std::fprintf(stderr, "unexpected: %s\n", why.c_str()); });
  app::CTovanaApp tovana(ui);
  if (!tovana.InitInstance()) return 2;
  auto customer = std::make_unique<records::CKokyaku>();
  customer->Name = "画面が消えても残る顧客";
  if (tovana.Document()->AddCustomer(customer) <= 0) return 2;
  QWidget window;
  window.show();
  std::printf("added\n");
  std::fflush(stdout);
  application.exec();
  return tovana.ExitInstance();
}
