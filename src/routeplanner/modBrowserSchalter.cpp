#include "routeplanner/modBrowserSchalter.h"

#include <vector>

#include "base/Ascii.h"

namespace modBrowserSchalter {
namespace {

constexpr std::string_view kVerboten[] = {
    "remote-debugging-port", "remote-debugging-address", "remote-debugging-pipe", "remote-allow-origins",
    "user-data-dir",
};

// The words of a command line as the C runtime splits them: blanks part
// them, quotes group, a backslash before a quote escapes it.
std::vector<std::string> Words(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\\') {
            std::size_t slashes = 0;
            while (i < line.size() && line[i] == '\\') ++slashes, ++i;
            if (i < line.size() && line[i] == '"') {
                word.append(slashes / 2, '\\');
                if (slashes % 2 == 1) {
                    word += '"';
                } else {
                    quoted = !quoted;
                }
            } else {
                word.append(slashes, '\\');
                --i;
            }
            inWord = true;
        } else if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(std::move(word));
    return words;
}

// The switch's name as Chromium reads it: after "--", "-" or "/", up to
// "=", in small letters.
std::string NameOf(std::string_view word) {
    if (word.starts_with("--")) {
        word.remove_prefix(2);
    } else if (word.starts_with('-') || word.starts_with('/')) {
        word.remove_prefix(1);
    } else {
        return {};
    }
    return ascii::Lower(word.substr(0, word.find('=')));
}

}  // namespace

std::optional<std::string> Verboten(std::string_view arguments) {
    for (const std::string& word : Words(arguments)) {
        const std::string name = NameOf(word);
        for (std::string_view verboten : kVerboten) {
            if (name == verboten) return word;
        }
    }
    return std::nullopt;
}

}  // namespace modBrowserSchalter
