#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "kora/utility/Handle.h"
#include "kora/utility/WString.h"

namespace Terminal::Services {

// Adds a provider once; false for an empty handle or one already there.
template <class Provider>
bool AddProvider(std::vector<Kora::Utility::Handle<Provider>>& providers,
                 const Kora::Utility::Handle<Provider>& provider) {
    if (!provider || std::find(providers.begin(), providers.end(), provider) != providers.end()) {
        return false;
    }
    providers.push_back(provider);
    return true;
}

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
