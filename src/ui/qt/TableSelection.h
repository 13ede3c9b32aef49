#pragma once
// The selection of a list screen's table, kept by its model as ascending row numbers: shown in
// the table, and read back from it, range by range, so that long selections stay cheap.

#include <optional>
#include <vector>

#include "ui/ListKey.h"

class QEvent;
class QTableView;

namespace ui {

// Selects exactly rows (ascending) in every column, each contiguous run as one range; the first
// row becomes the current one and is scrolled into view.
void ShowTableSelection(QTableView* table, const std::vector<int>& rows);

// The rows the table has selected, each once, ascending.
std::vector<int> TableSelectedRows(const QTableView* table);

// The list key a key press on the table means: Enter (either key) or Delete without modifiers
// but the keypad's; none for anything else, which the table handles itself.
std::optional<ListKey> ListKeyOf(const QEvent& event);

}  // namespace ui
