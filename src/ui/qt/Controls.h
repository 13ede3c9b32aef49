#pragma once
// The controls every dialog view builds, each carrying its caption as its accessible name so a
// screen reader and the accessibility tests find it by what the user reads.

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QValidator>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QLineEdit;

namespace ui {

QPushButton* MakeButton(std::string_view caption, QWidget* parent, std::function<void()> onClick);

// What a screen reader says for a button's text: without its keyboard mnemonic, "はい(&Y)" as
// "はい" and "&OK" as "OK".
QString SpokenCaption(QString text);

// Whether a dialog that waits for an answer is open. Mouse and keys cannot reach the main window
// then, but assistive technology can still press its controls; they must do nothing meanwhile.
bool ModalDialogOpen();
// A label; with a field it is that field's caption, so screen readers announce the field by it
// (on Linux a drop-down list is named by its current entry, not by its own name).
QLabel* MakeLabel(std::string_view text, QWidget* parent, QWidget* field = nullptr);
// A single-selection list captioned caption.
QListWidget* MakeList(std::string_view caption, QWidget* parent);

// Replaces a list's rows with texts and selects row (none for -1), keeping the scroll position
// and sending no selection signals while it does.
void ShowRows(QListWidget* list, const std::vector<std::string>& texts, int row);

// Refuses any edit that would make the text longer than maxBytes in CP932, the byte limits of
// the stored fields.
class Cp932LimitValidator : public QValidator {
 public:
  Cp932LimitValidator(std::size_t maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}
  State validate(QString& input, int& pos) const override;
  void SetLimit(std::size_t maxBytes) { maxBytes_ = maxBytes; }

 private:
  std::size_t maxBytes_;
};

void LimitToCp932Bytes(QLineEdit* edit, std::size_t maxBytes);

}  // namespace ui
