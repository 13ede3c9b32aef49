#include "printing/qt/QuilletProgram.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <memory>

#include "lumaro/CChuBunrui.h"
#include "lumaro/CDaiBunrui.h"
#include "lumaro/CLayoutInfo.h"
#include "lumaro/CLumaro.h"
#include "lumaro/CShoBunrui.h"
#include "platform/CNeritEnv.h"
#include "printing/QuilletCommand.h"
#include "printing/qt/CFormRenderer.h"
#include "printing/qt/FormPreviewWindow.h"
#include "ui/qt/ApplicationSetup.h"

namespace printing {

namespace {

std::vector<const records::CKokyaku*> Pointers(const records::KokyakuList& list) {
  std::vector<const records::CKokyaku*> out;
  out.reserve(list.size());
  for (const auto& k : list) out.push_back(k.get());
  return out;
}

bool HasDisplay() {
  const char* x = std::getenv("DISPLAY");
  const char* w = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (w && *w);
}

// Every form of the catalogue drawn small with the sample customers, as "<ID>.jpg".
int DrawPreviews(const QuilletCommand& command) {
  const platform::CNeritEnv env;
  const std::filesystem::path source = command.catalogue.empty() ? env.GetInstallFolder() : command.catalogue;
  std::string message;
  lumaro::CLumaro catalogue(source, [&message](std::string_view text) { message = text; });
  if (catalogue.ReadMain() != 1) {
    std::fprintf(stderr, "quillet: %s\n", message.c_str());
    return kQuilletFailed;
  }
  std::error_code ec;
  std::filesystem::create_directories(command.previews, ec);
  const std::vector<records::CKokyaku> people = PreviewCustomers();
  std::vector<const records::CKokyaku*> customers;
  for (const auto& k : people) customers.push_back(&k);
  int failed = 0;
  for (const auto& top : catalogue.GetIndex())
    for (const auto& middle : top->Children)
      for (const auto& bottom : middle->Children)
        for (const auto& info : bottom->Children) {
          const auto layout = ReadFormLayout(*info);
          if (!layout) {
            ++failed;
            continue;
          }
          RenderOptions options;
          options.preview = true;
          options.jointColumn = "Note1";
          const bool blank = layout->genre == lumaro::CLayoutInfo::kGenreNoCustomer;
          const CFormRenderer renderer(*layout, blank ? std::vector<const records::CKokyaku*>{} : customers, {},
                                       SenderTexts::Read(source), options);
          const double longer = std::max(layout->sheet.paperW, layout->sheet.paperH);
          const QImage image = RenderPageImage(renderer, 0, 320.0 / longer * 25.4);
          const std::filesystem::path file = command.previews / (std::to_string(info->LayoutID) + ".jpg");
          if (!image.save(QString::fromStdString(file.string()), "JPG", 85)) ++failed;
        }
  if (failed) std::fprintf(stderr, "quillet: %d preview pictures could not be drawn\n", failed);
  return failed ? kQuilletFailed : kQuilletDone;
}

int RunBatch(int argc, char** argv, const QuilletCommand& command) {
  // Batch output draws no window: without a display (cron, ssh) Qt's offscreen platform serves.
  if (!HasDisplay() && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);
  if (!command.previews.empty()) return DrawPreviews(command);
  std::string error;
  const platform::CNeritEnv env;
  auto job = LoadQuilletJob(command, env.GetInstallFolder(), true, error);
  if (!job) {
    std::fprintf(stderr, "quillet: %s\n", error.c_str());
    return kQuilletFailed;
  }
  RenderOptions options;
  options.firstPiece = command.firstPiece;
  options.jointColumn = command.jointColumn;
  const CFormRenderer renderer(job->layout, Pointers(job->customers), job->histories,
                               SenderTexts::Read(env.GetInstallFolder()), options);
  QString why;
  if (!WritePdf(renderer, QString::fromStdString(command.pdf.string()), {}, &why)) {
    std::fprintf(stderr, "quillet: %s: %s\n", why.toStdString().c_str(), command.pdf.string().c_str());
    return kQuilletFailed;
  }
  return kQuilletDone;
}

}  // namespace

int QuilletMain(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  const auto command = ParseQuilletCommand(args, error);
  if (!command) {
    std::fprintf(stderr, "quillet: %s\n%s", error.c_str(), QuilletUsage().c_str());
    return kQuilletUsage;
  }
  if (command->batch) return RunBatch(argc, argv, *command);

  QApplication application(argc, argv);
  ui::SetUpApplication(application);
  const platform::CNeritEnv env;
  auto job = LoadQuilletJob(*command, env.GetInstallFolder(), false, error);
  if (!job) {
    ShowQuilletFailure(QString::fromStdString(error));
    return kQuilletFailed;
  }
  auto renderer = std::make_shared<CFormRenderer>(job->layout, std::vector<const records::CKokyaku*>{}, HistoryArrays{},
                                                  SenderTexts::Read(env.GetInstallFolder()));
  FormPreviewWindow window(renderer);
  window.show();
  return application.exec();
}

}  // namespace printing
