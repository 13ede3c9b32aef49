#pragma once
// Tab goes through a dialog in the order a person reads it: within each group of fields row by
// row, left to right in a row, and each "..." button right after the field it belongs to.

#include <QGroupBox>
#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace gui_test {

// The focusable controls in the order Tab visits them.
inline std::vector<QWidget*> TabOrder(QWidget& dialog) {
  std::vector<QWidget*> order;
  QWidget* w = &dialog;
  do {
    w = w->nextInFocusChain();
    if (w != &dialog && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()) {
      order.push_back(w);
    }
  } while (w != &dialog);
  return order;
}

inline QRect On(QWidget& dialog, QWidget* w) { return {w->mapTo(&dialog, QPoint(0, 0)), w->size()}; }

inline QGroupBox* GroupOf(QWidget* w) {
  for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
    if (auto* box = qobject_cast<QGroupBox*>(p)) return box;
  }
  return nullptr;
}

// Within each group of fields Tab goes row by row, left to right in a row; each "..." button
// comes right after the field it belongs to.
inline void ExpectTabOrderFollowsTheLayout(QWidget& dialog) {
  const std::vector<QWidget*> order = TabOrder(dialog);
  ASSERT_FALSE(order.empty());
  for (std::size_t i = 1; i < order.size(); ++i) {
    QWidget* before = order[i - 1];
    QWidget* after = order[i];
    const QRect a = On(dialog, before), b = On(dialog, after);
    auto* dots = qobject_cast<QToolButton*>(after);
    if (dots && dots->text() == QStringLiteral("...")) {
      EXPECT_TRUE(qobject_cast<QLineEdit*>(before)) << dots->accessibleName().toStdString() << " before its field";
      EXPECT_TRUE(a.top() < b.bottom() && b.top() < a.bottom() && a.left() < b.left())
          << dots->accessibleName().toStdString() << " is not beside the field before it";
    }
    if (GroupOf(before) != GroupOf(after) || !GroupOf(before)) continue;
    const bool sameRow = a.top() < b.center().y() && b.center().y() < a.bottom();
    EXPECT_TRUE(sameRow ? a.left() < b.left() : b.top() >= a.center().y())
        << before->accessibleName().toStdString() << " → " << after->accessibleName().toStdString();
  }
}

}  // namespace gui_test
