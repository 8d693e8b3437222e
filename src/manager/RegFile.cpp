#include "manager/RegFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "base/Utf8.h"

namespace regfile {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kTrailerStart = "; Ende der Tessivar-Sicherung, ";
constexpr std::string_view kTrailerEnd = " Werte";
constexpr std::string_view kReasonStart = "; Anlass: ";
// Characters a reason keeps: a line the restore list shows whole.
constexpr std::size_t kReasonMax = 200;
// The Registry Editor's width for wrapped binary values.
constexpr std::size_t kLineWidth = 80;
constexpr std::size_t kFlushAt = 1 << 20;
constexpr std::size_t kReadChunk = 64 * 1024;

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

// Characters a quoted string line cannot hold go as raw UTF-16 instead.
bool NeedsHex(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// --- reading ----------------------------------------------------------------

[[noreturn]] void Refuse(std::size_t line, std::string_view why) {
    std::string text(texts::kBackupLine);
    text += std::to_string(line);
    text += ": ";
    text += why;
    Raise(ErrorNumber::BadFileFormat, text);
}

[[noreturn]] void RefuseFile(std::string_view why) { Raise(ErrorNumber::BadFileFormat, std::string(why)); }

struct Line {
    std::size_t number;  // of its first physical line, from 1
    std::string text;
};

std::string_view WithoutLeadingBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

// A quoted string from `pos` on; `pos` ends after its closing quote.
std::string Unquote(const Line& line, std::size_t& pos) {
    const std::string& s = line.text;
    if (pos >= s.size() || s[pos] != '"') Refuse(line.number, texts::kBackupBadLine);
    std::string out;
    for (++pos; pos < s.size(); ++pos) {
        if (s[pos] == '"') {
            ++pos;
            return out;
        }
        if (s[pos] == '\\') {
            if (++pos >= s.size() || (s[pos] != '\\' && s[pos] != '"')) Refuse(line.number, texts::kBackupBadLine);
        }
        out += s[pos];
    }
    Refuse(line.number, texts::kBackupCutShort);
}

// A list of two-digit hex bytes separated by commas, fed in pieces as the
// wrapped lines of a value arrive: only the item being read is kept.
class HexList {
public:
    explicit HexList(std::size_t line) : m_Line(line) {}
    void Feed(std::string_view piece) {
        for (char c : piece) {
            if (c == ',') {
                Item();
                m_AfterComma = true;
            } else {
                if (m_Item.size() == 2) Refuse(m_Line, texts::kBackupBadLine);
                m_Item += c;
                m_AfterComma = false;
            }
        }
    }
    ByteArray End() {
        if (!m_Item.empty()) {
            Item();
        } else if (m_AfterComma) {
            Refuse(m_Line, texts::kBackupBadLine);
        }
        return std::move(m_Bytes);
    }

private:
    void Item() {
        unsigned value = 0;
        const auto [ptr, ec] = std::from_chars(m_Item.data(), m_Item.data() + m_Item.size(), value, 16);
        if (m_Item.size() != 2 || ec != std::errc() || ptr != m_Item.data() + m_Item.size()) {
            Refuse(m_Line, texts::kBackupBadLine);
        }
        m_Bytes.push_back(static_cast<std::uint8_t>(value));
        m_Item.clear();
    }

    std::size_t m_Line;
    std::string m_Item;
    bool m_AfterComma = false;
    ByteArray m_Bytes;
};

ByteArray HexOf(const Line& line, std::string_view list) {
    HexList hex(line.number);
    hex.Feed(list);
    return hex.End();
}

std::string TextFromUtf16(std::size_t line, const ByteArray& bytes) {
    if (bytes.size() % 2 != 0) Refuse(line, texts::kBackupBadLine);
    std::u16string wide;
    wide.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        wide.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    if (!wide.empty() && wide.back() == u'\0') wide.pop_back();
    return utf8::FromUtf16(wide);
}

std::optional<std::size_t> TrailerCount(std::string_view text) {
    if (!text.starts_with(kTrailerStart) || !text.ends_with(kTrailerEnd)) return std::nullopt;
    const std::string_view digits =
        text.substr(kTrailerStart.size(), text.size() - kTrailerStart.size() - kTrailerEnd.size());
    std::size_t count = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
    if (digits.empty() || ec != std::errc() || ptr != digits.data() + digits.size()) return std::nullopt;
    return count;
}

}  // namespace

std::string ReasonOf(std::span<const std::uint8_t> head) {
    head = head.first(std::min(head.size(), kHeadBytes) & ~std::size_t{1});
    if (head.size() < 2 || head[0] != 0xFF || head[1] != 0xFE) return {};
    std::u16string units;
    for (std::size_t i = 2; i + 1 < head.size(); i += 2) {
        units.push_back(static_cast<char16_t>(head[i] | (head[i + 1] << 8)));
    }
    // Header, blank line, then the reason, each ending in CR LF.
    std::size_t at = 0;
    for (int line = 0; line < 2; ++line) {
        at = units.find(u"\r\n", at);
        if (at == std::u16string::npos) return {};
        at += 2;
    }
    const std::size_t end = units.find(u"\r\n", at);
    if (end == std::u16string::npos) return {};
    const std::string line = utf8::FromUtf16(std::u16string_view(units).substr(at, end - at));
    return line.starts_with(kReasonStart) ? line.substr(kReasonStart.size()) : std::string();
}

bool EndsWhole(std::span<const std::uint8_t> tail) {
    if (tail.size() % 2 != 0) return false;
    std::string text;  // the closing line is ASCII; anything else only has to be told apart
    for (std::size_t i = 0; i + 1 < tail.size(); i += 2) {
        const unsigned unit = tail[i] | (tail[i + 1] << 8);
        text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    if (!text.ends_with("\r\n")) return false;
    text.resize(text.size() - 2);
    const std::size_t cut = text.rfind('\n');
    if (cut == std::string::npos) return false;
    return TrailerCount(std::string_view(text).substr(cut + 1)).has_value();
}

namespace {

// The name of a value line whose data starts as a wrapped hex list
// ("name"=hex: or "name"=hex(1):), with the list's start; nothing for any
// other line, which is then read whole.
struct HexStart {
    std::string name;
    bool text;
    std::string_view list;
};
std::optional<HexStart> HexStartOf(std::string_view s) {
    if (s.empty() || s[0] != '"') return std::nullopt;
    std::string name;
    std::size_t pos = 1;
    for (; pos < s.size() && s[pos] != '"'; ++pos) {
        if (s[pos] == '\\' && (++pos >= s.size() || (s[pos] != '\\' && s[pos] != '"'))) return std::nullopt;
        name += s[pos];
    }
    if (pos >= s.size()) return std::nullopt;
    const std::string_view rest = s.substr(pos + 1);
    if (rest.starts_with("=hex:")) return HexStart{std::move(name), false, rest.substr(5)};
    if (rest.starts_with("=hex(1):")) return HexStart{std::move(name), true, rest.substr(8)};
    return std::nullopt;
}

// Physical lines in, values out. A line ending in a backslash goes on in
// the next (wrapped values); a wrapped hex list is read as it arrives.
class Parser {
public:
    explicit Parser(Handler& handler) : m_Handler(handler) {}

    void Physical(std::string& text) {
        ++m_Number;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (m_Hex) {
            std::string_view piece = WithoutLeadingBlanks(text);
            const bool continued = !piece.empty() && piece.back() == '\\';
            if (continued) piece.remove_suffix(1);
            m_Hex->list.Feed(piece);
            if (!continued) EndHex();
            return;
        }
        if (m_Pending) {
            m_Pending->text += WithoutLeadingBlanks(text);
            if (!m_Pending->text.empty() && m_Pending->text.back() == '\\') {
                m_Pending->text.pop_back();
                return;
            }
            const Line line = std::move(*m_Pending);
            m_Pending.reset();
            Logical(line);
            return;
        }
        if (!text.empty() && text.back() == '\\') {
            text.pop_back();
            if (m_SawHeader && !m_Trailer && m_InKey) {
                if (auto start = HexStartOf(text)) {
                    m_Hex.emplace(OpenHex{m_Number, std::move(start->name), start->text, HexList(m_Number)});
                    m_Hex->list.Feed(start->list);
                    return;
                }
            }
            m_Pending = Line{m_Number, std::move(text)};
            return;
        }
        Logical(Line{m_Number, std::move(text)});
    }

    void End() {
        if (m_Hex) Refuse(m_Hex->line, texts::kBackupCutShort);
        if (m_Pending) Refuse(m_Pending->number, texts::kBackupCutShort);
        if (!m_SawHeader) RefuseFile(texts::kBackupBadHeader);
        if (!m_Trailer) RefuseFile(texts::kBackupCutShort);
        if (*m_Trailer != m_Values) RefuseFile(texts::kBackupCountMismatch);
    }

private:
    struct OpenHex {
        std::size_t line;
        std::string name;
        bool text;
        HexList list;
    };

    void EndHex() {
        OpenHex hex = std::move(*m_Hex);
        m_Hex.reset();
        ByteArray bytes = hex.list.End();
        ++m_Values;
        if (hex.text) {
            m_Handler.OnText(std::move(hex.name), TextFromUtf16(hex.line, bytes));
        } else {
            m_Handler.OnBinary(std::move(hex.name), std::move(bytes));
        }
    }

    void Logical(const Line& line) {
        if (!m_SawHeader) {
            if (line.text != kHeader) RefuseFile(texts::kBackupBadHeader);
            m_SawHeader = true;
            return;
        }
        if (line.text.empty()) return;
        if (m_Trailer) Refuse(line.number, texts::kBackupAfterEnd);
        if (line.text.front() == ';') {
            m_Trailer = TrailerCount(line.text);
            return;  // other comments carry nothing
        }
        if (line.text.front() == '[') {
            if (line.text.back() != ']') Refuse(line.number, texts::kBackupBadLine);
            if (line.text.size() > 1 && line.text[1] == '-') Refuse(line.number, texts::kBackupDeletes);
            m_InKey = true;
            m_Handler.OnKey(line.text.substr(1, line.text.size() - 2));
            return;
        }
        if (line.text.front() != '"') Refuse(line.number, texts::kBackupOtherType);
        if (!m_InKey) Refuse(line.number, texts::kBackupBadLine);
        std::size_t pos = 0;
        std::string name = Unquote(line, pos);
        if (pos >= line.text.size() || line.text[pos] != '=') Refuse(line.number, texts::kBackupBadLine);
        ++pos;
        Data(line, std::move(name), pos);
    }

    void Data(const Line& line, std::string name, std::size_t pos) {
        const std::string_view data = std::string_view(line.text).substr(pos);
        ++m_Values;
        if (data.starts_with("\"")) {
            std::size_t at = pos;
            std::string text = Unquote(line, at);
            if (at != line.text.size()) Refuse(line.number, texts::kBackupBadLine);
            return m_Handler.OnText(std::move(name), std::move(text));
        }
        if (data.starts_with("dword:")) {
            const std::string_view digits = data.substr(6);
            std::uint32_t value = 0;
            const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
            if (digits.size() != 8 || ec != std::errc() || ptr != digits.data() + digits.size()) {
                Refuse(line.number, texts::kBackupBadLine);
            }
            return m_Handler.OnNumber(std::move(name), static_cast<std::int32_t>(value));
        }
        if (data.starts_with("hex:")) return m_Handler.OnBinary(std::move(name), HexOf(line, data.substr(4)));
        if (data.starts_with("hex(1):")) {
            return m_Handler.OnText(std::move(name), TextFromUtf16(line.number, HexOf(line, data.substr(7))));
        }
        if (data == "-") Refuse(line.number, texts::kBackupDeletes);
        Refuse(line.number, texts::kBackupOtherType);
    }

    Handler& m_Handler;
    std::size_t m_Number = 0;
    bool m_SawHeader = false;
    bool m_InKey = false;
    std::optional<std::size_t> m_Trailer;
    std::size_t m_Values = 0;
    std::optional<Line> m_Pending;
    std::optional<OpenHex> m_Hex;
};

// UTF-16 little-endian in, UTF-8 lines out; surrogate pairs may straddle
// the pieces the file arrives in, unpaired ones become U+FFFD.
class Decoder {
public:
    explicit Decoder(Parser& parser) : m_Parser(parser) {}
    void Unit(char16_t c) {
        if (c < 0x80 && m_High == 0) {
            if (c == u'\n') {
                m_Parser.Physical(m_Line);
                m_Line.clear();
            } else {
                m_Line += static_cast<char>(c);
            }
            return;
        }
        if (c >= 0xDC00 && c <= 0xDFFF && m_High != 0) {
            utf8::AppendCodePoint(m_Line, 0x10000 + ((static_cast<char32_t>(m_High) - 0xD800) << 10) + (c - 0xDC00));
            m_High = 0;
            return;
        }
        if (m_High != 0) {
            utf8::AppendCodePoint(m_Line, 0xFFFD);
            m_High = 0;
            return Unit(c);
        }
        if (c >= 0xD800 && c <= 0xDBFF) {
            m_High = c;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            utf8::AppendCodePoint(m_Line, 0xFFFD);
        } else {
            utf8::AppendCodePoint(m_Line, c);
        }
    }
    void End() {
        if (m_High != 0) utf8::AppendCodePoint(m_Line, 0xFFFD);
        m_High = 0;
        m_Parser.Physical(m_Line);
    }

private:
    Parser& m_Parser;
    std::string m_Line;
    char16_t m_High = 0;
};

class Collector : public Handler {
public:
    void OnKey(std::string path) override { keys.push_back({std::move(path), {}}); }
    void OnNumber(std::string name, std::int32_t value) override {
        keys.back().values.push_back({std::move(name), RegistryValue(value)});
    }
    void OnText(std::string name, std::string text) override {
        keys.back().values.push_back({std::move(name), RegistryValue(std::move(text))});
    }
    void OnBinary(std::string name, ByteArray data) override {
        keys.back().values.push_back({std::move(name), RegistryValue(std::move(data))});
    }
    std::vector<Key> keys;
};

}  // namespace

// --- writing ----------------------------------------------------------------

Writer::Writer(Sink out) : m_Out(std::move(out)) {
    m_Buffer.reserve(kFlushAt + 4096);
    m_Buffer.push_back(0xFF);
    m_Buffer.push_back(0xFE);
    Emit(kHeader);
    Emit("\r\n\r\n");
}

void Writer::Reason(std::string_view text) {
    std::string line(kReasonStart);
    for (char c : utf8::Left(text, kReasonMax)) line += c == '\r' || c == '\n' ? ' ' : c;
    Emit(line);
    Emit("\r\n\r\n");
}

void Writer::BeginKey(std::string_view path) {
    if (m_InKey) Emit("\r\n");
    m_InKey = true;
    Emit("[");
    Emit(path);
    Emit("]\r\n");
}

void Writer::Number(std::string_view name, std::int32_t value) {
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<std::uint32_t>(value));
    Emit(Quoted(name) + "=dword:" + digits + "\r\n");
    ++m_Values;
}

void Writer::Binary(std::string_view name, std::span<const std::uint8_t> data) {
    std::string line = Quoted(name) + "=";
    Hex(line, "hex:", data);
    Emit(line);
    Emit("\r\n");
    ++m_Values;
}

void Writer::Text(std::string_view name, std::string_view text) {
    std::string line = Quoted(name) + "=";
    if (!NeedsHex(text)) {
        line += Quoted(text);
    } else {
        std::u16string wide = utf8::ToUtf16(text);
        wide.push_back(u'\0');
        ByteArray bytes;
        bytes.reserve(wide.size() * 2);
        for (char16_t c : wide) {
            bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        Hex(line, "hex(1):", bytes);
    }
    Emit(line);
    Emit("\r\n");
    ++m_Values;
}

void Writer::Put(const Value& v) {
    if (v.value.IsNumber()) return Number(v.name, v.value.ToNumber());
    if (v.value.IsBytes()) return Binary(v.name, v.value.ToBytes());
    Text(v.name, v.value.ToText());
}

void Writer::Finish() {
    if (m_InKey) Emit("\r\n");
    Emit(std::string(kTrailerStart) + std::to_string(m_Values) + std::string(kTrailerEnd) + "\r\n");
    Flush();
}

// A backup of a large table holds megabytes of these: no formatting call per byte.
void Writer::Hex(std::string& line, std::string_view prefix, std::span<const std::uint8_t> bytes) {
    constexpr std::string_view kDigits = "0123456789abcdef";
    line += prefix;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool last = i + 1 == bytes.size();
        if (line.size() + 2 + (last ? 0 : 1) > kLineWidth - 1) {
            line += "\\\r\n";
            Emit(line);
            line = "  ";
        }
        line += kDigits[bytes[i] >> 4];
        line += kDigits[bytes[i] & 0xF];
        if (!last) line += ',';
    }
}

// Almost all of it is ASCII (hex digits): only the runs of other characters
// go through the general conversion. A UTF-8 sequence never holds an ASCII
// byte, so the runs end between characters.
void Writer::Emit(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            m_Buffer.push_back(static_cast<std::uint8_t>(text[i++]));
            m_Buffer.push_back(0);
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && static_cast<unsigned char>(text[end]) >= 0x80) ++end;
        for (char16_t c : utf8::ToUtf16(text.substr(i, end - i))) {
            m_Buffer.push_back(static_cast<std::uint8_t>(c & 0xFF));
            m_Buffer.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        i = end;
    }
    if (m_Buffer.size() >= kFlushAt) Flush();
}

void Writer::Flush() {
    if (m_Buffer.empty()) return;
    m_Out(m_Buffer);
    m_Buffer.clear();
}

std::vector<std::uint8_t> Write(const std::vector<Key>& keys) {
    std::vector<std::uint8_t> file;
    Writer writer(
        [&file](std::span<const std::uint8_t> piece) { file.insert(file.end(), piece.begin(), piece.end()); });
    for (const Key& key : keys) {
        writer.BeginKey(key.path);
        for (const Value& v : key.values) writer.Put(v);
    }
    writer.Finish();
    return file;
}

void Read(const Source& file, Handler& handler) {
    Parser parser(handler);
    Decoder decoder(parser);
    std::vector<std::uint8_t> chunk(kReadChunk);
    bool started = false;
    std::optional<std::uint8_t> odd;  // the first byte of a unit the last piece cut
    for (;;) {
        const std::size_t n = file(chunk);
        std::size_t i = 0;
        if (!started) {
            if (n < 2 || chunk[0] != 0xFF || chunk[1] != 0xFE) RefuseFile(texts::kBackupNotUnicode);
            started = true;
            i = 2;
        }
        if (odd && i < n) {
            decoder.Unit(static_cast<char16_t>(*odd | (chunk[i++] << 8)));
            odd.reset();
        }
        for (; i + 1 < n; i += 2) decoder.Unit(static_cast<char16_t>(chunk[i] | (chunk[i + 1] << 8)));
        if (i < n) odd = chunk[i];
        if (n < chunk.size()) break;
    }
    if (odd) RefuseFile(texts::kBackupNotUnicode);
    decoder.End();
    parser.End();
}

std::vector<Key> ReadKeys(const Source& file) {
    Collector keys;
    Read(file, keys);
    return std::move(keys.keys);
}

std::vector<Key> Parse(std::span<const std::uint8_t> file) {
    std::size_t pos = 0;
    return ReadKeys([&file, &pos](std::span<std::uint8_t> buffer) {
        const std::size_t n = std::min(buffer.size(), file.size() - pos);
        std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(pos), n, buffer.begin());
        pos += n;
        return n;
    });
}

}  // namespace regfile
