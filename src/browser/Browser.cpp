#include "browser/Browser.h"

#include "base/Utf8.h"

namespace platform {

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
