#include "CadTestSupport.h"
#include "cad/ComApartment_win32.h"
#include "cad/MessageFilter_win32.h"

#include <gtest/gtest.h>
#include <thread>

using Microsoft::WRL::ComPtr;

namespace psm::cad {
namespace {

constexpr DWORD Cancel = static_cast<DWORD>(-1);

using std::chrono::milliseconds;

// A budget that a test opens and lets run down.
struct Budget {
    cad::test::FakeClock clock;
    WaitBudget budget{clock};
};

TEST(RetryDelay, RetriesABusyServerWhileTheBudgetLasts) {
    for (DWORD reject : {DWORD{SERVERCALL_RETRYLATER}, DWORD{SERVERCALL_REJECTED}}) {
        EXPECT_EQ(RetryDelay(reject, milliseconds(RetryBudgetMs)), RetryIntervalMs);
        EXPECT_EQ(RetryDelay(reject, milliseconds(40)), 40u) << "never beyond the budget";
        EXPECT_EQ(RetryDelay(reject, milliseconds(0)), Cancel);
    }
    // Rather than retrying at once: 0..99 would hammer a busy server.
    EXPECT_GE(RetryIntervalMs, 100u);
}

TEST(RetryDelay, CancelsAnythingButABusyRejection) {
    EXPECT_EQ(RetryDelay(SERVERCALL_ISHANDLED, milliseconds(RetryBudgetMs)), Cancel);
    EXPECT_EQ(RetryDelay(7, milliseconds(RetryBudgetMs)), Cancel);
}

TEST(RetryMessageFilter, WaitsOnlyWithinACommandsBudget) {
    Budget waits;
    const ComPtr<IMessageFilter> filter = MakeRetryMessageFilter(waits.budget);
    ASSERT_NE(filter.Get(), nullptr);
    EXPECT_EQ(filter->HandleInComingCall(CALLTYPE_TOPLEVEL, nullptr, 0, nullptr),
              DWORD{SERVERCALL_ISHANDLED});
    EXPECT_EQ(filter->MessagePending(nullptr, 10, PENDINGTYPE_TOPLEVEL),
              DWORD{PENDINGMSG_WAITDEFPROCESS});
    EXPECT_EQ(filter->RetryRejectedCall(nullptr, 0, SERVERCALL_RETRYLATER), Cancel)
        << "a timer tick never waits";
    {
        const CommandWaits command(waits.budget);
        EXPECT_EQ(filter->RetryRejectedCall(nullptr, 1000, SERVERCALL_RETRYLATER), RetryIntervalMs);
        waits.clock.Time += milliseconds(RetryBudgetMs);
        EXPECT_EQ(filter->RetryRejectedCall(nullptr, 6000, SERVERCALL_RETRYLATER), Cancel);
    }
}

TEST(RetryMessageFilter, IsAnIMessageFilterOnly) {
    Budget waits;
    const ComPtr<IMessageFilter> filter = MakeRetryMessageFilter(waits.budget);
    ComPtr<IUnknown> unknown;
    EXPECT_EQ(filter.As(&unknown), S_OK);
    ComPtr<IDispatch> dispatch;
    EXPECT_EQ(filter.As(&dispatch), E_NOINTERFACE);
    EXPECT_EQ(dispatch.Get(), nullptr);
}

// The filter registered now, put back unchanged.
ComPtr<IMessageFilter> CurrentFilter() {
    ComPtr<IMessageFilter> current;
    static Budget waits;
    const ComPtr<IMessageFilter> probe = MakeRetryMessageFilter(waits.budget);
    if (FAILED(CoRegisterMessageFilter(probe.Get(), current.ReleaseAndGetAddressOf()))) {
        return nullptr;
    }
    CoRegisterMessageFilter(current.Get(), nullptr);
    return current;
}

TEST(MessageFilterRegistration, RegistersForItsLifetimeAndRestoresThePrevious) {
    std::thread([] {
        Budget waits;
        const ComApartment apartment;
        ASSERT_TRUE(apartment.Ok());
        ASSERT_EQ(CurrentFilter().Get(), nullptr);
        ComPtr<IMessageFilter> outerFilter;
        {
            const MessageFilterRegistration outer(waits.budget);
            ASSERT_TRUE(outer.Ok()) << std::hex << outer.Status();
            outerFilter = CurrentFilter();
            ASSERT_NE(outerFilter.Get(), nullptr);
            {
                const MessageFilterRegistration inner(waits.budget);
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
        Budget waits;
        const MessageFilterRegistration registration(waits.budget);
        EXPECT_FALSE(registration.Ok());
    }).join();
}

} // namespace
} // namespace psm::cad
