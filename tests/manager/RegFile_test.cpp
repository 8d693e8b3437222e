// Backups as registry files: what the Registry Editor imports, read back
// exactly, and every damaged or foreign file refused.
#include "manager/RegFile.h"

#include <gtest/gtest.h>

#include "base/AppError.h"
#include "base/Utf8.h"

namespace {

using regfile::Key;
using regfile::Value;

const std::string kRoot = "HKEY_CURRENT_USER\\Software\\Symantec\\ACT!\\TBarMenuConfig\\ACT!";

ByteArray Bytes(std::size_t n, std::uint8_t seed) {
    ByteArray b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(seed + i * 7);
    return b;
}

std::string Text(const std::vector<std::uint8_t>& file) {
    std::u16string wide;
    for (std::size_t i = 2; i + 1 < file.size(); i += 2)
        wide.push_back(static_cast<char16_t>(file[i] | (file[i + 1] << 8)));
    return utf8::FromUtf16(wide);
}

std::vector<std::uint8_t> File(const std::string& text) {
    std::vector<std::uint8_t> file = {0xFF, 0xFE};
    for (char16_t c : utf8::ToUtf16(text)) {
        file.push_back(static_cast<std::uint8_t>(c));
        file.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return file;
}

std::vector<Key> Typical() {
    return {{kRoot + "\\CustomCommands",
             {{"Count", RegistryValue(2)},
              {"Command-0", RegistryValue(Bytes(1172, 3))},
              {"BitmapL-30101", RegistryValue(ByteArray{})},
              {"Negativ", RegistryValue(-1)}}},
            {kRoot + "\\ActToolBars-Bar0",
             {{"TypeID", RegistryValue(1)},
              {"WindowName", RegistryValue("Kontaktsymbolleiste \"Müller\" C:\\Ä")},
              {"Zeilen", RegistryValue("eins\r\nzwei")}}},
            {kRoot + "\\Leer", {}}};
}

TEST(RegFile, WritesWhatTheRegistryEditorImportsAndReadsItBackExactly) {
    const std::vector<std::uint8_t> file = regfile::Write(Typical());
    ASSERT_GE(file.size(), 2u);
    EXPECT_EQ(file[0], 0xFF);
    EXPECT_EQ(file[1], 0xFE);
    const std::string text = Text(file);
    EXPECT_TRUE(text.starts_with("Windows Registry Editor Version 5.00\r\n\r\n[" + kRoot + "\\CustomCommands]\r\n"));
    EXPECT_NE(text.find("\"Count\"=dword:00000002\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"Negativ\"=dword:ffffffff\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"BitmapL-30101\"=hex:\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"WindowName\"=\"Kontaktsymbolleiste \\\"Müller\\\" C:\\\\Ä\"\r\n"), std::string::npos);
    // A text with line breaks goes as raw UTF-16, which the editor imports as the same text.
    EXPECT_NE(text.find("\"Zeilen\"=hex(1):65,00,69,00,6e,00,73,00,0d,00,0a,00,7a,00"), std::string::npos);
    // Long binary values wrap as the editor wraps them: no line over 80 characters.
    for (std::size_t pos = 0, end; (end = text.find("\r\n", pos)) != std::string::npos; pos = end + 2) {
        EXPECT_LE(end - pos, 80u) << text.substr(pos, end - pos);
    }
    EXPECT_TRUE(text.ends_with("; Ende der Tessivar-Sicherung, 7 Werte\r\n"));

    EXPECT_EQ(regfile::Parse(file), Typical());
}

TEST(RegFile, ReadsTheSameFileInTheEditorsOtherSpellings) {
    const std::string text = "Windows Registry Editor Version 5.00\n\n[" + kRoot +
                             "]\n; eine Anmerkung\n\"A\"=hex:01,\\\n    02,03\n\"B\"=dword:0000001E\n\n"
                             "; Ende der Tessivar-Sicherung, 2 Werte\n\n";
    const std::vector<Key> keys = regfile::Parse(File(text));
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].values, (std::vector<Value>{{"A", RegistryValue(ByteArray{1, 2, 3})}, {"B", RegistryValue(30)}}));
}

TEST(RegFile, RefusesEveryFileThatIsNoWholeBackup) {
    const std::string whole = Text(regfile::Write(Typical()));
    const auto refused = [](const std::vector<std::uint8_t>& file) {
        try {
            regfile::Parse(file);
        } catch (const AppError& e) {
            EXPECT_EQ(e.number(), 321);
            return e.description();
        }
        return std::string("angenommen");
    };
    const std::string head = "Windows Registry Editor Version 5.00\r\n\r\n[" + kRoot + "]\r\n";
    const std::string end = "; Ende der Tessivar-Sicherung, 1 Werte\r\n";

    EXPECT_NE(
        refused(File("REGEDIT4\r\n\r\n" + whole.substr(whole.find('[')))).find("Windows Registry Editor Version 5.00"),
        std::string::npos);
    std::vector<std::uint8_t> ansi(whole.begin(), whole.end());
    EXPECT_EQ(refused(ansi), "Die Datei ist keine Registrierungsdatei im Unicode-Format.");
    // Cut anywhere: inside a wrapped value, at a line boundary, or before the end line.
    const std::vector<std::uint8_t> file = regfile::Write(Typical());
    for (std::size_t cut : {std::size_t{200}, file.size() / 2, file.size() - 60}) {
        std::vector<std::uint8_t> shorter(file.begin(),
                                          file.begin() + static_cast<std::ptrdiff_t>(cut & ~std::size_t{1}));
        EXPECT_NE(refused(shorter), "angenommen") << cut;
    }
    EXPECT_EQ(refused(File(head + "\"A\"=dword:00000001\r\n")),
              "Die Sicherung ist unvollständig: die Datei bricht vorzeitig ab.");
    EXPECT_EQ(refused(File(head + "\"A\"=dword:00000001\r\n\"B\"=dword:00000002\r\n" + end)),
              "Die Zahl der Werte passt nicht zum Ende der Sicherung.");
    EXPECT_EQ(refused(File(head + "\"A\"=hex(2):41,00,00,00\r\n" + end)),
              "Zeile 4: Die Datei enthält einen Wert, der weder Text, Zahl noch Binärwert ist.");
    EXPECT_EQ(refused(File(head + "\"A\"=-\r\n" + end)).substr(0, 8), "Zeile 4:");
    EXPECT_EQ(refused(File("Windows Registry Editor Version 5.00\r\n\r\n[-" + kRoot + "]\r\n" + end)).substr(0, 8),
              "Zeile 3:");
    EXPECT_EQ(refused(File(head + "@=\"Standard\"\r\n" + end)).substr(0, 8), "Zeile 4:");
    EXPECT_EQ(refused(File(head + "\"A\"=dword:1\r\n" + end)), "Zeile 4: Diese Zeile kann nicht gelesen werden.");
    EXPECT_EQ(refused(File(head + "\"A\"=hex:1,02\r\n" + end)), "Zeile 4: Diese Zeile kann nicht gelesen werden.");
    EXPECT_EQ(refused(File(head + "\"A\"=\"offen\r\n" + end)).substr(0, 8), "Zeile 4:");
    EXPECT_EQ(refused(File(head + "\"A\"=dword:00000001\r\n" + end + "[" + kRoot + "]\r\n")).substr(0, 8), "Zeile 6:");
}

}  // namespace
