#include "FakeDispatch_win32.h"
#include "cad/ComApartment_win32.h"
#include "cad/UniqueBstr_win32.h"
#include "cad/UniqueVariant_win32.h"
#include "platform/UniqueHandle_win32.h"

#include <gtest/gtest.h>
#include <thread>

namespace psm::cad {
namespace {

using testing::FakeDispatch;

TEST(UniqueBstr, HoldsUtf8TextAsUtf16) {
    const UniqueBstr text = BstrFromUtf8("Blechst\xC3\xA4rke");
    ASSERT_TRUE(text);
    EXPECT_EQ(SysStringLen(text.Get()), 11u);
    EXPECT_EQ(std::wstring(text.Get()), L"Blechst\u00e4rke");
    EXPECT_EQ(BstrToUtf8(text.Get()), "Blechst\xC3\xA4rke");
}

TEST(UniqueBstr, EmptyTextIsAnEmptyStringNotNull) {
    const UniqueBstr text = BstrFromUtf8("");
    ASSERT_TRUE(text);
    EXPECT_EQ(SysStringLen(text.Get()), 0u);
    EXPECT_EQ(BstrToUtf8(text.Get()), "");
}

TEST(UniqueBstr, KeepsEmbeddedNuls) {
    const std::string withNul("a\0b", 3);
    const UniqueBstr text = BstrFromUtf8(withNul);
    EXPECT_EQ(SysStringLen(text.Get()), 3u);
    EXPECT_EQ(BstrToUtf8(text.Get()), withNul);
}

TEST(UniqueBstr, MovingPassesOwnership) {
    UniqueBstr first = BstrFromUtf8("x");
    const BSTR raw = first.Get();
    UniqueBstr second(std::move(first));
    EXPECT_FALSE(first); // NOLINT(bugprone-use-after-move): moved-from is null by contract
    EXPECT_EQ(second.Get(), raw);
    UniqueBstr third;
    third = std::move(second);
    EXPECT_EQ(third.Get(), raw);
    const BSTR released = third.Release();
    EXPECT_FALSE(third);
    UniqueBstr owner(released);
    EXPECT_EQ(BstrToUtf8(owner.Get()), "x");
}

TEST(UniqueBstr, NullReadsAsEmptyText) {
    const UniqueBstr none;
    EXPECT_FALSE(none);
    EXPECT_EQ(BstrToUtf8(none.Get()), "");
    EXPECT_EQ(BstrToUtf8(nullptr), "");
}

TEST(UniqueBstr, OutParameterReplacesTheHeldString) {
    UniqueBstr text = BstrFromUtf8("old");
    BSTR* slot = text.Put();
    EXPECT_EQ(*slot, nullptr);
    *slot = SysAllocString(L"new");
    EXPECT_EQ(BstrToUtf8(text.Get()), "new");
}

UniqueVariant HoldingDispatch(IDispatch* dispatch) {
    UniqueVariant variant;
    VARIANT* slot = variant.Put();
    V_VT(slot) = VT_DISPATCH;
    dispatch->AddRef();
    V_DISPATCH(slot) = dispatch;
    return variant;
}

TEST(UniqueVariant, ReleasesItsInterfaceAtTheEnd) {
    const auto fake = FakeDispatch::Make();
    const ULONG before = fake->References();
    {
        const UniqueVariant variant = HoldingDispatch(fake.Get());
        EXPECT_EQ(fake->References(), before + 1);
    }
    EXPECT_EQ(fake->References(), before);
}

TEST(UniqueVariant, MovingLeavesTheSourceEmptyAndReleasesOnce) {
    const auto fake = FakeDispatch::Make();
    const ULONG before = fake->References();
    {
        UniqueVariant first = HoldingDispatch(fake.Get());
        UniqueVariant second(std::move(first));
        EXPECT_EQ(VariantType(first), VT_EMPTY); // NOLINT(bugprone-use-after-move)
        EXPECT_EQ(VariantType(second), VT_DISPATCH);
        UniqueVariant third = HoldingDispatch(fake.Get());
        EXPECT_EQ(fake->References(), before + 2);
        third = std::move(second); // releases what third held
        EXPECT_EQ(fake->References(), before + 1);
    }
    EXPECT_EQ(fake->References(), before);
}

TEST(UniqueVariant, ResetAndOutParameterClear) {
    const auto fake = FakeDispatch::Make();
    const ULONG before = fake->References();
    UniqueVariant variant = HoldingDispatch(fake.Get());
    VARIANT* slot = variant.Put();
    EXPECT_EQ(V_VT(slot), VT_EMPTY);
    EXPECT_EQ(fake->References(), before);

    variant = HoldingDispatch(fake.Get());
    variant.Reset();
    EXPECT_EQ(VariantType(variant), VT_EMPTY);
    EXPECT_EQ(fake->References(), before);
}

TEST(UniqueVariant, ReleaseHandsOverOwnership) {
    const auto fake = FakeDispatch::Make();
    const ULONG before = fake->References();
    UniqueVariant variant = HoldingDispatch(fake.Get());
    VARIANT raw = variant.Release();
    EXPECT_EQ(VariantType(variant), VT_EMPTY);
    EXPECT_EQ(fake->References(), before + 1);
    UniqueVariant owner(raw);
    EXPECT_EQ(V_VT(&raw), VT_EMPTY);
    owner.Reset();
    EXPECT_EQ(fake->References(), before);
}

// Every kind of handle goes through the same template: a kernel handle
// closed once when its owner ends, none closed after Release.
TEST(UniqueResource, ClosesAKernelHandleOnceAndNotAfterRelease) {
    HANDLE raw = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(raw, nullptr);
    DWORD flags = 0;
    {
        UniqueHandle first(raw);
        UniqueHandle second(std::move(first));
        EXPECT_FALSE(first); // NOLINT(bugprone-use-after-move)
        EXPECT_TRUE(GetHandleInformation(second.Get(), &flags));
    }
    EXPECT_FALSE(GetHandleInformation(raw, &flags));

    UniqueHandle kept(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const HANDLE released = kept.Release();
    kept.Reset();
    EXPECT_TRUE(GetHandleInformation(released, &flags));
    UniqueHandle owner(released);
}

APTTYPE CurrentApartment() {
    APTTYPE type = APTTYPE_CURRENT;
    APTTYPEQUALIFIER qualifier = APTTYPEQUALIFIER_NONE;
    if (FAILED(CoGetApartmentType(&type, &qualifier))) {
        return APTTYPE_CURRENT; // not in any apartment
    }
    return type;
}

TEST(ComApartment, JoinsASingleThreadedApartmentForItsLifetime) {
    std::thread([] {
        EXPECT_EQ(CurrentApartment(), APTTYPE_CURRENT);
        {
            const ComApartment apartment;
            ASSERT_TRUE(apartment.Ok());
            const APTTYPE type = CurrentApartment();
            EXPECT_TRUE(type == APTTYPE_STA || type == APTTYPE_MAINSTA) << type;
            {
                const ComApartment nested;
                EXPECT_TRUE(nested.Ok());
                EXPECT_EQ(nested.Status(), S_FALSE);
            }
            EXPECT_NE(CurrentApartment(), APTTYPE_CURRENT);
        }
        EXPECT_EQ(CurrentApartment(), APTTYPE_CURRENT);
    }).join();
}

TEST(ComApartment, ReportsAThreadAlreadyInAnotherModel) {
    std::thread([] {
        const ComApartment multi(COINIT_MULTITHREADED);
        ASSERT_TRUE(multi.Ok());
        {
            const ComApartment single;
            EXPECT_FALSE(single.Ok());
            EXPECT_EQ(single.Status(), RPC_E_CHANGED_MODE);
        }
        // The failed guard must not have ended the thread's apartment.
        EXPECT_EQ(CurrentApartment(), APTTYPE_MTA);
    }).join();
}

} // namespace
} // namespace psm::cad
