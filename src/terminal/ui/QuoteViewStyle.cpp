#include "ui/QuoteViewStyle.h"

#include <QHeaderView>
#include <QTableView>

namespace Terminal::Ui {

void StyleQuoteView(QTableView& view, int rowHeight) {
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setShowGrid(false);
    view.setWordWrap(false);
    view.setCornerButtonEnabled(false);
    view.verticalHeader()->hide();
    view.verticalHeader()->setDefaultSectionSize(rowHeight);
    view.horizontalHeader()->setHighlightSections(false);
}

}  // namespace Terminal::Ui
