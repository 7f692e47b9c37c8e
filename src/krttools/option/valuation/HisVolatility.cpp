#include "option/valuation/HisVolatility.h"

#include <dlfcn.h>

#include <atomic>

#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"

namespace OptionPricing {

namespace {

using Kora::Interface::BaseQuoteDataSvcI;
using Kora::Interface::QuoteKey;

using CalcHisVolatilityEntry = double (*)(Kora::Utility::Handle<BaseQuoteDataSvcI> service,
                                          const QuoteKey* key, double fallback);

std::atomic<CalcHisVolatilityEntry> g_entry{nullptr};

CalcHisVolatilityEntry LoadEntry() {
    void* library = dlopen("./libControl.so", RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        return nullptr;
    }
    auto entry = reinterpret_cast<CalcHisVolatilityEntry>(dlsym(library, "C_CalcHisVolatility"));
    if (!entry) {
        // Not kept: a corrected library in its place is then loaded afresh by the next call.
        dlclose(library);
    }
    return entry;
}

}  // namespace

double CalcHisVolatility(const QuoteKey& underlying, double fallback) {
    CalcHisVolatilityEntry entry = g_entry.load();
    if (!entry) {
        entry = LoadEntry();
        g_entry.store(entry);
    }
    if (!entry) {
        return fallback;
    }
    // The handle argument holds its own reference to the service for the length of the call.
    return entry(Kora::Kernel::GetService<BaseQuoteDataSvcI>(), &underlying, fallback);
}

}  // namespace OptionPricing
