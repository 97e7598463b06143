#include "cad/ComFailure_win32.h"

#include <gtest/gtest.h>

namespace psm::cad {
namespace {

TEST(HresultText, UsesTheSystemText) {
    const std::string text = HresultText(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find("Error 0x"), std::string::npos) << text;
    EXPECT_NE(text.back(), '\n');
    EXPECT_NE(text.back(), ' ');
}

TEST(HresultText, KnowsTheAutomationCodesEvenWhereTheSystemDoesNot) {
    for (HRESULT hr :
         {E_NOINTERFACE, DISP_E_UNKNOWNNAME, DISP_E_MEMBERNOTFOUND, DISP_E_BADPARAMCOUNT,
          DISP_E_TYPEMISMATCH, DISP_E_EXCEPTION, MK_E_UNAVAILABLE, CO_E_CLASSSTRING,
          RPC_E_CALL_REJECTED, RPC_E_SERVERCALL_RETRYLATER, RPC_E_DISCONNECTED}) {
        const std::string text = HresultText(hr);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.find("Error 0x"), std::string::npos) << std::hex << hr << ": " << text;
    }
}

TEST(HresultText, NamesTheCodeWhenTheSystemHasNoText) {
    EXPECT_EQ(HresultText(static_cast<HRESULT>(0x800A802B)), "Error 0x800A802B");
}

TEST(FailureFromHresult, CarriesCodeAndText) {
    const Failure failure = FailureFromHresult(DISP_E_UNKNOWNNAME);
    EXPECT_EQ(failure.Code, FailureCode::UnknownName);
    EXPECT_EQ(failure.Text, HresultText(DISP_E_UNKNOWNNAME));
}

TEST(InvokeFailure, ReportsTheServersCodeAndDescription) {
    UniqueExcepInfo exception;
    exception.Get()->scode = static_cast<HRESULT>(0x800A01C9);
    exception.Get()->bstrDescription = SysAllocString(L"Schl\u00fcssel existiert bereits");
    exception.Get()->bstrSource = SysAllocString(L"Server");
    const Failure failure = InvokeFailure(DISP_E_EXCEPTION, exception, 0, 2, 0);
    EXPECT_EQ(failure.Code, static_cast<int32_t>(0x800A01C9));
    EXPECT_EQ(failure.Text, "Schl\xC3\xBCssel existiert bereits");
}

TEST(InvokeFailure, TurnsAServerErrorNumberIntoAControlHresult) {
    UniqueExcepInfo exception;
    exception.Get()->wCode = 1000;
    const Failure failure = InvokeFailure(DISP_E_EXCEPTION, exception, 0, 0, 0);
    EXPECT_EQ(failure.Code, static_cast<int32_t>(0x800A03E8));
    EXPECT_EQ(failure.Text, "Error 0x800A03E8");
}

TEST(InvokeFailure, KeepsDispExceptionWhenTheServerGaveNoCode) {
    UniqueExcepInfo exception;
    const Failure failure = InvokeFailure(DISP_E_EXCEPTION, exception, 0, 0, 0);
    EXPECT_EQ(failure.Code, FailureCode::Exception);
    EXPECT_FALSE(failure.Text.empty());
}

int fillIns = 0;

HRESULT STDAPICALLTYPE FillIn(EXCEPINFO* info) {
    ++fillIns;
    info->scode = E_FAIL;
    info->bstrDescription = SysAllocString(L"filled in later");
    return S_OK;
}

TEST(InvokeFailure, LetsTheServerFillInDeferredDetailsOnce) {
    fillIns = 0;
    UniqueExcepInfo exception;
    exception.Get()->pfnDeferredFillIn = &FillIn;
    const Failure failure = InvokeFailure(DISP_E_EXCEPTION, exception, 0, 0, 0);
    EXPECT_EQ(fillIns, 1);
    EXPECT_EQ(failure.Code, E_FAIL);
    EXPECT_EQ(failure.Text, "filled in later");
    exception.FillIn();
    EXPECT_EQ(fillIns, 1);
}

TEST(InvokeFailure, OtherCodesIgnoreTheExceptionInfo) {
    UniqueExcepInfo exception;
    exception.Get()->scode = E_FAIL;
    exception.Get()->bstrDescription = SysAllocString(L"stale");
    const Failure failure = InvokeFailure(DISP_E_BADPARAMCOUNT, exception, 0, 0, 0);
    EXPECT_EQ(failure.Code, FailureCode::BadParamCount);
    EXPECT_EQ(failure.Text.find("stale"), std::string::npos);
}

TEST(InvokeFailure, NamesTheArgumentThatDidNotFit) {
    UniqueExcepInfo exception;
    // rgvarg is reversed: index 0 is the last of three arguments.
    EXPECT_NE(InvokeFailure(DISP_E_TYPEMISMATCH, exception, 0, 3, 0).Text.find("(argument 3)"),
              std::string::npos);
    EXPECT_NE(InvokeFailure(DISP_E_TYPEMISMATCH, exception, 2, 3, 0).Text.find("(argument 1)"),
              std::string::npos);
    // A put: index 0 is the assigned value, then the arguments reversed.
    EXPECT_NE(InvokeFailure(DISP_E_PARAMNOTFOUND, exception, 0, 2, 1).Text.find("assigned value"),
              std::string::npos);
    EXPECT_NE(InvokeFailure(DISP_E_TYPEMISMATCH, exception, 1, 2, 1).Text.find("(argument 1)"),
              std::string::npos);
    // An index outside the arguments names none.
    EXPECT_EQ(InvokeFailure(DISP_E_TYPEMISMATCH, exception, 5, 2, 0).Text,
              HresultText(DISP_E_TYPEMISMATCH));
}

TEST(UniqueExcepInfo, ResetFreesAndClears) {
    UniqueExcepInfo exception;
    exception.Get()->bstrDescription = SysAllocString(L"x");
    exception.Get()->bstrHelpFile = SysAllocString(L"y");
    exception.Get()->wCode = 5;
    exception.Reset();
    EXPECT_EQ(exception.Info().bstrDescription, nullptr);
    EXPECT_EQ(exception.Info().bstrHelpFile, nullptr);
    EXPECT_EQ(exception.Info().wCode, 0);
}

} // namespace
} // namespace psm::cad
