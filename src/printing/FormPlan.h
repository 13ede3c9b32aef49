#pragma once
// Which customer goes onto which piece of which page. Labels and list rows fill the sheet's
// pieces in order, the first page from a chosen piece on (a partly used sheet); postcards,
// envelopes and letters take a page each; a customer card takes a page per customer and more
// when its history runs longer than the history columns hold. A form without customer data
// prints one page with every piece blank.

#include <cstddef>
#include <vector>

#include "printing/FormSheet.h"

namespace printing {

struct PlacedPiece {
  int customer = -1;     // index into the customers printed; -1 for a blank piece
  int piece = 0;         // index on the page
  int historyFirst = 0;  // genre 4: the first history entry on this page
};

class FormPlan {
 public:
  // historyCounts: genre 4, the number of entries of each customer (may be empty otherwise).
  FormPlan(const FormLayout& layout, int customers, int firstPiece, const std::vector<int>& historyCounts = {});

  int PageCount() const { return static_cast<int>(pages_.size()); }
  const std::vector<PlacedPiece>& Page(int page) const { return pages_[static_cast<std::size_t>(page)]; }
  // The number of history entries a customer card's page holds (0 when it has no history column).
  int HistoryRows() const { return historyRows_; }

  // The history rows a card layout holds on a page.
  static int HistoryRowsOf(const FormLayout& layout);

 private:
  std::vector<std::vector<PlacedPiece>> pages_;
  int historyRows_ = 0;
};

}  // namespace printing
