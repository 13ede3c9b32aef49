// Printed geometry measured on pictures of the pages, and the printing dialogs as shown.
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QListWidget>
#include <QPainter>

#include <gtest/gtest.h>

#include "app/qt/ViewRegistry.h"
#include "customers/SampleCustomers.h"
#include "lumaro/CLayoutInfo.h"
#include "lumaro/CLumaro.h"
#include "platform/CNeritEnv.h"
#include "platform/TempFolder.h"
#include "printing/CDispPrevDlg.h"
#include "printing/COriginalFormDlg.h"
#include "printing/qt/CFormRenderer.h"
#include "qt/GuiTestSupport.h"
#include "ui/ScriptedUi.h"
#include "ui/qt/QtUi.h"

namespace printing {
namespace {

constexpr double kDpi = 300;
constexpr double kPxPerMm = kDpi / 25.4;

FormLayout FactoryLayout(int id) {
  lumaro::CLumaro catalogue(platform::CNeritEnv().GetFactoryFolder(), [](std::string_view t) { ADD_FAILURE() << t; });
  const auto info = catalogue.GetLayoutInfo(id);
  EXPECT_TRUE(info) << id;
  return *ReadFormLayout(*info);
}

bool Dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 160; }

struct Ink {
  double sumX = 0, sumY = 0;
  int count = 0;
  double cx() const { return sumX / count / kPxPerMm; }
  double cy() const { return sumY / count / kPxPerMm; }
};

// The dark pixels inside a rectangle (mm).
Ink InkIn(const QImage& image, double x, double y, double w, double h) {
  Ink ink;
  for (int py = static_cast<int>(y * kPxPerMm); py < static_cast<int>((y + h) * kPxPerMm) && py < image.height(); ++py) {
    for (int px = static_cast<int>(x * kPxPerMm); px < static_cast<int>((x + w) * kPxPerMm) && px < image.width(); ++px) {
      if (Dark(image, px, py)) {
        ink.sumX += px;
        ink.sumY += py;
        ++ink.count;
      }
    }
  }
  return ink;
}

TEST(FormGeometry, EachPostalCodeDigitSitsInItsBoxAtTheStandardPlace) {
  constexpr double kLeft[7] = {0, 7.0, 14.0, 21.6, 28.4, 35.2, 42.0};
  for (const int id : {2001, 2002, 2004, 3001, 3005}) {
    const FormLayout layout = FactoryLayout(id);
    const FormField* zip = nullptr;
    for (const FormField& f : layout.fields) {
      if (f.name == "ZipBoxes") zip = &f;
    }
    ASSERT_TRUE(zip) << id;
    // Japan Post: 12 mm below the top and 8 mm from the right (18 mm on the larger envelopes).
    const double edge = layout.sheet.paperW >= 200 ? 18.0 : 8.0;
    EXPECT_NEAR(zip->box.y, edge == 8.0 ? 12.0 : 18.0, 1.5) << id;
    EXPECT_NEAR(layout.sheet.paperW - zip->box.Right(), edge, 1.5) << id;
    EXPECT_NEAR(zip->box.w, 47.7, 0.01) << id;

    records::CKokyaku k = customers::test::SampleCustomer(1);
    k.Zip_Home = "１２３－４５６７";
    const CFormRenderer renderer(layout, {&k}, {}, SenderTexts());
    const QImage page = RenderPageImage(renderer, 0, kDpi);
    for (int i = 0; i < 7; ++i) {
      const double bx = zip->box.x + kLeft[i], by = zip->box.y;
      const Ink ink = InkIn(page, bx - 0.6, by - 2, 5.7 + 1.2, 12);
      ASSERT_GT(ink.count, 0) << id << " digit " << i;
      EXPECT_GT(ink.cx(), bx + 1.5) << id << " digit " << i;
      EXPECT_LT(ink.cx(), bx + 5.7 - 1.5) << id << " digit " << i;
      EXPECT_GT(ink.cy(), by + 2.5) << id << " digit " << i;
      EXPECT_LT(ink.cy(), by + 8.0 - 2.5) << id << " digit " << i;
    }
  }
}

TEST(FormGeometry, LabelsLieAtTheirProductsPitchAndNothingLeavesAPiece) {
  const FormLayout layout = FactoryLayout(1007);  // ヒサゴ ELM007: 2 x 6
  std::vector<records::CKokyaku> people;
  for (int i = 0; i < 12; ++i) {
    people.push_back(customers::test::SampleCustomer(i));
    // Long addresses and names push the fitting to its limits.
    people.back().Add2_Home += "１２３４番地　サンプルマンション南棟１２０３号室";
    if (i % 3 == 0) people.back().Name = "長谷川部長左衛門　由紀子";
  }
  std::vector<const records::CKokyaku*> customers;
  for (const auto& k : people) customers.push_back(&k);
  const CFormRenderer renderer(layout, customers, {}, SenderTexts());
  ASSERT_EQ(renderer.PageCount(), 1);
  const QImage page = RenderPageImage(renderer, 0, kDpi);
  // Nothing outside a piece.
  int outside = 0;
  for (int py = 0; py < page.height(); ++py) {
    for (int px = 0; px < page.width(); ++px) {
      if (!Dark(page, px, py)) continue;
      const double x = px / kPxPerMm, y = py / kPxPerMm;
      bool inside = false;
      for (int i = 0; i < layout.sheet.Pieces() && !inside; ++i) {
        const RectMm r = layout.sheet.Piece(i);
        inside = x >= r.x - 0.2 && x <= r.Right() + 0.2 && y >= r.y - 0.2 && y <= r.Bottom() + 0.2;
      }
      outside += inside ? 0 : 1;
    }
  }
  EXPECT_EQ(outside, 0);
  // Each piece's postal code starts at the same place within it: the pieces follow the pitch.
  const auto firstInkX = [&](const RectMm& r) {
    for (int px = static_cast<int>(r.x * kPxPerMm); px < static_cast<int>(r.Right() * kPxPerMm); ++px) {
      for (int py = static_cast<int>(r.y * kPxPerMm); py < static_cast<int>((r.y + r.h * 0.2) * kPxPerMm); ++py) {
        if (Dark(page, px, py)) return px / kPxPerMm;
      }
    }
    return -1.0;
  };
  const double x0 = firstInkX(layout.sheet.Piece(0)), x1 = firstInkX(layout.sheet.Piece(1));
  EXPECT_NEAR(x1 - x0, 87.6, 0.3);
  EXPECT_NEAR(layout.sheet.Piece(2).y - layout.sheet.Piece(0).y, 42.3, 1e-9);
}

TEST(FormGeometry, TheFirstPieceChosenLeavesTheUsedLabelsBlank) {
  const FormLayout layout = FactoryLayout(1007);
  const records::CKokyaku k = customers::test::SampleCustomer(0);
  RenderOptions options;
  options.firstPiece = 5;
  const CFormRenderer renderer(layout, {&k}, {}, SenderTexts(), options);
  const QImage page = RenderPageImage(renderer, 0, 100);
  for (int i = 0; i < 12; ++i) {
    const RectMm r = layout.sheet.Piece(i);
    int ink = 0;
    for (int py = static_cast<int>(r.y * 100 / 25.4); py < static_cast<int>(r.Bottom() * 100 / 25.4); ++py)
      for (int px = static_cast<int>(r.x * 100 / 25.4); px < static_cast<int>(r.Right() * 100 / 25.4); ++px)
        ink += Dark(page, px, py) ? 1 : 0;
    EXPECT_EQ(ink > 0, i == 5) << "piece " << i;
  }
}

TEST(FormGeometry, TheCalibrationMovesEveryPiece) {
  const FormLayout layout = FactoryLayout(2002);
  const records::CKokyaku k = customers::test::SampleCustomer(0);
  const QImage plain = RenderPageImage(CFormRenderer(layout, {&k}, {}, SenderTexts()), 0, kDpi);
  RenderOptions options;
  options.offsetX = 2;
  options.offsetY = -1;
  const QImage moved = RenderPageImage(CFormRenderer(layout, {&k}, {}, SenderTexts(), options), 0, kDpi);
  const Ink a = InkIn(plain, 0, 0, 100, 148), b = InkIn(moved, 0, 0, 100, 148);
  EXPECT_NEAR(b.cx() - a.cx(), 2, 0.2);
  EXPECT_NEAR(b.cy() - a.cy(), -1, 0.2);
}

class PrintingDialogs : public ::testing::Test {
 protected:
  PrintingDialogs() : ui([](const std::string& why) { ADD_FAILURE() << why; }) {
    std::filesystem::create_directories(Install() / "Data" / "MyData");
    std::filesystem::copy_file(platform::CNeritEnv().GetFactoryFolder() / "Data" / "MyData" / "Lumaro.dat",
                               Install() / "Data" / "MyData" / "Lumaro.dat");
    app::RegisterViews(views);
    for (int i = 0; i < 5; ++i) people.push_back(customers::test::SampleCustomer(i));
  }
  std::filesystem::path Install() const { return temp / "install"; }

  testing_support::TempFolder temp;
  ui::ScriptedUi ui;
  ui::QtUi views;
  std::vector<records::CKokyaku> people;
};

TEST_F(PrintingDialogs, ThePrintingDialogPreviewsTheCustomersOnTheChosenForm) {
  CDispPrevDlg model(ui, Install(), nullptr, 0, true, true);
  std::vector<const records::CKokyaku*> customers;
  for (const auto& k : people) customers.push_back(&k);
  model.SetCustomers(customers, {});
  for (std::size_t r = 0; r < model.Forms().size(); ++r) {
    if (model.Forms()[r].layoutId == 2001) model.SelectForm(static_cast<int>(r));
  }
  const std::unique_ptr<QDialog> view = views.MakeView(model, nullptr);
  view->resize(1200, 700);
  gui_test::ShowAndWait(*view);
  auto* forms = gui_test::Find<QListWidget>(*view, "フォーム一覧");
  ASSERT_TRUE(forms);
  EXPECT_EQ(forms->currentRow(), model.FormRow());
  ASSERT_TRUE(gui_test::Find<QWidget>(*view, "次のページ"));
  gui_test::SaveScreenshot(*view, "printing-dialog.png");
  // Another form chosen by the mouse: the model follows.
  forms->setCurrentRow(0);
  EXPECT_EQ(model.FormRow(), 0);
  view->hide();
}

TEST_F(PrintingDialogs, TheOriginalFormsDialogFollowsItsSelection) {
  lumaro::CLumaro catalogue(Install());
  ASSERT_EQ(catalogue.SetPickUp("年賀状（家族連名）", 2001, 40000), 1);
  ASSERT_EQ(catalogue.SetPickUp("店舗案内ラベル", 1007, 40001), 1);
  COriginalFormDlg model(ui, Install(), {});
  const std::unique_ptr<QDialog> view = views.MakeView(model, nullptr);
  gui_test::ShowAndWait(*view);
  auto* list = gui_test::Find<QListWidget>(*view, COriginalFormDlg::kListCaption);
  ASSERT_TRUE(list);
  list->selectAll();
  EXPECT_EQ(model.Selection().size(), 2u);
  EXPECT_FALSE(gui_test::Button(*view, COriginalFormDlg::kRenameCaption)->isEnabled());
  EXPECT_TRUE(gui_test::Button(*view, COriginalFormDlg::kDeleteCaption)->isEnabled());
  gui_test::SaveScreenshot(*view, "original-forms.png");
  view->hide();
}

// Pages of each kind as pictures, for people to look at (<build>/screenshots/forms-*.png).
TEST_F(PrintingDialogs, EveryKindOfFormRendersAPicture) {
  std::vector<const records::CKokyaku*> customers;
  for (auto& k : people) {
    k.Note1 = "花子";
    customers.push_back(&k);
  }
  for (const int id : {1007, 2001, 2002, 3001, 3005, 4101, 5001, 5101, 6001}) {
    const FormLayout layout = FactoryLayout(id);
    RenderOptions options;
    options.preview = true;
    options.jointColumn = id == 2001 ? "Note1" : "";
    const bool blank = layout.genre == lumaro::CLayoutInfo::kGenreNoCustomer;
    const CFormRenderer renderer(layout, blank ? std::vector<const records::CKokyaku*>{} : customers, {}, SenderTexts(),
                                 options);
    const QImage image = RenderPageImage(renderer, 0, 100);
    EXPECT_FALSE(image.isNull());
    const char* folder = std::getenv("TOVANA_SCREENSHOTS");
    const std::filesystem::path dir = folder ? folder : TOVANA_SCREENSHOT_DIR;
    std::filesystem::create_directories(dir);
    image.save(QString::fromStdString((dir / ("forms-" + std::to_string(id) + ".png")).string()));
  }
}

}  // namespace
}  // namespace printing
