#include "customers/qt/KokyakuCardPaneWidget.h"

#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTreeWidget>

#include <algorithm>

#include "customers/qt/KokyakuCardSheet.h"
#include "ui/qt/Controls.h"
#include "ui/qt/QtUi.h"

namespace customers {

namespace {

constexpr std::size_t kDetailsColumn = 2;

QColor ColourOf(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QFont PaneFont(const QWidget& widget, int pixels, bool bold) {
  QFont font = widget.font();
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// The three tabs, each in its own colour, the current one open into the pane below it. Being a
// tab bar, it gives every tab the page-tab role with its caption and the keyboard's arrows.
class CardTabBar : public QTabBar {
 public:
  explicit CardTabBar(QWidget* parent) : QTabBar(parent) {
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  QSize tabSizeHint(int) const override { return {KokyakuCardPane::kTabWidth, KokyakuCardPane::kTabHeight}; }
  QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    for (int tab = 0; tab < count(); ++tab) {
      const QRect rect = tabRect(tab);
      const bool current = tab == currentIndex();
      painter.setPen(QColor(0x80, 0x80, 0x80));
      painter.setBrush(ColourOf(KokyakuCardPane::TabColour(tab)));
      painter.drawRect(rect.adjusted(0, 0, -1, current ? 1 : -1));
      painter.setPen(Qt::black);
      painter.setFont(PaneFont(*this, current ? 15 : 12, current));
      painter.drawText(rect, Qt::AlignCenter, tabText(tab));
      if (current && hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(3, 3, -4, -4));
      }
    }
  }
};

}  // namespace

KokyakuCardPaneWidget::KokyakuCardPaneWidget(KokyakuCardPane& pane, QWidget* parent) : QWidget(parent), pane_(pane) {
  setAccessibleName(QString::fromUtf8("カード"));
  setMinimumSize(KokyakuCardPane::kTabWidth * KokyakuCardPane::kTabCount, 120);
  BuildTabs();
  BuildButtons();
  BuildHistoryList();
  sheet_ = new KokyakuCardSheet(pane_, this);
  Refresh();
}

void KokyakuCardPaneWidget::BuildTabs() {
  tabs_ = new CardTabBar(this);
  tabs_->setAccessibleName(QString::fromUtf8("カードのタブ"));
  for (int tab = 0; tab < KokyakuCardPane::kTabCount; ++tab) tabs_->addTab(ui::ToQString(KokyakuCardPane::TabName(tab)));
  tabs_->setCurrentIndex(pane_.Tab());
  connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) {
    if (filling_ || tab < 0 || tab == pane_.Tab()) return;
    Act([&] { pane_.OnTabClicked(tab); });
  });
  // As in every tabbed window: Ctrl+Tab to the next tab, Ctrl+Shift+Tab to the previous, with the
  // focus anywhere in the window while the card is shown.
  const auto step = [this](int by) {
    const int count = KokyakuCardPane::kTabCount;
    Act([&] { pane_.OnTabClicked((pane_.Tab() + by + count) % count); });
  };
  for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}) {
    new QShortcut(keys, this, [step] { step(1); }, Qt::WindowShortcut);
  }
  for (const QKeySequence& keys :
       {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)}) {
    new QShortcut(keys, this, [step] { step(-1); }, Qt::WindowShortcut);
  }
}

void KokyakuCardPaneWidget::BuildButtons() {
  for (int tab : {KokyakuCardPane::kHistoryTab, KokyakuCardPane::kDetailTab}) {
    for (const CardButton& b : KokyakuCardPane::Buttons(tab)) {
      const CardCommand command = b.command;
      QPushButton* button = ui::MakeButton(b.caption, this, [this, command] { Act([&] { pane_.OnButton(command); }); });
      button->setAccessibleName(ui::ToQString(b.name));
      button->setGeometry(b.x, kCardButtonTop, kCardButtonWidth, kCardButtonHeight);
      button->setFont(PaneFont(*this, 12, false));
      buttons_.push_back({button, command, tab == KokyakuCardPane::kHistoryTab});
    }
  }
}

void KokyakuCardPaneWidget::BuildHistoryList() {
  list_ = new QTreeWidget(this);
  list_->setAccessibleName(QString::fromUtf8("履歴"));
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setAllColumnsShowFocus(true);
  list_->setFont(PaneFont(*this, 12, false));
  QStringList captions;
  for (const CardHistoryColumn& c : KokyakuCardPane::HistoryColumns()) captions << ui::ToQString(c.caption);
  list_->setHeaderLabels(captions);
  list_->header()->setSectionsClickable(true);
  list_->header()->setStretchLastSection(false);
  connect(list_->header(), &QHeaderView::sectionClicked, this,
          [this](int column) { Act([&] { pane_.OnHistoryHeaderClicked(column); }); });
  connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] {
    if (filling_) return;
    const QList<QTreeWidgetItem*> chosen = list_->selectedItems();
    Act([&] { pane_.SelectHistoryRow(chosen.isEmpty() ? -1 : list_->indexOfTopLevelItem(chosen.front())); });
  });
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) {
    const int row = list_->indexOfTopLevelItem(item);
    Act([&] { pane_.OnHistoryDoubleClicked(row); });
  });
}

void KokyakuCardPaneWidget::FillHistory() {
  filling_ = true;
  const int scroll = list_->verticalScrollBar() ? list_->verticalScrollBar()->value() : 0;
  list_->clearSelection();
  list_->clear();
  for (int row = 0; row < pane_.HistoryRowCount(); ++row) {
    QStringList cells;
    for (const std::string& cell : pane_.HistoryRow(row)) {
      QString text = ui::ToQString(cell);
      cells << text.replace(QLatin1Char('\n'), QLatin1Char(' ')).remove(QLatin1Char('\r'));
    }
    list_->addTopLevelItem(new QTreeWidgetItem(cells));
  }
  list_->verticalScrollBar()->setValue(scroll);
  if (QTreeWidgetItem* selected = list_->topLevelItem(pane_.HistorySelection())) {
    selected->setSelected(true);
    list_->setCurrentItem(selected);
    list_->scrollToItem(selected);
  }
  filling_ = false;
}

void KokyakuCardPaneWidget::Refresh() {
  const bool onHistory = pane_.Tab() == KokyakuCardPane::kHistoryTab;
  {
    const QSignalBlocker quiet(tabs_);
    tabs_->setCurrentIndex(pane_.Tab());
  }
  for (const ButtonView& b : buttons_) {
    b.button->setVisible(b.historyTab == onHistory);
    b.button->setEnabled(pane_.IsEnabled(b.command));
  }
  list_->setVisible(onHistory);
  sheet_->setVisible(!onHistory);
  if (onHistory) {
    FillHistory();
    FitHistoryColumns();
  } else {
    sheet_->ShowPage(pane_.Tab());
  }
  update();
}

void KokyakuCardPaneWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(QRect(0, KokyakuCardPane::kTabHeight, width(), height() - KokyakuCardPane::kTabHeight),
                   ColourOf(KokyakuCardPane::TabColour(pane_.Tab())));
}

void KokyakuCardPaneWidget::resizeEvent(QResizeEvent*) { LayOut(); }

void KokyakuCardPaneWidget::LayOut() {
  const int tabsWidth = KokyakuCardPane::kTabWidth * KokyakuCardPane::kTabCount;
  tabs_->setGeometry(std::max(0, width() - tabsWidth), 0, tabsWidth, KokyakuCardPane::kTabHeight);
  const QRect content(QPoint(KokyakuCardPane::kMargin, KokyakuCardPane::kContentTop),
                      QPoint(width() - KokyakuCardPane::kMargin - 1, height() - KokyakuCardPane::kMargin - 1));
  list_->setGeometry(content);
  sheet_->setGeometry(content);
  FitHistoryColumns();
}

void KokyakuCardPaneWidget::FitHistoryColumns() {
  // The details column takes what the others leave of the list, at least its own width.
  int available = list_->maximumViewportSize().width();
  if (list_->verticalScrollBar()->isVisible()) available -= list_->verticalScrollBar()->width();
  const auto columns = KokyakuCardPane::HistoryColumns();
  int fixed = 0;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    if (c != kDetailsColumn) fixed += columns[c].width;
  }
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const int width = c == kDetailsColumn ? std::max(columns[c].width, available - fixed) : columns[c].width;
    list_->setColumnWidth(static_cast<int>(c), width);
  }
}

}  // namespace customers
