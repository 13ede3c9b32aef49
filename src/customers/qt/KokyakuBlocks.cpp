#include "customers/qt/KokyakuBlocks.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "customers/CKokyakuDlg.h"
#include "ui/qt/ChoiceListComboBox.h"
#include "ui/qt/Controls.h"

namespace customers {

namespace {

// The small "..." button beside a field; accessibleName tells which lookup it runs.
QToolButton* DotsButton(QWidget* parent, const char* accessibleName, std::function<void()> onClick) {
  auto* button = new QToolButton(parent);
  button->setText(QStringLiteral("..."));
  button->setAccessibleName(QString::fromUtf8(accessibleName));
  button->setToolTip(button->accessibleName());
  QObject::connect(button, &QToolButton::clicked, button, [onClick = std::move(onClick)] { onClick(); });
  return button;
}

QHBoxLayout* Beside(QWidget* field, QWidget* extra) {
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(field, 1);
  row->addWidget(extra);
  return row;
}

class Rows {
 public:
  explicit Rows(QGroupBox* box) : box_(box), grid_(new QGridLayout(box)) {
    grid_->setColumnStretch(1, 1);
    // Room for an address or an e-mail address as typed; rows stay together at the top when the
    // block beside is taller.
    grid_->setColumnMinimumWidth(1, box->fontMetrics().horizontalAdvance(QChar(0x3042)) * 20);
    grid_->setAlignment(Qt::AlignTop);
  }
  void Add(const char* caption, QWidget* field) {
    grid_->addWidget(ui::MakeLabel(caption, box_, field), row_, 0);
    grid_->addWidget(field, row_++, 1);
  }
  void Add(const char* caption, QLayout* fields) {
    grid_->addWidget(ui::MakeLabel(caption, box_, fields->itemAt(0)->widget()), row_, 0);
    grid_->addLayout(fields, row_++, 1);
  }

 private:
  QGroupBox* box_;
  QGridLayout* grid_;
  int row_ = 0;
};

QGroupBox* Group(QWidget* parent, const QString& title) {
  auto* box = new QGroupBox(title, parent);
  box->setAccessibleName(title);
  return box;
}

void AddressRows(Rows& rows, KokyakuFormBinder& bind, QGroupBox* box, const BlockActions& actions, AddressBlock block,
                 const char* prefix) {
  const AddressColumns& c = ColumnsOf(block);
  const std::string p = prefix;
  const auto name = [&p](const char* caption) { return p + " " + caption; };
  QLineEdit* zip = bind.Edit(c.zip, name("〒").c_str());
  zip->setMaximumWidth(zip->fontMetrics().horizontalAdvance(QStringLiteral("000-00000")) + 16);
  auto* zipRow = Beside(zip, DotsButton(box, name("郵便番号から住所を検索").c_str(), [&actions, block] { actions.postal(block); }));
  zipRow->addStretch();
  rows.Add("〒", zipRow);
  rows.Add("都道府県", bind.Suggestions(c.prefecture, name("都道府県").c_str(), PrefectureTexts()));
  rows.Add("市区町村", bind.Edit(c.city, name("市区町村").c_str()));
  rows.Add("番地等", bind.Edit(c.street, name("番地等").c_str()));
  // Each field is made before its "..." button, so Tab reaches the field first.
  QLineEdit* tel = bind.Edit(c.tel, name("TEL").c_str());
  QToolButton* telLookup =
      DotsButton(box, name("電話番号から住所を検索").c_str(), [&actions, block] { actions.phone(block); });
  rows.Add("TEL", Beside(tel, telLookup));
}

void MailRows(Rows& rows, KokyakuFormBinder& bind, int first, int last) {
  for (int n = first; n <= last; ++n) {
    const std::string column = "EMail" + std::to_string(n);
    const std::string caption = "E-mail" + std::to_string(n);
    QLineEdit* edit = bind.Edit(column, caption.c_str());
    rows.Add("E-mail", Beside(edit, bind.StandardMail(n, QString::fromStdString("標準ﾒｰﾙ " + std::to_string(n)))));
  }
}

void UrlRow(Rows& rows, KokyakuFormBinder& bind, QGroupBox* box, const BlockActions& actions, const char* column,
            const char* accessibleName) {
  const std::string key = column;
  QLineEdit* url = bind.Edit(column, accessibleName);
  rows.Add("URL", Beside(url, DotsButton(box, (std::string(accessibleName) + "を開く").c_str(),
                                         [&actions, key] { actions.openUrl(key); })));
}

}  // namespace

QGroupBox* HomeBlock(KokyakuFormBinder& bind, QWidget* parent, const BlockActions& actions, const QString& title,
                     bool birthDay) {
  QGroupBox* box = Group(parent, title);
  Rows rows(box);
  AddressRows(rows, bind, box, actions, AddressBlock::Home, "自宅");
  rows.Add("FAX", bind.Edit("FAX_Home", "自宅 FAX"));
  rows.Add("携帯電話", bind.Edit("CellPhone1", "自宅 携帯電話"));
  MailRows(rows, bind, 1, 3);
  UrlRow(rows, bind, box, actions, "URL1", "自宅 URL");
  if (birthDay) rows.Add("生年月日", bind.Edit("BirthDay", "生年月日"));
  return box;
}

QGroupBox* CompanyBlock(KokyakuFormBinder& bind, QWidget* parent, const BlockActions& actions, const QString& title) {
  QGroupBox* box = Group(parent, title);
  Rows rows(box);
  rows.Add("会社名", bind.Edit("CompName", "会社名"));
  rows.Add("ﾌﾘｶﾞﾅ", bind.Edit("CompYomi", "会社名 ﾌﾘｶﾞﾅ"));
  rows.Add("部署", bind.Edit("Section", "部署"));
  rows.Add("役職", bind.Edit("Post", "役職"));
  AddressRows(rows, bind, box, actions, AddressBlock::Office, "会社");
  rows.Add("FAX", bind.Edit("FAX_Office", "会社 FAX"));
  rows.Add("携帯電話", bind.Edit("CellPhone2", "会社 携帯電話"));
  MailRows(rows, bind, 4, 5);
  UrlRow(rows, bind, box, actions, "URL2", "会社 URL");
  return box;
}

QGroupBox* CompanyDetailBlock(KokyakuFormBinder& bind, QWidget* parent, ui::Ui& ui,
                              const std::filesystem::path& install) {
  QGroupBox* box = Group(parent, QString::fromUtf8("会社詳細情報"));
  Rows rows(box);
  rows.Add("業種", bind.ChoiceList("CompType", "業種", CKokyakuDlg::kCompTypeList, ui, install));
  rows.Add("代表者", bind.Edit("Represent", "代表者"));
  auto* closing = new QHBoxLayout;
  closing->addWidget(bind.Values("ClosingDay", "締日", ClosingDayItems()));
  QWidget* month = bind.Values("ClosingDate", "決算月", ClosingMonthItems());
  closing->addWidget(ui::MakeLabel("決算月", box, month));
  closing->addWidget(month);
  closing->addStretch();
  rows.Add("締日", closing);
  rows.Add("税の扱い", bind.Values("TaxMethod", "税の扱い", CodedItems("TaxMethod")));
  rows.Add("支払方法", bind.ChoiceList("PayMethod", "支払方法", CKokyakuDlg::kPayList, ui, install));
  rows.Add("主要取引銀行", bind.Edit("Bank1", "主要取引銀行1"));
  rows.Add("", bind.Edit("Bank2", "主要取引銀行2"));
  for (int n = 1; n <= 5; ++n) {
    const std::string column = "MainMerchant" + std::to_string(n);
    const std::string caption = "主要取引先" + std::to_string(n);
    rows.Add(n == 1 ? "主要取引先" : "", bind.Edit(column, caption.c_str()));
  }
  return box;
}

}  // namespace customers
