#include "manager/modHaupt.h"

#include <array>

#include "common/UiTexts.h"
#include "common/modACTHandle.h"
#include "common/modMessages.h"

namespace modHaupt {
namespace {

struct ToolbarWord {
    std::string_view word;
    std::int32_t choice;
};

constexpr std::array<ToolbarWord, 9> kToolbarWords = {{
    {"kontakt", kContactToolbar},
    {"contact", kContactToolbar},
    {"k", kContactToolbar},
    {"c", kContactToolbar},
    {"gruppe", kGroupToolbar},
    {"group", kGroupToolbar},
    {"g", kGroupToolbar},
    {"gruppen", kGroupToolbar},
    {"groups", kGroupToolbar},
}};

}  // namespace

std::vector<std::string> WordsOf(std::string_view commandLine) {
    std::vector<std::string> words;
    std::size_t pos = 0;
    while (pos < commandLine.size()) {
        const std::size_t space = commandLine.find(' ', pos);
        const std::size_t end = space == std::string_view::npos ? commandLine.size() : space;
        if (end > pos) words.emplace_back(commandLine.substr(pos, end - pos));
        pos = end + 1;
    }
    return words;
}

std::int32_t ToolbarChoiceOf(const platform::Platform& env, std::string_view word) {
    const std::string lower = env.text.ToLower(word);
    for (const ToolbarWord& entry : kToolbarWords) {
        if (lower == entry.word) return entry.choice;
    }
    return kContactToolbar;
}

RunRequest Main(const platform::Platform& env, std::string_view commandLine) {
    RunRequest request;
    if (modACTHandle::IsACTRunning(env)) {
        modMessages::MsgBox(env, texts::kQuitActFirst, platform::MsgIcon::Information);
        request.kind = RunKind::Refused;
        return request;
    }

    const std::vector<std::string> words = WordsOf(commandLine);
    if (words.size() >= 3) request.ToolbarChoice = ToolbarChoiceOf(env, words[2]);
    if (words.size() < 2) return request;

    request.AddonName = words[0];
    const std::string verb = env.text.ToLower(words[1]);
    if (verb == "install") {
        request.kind = RunKind::Install;
    } else if (verb == "deinstall") {
        request.kind = RunKind::Deinstall;
    }
    return request;
}

std::string_view ArgumentText(std::string_view processCommandLine) {
    std::size_t pos = 0;
    if (!processCommandLine.empty() && processCommandLine[0] == '"') {
        const std::size_t close = processCommandLine.find('"', 1);
        pos = close == std::string_view::npos ? processCommandLine.size() : close + 1;
    }
    while (pos < processCommandLine.size() && processCommandLine[pos] != ' ' && processCommandLine[pos] != '\t') {
        ++pos;
    }
    while (pos < processCommandLine.size() && (processCommandLine[pos] == ' ' || processCommandLine[pos] == '\t')) {
        ++pos;
    }
    return processCommandLine.substr(pos);
}

}  // namespace modHaupt
