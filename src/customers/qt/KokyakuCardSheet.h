#pragma once
// The detail card of the card pane: one page of the shown customer's fields, scrolling
// vertically when the pane is shorter than the page. Over a link the cursor is a hand; a click
// on it goes to the pane model.

#include <QScrollArea>

#include <filesystem>
#include <map>

#include "customers/KokyakuCardPane.h"

namespace customers {

class KokyakuCardSheet : public QScrollArea {
 public:
  KokyakuCardSheet(KokyakuCardPane& pane, QWidget* parent);

  // Shows page 1 or 2 of what the pane holds now; pictures are read again.
  void ShowPage(int page);
  int Page() const { return page_; }

 private:
  class Canvas;
  QImage Picture(const std::filesystem::path& file);

  KokyakuCardPane& pane_;
  Canvas* canvas_;
  int page_ = 1;
  std::map<std::filesystem::path, QImage> pictures_;
};

}  // namespace customers
