#include "FakeDispatch_win32.h"
#include "cad/ComObject_win32.h"
#include "cad/DispatchArguments_win32.h"
#include "cad/UniqueBstr_win32.h"
#include "cad/VariantConversion_win32.h"

#include <gtest/gtest.h>

namespace psm::cad {
namespace {

using testing::FakeDispatch;

const std::string Umlauts = "Blechst\xC3\xA4rke \xE2\x82\xAC";

// An object of another automation layer (the simulator, say).
class ForeignObject final : public Object {
  public:
    std::string_view Interface() const override { return {}; }
    Result<ObjectRef> As(std::string_view) override { return Failure{}; }
    Result<Value> Get(const Member&, std::span<const Value>) override { return Value(); }
    Result<void> Put(const Member&, std::span<const Value>, const Value&) override { return {}; }
    Result<Value> Call(const Member&, std::span<const Value>) override { return Value(); }
};

UniqueVariant Converted(const Value& value) {
    auto variant = ToVariant(value);
    EXPECT_TRUE(variant.Ok());
    return variant ? std::move(variant).Value() : UniqueVariant();
}

Value Back(const VARIANT& variant) {
    auto value = FromVariant(variant);
    EXPECT_TRUE(value.Ok()) << (value ? "" : value.Error().Text);
    return value ? value.Value() : Value();
}

TEST(ToVariant, GivesEachValueTypeItsAutomationType) {
    EXPECT_EQ(VariantType(Converted(Value())), VT_EMPTY);

    const UniqueVariant yes = Converted(Value::Boolean(true));
    ASSERT_EQ(VariantType(yes), VT_BOOL);
    EXPECT_EQ(V_BOOL(&yes.Get()), VARIANT_TRUE);
    const UniqueVariant no = Converted(Value::Boolean(false));
    ASSERT_EQ(VariantType(no), VT_BOOL);
    EXPECT_EQ(V_BOOL(&no.Get()), VARIANT_FALSE);

    const UniqueVariant small = Converted(Value::Int16(-2));
    ASSERT_EQ(VariantType(small), VT_I2);
    EXPECT_EQ(V_I2(&small.Get()), -2);

    const UniqueVariant large = Converted(Value::Int32(5));
    ASSERT_EQ(VariantType(large), VT_I4);
    EXPECT_EQ(V_I4(&large.Get()), 5);

    const UniqueVariant real = Converted(Value::Double(0.0015));
    ASSERT_EQ(VariantType(real), VT_R8);
    EXPECT_EQ(V_R8(&real.Get()), 0.0015);
}

TEST(ToVariant, TextBecomesUtf16Bstr) {
    const UniqueVariant text = Converted(Value::Text(Umlauts));
    ASSERT_EQ(VariantType(text), VT_BSTR);
    EXPECT_EQ(std::wstring(V_BSTR(&text.Get())), L"Blechst\u00e4rke \u20ac");
    EXPECT_EQ(SysStringLen(V_BSTR(&text.Get())), 13u);

    const UniqueVariant empty = Converted(Value::Text(""));
    ASSERT_EQ(VariantType(empty), VT_BSTR);
    ASSERT_NE(V_BSTR(&empty.Get()), nullptr);
    EXPECT_EQ(SysStringLen(V_BSTR(&empty.Get())), 0u);
}

TEST(ToVariant, ComObjectIsPassedAsItsReferencedDispatch) {
    const auto fake = FakeDispatch::Make();
    const auto object = std::make_shared<ComObject>(fake, std::string());
    const ULONG before = fake->References();
    {
        const UniqueVariant variant = Converted(Value::Object(object));
        ASSERT_EQ(VariantType(variant), VT_DISPATCH);
        EXPECT_EQ(V_DISPATCH(&variant.Get()), fake.Get());
        EXPECT_EQ(fake->References(), before + 1);
    }
    EXPECT_EQ(fake->References(), before);
}

TEST(ToVariant, NullObjectIsANullDispatch) {
    const UniqueVariant variant = Converted(Value::Object(nullptr));
    ASSERT_EQ(VariantType(variant), VT_DISPATCH);
    EXPECT_EQ(V_DISPATCH(&variant.Get()), nullptr);
}

TEST(ToVariant, ObjectOfAnotherLayerIsATypeMismatch) {
    const auto variant = ToVariant(Value::Object(std::make_shared<ForeignObject>()));
    ASSERT_FALSE(variant.Ok());
    EXPECT_EQ(variant.Error().Code, FailureCode::TypeMismatch);
    EXPECT_FALSE(variant.Error().Text.empty());
}

TEST(FromVariant, KeepsTheTypesTheProgramPasses) {
    for (const Value& value :
         {Value(), Value::Boolean(true), Value::Boolean(false), Value::Int16(-32768),
          Value::Int16(32767), Value::Int32(-1), Value::Int32(100000), Value::Double(-2.5e-9),
          Value::Text(""), Value::Text(Umlauts), Value::Text(std::string("a\0b", 3))}) {
        const UniqueVariant variant = Converted(value);
        EXPECT_EQ(Back(variant.Get()), value) << "VARIANT type " << VariantType(variant);
    }
}

VARIANT Make(VARTYPE type) {
    VARIANT variant;
    VariantInit(&variant);
    V_VT(&variant) = type;
    return variant;
}

TEST(FromVariant, NullIsEmpty) {
    EXPECT_EQ(Back(Make(VT_NULL)), Value());
}

TEST(FromVariant, SmallIntegersBecomeInt16) {
    VARIANT byte = Make(VT_UI1);
    V_UI1(&byte) = 255;
    EXPECT_EQ(Back(byte), Value::Int16(255));
    VARIANT signedByte = Make(VT_I1);
    V_I1(&signedByte) = -5;
    EXPECT_EQ(Back(signedByte), Value::Int16(-5));
}

TEST(FromVariant, WiderIntegersBecomeInt32WhereTheyFitElseDouble) {
    VARIANT word = Make(VT_UI2);
    V_UI2(&word) = 65535;
    EXPECT_EQ(Back(word), Value::Int32(65535));
    VARIANT machine = Make(VT_INT);
    V_INT(&machine) = -7;
    EXPECT_EQ(Back(machine), Value::Int32(-7));
    VARIANT fits = Make(VT_UI4);
    V_UI4(&fits) = 2147483647u;
    EXPECT_EQ(Back(fits), Value::Int32(2147483647));
    VARIANT tooBig = Make(VT_UINT);
    V_UINT(&tooBig) = 4294967295u;
    EXPECT_EQ(Back(tooBig), Value::Double(4294967295.0));
    VARIANT longFits = Make(VT_I8);
    V_I8(&longFits) = -2147483648LL;
    EXPECT_EQ(Back(longFits), Value::Int32(-2147483647 - 1));
    VARIANT longBig = Make(VT_UI8);
    V_UI8(&longBig) = 1ULL << 40;
    EXPECT_EQ(Back(longBig), Value::Double(1099511627776.0));
}

TEST(FromVariant, OtherNumbersBecomeDouble) {
    VARIANT single = Make(VT_R4);
    V_R4(&single) = 1.5f;
    EXPECT_EQ(Back(single), Value::Double(1.5));
    VARIANT currency = Make(VT_CY);
    V_CY(&currency).int64 = 12345678;
    EXPECT_EQ(Back(currency), Value::Double(1234.5678));
    VARIANT date = Make(VT_DATE);
    V_DATE(&date) = 45000.25;
    EXPECT_EQ(Back(date), Value::Double(45000.25));
    VARIANT decimal;
    VariantInit(&decimal);
    ASSERT_EQ(VarDecFromR8(-0.125, &V_DECIMAL(&decimal)), S_OK);
    V_VT(&decimal) = VT_DECIMAL;
    EXPECT_EQ(Back(decimal), Value::Double(-0.125));
}

TEST(FromVariant, NullBstrIsEmptyText) {
    VARIANT text = Make(VT_BSTR);
    V_BSTR(&text) = nullptr;
    EXPECT_EQ(Back(text), Value::Text(""));
}

TEST(FromVariant, ReferencesAreFollowed) {
    SHORT number = 12;
    VARIANT toShort = Make(VT_I2 | VT_BYREF);
    V_I2REF(&toShort) = &number;
    EXPECT_EQ(Back(toShort), Value::Int16(12));

    UniqueBstr text = BstrFromUtf8(Umlauts);
    BSTR raw = text.Get();
    VARIANT toText = Make(VT_BSTR | VT_BYREF);
    V_BSTRREF(&toText) = &raw;
    EXPECT_EQ(Back(toText), Value::Text(Umlauts));

    VARIANT inner = Make(VT_R8);
    V_R8(&inner) = 2.0;
    VARIANT toVariant = Make(VT_VARIANT | VT_BYREF);
    V_VARIANTREF(&toVariant) = &inner;
    EXPECT_EQ(Back(toVariant), Value::Double(2.0));

    VARIANT toReference = Make(VT_VARIANT | VT_BYREF);
    V_VARIANTREF(&toReference) = &toShort;
    EXPECT_EQ(Back(toReference), Value::Int16(12));
}

TEST(FromVariant, DispatchBecomesAComObjectHoldingIt) {
    const auto fake = FakeDispatch::Make();
    VARIANT variant = Make(VT_DISPATCH);
    V_DISPATCH(&variant) = fake.Get();
    const Value value = Back(variant);
    ASSERT_EQ(value.Type(), ValueType::Object);
    const auto* object = dynamic_cast<const ComObject*>(value.AsObject().get());
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->Dispatch().Get(), fake.Get());
    EXPECT_EQ(object->Interface(), "");
}

TEST(FromVariant, UnknownIsAskedForDispatch) {
    const auto fake = FakeDispatch::Make();
    VARIANT variant = Make(VT_UNKNOWN);
    V_UNKNOWN(&variant) = static_cast<IUnknown*>(fake.Get());
    const Value value = Back(variant);
    const auto* object = dynamic_cast<const ComObject*>(value.AsObject().get());
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->Dispatch().Get(), fake.Get());
}

TEST(FromVariant, NullInterfaceIsAnObjectValueWithoutObject) {
    const Value value = Back(Make(VT_DISPATCH));
    EXPECT_EQ(value.Type(), ValueType::Object);
    EXPECT_EQ(value.AsObject(), nullptr);
    EXPECT_EQ(Back(Make(VT_UNKNOWN)).Type(), ValueType::Object);
}

TEST(FromVariant, UnsupportedTypesAreATypeMismatch) {
    for (VARTYPE type : {VARTYPE(VT_ERROR), VARTYPE(VT_ARRAY | VT_I4), VARTYPE(VT_RECORD),
                         VARTYPE(VT_VOID), VARTYPE(0x7FF)}) {
        VARIANT variant = Make(type);
        const auto value = FromVariant(variant);
        ASSERT_FALSE(value.Ok()) << type;
        EXPECT_EQ(value.Error().Code, FailureCode::TypeMismatch) << type;
        EXPECT_FALSE(value.Error().Text.empty());
    }
}

TEST(DispatchArguments, ReversesPositionalArguments) {
    const Value args[] = {Value::Int16(1), Value::Text("x"), Value::Double(2.5)};
    DispatchArguments arguments;
    ASSERT_TRUE(arguments.Assign(args).Ok());
    const DISPPARAMS* params = arguments.Params();
    ASSERT_EQ(params->cArgs, 3u);
    EXPECT_EQ(params->cNamedArgs, 0u);
    EXPECT_EQ(params->rgdispidNamedArgs, nullptr);
    ASSERT_EQ(V_VT(&params->rgvarg[0]), VT_R8);
    ASSERT_EQ(V_VT(&params->rgvarg[1]), VT_BSTR);
    ASSERT_EQ(V_VT(&params->rgvarg[2]), VT_I2);
    EXPECT_EQ(V_I2(&params->rgvarg[2]), 1);
}

TEST(DispatchArguments, PutsTheAssignedValueFirstAsTheNamedArgument) {
    const Value args[] = {Value::Int16(7), Value::Int32(8)};
    DispatchArguments arguments;
    ASSERT_TRUE(arguments.AssignPut(args, Value::Text("v")).Ok());
    const DISPPARAMS* params = arguments.Params();
    ASSERT_EQ(params->cArgs, 3u);
    ASSERT_EQ(params->cNamedArgs, 1u);
    EXPECT_EQ(params->rgdispidNamedArgs[0], DISPID_PROPERTYPUT);
    ASSERT_EQ(V_VT(&params->rgvarg[0]), VT_BSTR);
    EXPECT_EQ(std::wstring(V_BSTR(&params->rgvarg[0])), L"v");
    ASSERT_EQ(V_VT(&params->rgvarg[1]), VT_I4);
    ASSERT_EQ(V_VT(&params->rgvarg[2]), VT_I2);
}

TEST(DispatchArguments, NoArgumentsGiveEmptyParameters) {
    DispatchArguments arguments;
    ASSERT_TRUE(arguments.Assign({}).Ok());
    EXPECT_EQ(arguments.Params()->cArgs, 0u);
    EXPECT_EQ(arguments.Params()->rgvarg, nullptr);
}

TEST(DispatchArguments, AnUnconvertibleArgumentLeavesNothing) {
    const Value args[] = {Value::Int16(1), Value::Object(std::make_shared<ForeignObject>())};
    DispatchArguments arguments;
    ASSERT_FALSE(arguments.AssignPut(args, Value::Int16(3)).Ok());
    EXPECT_EQ(arguments.Params()->cArgs, 0u);
    EXPECT_EQ(arguments.Params()->cNamedArgs, 0u);

    ASSERT_FALSE(arguments.AssignPut({}, Value::Object(std::make_shared<ForeignObject>())).Ok());
    EXPECT_EQ(arguments.Params()->cArgs, 0u);
}

TEST(DispatchArguments, ReleasesObjectArgumentsWhenReassignedOrDone) {
    const auto fake = FakeDispatch::Make();
    const Value args[] = {Value::Object(std::make_shared<ComObject>(fake, std::string()))};
    const ULONG held = fake->References();
    {
        DispatchArguments arguments;
        ASSERT_TRUE(arguments.Assign(args).Ok());
        EXPECT_EQ(fake->References(), held + 1);
        ASSERT_TRUE(arguments.Assign({}).Ok());
        EXPECT_EQ(fake->References(), held);
        ASSERT_TRUE(arguments.AssignPut({}, args[0]).Ok());
        EXPECT_EQ(fake->References(), held + 1);
    }
    EXPECT_EQ(fake->References(), held);
}

} // namespace
} // namespace psm::cad
