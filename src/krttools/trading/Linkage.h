#pragma once

#include <json/value.h>

#include <QString>

#include "kora/interface/QuoteKey.h"

// Contract linkage between the terminal's windows: telling the linked windows which contract a
// window now shows, and reading the contract a linkage names.
namespace Linkage {

// How the terminal is to treat an announcement; members left empty are not sent.
struct Announcement {
    QString enter;    // "Enter": "true" makes the linked windows take the contract as entered
    QString channel;  // "Channel": the linkage channel, "0" the default one
};

// "AnnounceStockChanged" through the activity service with {"Stock": the contract's "(id,code)"
// text, "CWID": the announcing window's type, "KRTFrame": "KRTFrame", ["Enter"], ["Channel"]}.
// False without the service or a valid contract.
bool AnnounceStockChanged(const Kora::Interface::QuoteKey& stock, const QString& windowType,
                          const Announcement& announcement = {});

// The contract of a linkage: "(id,code)" text, or an object that carries it as "Stock" (the
// form the terminal's linkage messages take). An invalid key for anything else.
Kora::Interface::QuoteKey LinkedStock(const Json::Value& linkage);

}  // namespace Linkage
