#include "analysis/qt/RainbowDlgWidget.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "settings/CQMVComboData.h"
#include "ui/qt/ChoiceListComboBox.h"
#include "ui/qt/Controls.h"

namespace analysis {

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

// Each analysis has its colour of the rainbow; its button shows a bar of it and the number.
QIcon KindIcon(int kind) {
  static const QColor kColours[kKindCount] = {QColor(220, 40, 40),  QColor(240, 140, 20), QColor(230, 200, 0),
                                              QColor(40, 160, 60),  QColor(40, 110, 220), QColor(70, 60, 160),
                                              QColor(150, 60, 170)};
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(kColours[kind - 1]);
  p.drawRoundedRect(QRectF(2, 2, 28, 28), 7, 7);
  p.setPen(Qt::white);
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(18);
  p.setFont(font);
  p.drawText(QRectF(2, 2, 28, 28), Qt::AlignCenter, QString::number(kind));
  return QIcon(pixmap);
}

template <typename Widget>
void Show(Widget* w, const std::string& text) {
  if (w->text() != Q(text)) w->setText(Q(text));
}

}  // namespace

RainbowDlgWidget::RainbowDlgWidget(CRainbowDlg& model, QWidget* parent) : ui::ModelDialog(model, parent), model_(model) {
  setWindowTitle(Q(model.Title()));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(255, 255, 170));
  setPalette(palette);
  setAutoFillBackground(true);

  auto* outer = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  outer->addLayout(row, 1);

  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(10);
  buttons->setContentsMargins(12, 0, 0, 0);
  for (int kind = 1; kind <= kKindCount; ++kind) {
    QPushButton* b = ui::MakeButton(CRainbowDlg::ButtonCaption(kind), this, [this, kind] {
      Act([this, kind] { model_.SelectKind(kind); });
    });
    b->setIcon(KindIcon(kind));
    b->setIconSize(QSize(24, 24));
    b->setCheckable(true);
    b->setAutoDefault(false);
    b->setMinimumSize(190, 40);
    b->setStyleSheet("text-align: left; padding-left: 8px;");
    kindButtons_[static_cast<std::size_t>(kind - 1)] = b;
    buttons->addWidget(b);
  }
  buttons->addStretch(1);
  row->addLayout(buttons);

  pages_ = new QStackedWidget(this);
  for (QWidget* page : {RegularsPage(), RecentPage(), ApproachPage(), DMHitPage(), RollerPage(), AmountPage(), MerchantsPage()}) {
    pages_->addWidget(page);
  }
  row->addWidget(pages_, 1);

  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  QPushButton* run = ui::MakeButton(CRainbowDlg::kRunCaption, this, [this] { Act([this] { model_.OnRun(); }); });
  run->setDefault(true);
  run->setMinimumWidth(100);
  QPushButton* cancel = ui::MakeButton(CRainbowDlg::kCancelCaption, this, [this] { reject(); });
  cancel->setAutoDefault(false);
  cancel->setMinimumWidth(100);
  bottom->addWidget(run);
  bottom->addWidget(cancel);
  outer->addLayout(bottom);
  Refresh();
}

void RainbowDlgWidget::Refresh() {
  for (int kind = 1; kind <= kKindCount; ++kind) {
    QPushButton* b = kindButtons_[static_cast<std::size_t>(kind - 1)];
    b->setEnabled(model_.KindEnabled(kind));
    b->setChecked(kind == model_.Kind());
  }
  pages_->setCurrentIndex(model_.Kind() - 1);
  for (const auto& refresh : refreshers_) refresh();
  if (const auto it = focusTargets_.find({model_.Kind(), model_.TakeFocusRequest()}); it != focusTargets_.end()) {
    it->second->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(it->second)) edit->selectAll();
  }
}

// --- Building blocks ---

QWidget* RainbowDlgWidget::PageFrame(int kind, QWidget*& body) {
  auto* page = new QWidget(pages_);
  auto* layout = new QVBoxLayout(page);
  auto* text = ui::MakeLabel(CRainbowDlg::PageText(kind), page);
  text->setWordWrap(true);
  QFont bold = text->font();
  bold.setBold(true);
  text->setFont(bold);
  layout->addWidget(text);
  body = new QWidget(page);
  layout->addWidget(body);
  layout->addStretch(1);
  return page;
}

QLineEdit* RainbowDlgWidget::Edit(std::string& field, const char* caption, QWidget* parent, std::function<bool()> enabled) {
  auto* edit = new QLineEdit(parent);
  edit->setAccessibleName(Q(caption));
  edit->setMaximumWidth(140);
  connect(edit, &QLineEdit::textEdited, this, [&field](const QString& text) { field = text.toStdString(); });
  refreshers_.push_back([edit, &field, enabled] {
    Show(edit, field);
    if (enabled) edit->setEnabled(enabled());
  });
  return edit;
}

QAbstractButton* RainbowDlgWidget::Radio(const char* caption, QWidget* parent, std::function<bool()> isOn,
                                         std::function<void()> choose) {
  auto* radio = new QRadioButton(Q(caption), parent);
  radio->setAccessibleName(ui::SpokenCaption(radio->text()));
  connect(radio, &QRadioButton::clicked, this, [this, choose] { Act(choose); });
  refreshers_.push_back([radio, isOn] {
    const QSignalBlocker block(radio);
    radio->setChecked(isOn());
  });
  return radio;
}

QWidget* RainbowDlgWidget::SummaryRow(std::string& summary, int kind, QWidget* parent) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* box = new ui::ChoiceListComboBox(model_.ChoiceUi(), model_.Install(), "履歴概要", row);
  box->Fill(settings::CQMVComboData::kRirekiType, false);
  box->setMinimumWidth(220);
  connect(box, &QComboBox::currentTextChanged, this, [&summary](const QString& text) { summary = text.toStdString(); });
  refreshers_.push_back([box, &summary] {
    if (box->currentText().toStdString() == summary) return;
    const QSignalBlocker block(box);
    box->ShowText(summary);
  });
  layout->addWidget(ui::MakeLabel("履歴概要：", row, box));
  layout->addWidget(box);
  layout->addStretch(1);
  FocusTarget(kind, Focus::Summary, box);
  return row;
}

QWidget* RainbowDlgWidget::PeriodBox(Period& period, int kind, QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(ui::MakeLabel("期間：", box), 0, 0);
  grid->addWidget(Radio("指定しない", box, [&period] { return !period.specified; }, [&period] { period.specified = false; }), 0, 1);
  grid->addWidget(Radio("指定する", box, [&period] { return period.specified; }, [&period] { period.specified = true; }), 1, 1);
  const auto on = [&period] { return period.specified; };
  QLineEdit* start = Edit(period.start, "開始日", box, on);
  QLineEdit* end = Edit(period.end, "終了日", box, on);
  start->setPlaceholderText("yyyy/mm/dd");
  end->setPlaceholderText("yyyy/mm/dd");
  auto* dates = new QHBoxLayout;
  dates->addWidget(start);
  dates->addWidget(ui::MakeLabel("から", box));
  dates->addWidget(end);
  dates->addWidget(ui::MakeLabel("までの間", box));
  dates->addStretch(1);
  grid->addLayout(dates, 2, 1);
  FocusTarget(kind, Focus::Start, start);
  FocusTarget(kind, Focus::End, end);
  auto* buttons = new QButtonGroup(box);
  for (QAbstractButton* b : box->findChildren<QRadioButton*>()) buttons->addButton(b);
  return box;
}

// --- Pages ---

QWidget* RainbowDlgWidget::RegularsPage() {
  QWidget* body = nullptr;
  QWidget* page = PageFrame(kRegulars, body);
  RegularsInput& in = model_.regulars;
  auto* layout = new QVBoxLayout(body);
  layout->addWidget(SummaryRow(in.summary, kRegulars, body));
  auto* modes = new QGridLayout;
  using M = RegularsInput;
  QLineEdit* count = Edit(in.count, "回数", body, [&in] { return in.mode == M::kAtLeast; });
  QLineEdit* top = Edit(in.top, "TOP件数", body, [&in] { return in.mode == M::kTop; });
  modes->addWidget(Radio("回数が", body, [&in] { return in.mode == M::kAtLeast; }, [&in] { in.mode = M::kAtLeast; }), 0, 0);
  modes->addWidget(count, 0, 1);
  modes->addWidget(ui::MakeLabel("回以上ある顧客", body), 0, 2);
  modes->addWidget(Radio("多い順に TOP", body, [&in] { return in.mode == M::kTop; }, [&in] { in.mode = M::kTop; }), 1, 0);
  modes->addWidget(top, 1, 1);
  modes->addWidget(ui::MakeLabel("人をリストアップ", body), 1, 2);
  modes->addWidget(Radio("多い順に顧客を表示", body, [&in] { return in.mode == M::kAll; }, [&in] { in.mode = M::kAll; }), 2, 0, 1, 3);
  modes->setColumnStretch(3, 1);
  auto* group = new QButtonGroup(body);
  for (QAbstractButton* b : body->findChildren<QRadioButton*>()) group->addButton(b);
  layout->addLayout(modes);
  layout->addWidget(PeriodBox(in.period, kRegulars, body));
  FocusTarget(kRegulars, Focus::Count, count);
  FocusTarget(kRegulars, Focus::Top, top);
  return page;
}

QWidget* RainbowDlgWidget::RecentPage() {
  QWidget* body = nullptr;
  QWidget* page = PageFrame(kRecent, body);
  RecentInput& in = model_.recent;
  using M = RecentInput;
  auto* layout = new QVBoxLayout(body);
  layout->addWidget(SummaryRow(in.summary, kRecent, body));
  auto* modes = new QGridLayout;
  QLineEdit* date = Edit(in.date, "日付", body, [&in] { return in.mode == M::kSince; });
  date->setPlaceholderText("yyyy/mm/dd");
  QLineEdit* top = Edit(in.top, "TOP件数", body, [&in] { return in.mode == M::kTop; });
  modes->addWidget(Radio("最新の登録日が", body, [&in] { return in.mode == M::kSince; }, [&in] { in.mode = M::kSince; }), 0, 0);
  modes->addWidget(date, 0, 1);
  modes->addWidget(ui::MakeLabel("以降の顧客", body), 0, 2);
  modes->addWidget(Radio("新しい順にTOP", body, [&in] { return in.mode == M::kTop; }, [&in] { in.mode = M::kTop; }), 1, 0);
  modes->addWidget(top, 1, 1);
  modes->addWidget(ui::MakeLabel("人をリストアップ", body), 1, 2);
  modes->addWidget(Radio("新しい順に顧客を表示", body, [&in] { return in.mode == M::kAll; }, [&in] { in.mode = M::kAll; }), 2, 0, 1, 3);
  modes->setColumnStretch(3, 1);
  auto* group = new QButtonGroup(body);
  for (QAbstractButton* b : body->findChildren<QRadioButton*>()) group->addButton(b);
  layout->addLayout(modes);
  FocusTarget(kRecent, Focus::Date, date);
  FocusTarget(kRecent, Focus::Top, top);
  return page;
}

QWidget* RainbowDlgWidget::ApproachPage() {
  QWidget* body = nullptr;
  QWidget* page = PageFrame(kApproach, body);
  ApproachInput& in = model_.approach;
  using M = ApproachInput;
  auto* layout = new QVBoxLayout(body);
  layout->addWidget(SummaryRow(in.summary, kApproach, body));
  auto* modes = new QGridLayout;
  struct Line {
    M::Mode mode;
    const char* radio;
    std::string* field;
    const char* caption;
    const char* after;
    Focus focus;
  };
  const Line lines[] = {{M::kDays, "最終登録日から", &in.days, "経過日数", "日以上経過している顧客", Focus::Days},
                        {M::kMonths, "最終登録日から", &in.months, "経過月数", "ヶ月以上経過している顧客", Focus::Months},
                        {M::kYears, "最終登録日から", &in.years, "経過年数", "年以上経過している顧客", Focus::Years},
                        {M::kTop, "経過日数の長い順にTOP", &in.top, "TOP件数", "人をリストアップ", Focus::Top}};
  int r = 0;
  for (const Line& line : lines) {
    const M::Mode mode = line.mode;
    QLineEdit* edit = Edit(*line.field, line.caption, body, [&in, mode] { return in.mode == mode; });
    QAbstractButton* radio = Radio(line.radio, body, [&in, mode] { return in.mode == mode; }, [&in, mode] { in.mode = mode; });
    radio->setAccessibleName(Q(std::string(line.radio) + " " + line.after));
    modes->addWidget(radio, r, 0);
    modes->addWidget(edit, r, 1);
    modes->addWidget(ui::MakeLabel(line.after, body), r++, 2);
    FocusTarget(kApproach, line.focus, edit);
  }
  modes->addWidget(Radio("経過日数の長い順に顧客を表示", body, [&in] { return in.mode == M::kAll; }, [&in] { in.mode = M::kAll; }), r,
                   0, 1, 3);
  modes->setColumnStretch(3, 1);
  auto* group = new QButtonGroup(body);
  for (QAbstractButton* b : body->findChildren<QRadioButton*>()) group->addButton(b);
  layout->addLayout(modes);
  return page;
}

QWidget* RainbowDlgWidget::DMHitPage() {
  QWidget* body = nullptr;
  QWidget* page = PageFrame(kDMHit, body);
  DMHitInput& in = model_.dmHit;
  using M = DMHitInput;
  auto* layout = new QVBoxLayout(body);
  QListWidget* titles = ui::MakeList("発送済みDMタイトル", body);
  titles->setMinimumHeight(110);
  connect(titles, &QListWidget::currentRowChanged, this, [this](int row) { Act([this, row] { model_.SelectDMTitle(row); }); });
  refreshers_.push_back([this, titles] {
    ui::ShowRows(titles, model_.DMTitleTexts(), model_.DMTitleRow());
    titles->setEnabled(model_.DMTitlesEnabled());
  });
  layout->addWidget(ui::MakeLabel("発送済みDMタイトル：", body, titles));
  layout->addWidget(titles);
  FocusTarget(kDMHit, Focus::DMTitle, titles);

  layout->addWidget(ui::MakeLabel("DM発送日の翌日からの期間：", body));
  auto* periods = new QGridLayout;
  struct Line {
    M::PeriodMode mode;
    std::string* field;
    const char* caption;
    const char* after;
    Focus focus;
  };
  const Line lines[] = {{M::kDays, &in.days, "日数", "日以内", Focus::Days},
                        {M::kWeeks, &in.weeks, "週数", "週以内", Focus::Weeks},
                        {M::kMonths, &in.months, "月数", "ヶ月以内", Focus::Months},
                        {M::kYears, &in.years, "年数", "年以内", Focus::Years}};
  int r = 0;
  for (const Line& line : lines) {
    const M::PeriodMode mode = line.mode;
    QAbstractButton* radio = Radio(line.after, body, [&in, mode] { return in.period == mode; }, [&in, mode] { in.period = mode; });
    radio->setText({});
    radio->setAccessibleName(Q(line.after));
    QLineEdit* edit = Edit(*line.field, line.caption, body, [&in, mode] { return in.period == mode; });
    periods->addWidget(radio, r, 0);
    periods->addWidget(edit, r, 1);
    periods->addWidget(ui::MakeLabel(line.after, body, radio), r++, 2);
    FocusTarget(kDMHit, line.focus, edit);
  }
  periods->addWidget(Radio("指定なし", body, [&in] { return in.period == M::kNoLimit; }, [&in] { in.period = M::kNoLimit; }), r, 0,
                     1, 3);
  periods->setColumnStretch(3, 1);
  auto* periodGroup = new QButtonGroup(body);
  for (QAbstractButton* b : body->findChildren<QRadioButton*>()) periodGroup->addButton(b);
  layout->addLayout(periods);

  layout->addWidget(ui::MakeLabel("反応とみなす履歴概要：", body));
  auto* summaryBox = new QWidget(body);
  auto* summaryLayout = new QVBoxLayout(summaryBox);
  summaryLayout->setContentsMargins(0, 0, 0, 0);
  summaryLayout->addWidget(Radio("指定しない （ 履歴に何かが登録されている顧客 ）", summaryBox, [&in] { return !in.summarySpecified; },
                                 [&in] { in.summarySpecified = false; }));
  summaryLayout->addWidget(
      Radio("指定する", summaryBox, [&in] { return in.summarySpecified; }, [&in] { in.summarySpecified = true; }));
  summaryLayout->addWidget(SummaryRow(in.summary, kDMHit, summaryBox));
  auto* summaryGroup = new QButtonGroup(summaryBox);
  for (QAbstractButton* b : summaryBox->findChildren<QRadioButton*>()) summaryGroup->addButton(b);
  layout->addWidget(summaryBox);
  return page;
}

QWidget* RainbowDlgWidget::RollerPage() {
  QWidget* body = nullptr;
  QWidget* page = PageFrame(kRoller, body);
  auto* layout = new QVBoxLayout(body);
  auto* lists = new QGridLayout;
  const char* captions[CRainbowDlg::kLevels] = {"都道府県", "市区町村", "町名", "建物等"};
  for (int level = 0; level < CRainbowDlg::kLevels; ++level) {
    QListWidget* list = ui::MakeList(captions[level], body);
    list->setMinimumSize(level == 0 ? 96 : 120, 140);
    connect(list, &QListWidget::currentRowChanged, this,
            [this, level](int row) { Act([this, level, row] { model_.SelectLevel(level, row); }); });
    refreshers_.push_back([this, list, level] {
      std::vector<std::string> names;
      for (const auto& e : model_.LevelEntries(level)) names.push_back(e.name);
      ui::ShowRows(list, names, model_.LevelRow(level));
      list->setEnabled(model_.DictionaryAvailable());
    });
    lists->addWidget(ui::MakeLabel(captions[level], body, list), 0, level);
    lists->addWidget(list, 1, level);
    if (level == 0) FocusTarget(kRoller, Focus::Addresses, list);
  }
  layout->addLayout(lists);

  auto* middle = new QHBoxLayout;
  auto* zip = new QLabel(body);
  refreshers_.push_back([this, zip] {
    Show(zip, model_.ZipText());
    zip->setAccessibleName(zip->text());
  });
  middle->addWidget(zip);
  middle->addStretch(1);
  QPushButton* add = ui::MakeButton("追加↓", body, [this] { Act([this] { model_.OnAddAddress(); }); });
  add->setAutoDefault(false);
  middle->addWidget(add);
  layout->addLayout(middle);

  auto* chosen = new QTreeWidget(body);
  chosen->setAccessibleName("抽出する住所");
  chosen->setRootIsDecorated(false);
  chosen->setColumnCount(5);
  chosen->setHeaderLabels({"〒", "都道府県", "市区町村", "町名", "建物等"});
  chosen->setMinimumHeight(120);
  chosen->header()->setStretchLastSection(false);
  chosen->header()->setSectionResizeMode(QHeaderView::Interactive);
  chosen->header()->setSectionResizeMode(2, QHeaderView::Stretch);
  chosen->header()->setSectionResizeMode(3, QHeaderView::Stretch);
  chosen->setColumnWidth(0, 70);
  chosen->setColumnWidth(1, 80);
  chosen->setColumnWidth(4, 90);
  connect(chosen, &QTreeWidget::currentItemChanged, this, [this, chosen](QTreeWidgetItem* item) {
    Act([this, row = item ? chosen->indexOfTopLevelItem(item) : -1] { model_.SelectAddressRow(row); });
  });
  QPushButton* remove = ui::MakeButton("はずす", body, [this] { Act([this] { model_.OnRemoveAddress(); }); });
  remove->setAutoDefault(false);
  refreshers_.push_back([this, chosen, remove] {
    const QSignalBlocker block(chosen);
    chosen->clear();
    for (const AddressRow& row : model_.Addresses()) {
      new QTreeWidgetItem(chosen, {Q(row.zip), Q(row.prefecture), Q(row.city), Q(row.town), Q(row.block)});
    }
    if (model_.AddressRowSelected() >= 0) chosen->setCurrentItem(chosen->topLevelItem(model_.AddressRowSelected()));
    remove->setEnabled(model_.RemoveAddressEnabled());
  });
  layout->addWidget(ui::MakeLabel("抽出する住所（10個まで）：", body, chosen));
  layout->addWidget(chosen);
  auto* bottom = new QHBoxLayout;
  auto* targets = new QVBoxLayout;
  targets->addWidget(Radio("顧客リストから抽出して表示する", body, [this] { return model_.rollerTarget == 0; },
                           [this] { model_.rollerTarget = 0; }));
  targets->addWidget(ui::MakeLabel("　(法人は会社、個人は自宅住所を検索)", body));
  targets->addWidget(Radio("電話帳から抽出して表示する", body, [this] { return model_.rollerTarget == 1; },
                           [this] { model_.rollerTarget = 1; }));
  bottom->addLayout(targets);
  bottom->addStretch(1);
  bottom->addWidget(remove, 0, Qt::AlignTop);
  layout->addLayout(bottom);
  auto* group = new QButtonGroup(body);
  for (QAbstractButton* b : body->findChildren<QRadioButton*>()) group->addButton(b);
  return page;
}

QWidget* RainbowDlgWidget::AmountPage() {
  QWidget* body = nullptr;
  QWidget* page = PageFrame(kAmount, body);
  AmountInput& in = model_.amount;
  using M = AmountInput;
  auto* layout = new QVBoxLayout(body);
  auto* modes = new QGridLayout;
  // Each mode has its own amount box; the chosen mode's box is the one read.
  int r = 0;
  for (const auto& [mode, caption] : {std::pair{M::kTotal, "合計金額が"}, std::pair{M::kMaximum, "最高金額が"},
                                      std::pair{M::kAverage, "平均金額が"}}) {
    const M::Mode m = mode;
    auto* edit = new QLineEdit(body);
    edit->setAccessibleName(Q(std::string(caption) + " 金額"));
    edit->setMaximumWidth(140);
    connect(edit, &QLineEdit::textEdited, this, [&in, m](const QString& text) {
      if (in.mode == m) in.amount = text.toStdString();
    });
    refreshers_.push_back([edit, &in, m] {
      if (in.mode == m) Show(edit, in.amount);
      edit->setEnabled(in.mode == m);
    });
    modes->addWidget(Radio(caption, body, [&in, m] { return in.mode == m; },
                           [&in, m, edit] {
                             in.mode = m;
                             in.amount = edit->text().isEmpty() ? "0" : edit->text().toStdString();
                           }),
                     r, 0);
    modes->addWidget(edit, r, 1);
    modes->addWidget(ui::MakeLabel("以上の顧客", body), r++, 2);
    FocusTarget(kAmount, Focus::Amount, edit);
    edit->setText("0");
  }
  modes->setColumnStretch(3, 1);
  auto* group = new QButtonGroup(body);
  for (QAbstractButton* b : body->findChildren<QRadioButton*>()) group->addButton(b);
  layout->addLayout(modes);
  layout->addWidget(SummaryRow(in.summary, kAmount, body));
  layout->addWidget(PeriodBox(in.period, kAmount, body));
  return page;
}

QWidget* RainbowDlgWidget::MerchantsPage() {
  QWidget* body = nullptr;
  QWidget* page = PageFrame(kMerchants, body);
  auto* layout = new QVBoxLayout(body);
  auto* entryRow = new QHBoxLayout;
  QLineEdit* entry = Edit(model_.nameEntry, "名前", body);
  entry->setMaximumWidth(QWIDGETSIZE_MAX);
  entryRow->addWidget(ui::MakeLabel("名前：", body, entry));
  entryRow->addWidget(entry, 1);
  QPushButton* add = ui::MakeButton("リストに追加 ↓", body, [this] { Act([this] { model_.OnAddName(); }); });
  add->setAutoDefault(false);
  entryRow->addWidget(add);
  layout->addLayout(entryRow);
  layout->addWidget(ui::MakeLabel("※ 5 個まで同時に検索できます", body));
  QListWidget* names = ui::MakeList("検索する名前", body);
  names->setMinimumHeight(120);
  connect(names, &QListWidget::currentRowChanged, this, [this](int row) { Act([this, row] { model_.SelectName(row); }); });
  refreshers_.push_back([this, names] { ui::ShowRows(names, model_.Names(), model_.NameRow()); });
  layout->addWidget(names);
  QPushButton* remove = ui::MakeButton("リストから削除", body, [this] { Act([this] { model_.OnRemoveName(); }); });
  remove->setAutoDefault(false);
  layout->addWidget(remove, 0, Qt::AlignRight);
  FocusTarget(kMerchants, Focus::Names, entry);
  return page;
}

}  // namespace analysis
