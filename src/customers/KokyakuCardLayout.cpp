#include "customers/KokyakuCardLayout.h"

#include <algorithm>

namespace customers {

namespace {

// Values stand in two columns; a left column value must end before the right column's labels.
constexpr int kLeft = 110, kLeftWidth = 135;
constexpr int kRight = 350, kRightWidth = 150;
constexpr int kWide = 390;  // notes run across both columns
constexpr int kH = kCardRowHeight;

constexpr int Row(int n) { return 10 + n * kCardRowHeight; }

constexpr KokyakuCardField L(std::string_view column, int row) {
  return {column, 1, kLeft, Row(row), kLeftWidth, kH, CardLabel::Left};
}
constexpr KokyakuCardField R(std::string_view column, int row) {
  return {column, 1, kRight, Row(row), kRightWidth, kH, CardLabel::Left};
}
constexpr KokyakuCardField L2(std::string_view column, int row) {
  return {column, 2, kLeft, Row(row), kLeftWidth, kH, CardLabel::Left};
}
constexpr KokyakuCardField R2(std::string_view column, int row) {
  return {column, 2, kRight, Row(row), kRightWidth, kH, CardLabel::Left};
}
constexpr KokyakuCardField Note(std::string_view column, int row) {
  return {column, 2, kLeft, Row(row), kWide, kH, CardLabel::Left};
}
constexpr int kPictureTop = 364, kPictureWidth = 90, kPictureHeight = 72, kPicturePitch = 98;
constexpr KokyakuCardField Picture(std::string_view column, int n) {
  return {column, 2, 10 + n * kPicturePitch, kPictureTop, kPictureWidth, kPictureHeight, CardLabel::Above};
}

constexpr KokyakuCardField kFields[] = {
    // Page 1: the person on the left, the company on the right.
    L("CustomerID", 0), R("EntryType", 0),
    {"Name", 1, kLeft, Row(1), 100, kH, CardLabel::Left}, {"Suffix", 1, 210, Row(1), 35, kH, CardLabel::None},
    R("CustomerType", 1),
    L("Yomi", 2), R("ColorMark", 2),
    L("Sex", 3), R("StartDate", 3),
    L("BirthDay", 4), R("LastUpDate", 4),
    L("ImportantRanking", 5), R("RirekiUpDate", 5),
    L("TantouName", 6), R("CompName", 6),
    R("CompYomi", 7),
    L("Zip_Home", 8), R("Section", 8),
    L("Add1_Home", 9), R("Post", 9),
    L("Add2_Home", 10), R("Zip_Office", 10),
    L("Add3_Home", 11), R("Add1_Office", 11),
    L("TEL_Home", 12), R("Add2_Office", 12),
    L("FAX_Home", 13), R("Add3_Office", 13),
    L("CellPhone1", 14), R("TEL_Office", 14),
    L("EMail1", 15), R("FAX_Office", 15),
    L("EMail2", 16), R("CommonMail", 16),
    L("EMail3", 17), R("EMail4", 17),
    L("URL1", 18), R("EMail5", 18),
    L("CellPhone2", 19), R("URL2", 19),
    L("CompType", 20), R("Bank1", 20),
    L("Represent", 21), R("Bank2", 21),
    L("PayMethod", 22), R("ClosingDate", 22),
    R("ClosingDay", 23),
    L("TaxMethod", 24),
    // Page 2: ranks, goods, notes and pictures.
    L2("ID", 0), R2("MainMerchant1", 0),
    L2("Ranking1", 1), R2("MainMerchant2", 1),
    L2("Ranking2", 2), R2("MainMerchant3", 2),
    R2("MainMerchant4", 3),
    R2("MainMerchant5", 4),
    Note("Note1", 5), Note("Note2", 6), Note("Note3", 7), Note("Note4", 8), Note("Note5", 9),
    Note("Note6", 10), Note("Note7", 11), Note("Note8", 12), Note("Note9", 13), Note("Note10", 14),
    Picture("Picture1", 0), Picture("Picture2", 1), Picture("Picture3", 2), Picture("Picture4", 3),
    Picture("Picture5", 4),
};

constexpr CardRect kVipRect{10, 10, 490, 584};
constexpr CardRect kBlacklistRect{110, 10, 140, 110};

}  // namespace

std::span<const KokyakuCardField> KokyakuCardFields() { return kFields; }

const KokyakuCardField* FindKokyakuCardField(std::string_view column) {
  const auto* it = std::find_if(std::begin(kFields), std::end(kFields),
                                [column](const KokyakuCardField& f) { return f.column == column; });
  return it == std::end(kFields) ? nullptr : it;
}

int KokyakuCardPageHeight(int page) {
  if (page == 1) return kVipRect.y + kVipRect.height + 10;  // room for the whole VIP watermark
  if (page == 2) return kPictureTop + kPictureHeight + 10;
  return 0;
}

CardRect KokyakuCardLabelRect(const KokyakuCardField& field) {
  switch (field.label) {
    case CardLabel::Left: return {field.x - kCardLabelGap, field.y, kCardLabelWidth, field.height};
    case CardLabel::Above:
      return {field.x, field.y - kCardPictureLabelHeight, field.width, kCardPictureLabelHeight};
    case CardLabel::None: break;
  }
  return {};
}

CardWatermark KokyakuCardWatermark(const records::CKokyaku& customer, int page) {
  if (page != 1) return {};
  if (customer.ImportantRanking == kVipRank) {
    std::string text;
    for (int i = 0; i < kVipRepeats; ++i) {
      if (i > 0) text += ' ';
      text += kVipRank;
    }
    return {std::move(text), kVipRect, 20};
  }
  if (customer.ImportantRanking == kBlacklistRank) {
    return {"要注意！ " + customer.ImportantRanking, kBlacklistRect, 30};
  }
  return {};
}

}  // namespace customers
