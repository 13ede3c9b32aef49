#pragma once
// What the GUI tests share: screenshots under the build folder, finding controls by the caption
// a screen reader announces, and checking that no caption is cut off or missing.

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/Screens.h"
#include "shell/CMainFrame.h"
#include "shell/CTovanaDoc.h"

namespace gui_test {

// The frame's screens on this document and workspace, as the started program wires them.
inline void WireScreens(shell::CMainFrame& frame, shell::CTovanaDoc& doc, ui::Ui& ui,
                        const std::filesystem::path& install) {
  app::MenuScreenContext context;
  context.ui = &ui;
  context.frame = &frame;
  context.doc = &doc;
  context.install = install;
  frame.SetDocument(&doc);
  frame.SetScreenFactory(app::MakeScreenFactory(context));
}

// TOVANA_SCREENSHOTS names another folder for them.
inline void SaveScreenshot(QWidget& widget, const char* name) {
  const char* folder = std::getenv("TOVANA_SCREENSHOTS");
  if (!folder) folder = TOVANA_SCREENSHOT_DIR;
  std::filesystem::create_directories(folder);
  widget.grab().save(QString::fromStdString((std::filesystem::path(folder) / name).string()));
}

template <typename T = QAbstractButton>
T* Find(QWidget& dialog, const QString& accessibleName) {
  for (auto* w : dialog.findChildren<T*>()) {
    if (w->accessibleName() == accessibleName) return w;
  }
  ADD_FAILURE() << "no control named " << accessibleName.toStdString();
  return nullptr;
}

inline QAbstractButton* Button(QWidget& dialog, const char* caption) { return Find(dialog, QString::fromUtf8(caption)); }

// Types text key by key, as an input method commits it (QTest::keyClicks knows ASCII only).
inline void TypeText(QWidget* widget, const char* utf8) {
  for (const QChar c : QString::fromUtf8(utf8)) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

// Shows the dialog and waits until it is on screen.
inline void ShowAndWait(QWidget& dialog) {
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
}

// Whether a label captions the widget: on Linux a screen reader names a drop-down list by its
// current entry and finds what it is for through that label.
inline bool HasCaption(QWidget& dialog, const QWidget* field) {
  for (auto* l : dialog.findChildren<QLabel*>()) {
    if (l->buddy() == field && !l->text().isEmpty()) return true;
  }
  return false;
}

// Every visible button, label and list carries an accessible name, every drop-down list a
// caption, and every caption has the room it needs.
inline void ExpectReadable(QWidget& dialog) {
  for (auto* b : dialog.findChildren<QAbstractButton*>()) {
    if (!b->isVisible()) continue;
    EXPECT_FALSE(b->accessibleName().isEmpty()) << b->text().toStdString();
    EXPECT_GE(b->width(), b->minimumSizeHint().width()) << "cut: " << b->text().toStdString();
  }
  for (auto* l : dialog.findChildren<QLabel*>()) {
    if (!l->isVisible() || l->text().isEmpty()) continue;
    EXPECT_FALSE(l->accessibleName().isEmpty()) << l->text().toStdString();
    EXPECT_GE(l->width(), l->sizeHint().width()) << "cut: " << l->text().toStdString();
  }
  for (auto* list : dialog.findChildren<QListWidget*>()) EXPECT_FALSE(list->accessibleName().isEmpty());
  for (auto* box : dialog.findChildren<QComboBox*>()) {
    if (!box->isVisible()) continue;
    EXPECT_TRUE(HasCaption(dialog, box)) << "no caption: " << box->accessibleName().toStdString();
  }
}

}  // namespace gui_test
