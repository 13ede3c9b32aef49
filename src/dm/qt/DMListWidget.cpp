#include "dm/qt/DMListWidget.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTableView>

#include <cmath>
#include <utility>

#include "dm/DMHitChart.h"
#include "dm/qt/DMTables.h"
#include "shell/CMainFrame.h"
#include "shell/Commands.h"
#include "ui/qt/Controls.h"
#include "ui/qt/QtUi.h"
#include "ui/qt/TableSelection.h"

namespace dm {

namespace {

const QColor kFormBackground(255, 255, 192);
const QColor kHitColour(200, 255, 200);
constexpr int kMinimumWidth = 600, kMinimumHeight = 400;
constexpr int kLeft = 10, kTop = 8, kGap = 5;

constexpr const char* kButtonCaptions[] = {"DMを追加...", "DMを修正...", "DMを削除", "DMをコピー...",
                                           "顧客を追加...", "顧客を削除", "DMヒット率分析..."};

std::vector<std::string> Headers(const CDMListView::Column* columns, int count) {
  std::vector<std::string> headers;
  for (int c = 0; c < count; ++c) headers.emplace_back(columns[c].title);
  return headers;
}

}  // namespace

DMListWidget::DMListWidget(CDMListView& model, shell::CMainFrame& frame, QWidget* parent)
    : QWidget(parent), model_(model), frame_(frame) {
  setAccessibleName(ui::ToQString(model.Title()));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kFormBackground);
  setPalette(palette);
  setAutoFillBackground(true);

  titleCaption_ = ui::MakeLabel(CDMListView::kTitleListCaption, this);
  recipientsCaption_ = ui::MakeLabel(CDMListView::kDefaultCaption, this);
  for (int b = 0; b <= CDMListView::kHitRateButton; ++b) {
    const int command = CDMListView::ButtonCommand(static_cast<CDMListView::Button>(b));
    buttons_.push_back(ui::MakeButton(kButtonCaptions[b], this, [this, command] { Run(command); }));
  }

  titleRows_ = new FunctionTableModel(
      {[this] { return model_.TitleCount(); },
       Headers(CDMListView::kTitleColumns, CDMListView::kTitleColumnCount),
       // The 済 column shows its check box alone.
       [this](int r, int c) { return c == CDMListView::kSentColumn ? std::string() : model_.TitleText(r, c); },
       [this](int r) { return model_.ShowsSent(r); }, nullptr},
      this);
  recipientRows_ = new FunctionTableModel(
      {[this] { return model_.RecipientCount(); },
       Headers(CDMListView::kRecipientColumns, CDMListView::kRecipientColumnCount),
       [this](int r, int c) { return model_.RecipientText(r, c); }, nullptr, [this](int r) { return model_.IsHit(r); }},
      this);
  titles_ = MakeTable(CDMListView::kTitleListCaption, titleRows_, CDMListView::kTitleColumns,
                      CDMListView::kTitleColumnCount);
  recipients_ = MakeTable(CDMListView::kDefaultCaption, recipientRows_, CDMListView::kRecipientColumns,
                          CDMListView::kRecipientColumnCount);
  titleCaption_->setBuddy(titles_);
  recipientsCaption_->setBuddy(recipients_);

  // Reading order for Tab: the title buttons, the titles, then the recipients' side.
  setTabOrder(buttons_[CDMListView::kCopyButton], titles_);
  setTabOrder(titles_, buttons_[CDMListView::kAddRecipientsButton]);
  setTabOrder(buttons_[CDMListView::kRemoveRecipientsButton], buttons_[CDMListView::kHitRateButton]);
  setTabOrder(buttons_[CDMListView::kHitRateButton], recipients_);

  connect(titles_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int c) {
    if (!ui::ModalDialogOpen()) model_.OnTitleHeaderClick(c);
  });
  connect(recipients_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int c) {
    if (!ui::ModalDialogOpen()) model_.OnRecipientHeaderClick(c);
  });
  connect(titles_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (!syncing_) model_.SetTitleSelection(ui::TableSelectedRows(titles_));
  });
  connect(recipients_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (!syncing_) model_.SetRecipientSelection(ui::TableSelectedRows(recipients_));
  });
  connect(titles_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    if (!ui::ModalDialogOpen() && index.column() != CDMListView::kSentColumn) model_.OnTitleDoubleClick();
  });

  model_.onRowsChanging = [this] {
    syncing_ = true;
    titleRows_->BeginReset();
    recipientRows_->BeginReset();
  };
  model_.onRowsChanged = [this] {
    titleRows_->EndReset();
    recipientRows_->EndReset();
    syncing_ = false;
  };
  model_.onChanged = [this] { Sync(); };
  Sync();
}

DMListWidget::~DMListWidget() {
  model_.onRowsChanging = nullptr;
  model_.onRowsChanged = nullptr;
  model_.onChanged = nullptr;
}

QTableView* DMListWidget::MakeTable(const char* name, FunctionTableModel* rows, const CDMListView::Column* columns,
                                    int count) {
  auto* table = new QTableView(this);
  table->setAccessibleName(QString::fromUtf8(name));
  table->setModel(rows);
  table->setItemDelegate(new CutTextDelegate(table));
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setWordWrap(false);
  table->setShowGrid(false);
  table->verticalHeader()->hide();
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  table->horizontalHeader()->setSectionsClickable(true);
  table->horizontalHeader()->setHighlightSections(false);
  table->horizontalHeader()->setStretchLastSection(true);
  table->setTabKeyNavigation(false);
  // The widths suit the original's small UI font; a wider font widens them alike.
  const double scale = std::max(1.0, table->fontMetrics().horizontalAdvance(QLatin1Char('0')) / 6.0);
  for (int c = 0; c < count; ++c) table->setColumnWidth(c, static_cast<int>(columns[c].width * scale + 0.5));
  table->installEventFilter(this);
  table->viewport()->installEventFilter(this);
  return table;
}

void DMListWidget::Run(int command) {
  if (!ui::ModalDialogOpen()) frame_.OnCommand(command);
}

bool DMListWidget::eventFilter(QObject* watched, QEvent* event) {
  namespace cmd = shell::cmd;
  if (watched == titles_->viewport() && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QModelIndex index = titles_->indexAt(mouse->position().toPoint());
    if (index.isValid() && index.column() == CDMListView::kSentColumn && mouse->button() == Qt::LeftButton) {
      if (!ui::ModalDialogOpen()) model_.OnCheckClick(index.row());
      return true;
    }
    return false;
  }
  if (event->type() != QEvent::KeyPress || (watched != titles_ && watched != recipients_)) {
    return QWidget::eventFilter(watched, event);
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  if (watched == titles_ && key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
    const QModelIndex current = titles_->currentIndex();
    if (current.isValid()) model_.OnCheckClick(current.row());
    return true;
  }
  const std::optional<ui::ListKey> listKey = ui::ListKeyOf(*event);
  if (!listKey) return false;
  if (watched == titles_) {
    Run(*listKey == ui::ListKey::Enter ? cmd::kModifyDMTitle : cmd::kDeleteDMTitle);
  } else if (*listKey == ui::ListKey::Delete) {
    Run(cmd::kRemoveDMRecipients);
  }
  return true;
}

void DMListWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOut();
}

void DMListWidget::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  if (!model_.IsHitRateMode() || layout_.chart.w <= 0) return;
  const DMRect& t = layout_.titles;
  const HitChart chart = PlanHitChart(layout_.chart.x, layout_.chart.y, layout_.chart.w, {t.x, t.y + t.h + 5},
                                      model_.HitCount(), model_.RecipientCount());
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::black);
  const QRect square(chart.left, chart.top, chart.side, chart.side);
  painter.setBrush(chart.green ? kHitColour : QColor(Qt::white));
  painter.drawEllipse(square);
  const QPoint centre = square.center();
  if (chart.radiusOnly) {
    painter.drawLine(QPoint(centre.x(), chart.top), centre);
  } else {
    // Qt counts sixteenths of a degree anticlockwise from three o'clock: the white part starts at
    // twelve o'clock and runs anticlockwise to where the green sector ends.
    constexpr double kSixteenthsPerRadian = 180.0 / M_PI * 16;
    painter.setBrush(Qt::white);
    painter.drawPie(square, 90 * 16, static_cast<int>(std::lround((2 * M_PI - chart.theta) * kSixteenthsPerRadian)));
  }
  QFont font({"ＭＳ ゴシック", "Noto Sans Mono CJK JP", "monospace"});
  font.setPixelSize(17);
  painter.setFont(font);
  const QFontMetrics metrics(font);
  painter.drawText(chart.captionAt.x, chart.captionAt.y + metrics.ascent(), ui::ToQString(chart.caption));
  for (const auto& label : {chart.hitLabel, chart.missLabel}) {
    if (!label) continue;
    const QString text = ui::ToQString(label->text);
    painter.drawText(label->centre.x - metrics.horizontalAdvance(text) / 2,
                     label->centre.y + (metrics.ascent() - metrics.descent()) / 2, text);
  }
}

void DMListWidget::LayOut() {
  const int buttonHeight = buttons_.front()->sizeHint().height();
  const int captionHeight = titleCaption_->sizeHint().height();
  const int top = kTop + captionHeight + 4 + buttonHeight + kGap;
  const DMLayout l =
      ComputeDMLayout(width(), height(), kMinimumWidth, kMinimumHeight, kLeft, top, model_.IsHitRateMode());
  if (!(l == layout_)) update();
  layout_ = l;
  titles_->setGeometry(l.titles.x, l.titles.y, l.titles.w, l.titles.h);
  recipients_->setGeometry(l.recipients.x, l.recipients.y, l.recipients.w, l.recipients.h);
  const auto row = [&](int first, int last, int x, int y) {
    for (int b = first; b <= last; ++b) {
      QPushButton* button = buttons_[static_cast<std::size_t>(b)];
      const QSize size = button->sizeHint();
      button->setGeometry(x, y, size.width(), buttonHeight);
      x += size.width() + kGap;
    }
  };
  const int titleButtonsY = l.titles.y - kGap - buttonHeight;
  row(CDMListView::kAddButton, CDMListView::kCopyButton, l.titles.x, titleButtonsY);
  titleCaption_->setGeometry(l.titles.x, titleButtonsY - 4 - captionHeight, l.titles.w, captionHeight);
  const int recipientButtonsY = l.recipients.y - kGap - buttonHeight;
  row(CDMListView::kAddRecipientsButton, CDMListView::kRemoveRecipientsButton, l.recipients.x, recipientButtonsY);
  QPushButton* hitRate = buttons_[CDMListView::kHitRateButton];
  const int hitWidth = hitRate->sizeHint().width();
  hitRate->setGeometry(l.recipients.x + l.recipients.w - hitWidth, recipientButtonsY, hitWidth, buttonHeight);
  recipientsCaption_->setGeometry(l.recipients.x, recipientButtonsY - 4 - captionHeight, l.recipients.w,
                                  captionHeight);
}

void DMListWidget::Sync() {
  const bool wasSyncing = std::exchange(syncing_, true);
  recipientsCaption_->setText(ui::ToQString(model_.RecipientsCaption()));
  recipientsCaption_->setAccessibleName(recipientsCaption_->text());
  recipients_->setAccessibleName(recipientsCaption_->text());
  for (int b = 0; b <= CDMListView::kHitRateButton; ++b) {
    buttons_[static_cast<std::size_t>(b)]->setEnabled(model_.ButtonEnabled(static_cast<CDMListView::Button>(b)));
  }
  titleRows_->Refresh();
  recipientRows_->Refresh();
  ui::ShowTableSelection(titles_, model_.TitleSelection());
  ui::ShowTableSelection(recipients_, model_.RecipientSelection());
  syncing_ = wasSyncing;
  LayOut();
  update();  // the chart follows the hit-rate mode and its counts
}

}  // namespace dm
