#include "ui/qt/QtUi.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

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
QWidget* ShowWaitWindow(QWidget* parent) {
  auto* window = new QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint);
  auto* layout = new QVBoxLayout(window);
  auto* label = new QLabel(QString::fromUtf8("処理中です。しばらくお待ちください..."), window);
  label->setAccessibleName(label->text());
  layout->addWidget(label);
  window->setAccessibleName(QString::fromUtf8("お待ちください"));
  window->adjustSize();
  if (parent) window->move(parent->geometry().center() - window->rect().center());
  window->show();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  return window;
}

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

std::unique_ptr<Progress> QtUi::StartProgress(std::string_view title) {
  struct Window : Progress {
    Window(QWidget* parent, std::string_view title)
        : dialog(new QProgressDialog(parent)) {
      dialog->setWindowTitle(ToQString(title));
      dialog->setAccessibleName(dialog->windowTitle());
      dialog->setLabelText(ToQString(title));
      dialog->setCancelButtonText(QString::fromUtf8("キャンセル"));
      dialog->setRange(0, 0);  // the end is seldom known: a busy bar and the count so far
      dialog->setWindowModality(Qt::WindowModal);
      dialog->setMinimumDuration(300);
      dialog->setAutoClose(false);
      dialog->setAutoReset(false);
      QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~Window() override {
      delete dialog.data();
      QApplication::restoreOverrideCursor();
    }
    bool Step(std::string_view done) override {
      if (!dialog) return false;
      dialog->setLabelText(ToQString(done));
      dialog->setValue(0);
      QApplication::processEvents();
      return !dialog->wasCanceled();
    }
    QPointer<QProgressDialog> dialog;
  };
  return std::make_unique<Window>(Parent(), title);
}

}  // namespace ui
