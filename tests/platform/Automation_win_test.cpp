// An object's events through the automation seam, against a connectable
// object of the test's own that fires them as COM's callers do (Internet
// Explorer itself is disabled in the tests' Wine prefix).
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include "base/AppError.h"
#include "browser/IeBrowser.h"
#include "platform/Automation_win.h"

namespace {

// {34A715A0-6587-11D0-924A-0020AFC7AC4D}, DWebBrowserEvents2
constexpr IID kEvents = {0x34A715A0, 0x6587, 0x11D0, {0x92, 0x4A, 0x00, 0x20, 0xAF, 0xC7, 0xAC, 0x4D}};
constexpr DWORD kCookie = 7;

// One event interface behind one connection point, one receiver at a time.
class Connectable final : public IDispatch, public IConnectionPointContainer, public IConnectionPoint {
public:
    explicit Connectable(bool connectable = true) : m_Connectable(connectable) {}
    ~Connectable() {
        if (sink) sink->Release();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) *out = static_cast<IDispatch*>(this);
        if (m_Connectable && IsEqualIID(iid, IID_IConnectionPointContainer))
            *out = static_cast<IConnectionPointContainer*>(this);
        if (*out == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
        *point = nullptr;
        if (!IsEqualIID(iid, kEvents)) return CONNECT_E_NOCONNECTION;
        *point = this;
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override { return *iid = kEvents, S_OK; }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* receiver, DWORD* cookie) override {
        if (sink) sink->Release();
        sink = nullptr;
        const HRESULT hr = receiver->QueryInterface(kEvents, reinterpret_cast<void**>(&sink));
        *cookie = kCookie;
        advised = true;
        return hr;
    }
    // The receiver is kept, as a server may hold it a while after the end.
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
        if (cookie != kCookie || !advised) return CONNECT_E_NOCONNECTION;
        advised = false;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    // NavigateError(pDisp, URL, TargetFrameName, StatusCode, Cancel) as Internet
    // Explorer fires it: last argument first, all but the window by reference.
    HRESULT NavigateError(IDispatch* window, const wchar_t* url, std::int32_t status) {
        VARIANT address, frame, code, argument[5];
        VariantInit(&frame);
        V_VT(&address) = VT_BSTR;
        V_BSTR(&address) = SysAllocString(url);
        V_VT(&code) = VT_I4;
        V_I4(&code) = status;
        VARIANT_BOOL cancel = VARIANT_FALSE;
        V_VT(&argument[0]) = VT_BYREF | VT_BOOL;
        V_BOOLREF(&argument[0]) = &cancel;
        V_VT(&argument[1]) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&argument[1]) = &code;
        V_VT(&argument[2]) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&argument[2]) = &frame;
        V_VT(&argument[3]) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&argument[3]) = &address;
        V_VT(&argument[4]) = VT_DISPATCH;
        V_DISPATCH(&argument[4]) = window;
        DISPPARAMS params{argument, nullptr, 5, 0};
        const HRESULT hr = sink->Invoke(platform::kNavigateErrorEvent, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                        &params, nullptr, nullptr, nullptr);
        VariantClear(&address);
        return hr;
    }

    IDispatch* sink = nullptr;
    bool advised = false;
    ULONG references = 1;

private:
    bool m_Connectable;
};

// Internet Explorer's browser receives its window's NavigateError, not a
// frame's; once it is gone, an event into the receiver the server still
// holds reaches nothing.
TEST(AutomationEvents, TheBrowserReadsItsWindowsNavigateErrorUntilItIsGone) {
    platform::WinAutomation automation;
    Connectable ie;
    Connectable frame;
    {
        platform::IeBrowser browser(platform::DispatchObjectOf(static_cast<IDispatch*>(&ie)));
        ASSERT_TRUE(ie.advised);
        EXPECT_EQ(ie.NavigateError(&frame, L"https://werbung.example/", 404), S_OK);
        EXPECT_EQ(browser.FailedLoad(), std::nullopt);
        EXPECT_EQ(ie.NavigateError(&ie, L"https://www.fahrtweg.example/", static_cast<std::int32_t>(0x800C0005)), S_OK);
        EXPECT_EQ(browser.FailedLoad(),
                  (platform::LoadFailure{platform::LoadFailureKind::NameNotResolved, "0x800C0005"}));
    }
    EXPECT_FALSE(ie.advised);
    EXPECT_EQ(ie.NavigateError(&ie, L"https://www.fahrtweg.example/", 404), S_OK);
    EXPECT_EQ(ie.references, 1u) << "every reference the seam took is released";

    Connectable plain(false);
    EXPECT_THROW(platform::DispatchObjectOf(static_cast<IDispatch*>(&plain))->Connect(platform::kWebBrowserEvents2, {}),
                 AppError);
    EXPECT_EQ(plain.references, 1u);
}

}  // namespace
