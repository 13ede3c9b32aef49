#pragma once
// The year of a history date: an edit with spin buttons that keeps the text as typed
// (full-width digits and all) for the model to read and refuse with a message. A plain number
// spin box would silently put back its last value instead. The buttons, arrow keys and wheel
// step the year through the model.

#include <QAbstractSpinBox>
#include <QLineEdit>

#include <functional>

namespace history {

class YearSpinBox : public QAbstractSpinBox {
  Q_OBJECT

 public:
  YearSpinBox(QWidget* parent, std::function<void(int steps)> onStep);

  QString text() const;
  // The edit the year is typed in.
  QLineEdit* Edit() const { return lineEdit(); }
  // Shows the text without telling anyone it changed.
  void ShowText(const QString& text);

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  StepEnabled stepEnabled() const override;

 private:
  std::function<void(int)> onStep_;
};

}  // namespace history
