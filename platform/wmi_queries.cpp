#include "platform/wmi_queries.h"

#include <wbemidl.h>

#include <cwchar>

#include "ui/bios_update_dlg.h"

namespace {

// "\\.\root\cimv2": the local machine's root\cimv2 namespace.
constexpr char kWmiNamespace[] = "\\\\.\\root\\cimv2";
constexpr DWORD kEnumStepTimeoutMs = 2000;

// A BSTR copy of a text, freed when it goes; an allocation failure leaves it null.
class ScopedBstr {
public:
    explicit ScopedBstr(const wchar_t* text) : bstr_(::SysAllocString(text)) {}
    ~ScopedBstr() { ::SysFreeString(bstr_); }
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    BSTR get() const { return bstr_; }

private:
    BSTR bstr_;
};

std::wstring Widened(const char* ascii) {
    std::wstring wide;
    for (const char* c = ascii; *c != '\0'; ++c) wide.push_back(static_cast<wchar_t>(*c));
    return wide;
}

}  // namespace

std::string UpperPropertyText(const VARIANT& value) {
    if (value.vt != VT_BSTR || value.bstrVal == nullptr) return std::string();
    // Upper-cased before the conversion: in a double-byte code page the second byte of a
    // character may lie in a..z and must stay as it is.
    std::wstring wide(value.bstrVal, std::wcslen(value.bstrVal));
    for (wchar_t& c : wide) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    if (wide.empty()) return std::string();
    const int units = static_cast<int>(wide.size());
    const int bytes =
        ::WideCharToMultiByte(CP_THREAD_ACP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::string();
    std::string text(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_THREAD_ACP, 0, wide.data(), units, text.data(), bytes, nullptr,
                          nullptr);
    return text;
}

bool CBiosUpdateDlg::ConnectWmi() {
    ScopedBstr path(Widened(kWmiNamespace).c_str());
    if (path.get() == nullptr) return false;
    Microsoft::WRL::ComPtr<IWbemLocator> locator;
    if (::CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                           reinterpret_cast<void**>(locator.GetAddressOf())) != S_OK) {
        return false;
    }
    // A second connection replaces the first.
    m_pWbemServices.Reset();
    const HRESULT hr = locator->ConnectServer(path.get(), nullptr, nullptr, nullptr, 0, nullptr,
                                              nullptr, m_pWbemServices.GetAddressOf());
    if (FAILED(hr)) {
        m_pWbemServices.Reset();
        return false;
    }
    return true;
}

bool CBiosUpdateDlg::GetFirstInstance(const wchar_t* className,
                                      Microsoft::WRL::ComPtr<IEnumWbemClassObject>& enumerator,
                                      Microsoft::WRL::ComPtr<IWbemClassObject>& object) {
    if (!m_pWbemServices) return false;
    ScopedBstr name(className);
    if (name.get() == nullptr) return false;
    // The enumerator stays in its field whatever follows; the caller lets go of it.
    if (FAILED(m_pWbemServices->CreateInstanceEnum(name.get(), 0, nullptr,
                                                   enumerator.ReleaseAndGetAddressOf()))) {
        return false;
    }
    ULONG returned = 0;
    const HRESULT hr =
        enumerator->Next(kEnumStepTimeoutMs, 1, object.ReleaseAndGetAddressOf(), &returned);
    // WBEM_S_FALSE and WBEM_S_TIMEDOUT are successes that deliver nothing.
    return SUCCEEDED(hr) && returned == 1;
}

bool CBiosUpdateDlg::GetPropertyValue(const wchar_t* propertyName, IWbemClassObject* object,
                                      VARIANT& value) {
    ::VariantClear(&value);
    if (object == nullptr) return false;
    ScopedBstr name(propertyName);
    if (name.get() == nullptr) return false;
    return SUCCEEDED(object->Get(name.get(), 0, &value, nullptr, nullptr));
}
