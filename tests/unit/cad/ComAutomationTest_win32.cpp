// The COM automation layer against a real COM server no one here wrote:
// Wine's (or Windows') Scripting.Dictionary, attached to through the running
// object table as the program attaches to the CAD program.

#include "FakeDispatch_win32.h"
#include "cad/ComApartment_win32.h"
#include "cad/ComAutomation_win32.h"
#include "cad/ComObject_win32.h"
#include "cad/MessageFilter_win32.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>
#include <optional>
#include <thread>

using Microsoft::WRL::ComPtr;

namespace psm::cad {
namespace {

using testing::FakeDispatch;

const char* const DictionaryProgId = "Scripting.Dictionary";
const std::string Umlauts = "Blechst\xC3\xA4rke";
// The scripting runtime's own error numbers, as HRESULTs.
constexpr int32_t ElementNotFound = static_cast<int32_t>(0x800A802B);
constexpr int32_t KeyAlreadyExists = static_cast<int32_t>(0x800A01C9);

// Puts an object into the running object table for the guard's lifetime.
class ActiveObjectRegistration {
  public:
    ActiveObjectRegistration(IUnknown* object, const CLSID& classId)
        : m_status(RegisterActiveObject(object, classId, ACTIVEOBJECT_STRONG, &m_cookie)) {}
    ~ActiveObjectRegistration() {
        if (SUCCEEDED(m_status)) {
            RevokeActiveObject(m_cookie, nullptr);
        }
    }
    ActiveObjectRegistration(const ActiveObjectRegistration&) = delete;
    ActiveObjectRegistration& operator=(const ActiveObjectRegistration&) = delete;
    HRESULT Status() const { return m_status; }

  private:
    DWORD m_cookie = 0;
    HRESULT m_status;
};

ComPtr<IDispatch> NewDictionary() {
    const auto classId = ClassIdOfProgId(DictionaryProgId);
    ComPtr<IDispatch> dictionary;
    if (classId) {
        CoCreateInstance(classId.Value(), nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dictionary));
    }
    return dictionary;
}

Value Get(Object& object, const char* name, std::initializer_list<Value> args = {}) {
    auto value = object.Get(Member::ByName(name), std::span(args.begin(), args.size()));
    EXPECT_TRUE(value.Ok()) << name << ": " << (value ? "" : value.Error().Text);
    return value ? value.Value() : Value();
}

Value Call(Object& object, const char* name, std::initializer_list<Value> args = {}) {
    auto value = object.Call(Member::ByName(name), std::span(args.begin(), args.size()));
    EXPECT_TRUE(value.Ok()) << name << ": " << (value ? "" : value.Error().Text);
    return value ? value.Value() : Value();
}

class ScriptingDictionary : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_apartment.Ok());
        ASSERT_TRUE(m_filter.Ok());
        m_created = NewDictionary();
        ASSERT_NE(m_created.Get(), nullptr) << "Scripting.Dictionary is not registered";
        m_registration.emplace(m_created.Get(), ClassIdOfProgId(DictionaryProgId).Value());
        ASSERT_EQ(m_registration->Status(), S_OK);
        auto attached = ComAutomation().GetActiveObject(DictionaryProgId);
        ASSERT_TRUE(attached.Ok()) << attached.Error().Text;
        m_dictionary = attached.Value();
        ASSERT_NE(m_dictionary, nullptr);
    }

    Object& Dictionary() { return *m_dictionary; }

    ComApartment m_apartment;
    SteadyClock m_clock;
    WaitBudget m_waits{m_clock};
    MessageFilterRegistration m_filter{m_waits};
    ComPtr<IDispatch> m_created;
    std::optional<ActiveObjectRegistration> m_registration;
    ObjectRef m_dictionary;
};

TEST_F(ScriptingDictionary, AttachesToTheRunningInstance) {
    EXPECT_EQ(Dictionary().Interface(), "");
    Call(Dictionary(), "Add", {Value::Text("a"), Value::Int16(1)});
    ComObject created(m_created, std::string());
    EXPECT_EQ(Get(created, "Count"), Value::Int32(1));
}

TEST_F(ScriptingDictionary, ValuesComeBackWithTheTypesTheyWentIn) {
    const Value values[] = {Value::Text("Stahl"),
                            Value::Int16(-7),
                            Value::Int32(70000),
                            Value::Double(0.44),
                            Value::Boolean(true),
                            Value::Boolean(false),
                            Value(),
                            Value::Text("")};
    for (size_t i = 0; i < std::size(values); ++i) {
        Call(Dictionary(), "Add", {Value::Int16(static_cast<int16_t>(i)), values[i]});
    }
    EXPECT_EQ(Get(Dictionary(), "Count"), Value::Int32(static_cast<int32_t>(std::size(values))));
    for (size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(Get(Dictionary(), "Item", {Value::Int16(static_cast<int16_t>(i))}), values[i])
            << "value " << i;
    }
}

TEST_F(ScriptingDictionary, ItemPutReplacesAndAdds) {
    Call(Dictionary(), "Add", {Value::Text("k"), Value::Double(1.0)});
    const Value key[] = {Value::Text("k")};
    ASSERT_TRUE(Dictionary().Put(Member::ByName("Item"), key, Value::Double(2.5)).Ok());
    EXPECT_EQ(Get(Dictionary(), "Item", {Value::Text("k")}), Value::Double(2.5));
    const Value newKey[] = {Value::Text("n")};
    ASSERT_TRUE(Dictionary().Put(Member::ByName("Item"), newKey, Value::Int32(9)).Ok());
    EXPECT_EQ(Get(Dictionary(), "Count"), Value::Int32(2));
    EXPECT_EQ(Get(Dictionary(), "Item", {Value::Text("n")}), Value::Int32(9));
}

TEST_F(ScriptingDictionary, ExistsAndRemove) {
    Call(Dictionary(), "Add", {Value::Text("a"), Value::Int16(1)});
    Call(Dictionary(), "Add", {Value::Text("b"), Value::Int16(2)});
    EXPECT_EQ(Call(Dictionary(), "Exists", {Value::Text("a")}), Value::Boolean(true));
    EXPECT_EQ(Call(Dictionary(), "Exists", {Value::Text("z")}), Value::Boolean(false));
    EXPECT_EQ(Call(Dictionary(), "Remove", {Value::Text("a")}), Value());
    EXPECT_EQ(Call(Dictionary(), "Exists", {Value::Text("a")}), Value::Boolean(false));
    EXPECT_EQ(Get(Dictionary(), "Count"), Value::Int32(1));
    EXPECT_EQ(Call(Dictionary(), "RemoveAll"), Value());
    EXPECT_EQ(Get(Dictionary(), "Count"), Value::Int32(0));
}

TEST_F(ScriptingDictionary, MembersCanBeCalledByDispatchIdentifier) {
    auto* object = dynamic_cast<ComObject*>(m_dictionary.get());
    ASSERT_NE(object, nullptr);
    const auto add = object->IdOfName("Add");
    const auto count = object->IdOfName("Count");
    const auto exists = object->IdOfName("Exists");
    ASSERT_TRUE(add.Ok() && count.Ok() && exists.Ok());
    EXPECT_EQ(object->IdOfName("Item").Value(), DISPID_VALUE);

    // A fresh handle knows no names: these calls go by identifier only.
    auto fresh = Dictionary().As("");
    ASSERT_TRUE(fresh.Ok());
    Object& byId = *fresh.Value();
    const Value entry[] = {Value::Text(Umlauts), Value::Double(1.5)};
    ASSERT_TRUE(byId.Call(Member::ById(add.Value()), entry).Ok());
    const Value key[] = {Value::Text(Umlauts)};
    EXPECT_EQ(byId.Get(Member::ById(DISPID_VALUE), key).Value(), Value::Double(1.5));
    ASSERT_TRUE(byId.Put(Member::ById(DISPID_VALUE), key, Value::Int16(4)).Ok());
    EXPECT_EQ(byId.Get(Member::ById(DISPID_VALUE), key).Value(), Value::Int16(4));
    EXPECT_EQ(byId.Get(Member::ById(count.Value()), {}).Value(), Value::Int32(1));
    EXPECT_EQ(byId.Call(Member::ById(exists.Value()), key).Value(), Value::Boolean(true));
}

TEST_F(ScriptingDictionary, AnUnknownDispatchIdentifierFails) {
    const auto value = Dictionary().Get(Member::ById(4711), {});
    ASSERT_FALSE(value.Ok());
    EXPECT_EQ(value.Error().Code, FailureCode::MemberNotFound);
}

TEST_F(ScriptingDictionary, SeenThroughIDispatch) {
    const auto seen = Dictionary().As("{00020400-0000-0000-C000-000000000046}");
    ASSERT_TRUE(seen.Ok()) << seen.Error().Text;
    EXPECT_EQ(seen.Value()->Interface(), "{00020400-0000-0000-C000-000000000046}");
    Call(*seen.Value(), "Add", {Value::Text("x"), Value::Int16(1)});
    EXPECT_EQ(Get(Dictionary(), "Count"), Value::Int32(1));
}

TEST_F(ScriptingDictionary, NotSeenThroughAnInterfaceItLacks) {
    const auto seen = Dictionary().As("{DED89DB0-45B6-11CE-B307-0800363A1E02}");
    ASSERT_FALSE(seen.Ok());
    EXPECT_EQ(seen.Error().Code, FailureCode::NoInterface);
    EXPECT_FALSE(seen.Error().Text.empty());
}

TEST_F(ScriptingDictionary, UnknownMemberNameFails) {
    const auto value = Dictionary().Get(Member::ByName("HoldRecompute"), {});
    ASSERT_FALSE(value.Ok());
    EXPECT_EQ(value.Error().Code, FailureCode::UnknownName);
    EXPECT_NE(value.Error().Text.find("HoldRecompute"), std::string::npos);
    const auto call = Dictionary().Call(Member::ByName("Add2"), {});
    ASSERT_FALSE(call.Ok());
    EXPECT_EQ(call.Error().Code, FailureCode::UnknownName);
}

TEST_F(ScriptingDictionary, RemovingAMissingKeyFailsWithTheServersError) {
    const Value key[] = {Value::Text("missing")};
    const auto removed = Dictionary().Call(Member::ByName("Remove"), key);
    ASSERT_FALSE(removed.Ok());
    // The server's own "element not found", not DISP_E_EXCEPTION.
    EXPECT_EQ(removed.Error().Code, ElementNotFound);
    EXPECT_FALSE(removed.Error().Text.empty());
}

TEST_F(ScriptingDictionary, ReadingAMissingKeyGivesEmptyAndAddsIt) {
    // The server's documented behaviour, and how an empty result comes back.
    EXPECT_EQ(Get(Dictionary(), "Item", {Value::Text("missing")}), Value());
    EXPECT_EQ(Get(Dictionary(), "Count"), Value::Int32(1));
}

TEST_F(ScriptingDictionary, AddingAKeyTwiceFails) {
    Call(Dictionary(), "Add", {Value::Text("k"), Value::Int16(1)});
    const Value again[] = {Value::Text("k"), Value::Int16(2)};
    const auto added = Dictionary().Call(Member::ByName("Add"), again);
    ASSERT_FALSE(added.Ok());
    EXPECT_EQ(added.Error().Code, KeyAlreadyExists);
    EXPECT_FALSE(added.Error().Text.empty());
    EXPECT_EQ(Get(Dictionary(), "Item", {Value::Text("k")}), Value::Int16(1));
}

TEST_F(ScriptingDictionary, WrongArgumentCountFails) {
    const Value one[] = {Value::Text("k")};
    const auto tooFew = Dictionary().Call(Member::ByName("Add"), one);
    ASSERT_FALSE(tooFew.Ok());
    EXPECT_EQ(tooFew.Error().Code, FailureCode::BadParamCount);
    EXPECT_FALSE(tooFew.Error().Text.empty());
    const auto none = Dictionary().Call(Member::ByName("Add"), {});
    ASSERT_FALSE(none.Ok());
    EXPECT_EQ(none.Error().Code, FailureCode::BadParamCount);
    const Value three[] = {Value::Text("k"), Value::Int16(1), Value::Int16(2)};
    const auto tooMany = Dictionary().Call(Member::ByName("Exists"), three);
    ASSERT_FALSE(tooMany.Ok());
    EXPECT_EQ(tooMany.Error().Code, FailureCode::BadParamCount);
    EXPECT_EQ(Get(Dictionary(), "Count"), Value::Int32(0));
}

TEST_F(ScriptingDictionary, AnArrayResultIsATypeMismatch) {
    Call(Dictionary(), "Add", {Value::Text("k"), Value::Int16(1)});
    const auto items = Dictionary().Call(Member::ByName("Items"), {});
    ASSERT_FALSE(items.Ok());
    EXPECT_EQ(items.Error().Code, FailureCode::TypeMismatch);
}

TEST_F(ScriptingDictionary, AStoredObjectComesBackAsAWorkingObject) {
    const ComPtr<IDispatch> inner = NewDictionary();
    ASSERT_NE(inner.Get(), nullptr);
    const auto innerObject = std::make_shared<ComObject>(inner, std::string());
    Call(Dictionary(), "Add", {Value::Text("child"), Value::Object(innerObject)});

    const Value child = Get(Dictionary(), "Item", {Value::Text("child")});
    ASSERT_EQ(child.Type(), ValueType::Object);
    ASSERT_NE(child.AsObject(), nullptr);
    Call(*child.AsObject(), "Add", {Value::Text(Umlauts), Value::Text(Umlauts)});
    EXPECT_EQ(Get(*innerObject, "Item", {Value::Text(Umlauts)}), Value::Text(Umlauts));

    // Assigned by reference, read back as the same object.
    const Value key[] = {Value::Text("again")};
    ASSERT_TRUE(Dictionary().Put(Member::ByName("Item"), key, Value::Object(innerObject)).Ok());
    const Value again = Get(Dictionary(), "Item", {Value::Text("again")});
    ASSERT_NE(again.AsObject(), nullptr);
    EXPECT_EQ(Get(*again.AsObject(), "Count"), Value::Int32(1));
}

TEST_F(ScriptingDictionary, NonAsciiTextRoundTrips) {
    const std::string text = "Blechst\xC3\xA4rke \xC3\x9F \xE2\x82\xAC \xF0\x9F\x94\xA9";
    Call(Dictionary(), "Add", {Value::Text(text), Value::Text(text)});
    EXPECT_EQ(Get(Dictionary(), "Item", {Value::Text(text)}), Value::Text(text));
    EXPECT_EQ(Call(Dictionary(), "Exists", {Value::Text("Blechstarke")}), Value::Boolean(false));
}

TEST_F(ScriptingDictionary, NamesAreLookedUpOncePerObject) {
    const auto recording = FakeDispatch::Make(m_created);
    ComObject object(recording, std::string());
    Call(object, "Add", {Value::Text("a"), Value::Int16(1)});
    EXPECT_EQ(Get(object, "Count"), Value::Int32(1));
    EXPECT_EQ(Get(object, "Count"), Value::Int32(1));
    Call(object, "Add", {Value::Text("b"), Value::Int16(2)});
    EXPECT_EQ(Get(object, "Count"), Value::Int32(2));
    EXPECT_EQ(recording->NameLookups, 2);
    ASSERT_EQ(recording->Invokes.size(), 5u);
    EXPECT_EQ(recording->Invokes[1].Id, recording->Invokes[4].Id);

    // Another handle has its own names (it may see another interface).
    ComObject other(recording, std::string());
    EXPECT_EQ(Get(other, "Count"), Value::Int32(2));
    EXPECT_EQ(recording->NameLookups, 3);
}

TEST_F(ScriptingDictionary, HandlesOfOneObjectAreTheSameObject) {
    const auto seen = Dictionary().As("{00020400-0000-0000-C000-000000000046}");
    ASSERT_TRUE(seen.Ok());
    EXPECT_TRUE(Dictionary().IsSameObject(*seen.Value()));
    EXPECT_TRUE(seen.Value()->IsSameObject(Dictionary()));

    const auto inner = std::make_shared<ComObject>(NewDictionary(), std::string());
    Call(Dictionary(), "Add", {Value::Text("child"), Value::Object(inner)});
    const Value first = Get(Dictionary(), "Item", {Value::Text("child")});
    const Value second = Get(Dictionary(), "Item", {Value::Text("child")});
    ASSERT_NE(first.AsObject(), nullptr);
    ASSERT_NE(second.AsObject(), nullptr);
    EXPECT_NE(first.AsObject(), second.AsObject());                  // two handles ...
    EXPECT_TRUE(first.AsObject()->IsSameObject(*second.AsObject())); // ... one object
    EXPECT_TRUE(first.AsObject()->IsSameObject(*inner));
    EXPECT_FALSE(first.AsObject()->IsSameObject(Dictionary()));
}

TEST(ComObjectIdentity, NoObjectIsNeverTheSameAsAnother) {
    const ComObject none(nullptr, std::string());
    const ComObject alsoNone(nullptr, std::string());
    EXPECT_FALSE(none.IsSameObject(alsoNone));
    EXPECT_TRUE(none.IsSameObject(none));
}

TEST_F(ScriptingDictionary, ObjectsAreReleasedWithTheirLastHandle) {
    const auto recording = FakeDispatch::Make(m_created);
    const ULONG before = recording->References();
    {
        const auto object = std::make_shared<ComObject>(recording, std::string());
        const Value entry[] = {Value::Text("self"), Value::Object(object)};
        ASSERT_TRUE(Dictionary().Call(Member::ByName("Add"), entry).Ok());
        const Value key[] = {Value::Text("self")};
        ASSERT_TRUE(Dictionary().Call(Member::ByName("Remove"), key).Ok());
    }
    EXPECT_EQ(recording->References(), before);
}

TEST_F(ScriptingDictionary, NothingIsRunningOnceRevoked) {
    ComAutomation automation;
    const auto registered = automation.RegistrationOf(DictionaryProgId);
    ASSERT_TRUE(registered.Ok()) << registered.Error().Text;
    EXPECT_TRUE(registered.Value().Registered);
    EXPECT_EQ(automation.RegistrationOf(DictionaryProgId).Value(), registered.Value())
        << "the same registration looks the same every time";

    m_registration.reset();
    const auto attached = automation.GetActiveObject(DictionaryProgId);
    ASSERT_FALSE(attached.Ok());
    EXPECT_EQ(attached.Error().Code, FailureCode::Unavailable);
    EXPECT_FALSE(automation.RegistrationOf(DictionaryProgId).Value().Registered);
    EXPECT_TRUE(Dictionary().Get(Member::ByName("Count"), {}).Ok())
        << "a withdrawn registration leaves the object alive for its holders";
}

class Attach : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_apartment.Ok()); }
    ComApartment m_apartment;
};

TEST_F(Attach, UnregisteredProgIdIsAnInvalidClassString) {
    const auto attached = ComAutomation().GetActiveObject("Psm.NoSuchApplication");
    ASSERT_FALSE(attached.Ok());
    EXPECT_EQ(attached.Error().Code, FailureCode::InvalidClassString);
    EXPECT_FALSE(attached.Error().Text.empty());
}

TEST_F(Attach, RegisteredClassWithNothingRunningIsUnavailable) {
    // Registered with every Wine and Windows; never put into the table here.
    ASSERT_TRUE(ClassIdOfProgId("Scripting.FileSystemObject").Ok());
    const auto attached = ComAutomation().GetActiveObject("Scripting.FileSystemObject");
    ASSERT_FALSE(attached.Ok());
    EXPECT_EQ(attached.Error().Code, FailureCode::Unavailable);
    EXPECT_FALSE(attached.Error().Text.empty());
}

TEST(AttachOutsideCom, FailsInsteadOfStartingAnything) {
    std::thread([] {
        const auto attached = ComAutomation().GetActiveObject(DictionaryProgId);
        EXPECT_FALSE(attached.Ok());
    }).join();
}

} // namespace
} // namespace psm::cad
