#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include "platform/ControlId.h"
#include "support/ComponentOnHost.h"
#include "support/HostSteps.h"
#include "support/ScopedModalRunner.h"

// The simulated terminal with the component, for the option tools' dialogs. Their modal dialogs
// are run by the test: the quote data download runs for real (the host answers at once),
// everything else is answered by `onModal`.
class OptionToolFixture : public ::testing::Test {
protected:
    // The options of the first underlying (the commodity future's, American) or of the fund
    // (European), nearest month, ascending strike, call before put.
    Kora::Interface::QuoteKey Option(bool fund, int index) {
        return t.Host().KeyOf(NearMonthOption(t.Host(), fund ? 1 : 0, static_cast<size_t>(index)));
    }

    QString Text(QWidget& d, int id) { return Win::FindControl<QLineEdit>(&d, id)->text(); }
    void SetText(QWidget& d, int id, const char* text) {
        Win::FindControl<QLineEdit>(&d, id)->setText(QString::fromUtf8(text));
    }
    QComboBox* Combo(QWidget& d, int id) { return Win::FindControl<QComboBox>(&d, id); }

    ComponentOnHost t;
    std::function<int(QDialog&)> onModal;

private:
    const ScopedModalRunner m_runner{
        [this](QDialog& dialog) { return onModal ? onModal(dialog) : dialog.exec(); }};
};
