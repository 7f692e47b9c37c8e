#pragma once

#include <QDialog>

#include "market/Simulator.h"
#include "services/KRTAddinPublicService.h"

class QTableWidget;

namespace Terminal::Ui {

// The combination order page ("多品种"): the legs of one pending combination (contract,
// buy/sell, open/close, covered, volume) with confirm and cancel. Confirming hands the
// combination to the add-in public service, which sends the legs and posts
// "CombinationOrderDlg_IDOK"; cancelling, or closing the page, withdraws it
// ("CombinationOrderDlg_IDCANCEL") and sends nothing. The service removes the page afterwards.
class CombinationOrderPage : public QDialog {
    Q_OBJECT
public:
    enum Column { kIndex, kCode, kName, kDirection, kOffset, kCovered, kVolume, kColumnCount };

    CombinationOrderPage(int combinationId, const Json::Value& request, const Market::Simulator& market,
                         Services::KRTAddinPublicService& pages, QWidget* owner);

    int CombinationId() const { return m_id; }
    QTableWidget* Legs() const { return m_legs; }

    void accept() override;
    void reject() override;

private:
    void FillLegs(const Json::Value& request, const Market::Simulator& market);

    int m_id;
    Services::KRTAddinPublicService& m_pages;
    QTableWidget* m_legs = nullptr;
};

}  // namespace Terminal::Ui
