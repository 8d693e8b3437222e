#include "actstandin/StandinServer_win.h"

#include <cstdio>
#include <string>

#include "actstandin/StandinObjects_win.h"
#include "platform/Handles_win.h"

namespace standin {

// {6A3C1E52-8B1D-4C7A-9E45-3D2F7B8A1C01}
const CLSID kClsidActApp = {0x6a3c1e52, 0x8b1d, 0x4c7a, {0x9e, 0x45, 0x3d, 0x2f, 0x7b, 0x8a, 0x1c, 0x01}};

namespace {

constexpr UINT_PTR kIdleTimer = 2;
constexpr wchar_t kClsidText[] = L"{6A3C1E52-8B1D-4C7A-9E45-3D2F7B8A1C01}";

std::string ToUtf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

bool SetDefault(HKEY root, const std::wstring& path, const std::wstring& value) {
    platform::UniqueHkey key;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) ==
           ERROR_SUCCESS;
}

bool RegisterIn(HKEY root, const std::wstring& exe) {
    const std::wstring classes = L"Software\\Classes\\";
    const std::wstring clsidKey = classes + L"CLSID\\" + kClsidText;
    return SetDefault(root, classes + kProgId, L"ACT! Application (Stellvertreter)") &&
           SetDefault(root, classes + kProgId + L"\\CLSID", kClsidText) &&
           SetDefault(root, clsidKey, L"ACT! Application (Stellvertreter)") &&
           SetDefault(root, clsidKey + L"\\LocalServer32", L"\"" + exe + L"\"") &&
           SetDefault(root, clsidKey + L"\\ProgID", kProgId);
}

// Creates application objects for every client that asks, as long as the
// process runs.
class Factory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // The factory lives as long as the process: no counting.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        const platform::ComPtr<IDispatch> app(NewApplication());
        if (!app) return E_OUTOFMEMORY;
        const HRESULT hr = app->QueryInterface(riid, out);
        Log(L"-- new client object");
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            ObjectCreated();
        else
            ObjectReleased();
        return S_OK;
    }
};

Factory theFactory;

}  // namespace

Server& TheServer() {
    static Server server;
    return server;
}

void Log(const std::wstring& line) {
    const Server& server = TheServer();
    if (server.logPath.empty()) return;
    FILE* file = _wfopen(server.logPath.c_str(), L"ab");
    if (file == nullptr) return;
    const std::string text = ToUtf8(line) + "\r\n";
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);
}

void ObjectCreated() {
    Server& server = TheServer();
    ++server.objects;
    if (server.window) KillTimer(server.window, kIdleTimer);
}

void ObjectReleased() {
    Server& server = TheServer();
    if (--server.objects == 0 && server.embedding && server.window) {
        SetTimer(server.window, kIdleTimer, server.idleSeconds * 1000, nullptr);
    }
}

void DataChanged() {
    Server& server = TheServer();
    if (server.window == nullptr) return;
    std::wstring title = server.fixedTitle;
    if (title.empty()) {
        const std::wstring& db = server.data.database;
        std::wstring name = db.substr(db.find_last_of(L"\\/") == std::wstring::npos ? 0 : db.find_last_of(L"\\/") + 1);
        if (name.size() > 4 && name[name.size() - 4] == L'.') name.resize(name.size() - 4);
        title = name.empty() ? L"ACT!" : L"ACT! - " + name;
    }
    wchar_t current[512] = {};
    GetWindowTextW(server.window, current, 512);
    if (title != current) SetWindowTextW(server.window, title.c_str());
    InvalidateRect(server.window, nullptr, TRUE);
}

const Record* FindContact(const std::wstring& id) {
    for (const Record& r : TheServer().data.contacts) {
        if (r.Id() == id) return &r;
    }
    return nullptr;
}

int RegisterServer() {
    wchar_t exe[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, exe, static_cast<DWORD>(std::size(exe)));
    const bool machine = RegisterIn(HKEY_LOCAL_MACHINE, exe);
    const bool user = RegisterIn(HKEY_CURRENT_USER, exe);
    return machine || user ? 0 : 1;
}

int UnregisterServer() {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        RegDeleteTreeW(root, (std::wstring(L"Software\\Classes\\") + kProgId).c_str());
        RegDeleteTreeW(root, (std::wstring(L"Software\\Classes\\CLSID\\") + kClsidText).c_str());
    }
    return 0;
}

void RegisterFactory() {
    DWORD cookie = 0;
    if (SUCCEEDED(CoRegisterClassObject(kClsidActApp, &theFactory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie))) {
        TheServer().factoryCookie = cookie;
    }
}

void RevokeFactory() {
    Server& server = TheServer();
    if (server.factoryCookie != 0) CoRevokeClassObject(server.factoryCookie);
    server.factoryCookie = 0;
}

}  // namespace standin
