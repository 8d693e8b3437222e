#include "platform/Automation_win.h"

#include <ocidl.h>

#include <cstdio>
#include <map>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "base/Ascii.h"
#include "platform/AutomationCom_win.h"
#include "platform/WinText_win.h"

namespace platform {

namespace {

using com::ExcepInfo;
using com::Variant;

std::string SystemDescription(HRESULT hr) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length > 0 ? std::wstring(buffer, length) : std::wstring();
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    if (!text.empty()) return Narrow(text);
    char number[16];
    std::snprintf(number, sizeof number, "0x%08lX", static_cast<unsigned long>(hr));
    return std::string(texts::kAutomationError) + " (" + number + ")";
}

[[noreturn]] void RaiseHresult(HRESULT hr) { throw AppError(static_cast<std::int32_t>(hr), SystemDescription(hr)); }

[[noreturn]] void RaiseException(HRESULT hr, EXCEPINFO& info) {
    if (info.pfnDeferredFillIn != nullptr) info.pfnDeferredFillIn(&info);
    const HRESULT number = info.scode != 0 ? info.scode : info.wCode != 0 ? static_cast<HRESULT>(info.wCode) : hr;
    const std::wstring description = com::BstrText(info.bstrDescription);
    throw AppError(static_cast<std::int32_t>(number),
                   description.empty() ? SystemDescription(number) : Narrow(description));
}

void ToVariant(const AutoValue& value, VARIANT& out);
AutoValue FromVariant(const VARIANT& in);

// An event's argument: one passed by reference as its value, and one that
// has no AutoValue as empty, so that the handler still gets the others.
AutoValue EventArgument(const VARIANT& in) {
    try {
        if (V_VT(&in) == (VT_BYREF | VT_VARIANT)) {
            return V_VARIANTREF(&in) != nullptr ? EventArgument(*V_VARIANTREF(&in)) : AutoValue();
        }
        if ((V_VT(&in) & VT_BYREF) == 0) return FromVariant(in);
        Variant value;
        if (FAILED(OleAutomation().CopyInd(value.get(), const_cast<VARIANT*>(&in)))) return {};
        return FromVariant(*value.get());
    } catch (const std::exception&) {
        return {};
    }
}

// The receiver of an object's events. The object holds it by its reference
// count, possibly past the connection's end (a server out of process
// releases it when it likes): the connection disarms it, so that no event
// reaches a handler whose owner is gone.
class EventSink final : public IDispatch {
public:
    EventSink(const IID& events, AutoEventHandler handler) : m_Events(events), m_Handler(std::move(handler)) {}
    EventSink(const EventSink&) = delete;
    EventSink& operator=(const EventSink&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, m_Events)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_References)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&m_References);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    // Events come by their dispatch identifier: no names, no type information.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info != nullptr) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        if (!m_Handler) return S_OK;
        try {
            std::vector<AutoValue> args;
            if (params != nullptr && params->rgvarg != nullptr) {
                for (UINT i = params->cArgs; i-- > 0;) args.push_back(EventArgument(params->rgvarg[i]));
            }
            // A handler that drops the connection disarms this one while it runs.
            const AutoEventHandler handler = m_Handler;
            handler(static_cast<std::int32_t>(id), args);
        } catch (...) {
            // the receiver's fault is no concern of the object that fired the event
        }
        return S_OK;
    }
    void Disarm() { m_Handler = nullptr; }

private:
    ~EventSink() = default;

    LONG m_References = 1;
    IID m_Events;
    AutoEventHandler m_Handler;
};

class EventConnection final : public IAutoConnection {
public:
    EventConnection(ComPtr<IConnectionPoint> point, ComPtr<EventSink> sink, DWORD cookie)
        : m_Point(std::move(point)), m_Sink(std::move(sink)), m_Cookie(cookie) {}
    ~EventConnection() override {
        m_Sink->Disarm();
        // An object that has gone (its server ended) has no connection left to end.
        m_Point->Unadvise(m_Cookie);
    }
    EventConnection(const EventConnection&) = delete;
    EventConnection& operator=(const EventConnection&) = delete;

private:
    ComPtr<IConnectionPoint> m_Point;
    ComPtr<EventSink> m_Sink;
    DWORD m_Cookie;
};

// One reference to an IDispatch. Dispatch identifiers are asked for once per
// object and name: each GetIDsOfNames is a round trip to the server.
class DispatchObject : public IAutoObject {
public:
    explicit DispatchObject(ComPtr<IDispatch> dispatch) : m_Dispatch(std::move(dispatch)) {}

    AutoValue Get(std::string_view property) override { return Invoke(property, {}); }
    void Put(std::string_view property, const AutoValue& value) override {
        const DISPID id = Resolve(property);
        Variant argument;
        ToVariant(value, *argument.get());
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params{argument.get(), &named, 1, 1};
        ExcepInfo info;
        UINT argError = 0;
        const HRESULT hr = m_Dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                                              info.get(), &argError);
        if (hr == DISP_E_EXCEPTION) RaiseException(hr, *info.get());
        if (FAILED(hr)) RaiseHresult(hr);
    }
    AutoValue Call(std::string_view method, const std::vector<AutoValue>& args) override {
        return Invoke(method, args);
    }
    AutoConnectionPtr Connect(std::string_view eventInterface, AutoEventHandler handler) override {
        const std::wstring text = Widen(eventInterface);
        IID events{};
        HRESULT hr = Ole().IidFromString(text.c_str(), &events);
        if (FAILED(hr)) RaiseHresult(hr);
        ComPtr<IConnectionPointContainer> container;
        hr = m_Dispatch->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.put()));
        if (FAILED(hr)) RaiseHresult(hr);
        ComPtr<IConnectionPoint> point;
        hr = container->FindConnectionPoint(events, point.put());
        if (FAILED(hr)) RaiseHresult(hr);
        ComPtr<EventSink> sink(new EventSink(events, std::move(handler)));
        DWORD cookie = 0;
        hr = point->Advise(sink.get(), &cookie);
        if (FAILED(hr)) RaiseHresult(hr);
        return std::make_unique<EventConnection>(std::move(point), std::move(sink), cookie);
    }
    // COM's rule of identity: every reference to one object gives the same IUnknown.
    bool SameAs(IAutoObject& other) override {
        auto* dispatch = dynamic_cast<DispatchObject*>(&other);
        if (dispatch == nullptr) return false;
        ComPtr<IUnknown> mine;
        ComPtr<IUnknown> theirs;
        if (FAILED(m_Dispatch->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(mine.put()))) ||
            FAILED(dispatch->m_Dispatch->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(theirs.put())))) {
            return false;
        }
        return mine.get() == theirs.get();
    }

private:
    DISPID Resolve(std::string_view name) {
        std::string key = ascii::Lower(name);
        if (auto it = m_Ids.find(key); it != m_Ids.end()) return it->second;
        std::wstring wide = Widen(name);
        LPOLESTR names[] = {wide.data()};
        DISPID id = DISPID_UNKNOWN;
        const HRESULT hr = m_Dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(hr)) RaiseHresult(hr);
        m_Ids.emplace(std::move(key), id);
        return id;
    }

    AutoValue Invoke(std::string_view name, const std::vector<AutoValue>& args) {
        const DISPID id = Resolve(name);
        // Arguments travel last first.
        std::vector<Variant> owned(args.size());
        std::vector<VARIANT> slots(args.size());
        for (std::size_t i = 0; i < args.size(); ++i) {
            VARIANT* v = owned[args.size() - 1 - i].get();
            ToVariant(args[i], *v);
            slots[args.size() - 1 - i] = *v;
        }
        DISPPARAMS params{slots.empty() ? nullptr : slots.data(), nullptr, static_cast<UINT>(slots.size()), 0};
        Variant result;
        ExcepInfo info;
        UINT argError = 0;
        const HRESULT hr = m_Dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                              &params, result.get(), info.get(), &argError);
        if (hr == DISP_E_EXCEPTION) RaiseException(hr, *info.get());
        if (FAILED(hr)) RaiseHresult(hr);
        return FromVariant(*result.get());
    }

    ComPtr<IDispatch> m_Dispatch;
    std::map<std::string, DISPID> m_Ids;
};

void ToVariant(const AutoValue& value, VARIANT& out) {
    switch (value.index()) {
        case 0: V_VT(&out) = VT_EMPTY; return;
        case 1: {
            const std::wstring wide = Widen(std::get<std::string>(value));
            V_VT(&out) = VT_BSTR;
            V_BSTR(&out) = OleAutomation().AllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
            if (V_BSTR(&out) == nullptr) RaiseHresult(E_OUTOFMEMORY);
            return;
        }
        case 2:
            V_VT(&out) = VT_I2;
            V_I2(&out) = std::get<std::int16_t>(value);
            return;
        case 3:
            V_VT(&out) = VT_I4;
            V_I4(&out) = std::get<std::int32_t>(value);
            return;
        case 4:
            V_VT(&out) = VT_BOOL;
            V_BOOL(&out) = std::get<bool>(value) ? VARIANT_TRUE : VARIANT_FALSE;
            return;
        default: Raise(ErrorNumber::TypeMismatch);
    }
}

AutoValue ObjectFrom(IDispatch* dispatch) {
    if (dispatch == nullptr) return AutoObjectPtr();
    return AutoObjectPtr(std::make_shared<DispatchObject>(AddRef(dispatch)));
}

AutoValue FromVariant(const VARIANT& in) {
    switch (V_VT(&in)) {
        case VT_EMPTY:
        case VT_NULL: return {};
        case VT_BSTR: return Narrow(std::wstring_view(V_BSTR(&in), OleAutomation().StringLen(V_BSTR(&in))));
        case VT_I2: return V_I2(&in);
        case VT_I4: return static_cast<std::int32_t>(V_I4(&in));
        case VT_BOOL: return V_BOOL(&in) != VARIANT_FALSE;
        case VT_DISPATCH: return ObjectFrom(V_DISPATCH(&in));
        case VT_UNKNOWN: {
            ComPtr<IDispatch> dispatch;
            if (V_UNKNOWN(&in) == nullptr ||
                FAILED(V_UNKNOWN(&in)->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.put())))) {
                return AutoObjectPtr();
            }
            return ObjectFrom(dispatch.get());
        }
        default: break;
    }
    // Other numbers arrive as a 32-bit integer when they fit, else as text.
    Variant converted;
    VARIANT* source = const_cast<VARIANT*>(&in);  // not changed; the API lacks const
    if (SUCCEEDED(OleAutomation().ChangeType(converted.get(), source, 0, VT_I4))) {
        return static_cast<std::int32_t>(V_I4(converted.get()));
    }
    const HRESULT hr = OleAutomation().ChangeType(converted.get(), source, 0, VT_BSTR);
    if (FAILED(hr)) RaiseHresult(hr);
    return Narrow(std::wstring_view(V_BSTR(converted.get()), OleAutomation().StringLen(V_BSTR(converted.get()))));
}

}  // namespace

AutoObjectPtr DispatchObjectOf(IDispatch* dispatch) { return AsObject(ObjectFrom(dispatch)); }

WinAutomation::WinAutomation(ComStart start) {
    if (start == ComStart::Now) Initialize();
}

void WinAutomation::Initialize() {
    m_Initialized = true;
    m_Uninitialize = SUCCEEDED(Ole().InitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

WinAutomation::~WinAutomation() {
    if (m_Uninitialize) Ole().Uninitialize();
}

AutoObjectPtr WinAutomation::Create(std::string_view progId) {
    if (!m_Initialized) Initialize();
    const std::wstring wide = Widen(progId);
    CLSID clsid{};
    HRESULT hr = Ole().ClsidFromProgId(wide.c_str(), &clsid);
    if (FAILED(hr)) RaiseHresult(hr);
    ComPtr<IDispatch> dispatch;
    hr = Ole().CreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(dispatch.put()));
    if (FAILED(hr)) RaiseHresult(hr);
    return std::make_shared<DispatchObject>(std::move(dispatch));
}

std::string WinLocale::DecimalSeparator() {
    wchar_t buffer[8] = {};
    const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8);
    if (length <= 1) return ".";
    return Narrow(std::wstring_view(buffer, static_cast<std::size_t>(length - 1)));
}

}  // namespace platform
