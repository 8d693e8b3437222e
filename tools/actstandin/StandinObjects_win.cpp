#include "actstandin/StandinObjects_win.h"

#include <algorithm>
#include <cwctype>

#include "actstandin/StandinDispatch_win.h"
#include "actstandin/StandinServer_win.h"

namespace standin {

namespace {

constexpr long kContactView = 1;
constexpr long kGroupView = 3;
constexpr long kNotFound = 1101;

bool EqualNoCase(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(x) == std::towlower(y);
           });
}

// A contact view (type 1) or a group view (type 3). Every view stands where
// ACT!'s window stands: on its current contact or group, within its lookup.
class View : public DispatchBase {
public:
    explicit View(long type)
        : DispatchBase(type == kGroupView ? L"GroupView" : L"ContactView", Members()), m_Type(type) {}

private:
    static const std::vector<std::wstring>& Members() {
        static const std::vector<std::wstring> names = {L"GetCurrentID",
                                                        L"CurrentFieldId",
                                                        L"Type",
                                                        L"GetField",
                                                        L"SetField",
                                                        L"MoveFirst",
                                                        L"MoveNext",
                                                        L"GetCount",
                                                        L"LookupAll",
                                                        L"CreateLookup",
                                                        L"AddNewContact",
                                                        L"GoTo",
                                                        L"AddContactToGroup",
                                                        L"LookupFieldEx",
                                                        L"DeleteGroupFast",
                                                        L"AddNew",
                                                        L"AddMemberToGroup",
                                                        L"SetActiveTab",
                                                        L"getlasterror"};
        return names;
    }

    bool Groups() const { return m_Type == kGroupView; }
    std::vector<Record>& Records() { return Groups() ? TheServer().data.groups : TheServer().data.contacts; }
    std::vector<std::wstring>& Lookup() {
        return Groups() ? TheServer().data.groupLookup : TheServer().data.contactLookup;
    }
    std::wstring& Current() { return Groups() ? TheServer().data.currentGroup : TheServer().data.currentContact; }

    Record* Find(const std::wstring& id) {
        for (Record& r : Records()) {
            if (r.Id() == id) return &r;
        }
        return nullptr;
    }
    Record& CurrentRecord() {
        Record* r = Find(Current());
        if (r == nullptr) throw Fault{static_cast<HRESULT>(0x80040202L), L"Kein aktueller Datensatz"};
        return *r;
    }
    long Result(bool ok) {
        m_LastError = ok ? 0 : kNotFound;
        return ok ? 0 : 1;
    }

    long MoveNext() {
        auto& lookup = Lookup();
        auto it = std::find(lookup.begin(), lookup.end(), Current());
        if (it == lookup.end() || it + 1 == lookup.end()) return Result(false);
        Current() = *(it + 1);
        return Result(true);
    }

    long GoTo(const std::wstring& id) {
        auto& lookup = Lookup();
        if (std::find(lookup.begin(), lookup.end(), id) == lookup.end()) return Result(false);
        Current() = id;
        return Result(true);
    }

    long CreateLookup(const std::wstring& joined) {
        std::vector<std::wstring> ids;
        for (std::size_t at = 0; at + 12 <= joined.size(); at += 12) {
            if (Find(joined.substr(at, 12))) ids.push_back(joined.substr(at, 12));
        }
        if (ids.empty()) return Result(false);
        Lookup() = ids;
        Current() = ids.front();
        return Result(true);
    }

    long LookupByName(const std::wstring& name) {
        std::vector<std::wstring> ids;
        for (const Record& r : Records()) {
            auto it = r.fields.find(kFieldGroupName);
            if (it != r.fields.end() && EqualNoCase(it->second, name)) ids.push_back(r.Id());
        }
        if (ids.empty()) return Result(false);
        Lookup() = ids;
        Current() = ids.front();
        return Result(true);
    }

    std::wstring NewId(wchar_t lead) {
        static int counter = 0;
        std::wstring id = std::wstring(1, lead) + L"N" + std::to_wstring(GetCurrentProcessId() % 10000) + L"_" +
                          std::to_wstring(++counter);
        return PadId(id.substr(0, 12));
    }

    long AddRecord() {
        Record r;
        r.fields[kFieldId] = NewId(Groups() ? L'G' : L'K');
        Records().push_back(r);
        Lookup().push_back(r.Id());
        Current() = r.Id();
        return Result(true);
    }

    long AddContactToGroup(const std::wstring& groupId) {
        for (Record& g : TheServer().data.groups) {
            if (g.Id() == groupId) {
                if (std::find(g.members.begin(), g.members.end(), Current()) == g.members.end())
                    g.members.push_back(Current());
                return Result(true);
            }
        }
        return Result(false);
    }

    long AddMember(const std::wstring& contactId) {
        if (FindContact(contactId) == nullptr) return Result(false);
        Record& group = CurrentRecord();
        if (std::find(group.members.begin(), group.members.end(), contactId) == group.members.end())
            group.members.push_back(contactId);
        return Result(true);
    }

    long DeleteCurrent() {
        const std::wstring id = Current();
        auto& records = Records();
        const auto before = records.size();
        records.erase(std::remove_if(records.begin(), records.end(), [&](const Record& r) { return r.Id() == id; }),
                      records.end());
        auto& lookup = Lookup();
        lookup.erase(std::remove(lookup.begin(), lookup.end(), id), lookup.end());
        Current() = lookup.empty() ? std::wstring() : lookup.front();
        return Result(records.size() < before);
    }

    void Call(std::size_t index, const std::vector<Arg>& args, VARIANT& out) override {
        switch (index) {
            case 0: SetText(out, Current()); return;
            case 1: SetNumber(out, 27); return;
            case 2: SetNumber(out, m_Type); return;
            case 3: {
                Need(args, 1);
                const auto& fields = CurrentRecord().fields;
                auto it = fields.find(static_cast<int>(args[0].Number()));
                SetText(out, it == fields.end() ? std::wstring() : it->second);
                return;
            }
            case 4:
                Need(args, 2);
                if (args[0].Number() == kFieldId) return SetNumber(out, Result(false));
                CurrentRecord().fields[static_cast<int>(args[0].Number())] = args[1].Text();
                return SetNumber(out, Result(true));
            case 5:
                if (!Lookup().empty()) Current() = Lookup().front();
                return SetNumber(out, Result(!Lookup().empty()));
            case 6: return SetNumber(out, MoveNext());
            case 7: return SetNumber(out, static_cast<long>(Lookup().size()));
            case 8: {
                Lookup().clear();
                for (const Record& r : Records()) Lookup().push_back(r.Id());
                return SetNumber(out, Result(true));
            }
            case 9: Need(args, 1); return SetNumber(out, CreateLookup(args[0].Text()));
            case 10: return SetNumber(out, AddRecord());
            case 11: Need(args, 1); return SetNumber(out, GoTo(args[0].Text()));
            case 12: Need(args, 1); return SetNumber(out, AddContactToGroup(args[0].Text()));
            case 13:
                Need(args, 2);
                if (args[0].Number() != kFieldGroupName) return SetNumber(out, Result(false));
                return SetNumber(out, LookupByName(args[1].Text()));
            case 14: return SetNumber(out, DeleteCurrent());
            case 15: return SetNumber(out, AddRecord());
            case 16: Need(args, 1); return SetNumber(out, AddMember(args[0].Text()));
            case 17: Need(args, 1); return SetNumber(out, Result(true));
            case 18: return SetNumber(out, m_LastError);
            default: return;
        }
    }

    long m_Type;
    long m_LastError = 0;
};

// Hands out Nothing while a fault asks for it or no database is open.
IDispatch* NewView(long type) {
    Server& server = TheServer();
    if (server.faults.noView > 0) {
        --server.faults.noView;
        return nullptr;
    }
    if (server.data.database.empty() || (type != kContactView && type != kGroupView)) return nullptr;
    return new View(type);
}

class Views : public DispatchBase {
public:
    Views() : DispatchBase(L"Views", Members()) {}

private:
    static const std::vector<std::wstring>& Members() {
        static const std::vector<std::wstring> names = {L"GetActive", L"Create"};
        return names;
    }
    void Call(std::size_t index, const std::vector<Arg>& args, VARIANT& out) override {
        if (index == 0) return SetObject(out, NewView(kContactView));
        Need(args, 2);
        SetObject(out, NewView(args[0].Number()));
    }
};

class Application : public DispatchBase {
public:
    Application() : DispatchBase(L"Application", Members()) {}

private:
    static const std::vector<std::wstring>& Members() {
        static const std::vector<std::wstring> names = {
            L"Views",      L"GetOpenDBName", L"GetUserId", L"GetCurrentUserName",
            L"GetVersion", L"Show",          L"OpenDB",    L"CloseDB"};
        return names;
    }
    void Call(std::size_t index, const std::vector<Arg>& args, VARIANT& out) override {
        Server& server = TheServer();
        Data& data = server.data;
        switch (index) {
            case 0: return SetObject(out, new Views());
            case 1: return SetText(out, data.database);
            case 2: return SetText(out, data.database.empty() ? std::wstring() : data.userId);
            case 3: return SetText(out, data.userName);
            case 4: return SetText(out, data.version);
            case 5:
                if (args.empty() || args[0].Truth()) {
                    ShowWindow(server.window, SW_SHOWNORMAL);
                    SetForegroundWindow(server.window);
                }
                return;
            case 6:
                Need(args, 1);
                data.database = args[0].Text();
                return SetNumber(out, 0);
            case 7:
                if (server.faults.closeDbAnswer != 0) return SetNumber(out, server.faults.closeDbAnswer);
                data.database.clear();
                return SetNumber(out, 0);
            default: return;
        }
    }
};

}  // namespace

IDispatch* NewApplication() { return new Application(); }

}  // namespace standin
