#include "app/qt/AboutDlgWidget.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/QtUi.h"

namespace app {

AboutDlgWidget::AboutDlgWidget(shell::CAboutDlg& model, QWidget* parent) : ui::ModelDialog(model, parent) {
  auto* layout = new QVBoxLayout(this);
  auto* text = new QLabel(ui::ToQString(model.Text()), this);
  text->setAccessibleName(text->text());
  text->setAlignment(Qt::AlignCenter);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setAccessibleName(ok->text());
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this, &model] { Act([&model] { model.OnOK(); }); });
  layout->addWidget(text);
  layout->addWidget(ok, 0, Qt::AlignCenter);
  setMinimumWidth(260);
}

}  // namespace app
