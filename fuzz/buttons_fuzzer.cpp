// Any bytes as a toolbar's "Buttons" value: parsing either refuses them with
// AppError and leaves the list untouched, or accepts them, and then writing
// the list back must give exactly the bytes that were read; a toolbar
// rewritten by Tessivar must not change a single byte of ACT!'s entries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "base/AppError.h"
#include "toolbars/clButtonItemList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ByteArray input(data, data + size);
    clButtonItemList list;
    list.Add(30101);  // refusal must leave what was there before
    const ByteArray before = list.GetByteArray();
    try {
        list.SetByteArray(input);
    } catch (const AppError&) {
        if (list.GetByteArray() != before) std::abort();
        return 0;
    }
    ByteArray expected = before;
    expected.insert(expected.end(), input.begin(), input.end());
    if (list.GetByteArray() != expected) std::abort();
    for (const auto& item : list) {
        if (item.BytesCount() != 5 + item.aByte(4)) std::abort();
    }
    return 0;
}
