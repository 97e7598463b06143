#include "cad/ComApartment_win32.h"
#include "cad/MessageFilter_win32.h"

#include <gtest/gtest.h>
#include <thread>

using Microsoft::WRL::ComPtr;

namespace psm::cad {
namespace {

constexpr DWORD Cancel = static_cast<DWORD>(-1);

TEST(RetryDelay, RetriesABusyServerUntilTheBudgetIsSpent) {
    for (DWORD reject : {DWORD{SERVERCALL_RETRYLATER}, DWORD{SERVERCALL_REJECTED}}) {
        EXPECT_EQ(RetryDelay(0, reject), RetryIntervalMs);
        EXPECT_EQ(RetryDelay(2500, reject), RetryIntervalMs);
        EXPECT_EQ(RetryDelay(RetryBudgetMs - 1, reject), RetryIntervalMs);
        EXPECT_EQ(RetryDelay(RetryBudgetMs, reject), Cancel);
        EXPECT_EQ(RetryDelay(60000, reject), Cancel);
        EXPECT_EQ(RetryDelay(0xFFFFFFFF, reject), Cancel);
    }
}

TEST(RetryDelay, WaitsRatherThanRetryingAtOnce) {
    // 0..99 would mean "retry immediately": a busy server would be hammered.
    EXPECT_GE(RetryIntervalMs, 100u);
    EXPECT_EQ(RetryBudgetMs, 5000u);
}

TEST(RetryDelay, CancelsAnythingButABusyRejection) {
    EXPECT_EQ(RetryDelay(0, SERVERCALL_ISHANDLED), Cancel);
    EXPECT_EQ(RetryDelay(0, 7), Cancel);
}

TEST(RetryMessageFilter, AnswersAsADefaultClientShould) {
    const ComPtr<IMessageFilter> filter = MakeRetryMessageFilter();
    ASSERT_NE(filter.Get(), nullptr);
    EXPECT_EQ(filter->HandleInComingCall(CALLTYPE_TOPLEVEL, nullptr, 0, nullptr),
              DWORD{SERVERCALL_ISHANDLED});
    EXPECT_EQ(filter->MessagePending(nullptr, 10, PENDINGTYPE_TOPLEVEL),
              DWORD{PENDINGMSG_WAITDEFPROCESS});
    EXPECT_EQ(filter->RetryRejectedCall(nullptr, 1000, SERVERCALL_RETRYLATER), RetryIntervalMs);
    EXPECT_EQ(filter->RetryRejectedCall(nullptr, 6000, SERVERCALL_RETRYLATER), Cancel);
}

TEST(RetryMessageFilter, IsAnIMessageFilterOnly) {
    const ComPtr<IMessageFilter> filter = MakeRetryMessageFilter();
    ComPtr<IUnknown> unknown;
    EXPECT_EQ(filter.As(&unknown), S_OK);
    ComPtr<IDispatch> dispatch;
    EXPECT_EQ(filter.As(&dispatch), E_NOINTERFACE);
    EXPECT_EQ(dispatch.Get(), nullptr);
}

// The filter registered now, put back unchanged.
ComPtr<IMessageFilter> CurrentFilter() {
    ComPtr<IMessageFilter> current;
    const ComPtr<IMessageFilter> probe = MakeRetryMessageFilter();
    if (FAILED(CoRegisterMessageFilter(probe.Get(), current.ReleaseAndGetAddressOf()))) {
        return nullptr;
    }
    CoRegisterMessageFilter(current.Get(), nullptr);
    return current;
}

TEST(MessageFilterRegistration, RegistersForItsLifetimeAndRestoresThePrevious) {
    std::thread([] {
        const ComApartment apartment;
        ASSERT_TRUE(apartment.Ok());
        ASSERT_EQ(CurrentFilter().Get(), nullptr);
        ComPtr<IMessageFilter> outerFilter;
        {
            const MessageFilterRegistration outer;
            ASSERT_TRUE(outer.Ok()) << std::hex << outer.Status();
            outerFilter = CurrentFilter();
            ASSERT_NE(outerFilter.Get(), nullptr);
            {
                const MessageFilterRegistration inner;
                ASSERT_TRUE(inner.Ok());
                const ComPtr<IMessageFilter> innerFilter = CurrentFilter();
                EXPECT_NE(innerFilter.Get(), nullptr);
                EXPECT_NE(innerFilter.Get(), outerFilter.Get());
            }
            EXPECT_EQ(CurrentFilter().Get(), outerFilter.Get());
        }
        EXPECT_EQ(CurrentFilter().Get(), nullptr);
    }).join();
}

TEST(MessageFilterRegistration, FailsOutsideASingleThreadedApartment) {
    std::thread([] {
        const ComApartment apartment(COINIT_MULTITHREADED);
        ASSERT_TRUE(apartment.Ok());
        const MessageFilterRegistration registration;
        EXPECT_FALSE(registration.Ok());
    }).join();
}

} // namespace
} // namespace psm::cad
