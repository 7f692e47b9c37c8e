#pragma once

class QTableView;

namespace Terminal::Ui {

// How the terminal's quote tables look: read-only cells on one line without a grid, no row
// numbers, rows of the given height.
void StyleQuoteView(QTableView& view, int rowHeight);

}  // namespace Terminal::Ui
