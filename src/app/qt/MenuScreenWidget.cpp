#include "app/qt/MenuScreenWidget.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QTreeWidget>

#include "app/qt/MenuCursor.h"
#include "shell/CMainFrame.h"
#include "ui/qt/Controls.h"
#include "ui/qt/IconSet.h"
#include "ui/qt/QtUi.h"

namespace app {

using shell::CMainFrame;
using shell::MenuItem;

namespace {

const QColor kInk(0x1f, 0x35, 0x4d);
const QColor kNavy(0x24, 0x4a, 0x73);
const QColor kLine(0xc4, 0xcf, 0xdb);
const QColor kHotFill(0xe9, 0xf2, 0xfb);
const QColor kHotLine(0x5b, 0x8f, 0xc7);
const QColor kPressedFill(0xcf, 0xe0, 0xf3);
const QColor kFocus(0xd9, 0x82, 0x2b);

constexpr ui::Glyph kButtonGlyphs[CTovanaView::kButtonCount] = {
    ui::Glyph::AddPerson, ui::Glyph::Card,     ui::Glyph::DM,    ui::Glyph::List, ui::Glyph::History, ui::Glyph::Rainbow,
    ui::Glyph::Filter,    ui::Glyph::Settings, ui::Glyph::Tools, ui::Glyph::Help, ui::Glyph::Exit,    ui::Glyph::Print,
};

QRect ToQRect(const Rect& r) { return QRect(r.x, r.y, r.w, r.h); }

// A tab or button of the menu screen: focusable and announced by caption, drawn from the model's
// state. The mouse goes to the screen underneath, which hands it to the model.
class MenuControl : public QAbstractButton {
 public:
  // opensPopup: the button shows a pop-up menu (設定, ツール, ヘルプ), which screen readers then
  // find as its child (see PopupButtonAccessible).
  MenuControl(QWidget* parent, QString caption, std::function<int()> state, std::function<void()> activate, bool tab,
              ui::Glyph glyph, bool opensPopup = false)
      : QAbstractButton(parent), state_(std::move(state)), tab_(tab), glyph_(glyph), opensPopup_(opensPopup) {
    setText(caption);
    setAccessibleName(caption);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(this, &QAbstractButton::clicked, this, [activate = std::move(activate)] {
      if (!ui::ModalDialogOpen()) activate();
    });
    ForgetEarlyAccessible();
  }

  bool OpensPopup() const { return opensPopup_; }
  // The pop-up menu while it is open; null otherwise.
  QMenu* Popup() const { return popup_; }
  void SetPopup(QMenu* popup) {
    popup_ = popup;
    QAccessible::State changed;  // expanded while the menu is open, collapsed after
    changed.expanded = changed.collapsed = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    switch (event->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        click();
        return;
      case Qt::Key_Left:
      case Qt::Key_Up:
        focusPreviousChild();
        return;
      case Qt::Key_Right:
      case Qt::Key_Down:
        focusNextChild();
        return;
      default:
        QAbstractButton::keyPressEvent(event);
    }
  }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (tab_) {
      PaintTab(p);
    } else {
      PaintButton(p);
    }
  }

 private:
  void PaintButton(QPainter& p) {
    const int state = state_();
    const QRectF box = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5).translated(state == 2 ? 1 : 0, state == 2 ? 1 : 0);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, state == 2 ? kPressedFill : state == 1 ? kHotFill : QColor(Qt::white));
    fill.setColorAt(1, state == 2 ? kPressedFill.darker(104) : state == 1 ? kHotFill.darker(103) : QColor(0xf3, 0xf6, 0xf9));
    p.setBrush(fill);
    p.setPen(QPen(state ? kHotLine : kLine, 1.2));
    p.drawRoundedRect(box, 8, 8);
    if (hasFocus()) {
      p.setPen(QPen(kFocus, 2));
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(box.adjusted(2.5, 2.5, -2.5, -2.5), 6, 6);
    }
    const bool tall = box.height() > 60;
    const qreal glyph = tall ? 34 : 20;
    QRectF icon, label;
    if (tall) {
      icon = QRectF(box.center().x() - glyph / 2, box.top() + 12, glyph, glyph);
      label = QRectF(box.left(), icon.bottom() + 4, box.width(), box.bottom() - icon.bottom() - 8);
    } else {
      icon = QRectF(box.left() + 10, box.center().y() - glyph / 2, glyph, glyph);
      label = QRectF(icon.right() + 4, box.top(), box.right() - icon.right() - 8, box.height());
    }
    ui::DrawGlyph(p, glyph_, icon, kNavy);
    QFont font = this->font();
    font.setPixelSize(tall ? 15 : 13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kInk);
    p.drawText(label, Qt::AlignCenter, text());
  }

  void PaintTab(QPainter& p) {
    const int state = state_();
    QRectF box = QRectF(rect()).adjusted(0.5, state == 2 ? 0.5 : 3.5, -0.5, 0.5);
    QPainterPath shape;
    shape.addRoundedRect(box.adjusted(0, 0, 0, 8), 6, 6);
    p.setClipRect(rect());
    p.setBrush(state == 2 ? QColor(Qt::white) : state == 1 ? kHotFill : QColor(0xdd, 0xe4, 0xec));
    p.setPen(QPen(state == 2 ? kHotLine : kLine, 1));
    p.drawPath(shape);
    if (state == 2) {
      p.setPen(QPen(QColor(0xd9, 0x82, 0x2b), 3));
      p.drawLine(QPointF(box.left() + 6, box.top() + 1.5), QPointF(box.right() - 6, box.top() + 1.5));
    }
    if (hasFocus()) {
      p.setPen(QPen(kFocus, 1.5, Qt::DotLine));
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(box.adjusted(3, 3, -3, -3), 4, 4);
    }
    QFont font = this->font();
    font.setPixelSize(12);
    font.setBold(state == 2);
    p.setFont(font);
    p.setPen(kInk);
    p.drawText(box, Qt::AlignCenter, text());
  }

  // An interface made while the button was still being built knows only a plain button: let it go,
  // so the next question gets the pop-up button's.
  void ForgetEarlyAccessible();

  std::function<int()> state_;
  bool tab_;
  ui::Glyph glyph_;
  bool opensPopup_;
  QPointer<QMenu> popup_;
};

// A button that opens a pop-up menu: a "button menu" for screen readers whose one child, while
// the menu is open, is that menu with its items (greyed ones marked unavailable). A pop-up is a
// window of its own, which Qt leaves out of the application's tree; hanging it here is how a
// screen reader reaches it.
class PopupButtonAccessible : public QAccessibleWidget {
 public:
  explicit PopupButtonAccessible(MenuControl* button) : QAccessibleWidget(button, QAccessible::ButtonMenu) {}

  int childCount() const override { return Button()->Popup() ? 1 : 0; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 && Button()->Popup() ? QAccessible::queryAccessibleInterface(Button()->Popup()) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child && Button()->Popup() && child->object() == Button()->Popup() ? 0 : -1;
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.hasPopup = true;
    s.expanded = Button()->Popup() != nullptr;
    s.collapsed = !s.expanded;
    return s;
  }
  QStringList actionNames() const override {
    return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == showMenuAction() || action == pressAction()) return Button()->animateClick();
    QAccessibleWidget::doAction(action);
  }

 private:
  MenuControl* Button() const { return static_cast<MenuControl*>(widget()); }
};

QAccessibleInterface* PopupButtonFactory(const QString&, QObject* object) {
  auto* control = dynamic_cast<MenuControl*>(object);
  return control && control->OpensPopup() ? new PopupButtonAccessible(control) : nullptr;
}

void MenuControl::ForgetEarlyAccessible() {
  if (!opensPopup_ || !QAccessible::isActive()) return;
  QAccessibleInterface* made = QAccessible::queryAccessibleInterface(this);
  if (made && !dynamic_cast<PopupButtonAccessible*>(made)) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

}  // namespace

MenuScreenWidget::MenuScreenWidget(CTovanaView& model, CMainFrame& frame, QWidget* parent)
    : QWidget(parent), model_(model), frame_(frame) {
  static const bool factoryInstalled = (QAccessible::installFactory(PopupButtonFactory), true);
  (void)factoryInstalled;
  setAccessibleName(QString::fromUtf8("メニュー"));
  setMouseTracking(true);
  setFixedSize(CMainFrame::kWidth, CMainFrame::kHeight);
  BuildControls();
  WatchOriginals();
  model_.onChanged = [this] { Sync(); };
  Sync();
}

void MenuScreenWidget::WatchOriginals() {
  // Other programs tell of changed original forms by rewriting the file: watch it and its folder
  // (the folder catches a file that is created or replaced by rename).
  watcher_ = new QFileSystemWatcher(this);
  watcher_->addPath(QString::fromStdString(model_.OriginalsFile().parent_path().string()));
  originalsStamp_ = OriginalsStamp();
  WatchOriginalsFile();
  connect(watcher_, &QFileSystemWatcher::fileChanged, this, [this] { OriginalsMayHaveChanged(); });
  connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { OriginalsMayHaveChanged(); });
}

QString MenuScreenWidget::OriginalsStamp() const {
  const QFileInfo info(QString::fromStdString(model_.OriginalsFile().string()));
  return info.exists() ? info.lastModified().toString(Qt::ISODateWithMs) + "/" + QString::number(info.size()) : QString();
}

void MenuScreenWidget::WatchOriginalsFile() {
  const QString path = QString::fromStdString(model_.OriginalsFile().string());
  if (QFileInfo::exists(path) && !watcher_->files().contains(path)) watcher_->addPath(path);
}

void MenuScreenWidget::OriginalsMayHaveChanged() {
  const QString stamp = OriginalsStamp();
  if (stamp == originalsStamp_) return;  // another file of the folder changed
  originalsStamp_ = stamp;
  WatchOriginalsFile();
  model_.OnOriginalsChanged();
}

void MenuScreenWidget::BuildControls() {
  forms_ = new QTreeWidget(this);
  forms_->setAccessibleName(QString::fromUtf8("フォームの一覧"));
  forms_->setRootIsDecorated(false);
  forms_->setUniformRowHeights(true);
  forms_->setAllColumnsShowFocus(true);
  forms_->setGeometry(ToQRect(CTovanaView::FormListRect()));
  connect(forms_, &QTreeWidget::currentItemChanged, this, [this] {
    model_.SelectFormRow(forms_->currentIndex().row());
  });
  // A double click or Enter on a form prints it.
  connect(forms_, &QTreeWidget::itemActivated, this, [this] { model_.OnFormDoubleClick(); });
  for (int t = 0; t < CTovanaView::kTabCount; ++t) {
    auto* tab = new MenuControl(
        this, ui::ToQString(model_.TabCaption(t)), [this, t] { return model_.TabState(t); },
        [this, t] { model_.SelectTab(t); }, true, ui::Glyph::List);
    tab->setGeometry(ToQRect(CTovanaView::TabRect(t)));
    tabs_.push_back(tab);
  }
  for (int b = 0; b < CTovanaView::kButtonCount; ++b) {
    auto* button = new MenuControl(
        this, QString::fromUtf8(CTovanaView::ButtonCaption(b)), [this, b] { return model_.ButtonState(b); },
        [this, b] {
          model_.PressButton(b);  // may switch the screen; this widget then goes later
        },
        false, kButtonGlyphs[b], b == CTovanaView::kSettings || b == CTovanaView::kTools || b == CTovanaView::kHelp);
    button->setGeometry(ToQRect(CTovanaView::ButtonRect(b)));
    buttons_.push_back(button);
  }
  // Keyboard order: the buttons in layout order, then the tabs and the list beside them.
  for (std::size_t i = 1; i < buttons_.size() - 1; ++i) setTabOrder(buttons_[i - 1], buttons_[i]);
  setTabOrder(buttons_[buttons_.size() - 2], tabs_.front());
  for (std::size_t i = 1; i < tabs_.size(); ++i) setTabOrder(tabs_[i - 1], tabs_[i]);
  setTabOrder(tabs_.back(), forms_);
  setTabOrder(forms_, buttons_.back());

  preview_ = new QLabel(this);
  preview_->setAccessibleName(QString::fromUtf8("プレビュー"));
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setGeometry(ToQRect(CTovanaView::PreviewRect()).adjusted(6, 26, -6, -6));
  preview_->setStyleSheet(QStringLiteral("color: #7a8794;"));
}

void MenuScreenWidget::Sync() {
  for (std::size_t t = 0; t < tabs_.size(); ++t) {
    static_cast<QAbstractButton*>(tabs_[t])->setText(ui::ToQString(model_.TabCaption(static_cast<int>(t))));
    tabs_[t]->setAccessibleName(static_cast<QAbstractButton*>(tabs_[t])->text());
  }
  if (shownGeneration_ != model_.FormsGeneration()) FillFormList();
  ShowPreview();
  update();
  for (QWidget* w : tabs_) w->update();
  for (QWidget* w : buttons_) w->update();
  ShowPendingPopup();
}

void MenuScreenWidget::FillFormList() {
  shownGeneration_ = model_.FormsGeneration();
  const QSignalBlocker quiet(forms_);
  forms_->clear();
  const bool originals = model_.SelectedTab() == CTovanaView::kOriginalTab;
  forms_->setColumnCount(originals ? 1 : 3);
  if (originals) {
    forms_->setHeaderLabels({QString::fromUtf8("フォーム名")});
  } else {
    forms_->setHeaderLabels({QString::fromUtf8("フォーム名"), QString::fromUtf8("メーカー名"), QString::fromUtf8("品番など")});
  }
  for (const FormRow& row : model_.Forms()) {
    auto* item = new QTreeWidgetItem(forms_);
    item->setText(0, ui::ToQString(row.name));
    if (!originals) {
      item->setText(1, ui::ToQString(row.maker));
      item->setText(2, ui::ToQString(row.code));
    }
  }
  if (!originals) {
    forms_->header()->resizeSection(0, 230);
    forms_->header()->resizeSection(1, 110);
  }
  if (model_.SelectedFormRow() >= 0) {
    forms_->setCurrentItem(forms_->topLevelItem(model_.SelectedFormRow()));
    forms_->scrollToItem(forms_->currentItem());
  }
}

void MenuScreenWidget::ShowPreview() {
  const std::filesystem::path file = model_.PreviewFile();
  QPixmap picture;
  if (!file.empty()) picture.load(QString::fromStdString(file.string()));
  if (picture.isNull()) {
    preview_->setPixmap(QPixmap());
    preview_->setText(model_.SelectedFormRow() >= 0 ? QString::fromUtf8("プレビューはありません") : QString());
    return;
  }
  preview_->setPixmap(picture.scaled(preview_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void MenuScreenWidget::ShowPendingPopup() {
  const auto popup = model_.TakePendingPopup();
  if (!popup) return;
  const int button = *popup == CTovanaView::Popup::Settings ? CTovanaView::kSettings
                     : *popup == CTovanaView::Popup::Tools  ? CTovanaView::kTools
                                                            : CTovanaView::kHelp;
  auto* control = static_cast<MenuControl*>(buttons_[static_cast<std::size_t>(button)]);
  QMenu menu(control);  // its accessible parent is the button that opened it
  menu.setAccessibleName(QString::fromUtf8(CTovanaView::ButtonCaption(button)));
  std::function<void(QMenu*, const std::vector<MenuItem>&)> add = [&](QMenu* into, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
      if (!item.children.empty()) {
        add(into->addMenu(ui::ToQString(item.text)), item.children);
      } else if (item.id == 0) {
        into->addSeparator();
      } else {
        QAction* action = into->addAction(ui::ToQString(item.text));
        action->setData(item.id);
        action->setEnabled(item.enabled);
        action->setCheckable(item.radio || item.checked);
        action->setChecked(item.checked);
      }
    }
  };
  add(&menu, model_.PopupMenu(*popup));
  const Rect at = CTovanaView::ButtonRect(button);
  control->SetPopup(&menu);
  QAction* chosen = menu.exec(mapToGlobal(QPoint(at.x + at.w, at.y)));
  control->SetPopup(nullptr);
  if (chosen) frame_.OnCommand(chosen->data().toInt());
}

void MenuScreenWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (model_.OnMouseMove(at.x(), at.y())) {
    setCursor(MenuCursor());
  } else {
    unsetCursor();
  }
}

void MenuScreenWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  model_.OnLButtonDown(at.x(), at.y());
}

void MenuScreenWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  model_.OnLButtonUp(at.x(), at.y());  // may switch the screen; nothing may follow
}

void MenuScreenWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (CTovanaView::PreviewRect().Contains(at.x(), at.y())) {
    model_.OnPreviewDoubleClick();
    return;
  }
  mousePressEvent(event);
}

void MenuScreenWidget::leaveEvent(QEvent*) { model_.OnMouseLeave(); }

void MenuScreenWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient back(0, 0, 0, height());
  back.setColorAt(0, QColor(0xf4, 0xf6, 0xf9));
  back.setColorAt(1, QColor(0xe3, 0xe9, 0xf0));
  p.fillRect(rect(), back);
  PaintHeader(p);
  // The two panels the controls sit on.
  p.setPen(QPen(kLine, 1));
  p.setBrush(QColor(255, 255, 255, 150));
  p.drawRoundedRect(QRectF(8, 64, 296, 430), 10, 10);
  const Rect list = CTovanaView::FormListRect();
  p.setBrush(Qt::white);
  p.drawRect(QRectF(list.x - 0.5, list.y - 0.5, list.w + 1, list.h + 1));
  const Rect preview = CTovanaView::PreviewRect();
  p.drawRoundedRect(QRectF(preview.x, preview.y, preview.w, preview.h), 6, 6);
  QFont font = this->font();
  font.setPixelSize(12);
  font.setBold(true);
  p.setFont(font);
  p.setPen(kNavy);
  p.drawText(QRectF(preview.x + 10, preview.y + 4, preview.w - 20, 20), Qt::AlignVCenter | Qt::AlignLeft,
             QString::fromUtf8("プレビュー"));
  font.setBold(false);
  font.setPixelSize(11);
  p.setFont(font);
  p.setPen(QColor(0x6b, 0x78, 0x86));
  p.drawText(QRectF(16, 560, 288, 24), Qt::AlignVCenter | Qt::AlignLeft,
             QString::fromUtf8("顧客管理・DM送付・宛名印刷"));
}

void MenuScreenWidget::PaintHeader(QPainter& p) {
  QLinearGradient band(0, 0, width(), 0);
  band.setColorAt(0, QColor(0x1d, 0x38, 0x57));
  band.setColorAt(1, QColor(0x2f, 0x5f, 0x8c));
  p.fillRect(QRect(0, 0, width(), 56), band);
  p.setPen(QPen(QColor(0xd9, 0x82, 0x2b), 3));
  p.drawLine(0, 56, width(), 56);
  QFont font = this->font();
  font.setPixelSize(24);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(20, 0, 300, 56), Qt::AlignVCenter | Qt::AlignLeft, QString::fromUtf8("顧客ソレル"));
  font.setPixelSize(12);
  font.setBold(false);
  p.setFont(font);
  p.setPen(QColor(0xc9, 0xd8, 0xe8));
  p.drawText(QRect(170, 0, width() - 190, 56), Qt::AlignVCenter | Qt::AlignRight,
             QString::fromUtf8("お客様の情報を、ひとつの台帳に"));
}

}  // namespace app
