#pragma once
// What the stand-in knows of its "database": contacts and groups with their
// numbered fields, the user's own record, and where ACT! currently stands.
#include <map>
#include <string>
#include <vector>

namespace standin {

inline constexpr int kFieldId = 1;
inline constexpr int kFieldGroupName = 25;

struct Record {
    std::map<int, std::wstring> fields;
    std::vector<std::wstring> members;  // groups only: contact identifiers
    const std::wstring& Id() const { return fields.at(kFieldId); }
};

struct Data {
    std::wstring database;  // the open database's path; empty: none open
    std::wstring version = L"3.0";
    std::wstring userId;
    std::wstring userName;
    std::wstring currentContact;
    std::vector<Record> contacts;
    std::vector<Record> groups;
    // Where ACT! stands: the lookups (identifiers in order) and the current group.
    std::vector<std::wstring> contactLookup;
    std::vector<std::wstring> groupLookup;
    std::wstring currentGroup;
};

// Identifiers are 12 characters, shorter ones filled with blanks on the left.
std::wstring PadId(const std::wstring& id);

// Parses the UTF-8 text format of demo-contacts.txt; unknown lines are skipped.
Data ParseData(const std::string& utf8);
// `path`, else demo-contacts.txt beside the program, else built-in data.
Data LoadData(const std::wstring& path);

}  // namespace standin
