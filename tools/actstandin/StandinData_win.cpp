#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "actstandin/StandinData.h"

namespace standin {

namespace {

// Used when neither a data file is named nor one lies beside the program.
const char kBuiltIn[] =
    "database = C:\\ACT\\Datenbank\\Demo-Datenbank.dbf\n"
    "user = K00000000001\nusername = Hans G\xC3\xA4rtner\ncurrent = K00000000002\n"
    "[contact]\n1 = K00000000001\n3 = Hans G\xC3\xA4rtner\n27 = Schlo\xC3\x9Fstra\xC3\x9F"
    "e 7\n30 = M\xC3\xBCnchen\n"
    "32 = 80331\n33 = Deutschland\n"
    "[contact]\n1 = K00000000002\n3 = J\xC3\xBCrgen Wei\xC3\x9F\n27 = Hauptstra\xC3\x9F"
    "e 12b\n30 = K\xC3\xB6ln\n"
    "32 = 50667\n33 = Deutschland\n"
    "[contact]\n1 = K00000000003\n3 = G\xC3\xBCnther M\xC3\xBCller\n27 = Mariahilfer Stra\xC3\x9F"
    "e 45\n"
    "30 = Wien\n32 = 1060\n33 = \xC3\x96sterreich\n"
    "[contact]\n1 = K00000000004\n3 = Anne Br\xC3\xA4ndli\n27 = Bahnhofstrasse 3a\n30 = Z\xC3\xBCrich\n32 = 8001\n"
    "33 = Schweiz\n"
    "[group]\n1 = G00000000001\n25 = Kunden S\xC3\xBC"
    "d\nmembers = K00000000001,K00000000003,K00000000004\n";

std::wstring FromUtf8(const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\xEF\xBB\xBF");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::wstring> SplitIds(const std::wstring& list) {
    std::vector<std::wstring> ids;
    std::wstringstream in(list);
    std::wstring id;
    while (std::getline(in, id, L',')) {
        if (!id.empty()) ids.push_back(PadId(id));
    }
    return ids;
}

void SetHeader(Data& data, const std::string& key, const std::wstring& value) {
    if (key == "database")
        data.database = value;
    else if (key == "version")
        data.version = value;
    else if (key == "user")
        data.userId = PadId(value);
    else if (key == "username")
        data.userName = value;
    else if (key == "current")
        data.currentContact = PadId(value);
}

}  // namespace

std::wstring PadId(const std::wstring& id) { return id.size() >= 12 ? id : std::wstring(12 - id.size(), L' ') + id; }

Data ParseData(const std::string& utf8) {
    Data data;
    Record* record = nullptr;
    std::istringstream in(utf8);
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == '#') continue;
        if (line == "[contact]" || line == "[group]") {
            auto& list = line == "[contact]" ? data.contacts : data.groups;
            record = &list.emplace_back();
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = Trim(line.substr(0, eq));
        const std::wstring value = FromUtf8(Trim(line.substr(eq + 1)));
        if (record == nullptr) {
            SetHeader(data, key, value);
        } else if (key == "members") {
            record->members = SplitIds(value);
        } else if (!key.empty() && key.find_first_not_of("0123456789") == std::string::npos && key.size() < 6) {
            const int field = std::stoi(key);
            record->fields[field] = field == kFieldId ? PadId(value) : value;
        }
    }
    // A record without identifier cannot be reached; give it one.
    int n = 0;
    for (auto* list : {&data.contacts, &data.groups}) {
        for (Record& r : *list) {
            if (!r.fields.count(kFieldId)) r.fields[kFieldId] = PadId(L"X" + std::to_wstring(++n));
        }
    }
    if (data.currentContact.empty() && !data.contacts.empty()) data.currentContact = data.contacts.front().Id();
    for (const Record& r : data.contacts) data.contactLookup.push_back(r.Id());
    for (const Record& r : data.groups) data.groupLookup.push_back(r.Id());
    if (!data.groups.empty()) data.currentGroup = data.groups.front().Id();
    return data;
}

Data LoadData(const std::wstring& path) {
    std::wstring file = path;
    if (file.empty()) {
        wchar_t exe[MAX_PATH * 4] = {};
        const DWORD n = GetModuleFileNameW(nullptr, exe, static_cast<DWORD>(std::size(exe)));
        std::wstring p(exe, n);
        file = p.substr(0, p.find_last_of(L"\\/") + 1) + L"demo-contacts.txt";
    }
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    if (!in) return ParseData(kBuiltIn);
    std::ostringstream content;
    content << in.rdbuf();
    return ParseData(content.str());
}

}  // namespace standin
