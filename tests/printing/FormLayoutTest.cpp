// Reading a layout's sheet and fields, and the factory catalogue's layouts as the renderer reads them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "lumaro/CChuBunrui.h"
#include "lumaro/CDaiBunrui.h"
#include "lumaro/CLayoutInfo.h"
#include "lumaro/CLumaro.h"
#include "lumaro/CShoBunrui.h"
#include "platform/CNeritEnv.h"
#include "printing/FormPlan.h"
#include "printing/FormSheet.h"

namespace printing {
namespace {

TEST(FormSheet, ReadsTheSheetTextOrRefusesIt) {
  struct Case {
    const char* sheet;
    bool ok;
    double paperW, paperH;
  } cases[] = {
      {"paper=A4;orient=P;nx=2;ny=6;x0=18.6;y0=21.5;dx=86.4;dy=42.3;w=86.4;h=42.3;r=0", true, 210, 297},
      {"paper=HAGAKI;orient=P;nx=1;ny=1;x0=0;y0=0;dx=100;dy=148;w=100;h=148;r=0", true, 100, 148},
      {"paper=A4;orient=L;nx=1;ny=20;x0=10;y0=20;dx=277;dy=9;w=277;h=9;r=0", true, 297, 210},
      {"paper=148x200;orient=L;nx=1;ny=1;x0=0;y0=0;dx=200;dy=148;w=200;h=148;r=0", true, 200, 148},
      {"paper=A4;orient=P;nx=2;ny=6;x0=18.6;y0=21.5;dx=86.4;dy=42.3;w=86.4;r=0", false, 0, 0},        // no h
      {"paper=A4;orient=P;nx=3;ny=6;x0=18.6;y0=21.5;dx=86.4;dy=42.3;w=86.4;h=42.3;r=0", false, 0, 0},  // off the paper
      {"paper=A9;orient=P;nx=1;ny=1;x0=0;y0=0;dx=1;dy=1;w=1;h=1;r=0", false, 0, 0},
      {"paper=A4;orient=X;nx=1;ny=1;x0=0;y0=0;dx=1;dy=1;w=1;h=1;r=0", false, 0, 0},
      {"paper=A4;orient=P;nx=one;ny=1;x0=0;y0=0;dx=1;dy=1;w=1;h=1;r=0", false, 0, 0},
      {"", false, 0, 0},
  };
  for (const Case& c : cases) {
    const auto sheet = ParseSheet(c.sheet);
    ASSERT_EQ(sheet.has_value(), c.ok) << c.sheet;
    if (!sheet) continue;
    EXPECT_DOUBLE_EQ(sheet->paperW, c.paperW) << c.sheet;
    EXPECT_DOUBLE_EQ(sheet->paperH, c.paperH) << c.sheet;
  }
}

TEST(FormSheet, PiecesLieAtThePitchAcrossThenDown) {
  const auto sheet = ParseSheet("paper=A4;orient=P;nx=2;ny=6;x0=18.6;y0=21.5;dx=86.4;dy=42.3;w=86.4;h=42.3;r=0");
  ASSERT_TRUE(sheet);
  EXPECT_EQ(sheet->Pieces(), 12);
  EXPECT_DOUBLE_EQ(sheet->Piece(1).x, 18.6 + 86.4);
  EXPECT_DOUBLE_EQ(sheet->Piece(1).y, 21.5);
  EXPECT_DOUBLE_EQ(sheet->Piece(2).x, 18.6);
  EXPECT_DOUBLE_EQ(sheet->Piece(11).y, 21.5 + 5 * 42.3);
}

TEST(FormSheet, ReadsTheFieldsJsonAndRefusesBrokenText) {
  const auto fields = ParseFields(
      R"([{"f":"ZipBoxes","x":44.3,"y":12,"w":47.7,"h":8,"pt":14,"v":false,"align":"c"},)"
      R"( {"f":"Address","x":74,"y":26,"w":14,"h":112,"pt":12,"v":true,"align":"l"},{"x":1}])");
  ASSERT_TRUE(fields);
  ASSERT_EQ(fields->size(), 2u);  // the nameless one is left out
  EXPECT_EQ((*fields)[0].name, "ZipBoxes");
  EXPECT_EQ((*fields)[0].align, Align::Centre);
  EXPECT_DOUBLE_EQ((*fields)[0].box.w, 47.7);
  EXPECT_TRUE((*fields)[1].vertical);
  EXPECT_DOUBLE_EQ((*fields)[1].pt, 12);
  for (const char* broken : {"[{\"f\":\"Name\"", "{\"f\":\"Name\"}", "[{\"f\":\"Name\",\"x\":}]", "[1]x"}) {
    EXPECT_FALSE(ParseFields(broken)) << broken;
  }
  EXPECT_TRUE(ParseFields("")->empty());
}

TEST(FormSheet, EveryFactoryLayoutReadsWithItsFieldsOnItsPieces) {
  lumaro::CLumaro catalogue(platform::CNeritEnv().GetFactoryFolder(), [](std::string_view t) { ADD_FAILURE() << t; });
  ASSERT_EQ(catalogue.ReadMain(), 1);
  int count = 0;
  for (const auto& dai : catalogue.GetIndex())
    for (const auto& chu : dai->Children)
      for (const auto& sho : chu->Children)
        for (const auto& info : sho->Children) {
          const auto layout = ReadFormLayout(*info);
          ASSERT_TRUE(layout) << info->LayoutID << " " << info->Title;
          ++count;
          for (const FormField& f : layout->fields) {
            EXPECT_LE(f.box.Right(), layout->sheet.w + 0.05) << info->LayoutID << " " << f.name;
            EXPECT_LE(f.box.Bottom(), layout->sheet.h + 0.05) << info->LayoutID << " " << f.name;
          }
        }
  EXPECT_GT(count, 60);
}

FormLayout Labels12() {
  FormLayout layout;
  layout.genre = lumaro::CLayoutInfo::kGenreAddressLabel;
  layout.sheet = *ParseSheet("paper=A4;orient=P;nx=2;ny=6;x0=18.6;y0=21.5;dx=86.4;dy=42.3;w=86.4;h=42.3;r=0");
  return layout;
}

TEST(FormPlan, LabelsFillTheSheetFromTheFirstPieceChosen) {
  struct Case {
    int customers, first, pages, firstPiece, lastPage, lastPiece;
  } cases[] = {
      {12, 0, 1, 0, 0, 11}, {13, 0, 2, 0, 1, 0}, {5, 10, 2, 10, 1, 2}, {1, 11, 1, 11, 0, 11},
      {3, 99, 2, 11, 1, 1},  // past the sheet: from its last piece
  };
  for (const Case& c : cases) {
    const FormPlan plan(Labels12(), c.customers, c.first);
    ASSERT_EQ(plan.PageCount(), c.pages) << c.customers << " from " << c.first;
    EXPECT_EQ(plan.Page(0).front().piece, c.firstPiece);
    EXPECT_EQ(plan.Page(0).front().customer, 0);
    EXPECT_EQ(plan.Page(c.lastPage).back().piece, c.lastPiece);
    EXPECT_EQ(plan.Page(c.lastPage).back().customer, c.customers - 1);
  }
}

TEST(FormPlan, AFormWithoutCustomersIsOneBlankPage) {
  const FormPlan plan(Labels12(), 0, 0);
  ASSERT_EQ(plan.PageCount(), 1);
  EXPECT_EQ(plan.Page(0).size(), 12u);
  EXPECT_EQ(plan.Page(0).front().customer, -1);
}

TEST(FormPlan, ACustomerCardRunsOnWhileItsHistoryDoes) {
  FormLayout card;
  card.genre = lumaro::CLayoutInfo::kGenreCardHistory;
  card.sheet = *ParseSheet("paper=A4;orient=P;nx=1;ny=1;x0=0;y0=0;dx=210;dy=297;w=210;h=297;r=0");
  card.fields = *ParseFields(R"([{"f":"Rireki.Date","x":15,"y":120,"w":25,"h":165,"pt":9,"v":false,"align":"l"}])");
  const FormPlan plan(card, 3, 5, {0, 100, 3});
  const int rows = plan.HistoryRows();
  ASSERT_GT(rows, 20);
  ASSERT_EQ(plan.PageCount(), 1 + (100 + rows - 1) / rows + 1);
  EXPECT_EQ(plan.Page(0).front().customer, 0);
  EXPECT_EQ(plan.Page(2).front().customer, 1);
  EXPECT_EQ(plan.Page(2).front().historyFirst, rows);
  EXPECT_EQ(plan.Page(plan.PageCount() - 1).front().customer, 2);
}

}  // namespace
}  // namespace printing
