#pragma once

#include <json/value.h>

#include <QChar>
#include <QString>

// The fields of one limit order of the futures quick-mouse window.
struct FutureOrderFields {
    QString exchangeCode;
    QString contractCode;
    QChar direction = QLatin1Char('0');  // '0' buy, '1' sell
    QChar offset = QLatin1Char('0');     // '0' open, '1' close, '2' close today, '3' net position
    QChar hedge = QLatin1Char('1');      // '1' speculation, '2' arbitrage, '3' hedging
    QString priceText;
    QString volumeText;
    bool fillAndKill = false;
    bool fillOrKill = false;
};

// What the controls beside the ladder choose for every order the window sends.
struct FutureOrderChoices {
    QChar offset = QLatin1Char('0');  // the checked radio's flag; '0' when none is checked
    bool autoOffset = false;          // "自动": the engine nets the order against the position
    QChar hedge = QLatin1Char('1');   // the item data of the hedge entry
    bool fillAndKill = false;
    bool fillOrKill = false;
    QString volumeText;

    QChar EffectiveOffset() const { return autoOffset ? QLatin1Char('3') : offset; }
};

// An order of the contract record ("54", "63") in a direction at a price, with the choices.
FutureOrderFields OrderFromChoices(const Json::Value& contract, const FutureOrderChoices& choices,
                                   const QString& priceText, QChar direction);

// The order request as numbered fields: "EAccountID", "54", "63", "117", "112", "119", "40" '2'
// (limit), "129", "130", "41" ('1' for FAK or FOK, else '3') and "42" ('3' for FOK, else '1').
Json::Value OrderRequest(const QString& accountId, const FutureOrderFields& order);
