#pragma once

#include <memory>
#include <vector>

#include "kora/utility/Handle.h"
#include "kora/utility/WString.h"

namespace Terminal::Services {

// What every registered provider offers (window types, instructs), one provider after another.
template <class Provider, class Offer>
Kora::Utility::SharedWStringMapVector GatherOffers(
    const std::vector<Kora::Utility::Handle<Provider>>& providers, Offer offer) {
    auto all = std::make_shared<std::vector<Kora::Utility::WStringMap>>();
    for (const Kora::Utility::Handle<Provider>& provider : providers) {
        if (const Kora::Utility::SharedWStringMapVector offered = offer(*provider)) {
            all->insert(all->end(), offered->begin(), offered->end());
        }
    }
    return all;
}

}  // namespace Terminal::Services
