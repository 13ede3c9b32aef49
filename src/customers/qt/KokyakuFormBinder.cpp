#include "customers/qt/KokyakuFormBinder.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QSignalBlocker>

#include "records/KokyakuColumns.h"
#include "shell/AppRoutines.h"
#include "ui/qt/ChoiceListComboBox.h"
#include "ui/qt/Controls.h"
#include "ui/qt/QtUi.h"

namespace customers {

namespace {

using ui::FromQString;
using ui::ToQString;

// A furigana field. Taking the focus asks the input method for half-width katakana, which the
// input methods of Linux do not honour; the form turns what is typed into half-width katakana
// when the field is left instead.
class FuriganaEdit : public QLineEdit {
 public:
  FuriganaEdit(QWidget* parent, std::function<void()> entered) : QLineEdit(parent), entered_(std::move(entered)) {}

 protected:
  void focusInEvent(QFocusEvent* event) override {
    const shell::ImeMode mode = shell::SetImeMode(true, true);
    setProperty("imeMode", mode == shell::ImeMode::HalfKatakana ? QStringLiteral("halfKatakana") : QString());
    setInputMethodHints(Qt::ImhNone);
    entered_();
    QLineEdit::focusInEvent(event);
  }

 private:
  std::function<void()> entered_;
};

// A name field: what the input method composes is told to the form before the field takes it, so
// the reading typed before conversion can fill the furigana.
class NameEdit : public QLineEdit {
 public:
  NameEdit(QWidget* parent, std::function<void(const QInputMethodEvent&)> composed)
      : QLineEdit(parent), composed_(std::move(composed)) {}

 protected:
  void inputMethodEvent(QInputMethodEvent* event) override {
    composed_(*event);
    QLineEdit::inputMethodEvent(event);
  }

 private:
  std::function<void(const QInputMethodEvent&)> composed_;
};

bool IsFurigana(std::string_view column) { return column == "Yomi" || column == "CompYomi"; }

std::size_t LimitOf(std::string_view column) {
  const records::KokyakuColumn* c = records::FindKokyakuColumn(column);
  return c ? c->limit : 0;
}

QColor ColourOf(std::int32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QIcon Swatch(std::int32_t bgr) {
  QPixmap pixmap(16, 12);
  pixmap.fill(ColourOf(bgr));
  QPainter p(&pixmap);
  p.setPen(Qt::darkGray);
  p.drawRect(0, 0, 15, 11);
  return QIcon(pixmap);
}

void ShowText(QLineEdit* edit, const QString& text) {
  if (edit->text() == text) return;
  const QSignalBlocker quiet(edit);
  edit->setText(text);
}

void ShowComboText(QComboBox* box, const QString& text) {
  const QSignalBlocker quiet(box);
  if (box->currentText() == text) return;
  box->setCurrentIndex(box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
  box->setEditText(text);
}

}  // namespace

KokyakuFormBinder::KokyakuFormBinder(CKokyakuForm& form, QWidget* parent, bool limitTyping)
    : form_(form), parent_(parent), limitTyping_(limitTyping) {}

void KokyakuFormBinder::Bind(std::string_view column, QWidget* widget, std::function<void()> refresh) {
  controls_.emplace(std::string(column), widget);
  refreshers_.push_back(std::move(refresh));
}

QLineEdit* KokyakuFormBinder::Edit(std::string_view column, const char* caption) {
  const std::string key(column);
  QLineEdit* edit = nullptr;
  if (IsFurigana(column)) {
    auto* furigana = new FuriganaEdit(parent_, [this, key] { form_.OnFuriganaEntered(key); });
    // Leaving the field, or Enter before the dialog's default button: the reading is made half width.
    QObject::connect(furigana, &QLineEdit::editingFinished, furigana, [this, key] {
      if (form_.OnFuriganaLeft(key)) Refresh();
    });
    edit = furigana;
  } else if (!CKokyakuForm::FuriganaOf(column).empty()) {
    edit = new NameEdit(parent_, [this, key](const QInputMethodEvent& event) {
      if (form_.OnNameComposition(key, FromQString(event.preeditString()), FromQString(event.commitString()))) Refresh();
    });
  } else {
    edit = new QLineEdit(parent_);
  }
  edit->setAccessibleName(QString::fromUtf8(caption));
  const std::size_t limit = LimitOf(column);
  if (limitTyping_ && limit > 0) ui::LimitToCp932Bytes(edit, limit);
  edit->setReadOnly(form_.IsViewOnly());
  QObject::connect(edit, &QLineEdit::textChanged, edit,
                   [this, key](const QString& t) { form_.SetText(key, FromQString(t)); });
  Bind(column, edit, [this, edit, key] { ShowText(edit, ToQString(form_.Text(key))); });
  return edit;
}

QLineEdit* KokyakuFormBinder::DateText(std::string_view column, const char* caption) {
  auto* edit = new QLineEdit(parent_);
  edit->setAccessibleName(QString::fromUtf8(caption));
  edit->setReadOnly(true);
  edit->setFocusPolicy(Qt::NoFocus);
  const std::string key(column);
  Bind(column, edit, [this, edit, key] { ShowText(edit, ToQString(form_.Text(key))); });
  return edit;
}

QComboBox* KokyakuFormBinder::Suggestions(std::string_view column, const char* caption,
                                          const std::vector<std::string>& texts) {
  auto* box = new QComboBox(parent_);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setAccessibleName(QString::fromUtf8(caption));
  box->lineEdit()->setAccessibleName(box->accessibleName());
  for (const std::string& t : texts) box->addItem(ToQString(t));
  if (limitTyping_) ui::LimitToCp932Bytes(box->lineEdit(), LimitOf(column));
  box->setEnabled(!form_.IsViewOnly());
  const std::string key(column);
  QObject::connect(box, &QComboBox::currentTextChanged, box,
                   [this, key](const QString& t) { form_.SetText(key, FromQString(t)); });
  Bind(column, box, [this, box, key] { ShowComboText(box, ToQString(form_.Text(key))); });
  return box;
}

ui::ChoiceListComboBox* KokyakuFormBinder::ChoiceList(std::string_view column, const char* caption, int list,
                                                  ui::Ui& ui, const std::filesystem::path& install) {
  auto* box = new ui::ChoiceListComboBox(ui, install, QString::fromUtf8(caption), parent_);
  box->Fill(list, !form_.IsViewOnly());
  box->setEnabled(!form_.IsViewOnly());
  const std::string key(column);
  QObject::connect(box, &QComboBox::currentTextChanged, box,
                   [this, key](const QString& t) { form_.SetText(key, FromQString(t)); });
  Bind(column, box, [this, box, key] { box->ShowText(form_.Text(key)); });
  return box;
}

QComboBox* KokyakuFormBinder::Values(std::string_view column, const char* caption, std::vector<ChoiceItem> items) {
  auto* box = new QComboBox(parent_);
  box->setAccessibleName(QString::fromUtf8(caption));
  for (const ChoiceItem& item : items) box->addItem(ToQString(item.text), item.value);
  box->setEnabled(!form_.IsViewOnly());
  const std::string key(column);
  QObject::connect(box, &QComboBox::currentIndexChanged, box, [this, box, key](int position) {
    if (position >= 0) form_.SetValue(key, box->itemData(position).toInt());
  });
  Bind(column, box, [this, box, key, items = std::move(items)] {
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(PositionOf(items, form_.Value(key)));
  });
  return box;
}

QComboBox* KokyakuFormBinder::Colours(const char* caption) {
  QComboBox* box = Values("ColorMark", caption, ColorMarkItems());
  for (int i = 0; i < box->count(); ++i) box->setItemIcon(i, Swatch(box->itemData(i).toInt()));
  box->setMinimumHeight(std::max(15, box->fontMetrics().height() + 4));
  return box;
}

QCheckBox* KokyakuFormBinder::Check(std::string_view column, const char* caption) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent_);
  box->setAccessibleName(box->text());
  box->setEnabled(!form_.IsViewOnly());
  const std::string key(column);
  QObject::connect(box, &QCheckBox::toggled, box, [this, key](bool on) { form_.SetValue(key, on ? 1 : 0); });
  Bind(column, box, [this, box, key] {
    const QSignalBlocker quiet(box);
    box->setChecked(form_.Value(key) == 1);
  });
  return box;
}

QRadioButton* KokyakuFormBinder::StandardMail(int position, const QString& accessibleName) {
  if (!mail_) {
    mail_ = new QButtonGroup(parent_);
    QObject::connect(mail_, &QButtonGroup::idClicked, mail_, [this](int id) { form_.SetValue("CommonMail", id); });
  }
  auto* button = new QRadioButton(QString::fromUtf8("標準ﾒｰﾙ"), parent_);
  button->setAccessibleName(accessibleName);
  button->setEnabled(!form_.IsViewOnly());
  mail_->addButton(button, position);
  Bind("CommonMail" + std::to_string(position), button, [this, button, position] {
    const QSignalBlocker quiet(button);
    // Only one button of the group may be checked; unchecking needs the group's exclusivity off.
    mail_->setExclusive(false);
    button->setChecked(form_.Value("CommonMail") == position);
    mail_->setExclusive(true);
  });
  return button;
}

void KokyakuFormBinder::Refresh() {
  for (const auto& refresh : refreshers_) refresh();
}

QWidget* KokyakuFormBinder::Control(std::string_view column) const {
  const auto found = controls_.find(column);
  return found == controls_.end() ? nullptr : found->second;
}

void KokyakuFormBinder::Focus(const std::string& column) {
  QWidget* target = Control(column);
  if (!target) return;
  target->setFocus();
  if (auto* edit = qobject_cast<QLineEdit*>(target)) edit->selectAll();
}

}  // namespace customers
