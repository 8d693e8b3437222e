#include "browser/Browser.h"

#include <algorithm>
#include <cstdint>

#include "base/AppError.h"
#include "base/Utf8.h"
#include "browser/DevToolsSession.h"

namespace platform {

namespace {

// Internet Explorer's automation object whose process ended or cut its
// connection, as COM reports it.
constexpr std::uint32_t kComServerGone[] = {
    0x800706BAu,  // RPC_S_SERVER_UNAVAILABLE
    0x800706BEu,  // RPC_S_CALL_FAILED
    0x800706BFu,  // RPC_S_CALL_FAILED_DNE
    0x80010007u,  // RPC_E_SERVER_DIED
    0x80010012u,  // RPC_E_SERVER_DIED_DNE
    0x80010108u,  // RPC_E_DISCONNECTED
    0x800401FDu,  // CO_E_OBJNOTCONNECTED
};

// The Chromium family's answer to a command for a page whose window has
// closed meanwhile (its session is gone with it).
constexpr std::int32_t kSessionNotFound = -32001;

}  // namespace

bool BrowserLost(const AppError& error) {
    const std::int32_t number = error.number();
    if (number == kBrowserConnectionLost || number == kBrowserTimeout || number == kBrowserCannotConnect ||
        number == kSessionNotFound) {
        return true;
    }
    return std::any_of(std::begin(kComServerGone), std::end(kComServerGone),
                       [number](std::uint32_t gone) { return static_cast<std::int32_t>(gone) == number; });
}

BrowserElementPtr IBrowserElement::FindInside(std::string_view id) {
    const std::string wanted = utf8::ToLower(id);
    const BrowserElementsPtr all = All();
    const std::int32_t length = all->Length();
    for (std::int32_t i = 0; i < length; ++i) {
        BrowserElementPtr element = all->Item(i);
        if (element && utf8::ToLower(element->Id()) == wanted) return element;
    }
    return nullptr;
}

}  // namespace platform
