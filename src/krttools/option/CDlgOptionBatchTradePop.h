#pragma once

#include <memory>

#include "CKrDlg.h"

class CDlgOptionBatchTrade;

// "期权批量下单" (template 2017): the option batch trading board in a free-standing, resizable
// window, run modally by the "PopOptBatchTrade" instruct. The board fills the whole client area
// whatever size the window is given; closing the window destroys the board, which drops its
// subscriptions.
class CDlgOptionBatchTradePop : public CKrDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 2017;

    explicit CDlgOptionBatchTradePop(QWidget* parent = nullptr);
    ~CDlgOptionBatchTradePop() override;

    // Null until the dialog is initialised, and again once it is closed.
    CDlgOptionBatchTrade* Board() const { return m_board.get(); }

    void done(int result) override;

protected:
    bool OnInitDialog() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void DestroyBoard();

    std::unique_ptr<CDlgOptionBatchTrade> m_board;
};
