#include "ui/qt/QtUi.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/qt/Controls.h"

namespace ui {

namespace {

constexpr const char* kProgramName = "顧客ソレル";

QMessageBox::Icon ToQtIcon(Icon icon) {
  switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Stop: return QMessageBox::Critical;
    case Icon::None: break;
  }
  return QMessageBox::NoIcon;
}

// The toolkit's standard button, so it reads as in every other message of the desktop (in the
// translation's Japanese: "はい(Y)", "いいえ(N)", "キャンセル", "OK").
QPushButton* AddButton(QMessageBox& box, QMessageBox::StandardButton which) {
  QPushButton* button = box.addButton(which);
  button->setAccessibleName(SpokenCaption(button->text()));
  return button;
}

// The small modeless window that says work is under way.
class WaitWindow : public QWidget {
 public:
  explicit WaitWindow(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint) {
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QString::fromUtf8(kWorking), this);
    label->setAccessibleName(label->text());
    layout->addWidget(label);
    setAccessibleName(QString::fromUtf8("お待ちください"));
  }
};

WaitWindow* ShowWaitWindow(QWidget* parent) {
  auto* window = new WaitWindow(parent);
  window->adjustSize();
  if (parent) window->move(parent->geometry().center() - window->rect().center());
  window->show();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  return window;
}

// Scales a count that may pass the int range of the progress bar.
int Scaled(std::int64_t value, std::int64_t total) {
  constexpr std::int64_t kSteps = 1000;
  if (total <= 0) return 0;
  return static_cast<int>(std::min(value, total) * kSteps / total);
}

class DialogProgress : public Progress {
 public:
  DialogProgress(QWidget* parent, const QString& text, std::int64_t total) : total_(total), dialog_(parent) {
    dialog_.setWindowTitle(QString::fromUtf8(kProgramName));
    label_ = new QLabel(text, &dialog_);
    label_->setAccessibleName(text);
    label_->setMinimumWidth(420);
    dialog_.setLabel(label_);
    dialog_.setAccessibleName(text);
    dialog_.setRange(0, Scaled(total, total));
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(300);  // a short export shows no window at all
    auto* cancel = new QPushButton(QApplication::translate("QPlatformTheme", "Cancel"), &dialog_);
    cancel->setAccessibleName(SpokenCaption(cancel->text()));
    dialog_.setCancelButton(cancel);
    dialog_.setValue(0);
    shown_.start();
    QApplication::setOverrideCursor(Qt::BusyCursor);
  }
  ~DialogProgress() override { QApplication::restoreOverrideCursor(); }

  bool Step(std::int64_t done) override {
    // The window paints and reads the cancel click a few times a second, not on every step.
    if (shown_.elapsed() >= 50 || done >= total_) {
      dialog_.setValue(Scaled(done, total_));
      QApplication::processEvents();
      shown_.restart();
    }
    return !dialog_.wasCanceled();
  }

  bool Report(std::string_view text, std::int64_t done, std::int64_t total) override {
    const QString shown = ToQString(text);
    if (label_->text() != shown) {
      label_->setText(shown);
      label_->setAccessibleName(shown);
    }
    if (total != total_) {
      total_ = total;
      dialog_.setRange(0, Scaled(total, total));
    }
    return Step(done);
  }

 private:
  QLabel* label_;
  std::int64_t total_;
  QProgressDialog dialog_;
  QElapsedTimer shown_;
};

}  // namespace

QString ToQString(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
std::string FromQString(const QString& s) { return s.toUtf8().toStdString(); }

QtUi::QtUi() = default;
QtUi::~QtUi() = default;

QWidget* QtUi::Parent() const { return parent_ ? parent_.data() : QApplication::activeWindow(); }

Answer QtUi::Message(std::string_view text, Buttons buttons, Icon icon, Answer defaultButton) {
  QMessageBox box(ToQtIcon(icon), QString::fromUtf8(kProgramName), ToQString(text), QMessageBox::NoButton, Parent());
  std::map<QAbstractButton*, Answer> answers;
  auto add = [&](QMessageBox::StandardButton which, Answer answer) {
    QPushButton* b = AddButton(box, which);
    answers[b] = answer;
    if (answer == defaultButton) box.setDefaultButton(b);
    if (answer == Answer::Cancel || (buttons == Buttons::YesNo && answer == Answer::No)) box.setEscapeButton(b);
  };
  switch (buttons) {
    case Buttons::Ok: add(QMessageBox::Ok, Answer::Ok); break;
    case Buttons::YesNo:
      add(QMessageBox::Yes, Answer::Yes);
      add(QMessageBox::No, Answer::No);
      break;
    case Buttons::YesNoCancel:
      add(QMessageBox::Yes, Answer::Yes);
      add(QMessageBox::No, Answer::No);
      add(QMessageBox::Cancel, Answer::Cancel);
      break;
  }
  box.setAccessibleName(ToQString(text));
  box.exec();
  const auto it = answers.find(box.clickedButton());
  if (it != answers.end()) return it->second;
  return buttons == Buttons::Ok ? Answer::Ok : buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}

std::optional<std::filesystem::path> QtUi::ChooseFolder(std::string_view title, const std::filesystem::path& start) {
  const QString folder =
      QFileDialog::getExistingDirectory(Parent(), ToQString(title), QString::fromStdString(start.string()));
  if (folder.isEmpty()) return std::nullopt;
  return std::filesystem::path(FromQString(folder));
}

QString QtUi::QtFilter(std::string_view filter) {
  QStringList parts = ToQString(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    filters << parts[i] + " (" + patterns + ")";
  }
  return filters.join(";;");
}

std::optional<std::filesystem::path> QtUi::OpenFile(std::string_view title, std::string_view filter,
                                                    const std::filesystem::path& start) {
  const QString file = QFileDialog::getOpenFileName(Parent(), ToQString(title), QString::fromStdString(start.string()),
                                                    QtFilter(filter));
  if (file.isEmpty()) return std::nullopt;
  return std::filesystem::path(FromQString(file));
}

std::optional<std::filesystem::path> QtUi::SaveFile(std::string_view title, std::string_view filter,
                                                    const std::filesystem::path& suggested) {
  const QString file = QFileDialog::getSaveFileName(Parent(), ToQString(title),
                                                    QString::fromStdString(suggested.string()), QtFilter(filter));
  if (file.isEmpty()) return std::nullopt;
  return std::filesystem::path(FromQString(file));
}

std::unique_ptr<QDialog> QtUi::MakeView(CDialogModel& model, QWidget* parent) const {
  const auto it = views_.find(typeid(model));
  return it == views_.end() ? nullptr : it->second(model, parent);
}

std::vector<std::type_index> QtUi::ViewTypes() const {
  std::vector<std::type_index> types;
  for (const auto& [type, factory] : views_) types.push_back(type);
  return types;
}

bool QtUi::Run(CDialogModel& nested) {
  std::unique_ptr<QDialog> dialog = MakeView(nested, Parent());
  if (!dialog) {
    Message("この画面を表示できません: " + nested.Title(), Buttons::Ok, Icon::Stop, Answer::Ok);
    return false;
  }
  dialog->exec();
  return nested.IsClosing() && nested.ClosedWithOk();
}

WaitScope QtUi::Wait(bool window) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QPointer<QWidget> shown = window ? ShowWaitWindow(Parent()) : nullptr;
  return WaitScope([shown] {
    delete shown.data();  // at once, so no hidden wait window outlives the work
    QApplication::restoreOverrideCursor();
  });
}

std::unique_ptr<ui::Progress> QtUi::StartProgress(std::string_view text, std::int64_t total) {
  return std::make_unique<DialogProgress>(Parent(), ToQString(text), total);
}

}  // namespace ui
