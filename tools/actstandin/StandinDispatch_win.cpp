#include "actstandin/StandinDispatch_win.h"

#include <cwctype>
#include <new>

#include "actstandin/StandinServer_win.h"

namespace standin {

namespace {

bool SameName(const std::wstring& a, const wchar_t* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != 0; ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    }
    return i == a.size() && b[i] == 0;
}

std::wstring Describe(const VARIANT& v) {
    switch (V_VT(&v)) {
        case VT_EMPTY: return L"VT_EMPTY";
        case VT_BSTR: return L"VT_BSTR:\"" + std::wstring(V_BSTR(&v), SysStringLen(V_BSTR(&v))) + L"\"";
        case VT_I2: return L"VT_I2:" + std::to_wstring(V_I2(&v));
        case VT_I4: return L"VT_I4:" + std::to_wstring(V_I4(&v));
        case VT_BOOL: return std::wstring(L"VT_BOOL:") + (V_BOOL(&v) ? L"true" : L"false");
        case VT_DISPATCH: return L"VT_DISPATCH";
        default: return L"VT_" + std::to_wstring(V_VT(&v));
    }
}

void Raise(EXCEPINFO* info, const Fault& fault) {
    if (info == nullptr) return;
    *info = EXCEPINFO{};
    info->bstrSource = SysAllocString(L"ACT!");
    info->bstrDescription = SysAllocString(fault.description.c_str());
    info->scode = fault.scode;
}

}  // namespace

std::wstring Arg::Text() const {
    VARIANT copy;
    VariantInit(&copy);
    if (FAILED(VariantChangeType(&copy, const_cast<VARIANT*>(&v), 0, VT_BSTR)))
        throw Fault{DISP_E_TYPEMISMATCH, L"Typen unvertr\u00E4glich"};
    std::wstring text(V_BSTR(&copy), SysStringLen(V_BSTR(&copy)));
    VariantClear(&copy);
    return text;
}

long Arg::Number() const {
    VARIANT copy;
    VariantInit(&copy);
    if (FAILED(VariantChangeType(&copy, const_cast<VARIANT*>(&v), 0, VT_I4)))
        throw Fault{DISP_E_TYPEMISMATCH, L"Typen unvertr\u00E4glich"};
    return V_I4(&copy);
}

bool Arg::Truth() const { return Number() != 0; }

DispatchBase::DispatchBase(std::wstring logName, const std::vector<std::wstring>& members)
    : m_LogName(std::move(logName)), m_Members(members) {
    ObjectCreated();
}

DispatchBase::~DispatchBase() { ObjectReleased(); }

HRESULT STDMETHODCALLTYPE DispatchBase::QueryInterface(REFIID riid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE DispatchBase::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_Refs)); }

ULONG STDMETHODCALLTYPE DispatchBase::Release() {
    const LONG left = InterlockedDecrement(&m_Refs);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE DispatchBase::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DispatchBase::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DispatchBase::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    for (std::size_t m = 0; m < m_Members.size(); ++m) {
        if (SameName(m_Members[m], names[0])) {
            ids[0] = static_cast<DISPID>(m + 1);
            return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;  // no named arguments
        }
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE DispatchBase::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                               EXCEPINFO* excepInfo, UINT*) {
    if (id < 1 || static_cast<std::size_t>(id) > m_Members.size()) return DISP_E_MEMBERNOTFOUND;
    if ((flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) == 0) return DISP_E_MEMBERNOTFOUND;
    if (params == nullptr || params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    const std::wstring& name = m_Members[static_cast<std::size_t>(id - 1)];
    std::vector<Arg> args(params->cArgs);
    std::wstring line = m_LogName + L"." + name + L"(";
    for (UINT i = 0; i < params->cArgs; ++i) {
        Arg& a = args[i];
        VariantInit(&a.v);
        VariantCopyInd(&a.v, &params->rgvarg[params->cArgs - 1 - i]);  // last argument travels first
        line += (i ? L", " : L"") + Describe(a.v);
    }
    Log(line + L")");
    VARIANT out;
    VariantInit(&out);
    HRESULT hr = S_OK;
    try {
        Server& server = TheServer();
        if (!server.faults.vanishMember.empty() && SameName(server.faults.vanishMember, name.c_str())) {
            // Gone in the middle of the call, as a crashed ACT! would be; only the
            // class registration is taken back first (see RevokeFactory).
            Log(L"-- vanishing");
            RevokeFactory();
            ExitProcess(3);
        }
        if (!server.faults.slowMember.empty() && SameName(server.faults.slowMember, name.c_str())) {
            Sleep(server.faults.slowMs);  // a busy ACT!, answering late
        }
        if (!server.faults.failMember.empty() && SameName(server.faults.failMember, name.c_str())) {
            throw Fault{static_cast<HRESULT>(0x80040201L), L"ACT!-Stellvertreter: simulierter Fehler in " + name};
        }
        Call(static_cast<std::size_t>(id - 1), args, out);
        DataChanged();
    } catch (const Fault& fault) {
        Raise(excepInfo, fault);
        hr = DISP_E_EXCEPTION;
    } catch (const std::bad_alloc&) {
        hr = E_OUTOFMEMORY;
    } catch (...) {
        hr = E_UNEXPECTED;
    }
    for (Arg& a : args) VariantClear(&a.v);
    if (hr == S_OK && result != nullptr) {
        *result = out;
    } else {
        VariantClear(&out);
    }
    return hr;
}

void DispatchBase::Need(const std::vector<Arg>& args, std::size_t count) {
    if (args.size() < count) throw Fault{DISP_E_BADPARAMCOUNT, L"Falsche Anzahl an Argumenten"};
}

void SetText(VARIANT& v, const std::wstring& text) {
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

void SetNumber(VARIANT& v, long n) {
    V_VT(&v) = VT_I4;
    V_I4(&v) = n;
}

void SetObject(VARIANT& v, IDispatch* object) {
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = object;
}

}  // namespace standin
