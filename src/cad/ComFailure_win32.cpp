#include "cad/ComFailure_win32.h"

#include "cad/UniqueBstr_win32.h"
#include "platform/Utf16_win32.h"

#include <array>
#include <cstdio>

namespace psm::cad {
namespace {

std::string CodeText(HRESULT hr) {
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "Error 0x%08lX",
                  static_cast<unsigned long>(static_cast<ULONG>(hr)));
    return buffer.data();
}

} // namespace

std::string HresultText(HRESULT hr) {
    std::array<wchar_t, 512> buffer{};
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, static_cast<DWORD>(hr), 0, buffer.data(),
                                        static_cast<DWORD>(buffer.size()), nullptr);
    std::wstring_view text(buffer.data(), length < buffer.size() ? length : 0);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        return CodeText(hr);
    }
    return Narrow(text);
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
    SysFreeString(m_info.bstrSource);
    SysFreeString(m_info.bstrDescription);
    SysFreeString(m_info.bstrHelpFile);
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
