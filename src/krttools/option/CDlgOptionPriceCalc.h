#pragma once

#include <optional>

#include "CKrDlg.h"
#include "kora/interface/QuoteKey.h"
#include "option/valuation/ListedOption.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "期权定价计算": values a listed option chosen with the option chooser (or a new one described
// by hand): theoretical price, historical and implied volatility, intrinsic and time value and
// the five sensitivities, through the shared valuation routines.
class CDlgOptionPriceCalc : public CKrDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 1150;
    // Control identifiers of the template.
    enum ControlId {
        kExistingRadio = 12001,
        kNewRadio,
        kOptionName,
        kChooseButton,
        kClassCombo,
        kKindCombo,
        kStyleCombo,
        kUnderlyingName,
        kUnderlyingPrice,
        kStrike,
        kExpiryDate,
        kDaysToExpiry,
        kModelCombo,
        kRate,
        kRateSpinUp,
        kRateSpinDown,
        kHistoryDays,
        kLayers,
        kHisVolatility,
        kIntrinsicValue,
        kTimeValue,
        kDelta,
        kGamma,
        kTheta,
        kRho,
        kVega,
        kTheoreticalPrice,
        kImpliedVolatility,
        kMarketPrice,
        kDownloadButton,
        kComputeButton,
        kHint,
    };
    enum Model { kBlackScholes = 0, kBinomial = 1 };

    explicit CDlgOptionPriceCalc(QWidget* parent = nullptr);

    // "选择期权": runs the option chooser and, when it answers an option, takes it.
    void ChooseOption();
    // Takes the given option as chosen: name, figures of its record, underlying price (after
    // downloading their history), strike, rate, expiry, days left and market price.
    void TakeOption(const Kora::Interface::QuoteKey& option);
    // The same for a contract in its text form "(marketId,code)", for callers that reach the
    // dialog only as a QDialog (through the meta-object system).
    Q_INVOKABLE void TakeOptionText(const QString& option);
    // "开始计算".
    Q_INVOKABLE void Compute();
    // A click of the rate spin: delta -1 raises the rate by 0.1 percentage point, +1 lowers it.
    void OnRateSpin(int delta);

    const Kora::Interface::QuoteKey& OptionKey() const { return m_option; }
    // Invalid until an option with an underlying is taken.
    Kora::Interface::QuoteKey UnderlyingKey() const {
        return m_listed ? m_listed->UnderlyingKey() : Kora::Interface::QuoteKey();
    }

protected:
    bool OnInitDialog() override;

private:
    void BuildControls();
    void ApplyModeRule();
    void ApplyStyleRule();
    bool Validate();
    QComboBox* Combo(int id) const;

    Kora::Interface::QuoteKey m_option;
    // What the chosen option is valued from; nothing until an option is taken.
    std::optional<OptionValuation::ListedOption> m_listed;
    QRadioButton* m_existing = nullptr;
    QRadioButton* m_new = nullptr;
};
