#include "toolbars/clACTToolbars.h"

#include <algorithm>
#include <climits>
#include <string>

#include "common/ActRegistry.h"
#include "base/AppError.h"
#include "base/UiTexts.h"
#include "common/modRegistry.h"

clACTToolbars::clACTToolbars(const modRegistry::Access& registry) {
    m_Count = std::max(0, LenientNumber(modRegistry::RegistryGetKeyValue(registry, modRegistry::HKeyCurrentUser,
                                                                         actregistry::kToolbarSummary, "Bars")));
    const std::int32_t toRead = std::min(m_Count, kMaxToolbars);
    m_Toolbars.reserve(static_cast<std::size_t>(toRead));
    for (std::int32_t n = 0; n < toRead; ++n) {
        auto bar = std::make_unique<clACTToolbar>(registry);
        bar->Init(n);
        m_Toolbars.push_back(std::move(bar));
    }
}

clACTToolbar* clACTToolbars::Item(std::string_view windowName) {
    for (auto& bar : m_Toolbars) {
        if (bar->TypeID() != 0 && bar->WindowName() == windowName) return bar.get();
    }
    return nullptr;
}

clACTToolbar& clACTToolbars::Item(std::int32_t Index) {
    if (Index < 1 || static_cast<std::size_t>(Index) > m_Toolbars.size()) {
        Raise(ErrorNumber::SubscriptOutOfRange);
    }
    return *m_Toolbars[static_cast<std::size_t>(Index - 1)];
}

std::set<std::int32_t> clACTToolbars::ButtonIDs() const {
    std::set<std::int32_t> ids;
    for (const auto& bar : m_Toolbars) {
        for (std::uint32_t id : bar->ButtonIDs()) {
            if (id <= static_cast<std::uint32_t>(INT32_MAX)) ids.insert(static_cast<std::int32_t>(id));
        }
    }
    return ids;
}
