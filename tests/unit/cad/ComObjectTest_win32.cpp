// What ComObject sends through IDispatch::Invoke, seen by a recording fake.

#include "FakeDispatch_win32.h"
#include "cad/ComObject_win32.h"

#include <gtest/gtest.h>

using Microsoft::WRL::ComPtr;

namespace psm::cad {
namespace {

using testing::FakeDispatch;

constexpr DISPID Some = 17;

class ComObjectCalls : public ::testing::Test {
  protected:
    ComObjectCalls() {
        m_fake->OnInvoke = [this](DISPID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*) {
            if (flags == DISPATCH_PROPERTYPUTREF && !m_takesPutRef) {
                return DISP_E_MEMBERNOTFOUND;
            }
            if (result != nullptr) {
                V_VT(result) = VT_I2;
                V_I2(result) = 42;
            }
            return S_OK;
        };
    }

    const testing::InvokeRecord& Last() const { return m_fake->Invokes.back(); }

    ComPtr<FakeDispatch> m_fake = FakeDispatch::Make();
    ComObject m_object{m_fake, std::string()};
    bool m_takesPutRef = true;
};

TEST_F(ComObjectCalls, GetWithoutArgumentsIsAPropertyGet) {
    const auto value = m_object.Get(Member::ById(Some), {});
    ASSERT_TRUE(value.Ok());
    EXPECT_EQ(value.Value(), Value::Int16(42));
    ASSERT_EQ(m_fake->Invokes.size(), 1u);
    EXPECT_EQ(Last().Id, Some);
    EXPECT_EQ(Last().Flags, DISPATCH_PROPERTYGET);
    EXPECT_TRUE(Last().ArgTypes.empty());
    EXPECT_TRUE(Last().WantsResult);
    EXPECT_TRUE(Last().HasExcepInfo);
    EXPECT_EQ(m_fake->NameLookups, 0);
}

TEST_F(ComObjectCalls, GetWithArgumentsMayAlsoReachAMethod) {
    const Value args[] = {Value::Int16(1), Value::Text("a")};
    ASSERT_TRUE(m_object.Get(Member::ById(Some), args).Ok());
    EXPECT_EQ(Last().Flags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    EXPECT_EQ(Last().ArgTypes, (std::vector<VARTYPE>{VT_BSTR, VT_I2}));
    EXPECT_TRUE(Last().Named.empty());
}

TEST_F(ComObjectCalls, CallIsAMethodCallWithItsResult) {
    const Value args[] = {Value::Int32(5), Value::Boolean(true), Value::Double(1.0)};
    const auto value = m_object.Call(Member::ById(Some), args);
    ASSERT_TRUE(value.Ok());
    EXPECT_EQ(value.Value(), Value::Int16(42));
    EXPECT_EQ(Last().Flags, DISPATCH_METHOD);
    EXPECT_EQ(Last().ArgTypes, (std::vector<VARTYPE>{VT_R8, VT_BOOL, VT_I4}));
    EXPECT_TRUE(Last().WantsResult);
}

TEST_F(ComObjectCalls, PutPassesTheValueAsTheNamedPropertyPutArgument) {
    const Value args[] = {Value::Int16(3)};
    ASSERT_TRUE(m_object.Put(Member::ById(Some), args, Value::Double(0.5)).Ok());
    ASSERT_EQ(m_fake->Invokes.size(), 1u);
    EXPECT_EQ(Last().Flags, DISPATCH_PROPERTYPUT);
    EXPECT_EQ(Last().ArgTypes, (std::vector<VARTYPE>{VT_R8, VT_I2}));
    EXPECT_EQ(Last().Named, (std::vector<DISPID>{DISPID_PROPERTYPUT}));
    EXPECT_FALSE(Last().WantsResult);
    EXPECT_TRUE(Last().HasExcepInfo);
}

TEST_F(ComObjectCalls, AnObjectIsPutByReference) {
    const auto other = std::make_shared<ComObject>(FakeDispatch::Make(), std::string());
    ASSERT_TRUE(m_object.Put(Member::ById(Some), {}, Value::Object(other)).Ok());
    ASSERT_EQ(m_fake->Invokes.size(), 1u);
    EXPECT_EQ(Last().Flags, DISPATCH_PROPERTYPUTREF);
    EXPECT_EQ(Last().ArgTypes, (std::vector<VARTYPE>{VT_DISPATCH}));
}

TEST_F(ComObjectCalls, AnObjectGoesByValueWhenTheServerHasNoReferencePut) {
    m_takesPutRef = false;
    const auto other = std::make_shared<ComObject>(FakeDispatch::Make(), std::string());
    ASSERT_TRUE(m_object.Put(Member::ById(Some), {}, Value::Object(other)).Ok());
    ASSERT_EQ(m_fake->Invokes.size(), 2u);
    EXPECT_EQ(m_fake->Invokes[0].Flags, DISPATCH_PROPERTYPUTREF);
    EXPECT_EQ(m_fake->Invokes[1].Flags, DISPATCH_PROPERTYPUT);
}

TEST_F(ComObjectCalls, AFailedReferencePutIsNotRetriedByValue) {
    m_fake->OnInvoke = [](DISPID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*) {
        return E_ACCESSDENIED;
    };
    const auto other = std::make_shared<ComObject>(FakeDispatch::Make(), std::string());
    const auto put = m_object.Put(Member::ById(Some), {}, Value::Object(other));
    ASSERT_FALSE(put.Ok());
    EXPECT_EQ(put.Error().Code, E_ACCESSDENIED);
    EXPECT_EQ(m_fake->Invokes.size(), 1u);
}

TEST_F(ComObjectCalls, AnArgumentThatCannotBePassedStopsTheCall) {
    class Foreign final : public Object {
      public:
        std::string_view Interface() const override { return {}; }
        Result<ObjectRef> As(std::string_view) override { return Failure{}; }
        Result<Value> Get(const Member&, std::span<const Value>) override { return Value(); }
        Result<void> Put(const Member&, std::span<const Value>, const Value&) override {
            return {};
        }
        Result<Value> Call(const Member&, std::span<const Value>) override { return Value(); }
    };
    const Value args[] = {Value::Object(std::make_shared<Foreign>())};
    const auto call = m_object.Call(Member::ById(Some), args);
    ASSERT_FALSE(call.Ok());
    EXPECT_EQ(call.Error().Code, FailureCode::TypeMismatch);
    EXPECT_TRUE(m_fake->Invokes.empty());
}

TEST_F(ComObjectCalls, AResultOfAnUnsupportedTypeIsAFailure) {
    m_fake->OnInvoke = [](DISPID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*) {
        V_VT(result) = VT_ARRAY | VT_VARIANT;
        V_ARRAY(result) = SafeArrayCreateVector(VT_VARIANT, 0, 2);
        return S_OK;
    };
    const auto value = m_object.Call(Member::ById(Some), {});
    ASSERT_FALSE(value.Ok());
    EXPECT_EQ(value.Error().Code, FailureCode::TypeMismatch);
}

HRESULT STDAPICALLTYPE DescribeLater(EXCEPINFO* info) {
    info->bstrDescription = SysAllocString(L"Formel ung\u00fcltig");
    return S_OK;
}

TEST_F(ComObjectCalls, AServerExceptionGivesItsCodeAndDescription) {
    m_fake->OnInvoke = [](DISPID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO* exception) {
        exception->scode = static_cast<HRESULT>(0x80040200);
        exception->bstrSource = SysAllocString(L"CAD");
        exception->pfnDeferredFillIn = &DescribeLater;
        return DISP_E_EXCEPTION;
    };
    const auto put = m_object.Put(Member::ById(Some), {}, Value::Text("x"));
    ASSERT_FALSE(put.Ok());
    EXPECT_EQ(put.Error().Code, static_cast<int32_t>(0x80040200));
    EXPECT_EQ(put.Error().Text, "Formel ung\xC3\xBCltig");
}

TEST_F(ComObjectCalls, AnUnknownNameIsNotInvokedAndNotRemembered) {
    for (int attempt = 1; attempt <= 2; ++attempt) {
        const auto value = m_object.Get(Member::ByName("Nothing"), {});
        ASSERT_FALSE(value.Ok());
        EXPECT_EQ(value.Error().Code, FailureCode::UnknownName);
        EXPECT_NE(value.Error().Text.find("Nothing"), std::string::npos);
        EXPECT_EQ(m_fake->NameLookups, attempt);
    }
    EXPECT_TRUE(m_fake->Invokes.empty());
}

TEST(ComObjectAs, SeesTheObjectThroughADispatchInterface) {
    const auto fake = FakeDispatch::Make();
    ComObject object(fake, std::string());
    const std::string dispatchId = "{00020400-0000-0000-C000-000000000046}";
    const auto seen = object.As(dispatchId);
    ASSERT_TRUE(seen.Ok()) << seen.Error().Text;
    EXPECT_EQ(seen.Value()->Interface(), dispatchId);
    const auto* comObject = dynamic_cast<const ComObject*>(seen.Value().get());
    ASSERT_NE(comObject, nullptr);
    EXPECT_EQ(comObject->Dispatch().Get(), fake.Get());
    EXPECT_EQ(object.Interface(), "");
}

TEST(ComObjectAs, EmptyIdentifierIsThePlainDispatch) {
    const auto fake = FakeDispatch::Make();
    ComObject object(fake, "{00020400-0000-0000-C000-000000000046}");
    const auto plain = object.As("");
    ASSERT_TRUE(plain.Ok());
    EXPECT_EQ(plain.Value()->Interface(), "");
}

TEST(ComObjectAs, FailsForAnInterfaceTheObjectLacks) {
    ComObject object(FakeDispatch::Make(), std::string());
    const auto seen = object.As("{5D1C3B36-8A64-4C3E-9C3B-2F0C0E6A7B11}");
    ASSERT_FALSE(seen.Ok());
    EXPECT_EQ(seen.Error().Code, FailureCode::NoInterface);
}

TEST(ComObjectAs, RefusesIUnknownWhichCannotBeInvoked) {
    ComObject object(FakeDispatch::Make(), std::string());
    const auto seen = object.As("{00000000-0000-0000-C000-000000000046}");
    ASSERT_FALSE(seen.Ok());
    EXPECT_EQ(seen.Error().Code, FailureCode::NoInterface);
}

TEST(ComObjectAs, FailsForAMalformedIdentifier) {
    ComObject object(FakeDispatch::Make(), std::string());
    for (const char* text : {"SolidEdge", "{00020400-0000-0000-C000}", "00020400"}) {
        const auto seen = object.As(text);
        ASSERT_FALSE(seen.Ok()) << text;
        EXPECT_LT(seen.Error().Code, 0) << text;
        EXPECT_FALSE(seen.Error().Text.empty());
    }
}

TEST(ComObjectNull, FailsInsteadOfCrashing) {
    ComObject object(nullptr, std::string());
    EXPECT_EQ(object.Get(Member::ByName("Count"), {}).Error().Code, E_POINTER);
    EXPECT_EQ(object.Call(Member::ById(1), {}).Error().Code, E_POINTER);
    EXPECT_EQ(object.Put(Member::ById(0), {}, Value()).Error().Code, E_POINTER);
    EXPECT_EQ(object.As("").Error().Code, E_POINTER);
}

} // namespace
} // namespace psm::cad
