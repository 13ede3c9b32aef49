#pragma once
// One printable form layout: of the catalogue, an original form, a recent entry, a custom or a
// downloaded form. A plain value; copying takes every field but the version.
//
// Sheet, Fields, FreeText, Vertical and ZipBoxes are read by the printing components; their
// encoding is described once, in docs/ARCHITECTURE.md ("The form catalogue library"). This
// library stores them and never looks inside.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "lumaro/LumaroExport.h"

namespace lumaro {

class LUMARO_API CLayoutInfo {
 public:
  // What a form prints: the one table of form genres.
  enum Genre : std::int32_t {
    kGenreNoCustomer = 0,    // no customer data: opened blank in the form program
    kGenreAddressLabel = 1,  // address labels, one customer per piece
    kGenrePostcard = 2,      // postcard address side
    kGenreEnvelope = 3,      // envelope address side
    kGenreCardHistory = 4,   // customer card with the customer's history entries
    kGenreCustomerList = 5,  // customer list (名簿), one customer per row
    kGenreLetter = 6,        // letter or notice addressed to each customer, with free text
  };
  static constexpr std::int32_t kLastGenre = kGenreLetter;
  // Layout IDs from this number on name original forms; below it, catalogue and custom forms.
  static constexpr std::int32_t kFirstOriginalID = 40000;

  // Version 1, numbers 0, empty strings.
  CLayoutInfo() = default;
  // Both take every field but the version: a copy made anew has version 1, a layout assigned to
  // keeps its own.
  CLayoutInfo(const CLayoutInfo& other);
  CLayoutInfo& operator=(const CLayoutInfo& other);
  void Copy(const CLayoutInfo& other) { *this = other; }

  static std::shared_ptr<CLayoutInfo> CreateObject() { return std::make_shared<CLayoutInfo>(); }
  static constexpr std::string_view kClassName = "CLayoutInfo";
  std::string_view GetClassName() const { return kClassName; }
  std::uint16_t GetSchema() const { return 1; }

  // Written as 1. Read back above 1 (a newer writer), the other fields were not read.
  std::int32_t Version = 1;
  std::string Title;              // フォーム名
  std::int32_t LayoutID = 0;
  std::int32_t MotoLayoutID = 0;  // original forms: the layout they were copied from
  std::string PaperCodes;         // 品番など: compatible paper products, comma-separated
  std::string Sheet;              // the paper and the grid of pieces on it
  std::string Fields;             // the fields placed on each piece
  std::string FreeText;           // text drawn on every piece, or empty
  std::int32_t Vertical = 0;      // address block: 0 horizontal, 1 vertical (縦書き)
  std::string ExcelName;          // spreadsheet name
  std::int32_t Renzoku = 0;       // 1: continuous-paper form
  std::int32_t FormGenre = 0;     // a Genre
  std::int32_t ZipBoxes = 0;      // postal-code boxes: 0 none, 1 pre-printed, 2 drawn too
  std::string Text5;              // reserved, empty
};

}  // namespace lumaro
