// Feeds arbitrary bytes to the command-file loader: it must never crash or
// allocate without bound, and what it accepts must save back to the bytes it used.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "commands/clCustomTessivar.h"
#include "commands/SubstituteServices.h"
#include "platform/SubstitutePlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SubstituteServices sub;
    sub.files.Put("in.cmd", ByteArray(data, data + size));
    clCustomTessivar command(sub.Commands());
    if (!command.Load("in.cmd")) return 0;
    if (!command.Save("out.cmd")) std::abort();

    // The saved file is the input's first bytes, zero-filled where the input was short.
    const ByteArray& saved = *sub.files.Get("out.cmd");
    for (std::size_t i = 0; i < saved.size(); ++i) {
        const std::uint8_t expected = i < size ? data[i] : 0;
        if (saved[i] != expected) std::abort();
    }
    clCustomTessivar again(sub.Commands());
    if (!again.Load("out.cmd") || again.BitmapLBytes() != command.BitmapLBytes() ||
        again.BitmapSBytes() != command.BitmapSBytes() || again.CommandBytes() != command.CommandBytes()) {
        std::abort();
    }
    return 0;
}
