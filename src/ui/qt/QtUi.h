#pragma once
// The Ui port on Qt: message boxes, file and folder dialogs, the wait cursor and wait window, and
// the nested dialogs, each shown by the view registered for its model type.

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <typeindex>
#include <vector>

#include "ui/Progress.h"
#include "ui/Ui.h"

class QDialog;

namespace ui {

class QtUi : public Ui {
 public:
  // A view for a nested model: builds the dialog, which must close when the model does.
  using ViewFactory = std::function<std::unique_ptr<QDialog>(CDialogModel&, QWidget* parent)>;

  QtUi();
  ~QtUi() override;

  // The window dialogs are centred on; the active window when unset.
  void SetParent(QWidget* parent) { parent_ = parent; }

  template <typename Model, typename View>
  void RegisterView() {
    views_[typeid(Model)] = [](CDialogModel& m, QWidget* parent) -> std::unique_ptr<QDialog> {
      return std::make_unique<View>(static_cast<Model&>(m), parent);
    };
  }

  Answer Message(std::string_view text, Buttons buttons, Icon icon, Answer defaultButton) override;
  std::optional<std::filesystem::path> ChooseFolder(std::string_view title,
                                                    const std::filesystem::path& start) override;
  std::optional<std::filesystem::path> OpenFile(std::string_view title, std::string_view filter,
                                                const std::filesystem::path& start) override;
  std::optional<std::filesystem::path> SaveFile(std::string_view title, std::string_view filter,
                                                const std::filesystem::path& suggested) override;
  bool Run(CDialogModel& nested) override;
  // The view registered for the model's type, not yet shown; null when none is.
  std::unique_ptr<QDialog> MakeView(CDialogModel& model, QWidget* parent) const;
  // The model types that have a view.
  std::vector<std::type_index> ViewTypes() const;
  WaitScope Wait(bool window = false) override;
  // A modal progress window with the standard cancel button; the work runs on this thread and
  // each Step lets the window paint and take the click.
  std::unique_ptr<ui::Progress> StartProgress(std::string_view text, std::int64_t total) override;

  // "説明|*.a;*.b|説明2|*.c||" as a Qt name filter list: "説明 (*.a *.b);;説明2 (*.c)".
  static QString QtFilter(std::string_view filter);

 private:
  QWidget* Parent() const;

  QPointer<QWidget> parent_;
  std::map<std::type_index, ViewFactory> views_;
};

QString ToQString(std::string_view utf8);
std::string FromQString(const QString& s);

}  // namespace ui
