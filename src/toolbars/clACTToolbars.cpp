#include "toolbars/clACTToolbars.h"

#include <algorithm>
#include <string>

#include "common/ActRegistry.h"
#include "common/AppError.h"
#include "common/UiTexts.h"
#include "common/modRegistry.h"

clACTToolbars::clACTToolbars(const platform::Platform& env) {
    count_ = std::max(0, toolbars::detail::LenientNumber(modRegistry::RegistryGetKeyValue(
                             env, modRegistry::HKeyCurrentUser, actregistry::kToolbarSummary, "Bars")));
    const std::int32_t toRead = std::min(count_, kMaxToolbars);
    toolbars_.reserve(static_cast<std::size_t>(toRead));
    for (std::int32_t n = 0; n < toRead; ++n) {
        auto bar = std::make_unique<clACTToolbar>(env);
        bar->Init(n);
        toolbars_.push_back(std::move(bar));
    }
}

clACTToolbar* clACTToolbars::Item(std::string_view windowName) {
    for (auto& bar : toolbars_) {
        if (bar->TypeID() != 0 && bar->WindowName() == windowName) return bar.get();
    }
    return nullptr;
}

clACTToolbar& clACTToolbars::Item(std::int32_t Index) {
    if (Index < 1 || static_cast<std::size_t>(Index) > toolbars_.size()) {
        throw AppError(ErrorNumber::SubscriptOutOfRange, std::string(texts::kSubscriptOutOfRange));
    }
    return *toolbars_[static_cast<std::size_t>(Index - 1)];
}
