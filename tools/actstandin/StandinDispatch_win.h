#pragma once
// A hand-written IDispatch without a type library: members are found by name
// without regard to letter case, arguments arrive coerced to plain values,
// every call is logged, and a fault is handed to the caller as
// DISP_E_EXCEPTION with its EXCEPINFO. No C++ exception leaves a method.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

namespace standin {

// A call's argument, first argument first, BYREF resolved.
struct Arg {
    VARIANT v;
    std::wstring Text() const;
    long Number() const;
    bool Truth() const;
};

// Thrown inside a member to answer the call with an automation error.
struct Fault {
    HRESULT scode;
    std::wstring description;
};

class DispatchBase : public IDispatch {
public:
    // `members`: names in the order of their DISPIDs (1, 2, ...).
    DispatchBase(std::wstring logName, const std::vector<std::wstring>& members);
    virtual ~DispatchBase();
    DispatchBase(const DispatchBase&) = delete;
    DispatchBase& operator=(const DispatchBase&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* excepInfo, UINT* argError) override;

protected:
    // Member `index` (0-based) with its arguments; fills `result` (VT_EMPTY on entry).
    virtual void Call(std::size_t index, const std::vector<Arg>& args, VARIANT& result) = 0;
    static void Need(const std::vector<Arg>& args, std::size_t count);

private:
    LONG m_Refs = 1;
    std::wstring m_LogName;
    const std::vector<std::wstring>& m_Members;
};

void SetText(VARIANT& v, const std::wstring& text);
void SetNumber(VARIANT& v, long n);
// Takes over one reference of `object` (nullptr gives Nothing).
void SetObject(VARIANT& v, IDispatch* object);

}  // namespace standin
