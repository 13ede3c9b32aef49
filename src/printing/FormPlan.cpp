#include "printing/FormPlan.h"

#include <algorithm>
#include <cmath>

#include "lumaro/CLayoutInfo.h"
#include "printing/TextFit.h"

namespace printing {

int FormPlan::HistoryRowsOf(const FormLayout& layout) {
  int rows = 0;
  for (const FormField& f : layout.fields) {
    if (!f.name.starts_with("Rireki.")) continue;
    const double pitch = f.pt * kMmPerPoint * kLinePitch;
    // The first row is the column's caption.
    const int fit = static_cast<int>(std::floor((f.box.h + (kLinePitch - 1) * f.pt * kMmPerPoint) / pitch)) - 1;
    rows = rows == 0 ? fit : std::min(rows, fit);
  }
  return std::max(rows, 0);
}

FormPlan::FormPlan(const FormLayout& layout, int customers, int firstPiece, const std::vector<int>& historyCounts) {
  const int pieces = std::max(1, layout.sheet.Pieces());
  if (customers <= 0) {
    std::vector<PlacedPiece> page;
    for (int p = 0; p < pieces; ++p) page.push_back({-1, p, 0});
    pages_.push_back(std::move(page));
    return;
  }
  if (layout.genre == lumaro::CLayoutInfo::kGenreCardHistory) {
    historyRows_ = HistoryRowsOf(layout);
    for (int c = 0; c < customers; ++c) {
      const int count = c < static_cast<int>(historyCounts.size()) ? historyCounts[c] : 0;
      const int cardPages = historyRows_ > 0 ? std::max(1, (count + historyRows_ - 1) / historyRows_) : 1;
      for (int p = 0; p < cardPages; ++p) pages_.push_back({{c, 0, p * historyRows_}});
    }
    return;
  }
  const int start = std::clamp(firstPiece, 0, pieces - 1);
  for (int c = 0; c < customers; ++c) {
    const int slot = start + c;
    const std::size_t page = static_cast<std::size_t>(slot / pieces);
    if (pages_.size() <= page) pages_.resize(page + 1);
    pages_[page].push_back({c, slot % pieces, 0});
  }
}

}  // namespace printing
