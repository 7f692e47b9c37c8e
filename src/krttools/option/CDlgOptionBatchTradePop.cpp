#include "option/CDlgOptionBatchTradePop.h"

#include <QResizeEvent>

#include "option/CDlgOptionBatchTrade.h"

CDlgOptionBatchTradePop::CDlgOptionBatchTradePop(QWidget* parent) : CKrDlg(kTemplateId, parent) {
    setWindowTitle(QStringLiteral("期权批量下单"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    // The template's 925 × 425 dialog units.
    resize(1388, 638);
}

CDlgOptionBatchTradePop::~CDlgOptionBatchTradePop() {
    DestroyBoard();
}

bool CDlgOptionBatchTradePop::OnInitDialog() {
    auto board = std::make_unique<CDlgOptionBatchTrade>(this);
    board->setWindowFlags(Qt::Widget);  // a child of the pop-up, not a window of its own
    if (!board->Create(this)) {
        return true;
    }
    m_board = std::move(board);
    m_board->setGeometry(rect());
    m_board->show();
    m_board->setFocus(Qt::OtherFocusReason);
    return true;
}

void CDlgOptionBatchTradePop::resizeEvent(QResizeEvent* event) {
    CKrDlg::resizeEvent(event);
    if (m_board) {
        m_board->setGeometry(rect());
    }
}

void CDlgOptionBatchTradePop::done(int result) {
    DestroyBoard();
    CKrDlg::done(result);
}

void CDlgOptionBatchTradePop::DestroyBoard() {
    if (m_board) {
        m_board->DestroyWindow();
        m_board.reset();
    }
}
