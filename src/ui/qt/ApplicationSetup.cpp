#include "ui/qt/ApplicationSetup.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace ui {

namespace {

// The Japanese Gothic the program's texts are drawn in.
void UseJapaneseFont(QApplication& application) {
  for (const char* family : {"Noto Sans CJK JP", "IPAGothic", "IPAexGothic"}) {
    if (QFontDatabase::hasFamily(QString::fromUtf8(family))) {
      QFont font(QString::fromUtf8(family));
      font.setPointSize(10);
      application.setFont(font);
      return;
    }
  }
}

}  // namespace

bool LoadQtJapanese(QApplication& application) {
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  // The program speaks Japanese whatever the session's language, and so do Qt's own controls.
  QLocale::setDefault(japanese);
  auto* translator = new QTranslator(&application);
  if (!translator->load(japanese, QStringLiteral("qt"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QApplication::installTranslator(translator);
  return true;
}

void SetUpApplication(QApplication& application) {
  QApplication::setApplicationName(QStringLiteral("tovana"));
  QGuiApplication::setDesktopFileName(QString::fromUtf8(kDesktopFileName));
  UseJapaneseFont(application);
  if (!LoadQtJapanese(application)) {
    std::fprintf(stderr, "tovana: Qt's Japanese translations are not installed (qt6-translations-l10n)\n");
  }
}

}  // namespace ui
