#include "seed/ActConfigSeed_win.h"

#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Handles_win.h"

namespace seed {
namespace {

using Bytes = std::vector<std::uint8_t>;

class Key {
public:
    explicit Key(const std::string& path) {
        if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, m_Key.put(),
                            nullptr) != ERROR_SUCCESS) {
            throw std::runtime_error("cannot create " + path);
        }
    }

    void Dword(const char* name, DWORD value) {
        RegSetValueExA(m_Key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    }
    void Text(const char* name, const std::string& cp1252) {
        RegSetValueExA(m_Key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(cp1252.c_str()),
                       static_cast<DWORD>(cp1252.size() + 1));
    }
    void Binary(const std::string& name, const Bytes& data) {
        RegSetValueExA(m_Key.get(), name.c_str(), 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
    }

private:
    platform::UniqueHkey m_Key;
};

void PutLong(Bytes& b, std::size_t offset, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

void PutText(Bytes& b, std::size_t first, std::size_t width, const std::string& cp1252) {
    for (std::size_t i = 0; i < width && i < cp1252.size(); ++i) b[first + i] = static_cast<std::uint8_t>(cp1252[i]);
}

struct Command {
    std::uint32_t id;
    std::string name, line, start, tip, description, menu;
};

Bytes Record(const Command& c) {
    Bytes r(1172, 0);
    PutLong(r, 0, c.id);
    r[4] = 1;  // ACT!'s own flags; carried along untouched
    r[8] = 0x10;
    PutText(r, 16, 128, c.name);
    PutText(r, 144, 256, c.line);
    PutText(r, 400, 258, c.start);
    PutText(r, 658, 64, c.tip);
    PutText(r, 722, 128, c.description);
    PutText(r, 850, 322, c.menu);
    return r;
}

// A 24-bit button image: a header as the platform writes it and a simple
// pattern, so that a wrong pixel order shows.
Bytes Image(int size, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const std::uint32_t bytes = static_cast<std::uint32_t>(size * size * 3);
    Bytes img(40 + bytes, 0);
    PutLong(img, 0, 40);
    PutLong(img, 4, static_cast<std::uint32_t>(size));
    PutLong(img, 8, static_cast<std::uint32_t>(size));
    img[12] = 1;
    img[14] = 24;
    PutLong(img, 20, bytes);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const std::size_t p = 40 + static_cast<std::size_t>((y * size + x) * 3);
            const bool frame = x == 0 || y == 0 || x == size - 1 || y == size - 1;
            img[p] = frame ? 0 : b;
            img[p + 1] = frame ? 0 : g;
            img[p + 2] = frame ? 0 : r;
        }
    }
    return img;
}

Bytes Buttons(const std::vector<std::pair<std::uint32_t, Bytes>>& entries) {
    Bytes out;
    for (const auto& [id, extra] : entries) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(id >> (8 * i)));
        out.push_back(static_cast<std::uint8_t>(extra.size()));
        out.insert(out.end(), extra.begin(), extra.end());
    }
    return out;
}

}  // namespace

bool WriteCommandFile(const std::wstring& path, const std::wstring& name) {
    const int n = WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string cpName(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, cpName.data(), n, nullptr, nullptr);
    Command c{1,
              cpName,
              "",
              "",
              cpName,
              "Ein Demo-Addon f\xFC"
              "r ACT!",
              "&Extras|" + cpName};
    Bytes file = Record(c);
    const Bytes large = Image(24, 40, 160, 60), small = Image(16, 40, 160, 60);
    file.insert(file.end(), large.begin(), large.end());
    file.insert(file.end(), small.begin(), small.end());
    const platform::UniqueFile h(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!h) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(h.get(), file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    return ok && written == file.size();
}

void SeedTypicalActConfiguration() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kActRoot);
    const std::string root = kMenuConfig;

    {
        Key summary(root + "\\ActToolBars-Summary");
        summary.Dword("Bars", 4);
    }
    struct Bar {
        DWORD type;
        const char* name;
        Bytes buttons;
    };
    const Bar bars[] = {
        {1, "Kontaktsymbolleiste",
         Buttons({{57600, {}}, {57601, {}}, {0, {}}, {32790, {0x01, 0x00, 0x02}}, {32791, {}}, {0, {}}, {30101, {}}})},
        {1, "Gruppensymbolleiste", Buttons({{57600, {}}, {0, {}}, {32850, {}}, {32851, {0x07}}})},
        {0, "", {}},
        {2, "Aufgabenlistensymbolleiste", Buttons({{32900, {}}, {32901, {}}})},
    };
    for (int n = 0; n < 4; ++n) {
        Key bar(root + "\\ActToolBars-Bar" + std::to_string(n));
        bar.Dword("TypeID", bars[n].type);
        if (bars[n].type != 0) {
            bar.Binary("Buttons", bars[n].buttons);
            bar.Text("WindowName", bars[n].name);
        }
    }

    const Command commands[] = {
        {30101,
         "Adressen pr\xFC"
         "fen",
         "C:\\ACT\\Addons\\AdrCheck.exe", "C:\\ACT\\Addons\\",
         "Adressen pr\xFC"
         "fen",
         "Pr\xFC"
         "ft die Anschriften der aktuellen Suche",
         "&Extras|Adressen pr\xFC"
         "fen"},
        {30102, "Serienbrief", "C:\\ACT\\Addons\\Serie.exe", "C:\\ACT\\Addons\\", "Serienbrief an Gruppe",
         "Serienbrief f\xFC"
         "r die aktuelle Gruppe",
         "&Extras|Serienbrief"},
    };
    Key custom(root + "\\CustomCommands");
    custom.Dword("Count", 2);
    for (int n = 0; n < 2; ++n) {
        const Command& c = commands[n];
        custom.Binary("Command-" + std::to_string(n), Record(c));
        custom.Binary("BitmapL-" + std::to_string(c.id), Image(24, n == 0 ? 200 : 30, 120, n == 0 ? 30 : 200));
        custom.Binary("BitmapS-" + std::to_string(c.id), Image(16, n == 0 ? 200 : 30, 120, n == 0 ? 30 : 200));
    }
}

}  // namespace seed
