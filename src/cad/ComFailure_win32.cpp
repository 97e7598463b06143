#include "cad/ComFailure_win32.h"

#include "cad/UniqueBstr_win32.h"
#include "platform/Utf16_win32.h"

#include <array>
#include <cstdio>
#include <utility>

namespace psm::cad {
namespace {

// Texts for the codes this layer meets, for systems whose message tables lack
// them (Wine's do).
struct KnownText {
    HRESULT Code;
    const char* Text;
};

constexpr KnownText KnownTexts[] = {
    {E_NOINTERFACE, "No such interface supported."},
    {E_POINTER, "Invalid pointer."},
    {E_NOTIMPL, "Not implemented."},
    {DISP_E_UNKNOWNINTERFACE, "Unknown interface."},
    {DISP_E_MEMBERNOTFOUND, "Member not found."},
    {DISP_E_PARAMNOTFOUND, "Parameter not found."},
    {DISP_E_TYPEMISMATCH, "Type mismatch."},
    {DISP_E_UNKNOWNNAME, "Unknown name."},
    {DISP_E_NONAMEDARGS, "No named arguments."},
    {DISP_E_BADVARTYPE, "Bad variable type."},
    {DISP_E_EXCEPTION, "Exception occurred."},
    {DISP_E_OVERFLOW, "Out of present range."},
    {DISP_E_BADINDEX, "Invalid index."},
    {DISP_E_BADPARAMCOUNT, "Invalid number of parameters."},
    {DISP_E_PARAMNOTOPTIONAL, "Parameter not optional."},
    {DISP_E_NOTACOLLECTION, "Does not support a collection."},
    {MK_E_UNAVAILABLE, "Operation unavailable."},
    {CO_E_CLASSSTRING, "Invalid class string."},
    {CO_E_IIDSTRING, "Invalid interface string."},
    {CO_E_NOTINITIALIZED, "CoInitialize has not been called."},
    {RPC_E_CALL_REJECTED, "Call was rejected by callee."},
    {RPC_E_SERVERCALL_RETRYLATER, "The message filter indicated that the application is busy."},
    {RPC_E_DISCONNECTED, "The object invoked has disconnected from its clients."},
    {RPC_E_SERVER_DIED, "The remote procedure call failed and did not execute."},
    {RPC_E_CANTCALLOUT_ININPUTSYNCCALL,
     "An outgoing call cannot be made since the application is dispatching an input-synchronous "
     "call."},
};

std::string SystemText(DWORD code) {
    std::array<wchar_t, 512> buffer{};
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       buffer.data(), static_cast<DWORD>(buffer.size()), nullptr);
    std::wstring_view text(buffer.data(), length < buffer.size() ? length : 0);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.remove_suffix(1);
    }
    return Narrow(text);
}

std::string CodeText(HRESULT hr) {
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "Error 0x%08lX",
                  static_cast<unsigned long>(static_cast<ULONG>(hr)));
    return buffer.data();
}

} // namespace

std::string HresultText(HRESULT hr) {
    std::string text = SystemText(static_cast<DWORD>(hr));
    if (text.empty() && HRESULT_FACILITY(hr) == FACILITY_WIN32) {
        text = SystemText(static_cast<DWORD>(HRESULT_CODE(hr)));
    }
    if (!text.empty()) {
        return text;
    }
    for (const KnownText& known : KnownTexts) {
        if (known.Code == hr) {
            return known.Text;
        }
    }
    return CodeText(hr);
}

Failure FailureFromHresult(HRESULT hr) {
    return Failure{static_cast<int32_t>(hr), HresultText(hr)};
}

void UniqueExcepInfo::FillIn() noexcept {
    if (m_info.pfnDeferredFillIn != nullptr) {
        const auto fillIn = m_info.pfnDeferredFillIn;
        m_info.pfnDeferredFillIn = nullptr;
        fillIn(&m_info);
    }
}

void UniqueExcepInfo::Reset() noexcept {
    // Each string taken over by an owner that frees it at once.
    for (BSTR* text : {&m_info.bstrSource, &m_info.bstrDescription, &m_info.bstrHelpFile}) {
        const UniqueBstr owned(std::exchange(*text, nullptr));
    }
    m_info = EXCEPINFO{};
}

Failure InvokeFailure(HRESULT hr, UniqueExcepInfo& exception, UINT argError, UINT argCount,
                      UINT namedCount) {
    if (hr == DISP_E_EXCEPTION) {
        exception.FillIn();
        const EXCEPINFO& info = exception.Info();
        HRESULT code = hr;
        if (FAILED(info.scode)) {
            code = info.scode;
        } else if (info.wCode != 0) {
            code = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, info.wCode);
        }
        std::string text = BstrToUtf8(info.bstrDescription);
        if (text.empty()) {
            text = HresultText(code);
        }
        return Failure{static_cast<int32_t>(code), std::move(text)};
    }
    Failure failure = FailureFromHresult(hr);
    if ((hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND) && argError < argCount) {
        if (argError < namedCount) {
            failure.Text += " (assigned value)";
        } else {
            failure.Text += " (argument " + std::to_string(argCount - argError) + ")";
        }
    }
    return failure;
}

} // namespace psm::cad
