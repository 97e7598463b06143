// The simulator must fail calls the way the CAD program would, or the
// procedure tests built on it prove nothing.

#include "sim/Simulator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace psm::sim {
namespace {

using cad::Member;
using cad::Value;
using cad::FailureCode::BadParamCount;
using cad::FailureCode::MemberNotFound;
using cad::FailureCode::NoInterface;
using cad::FailureCode::TypeMismatch;
using cad::FailureCode::UnknownName;
using ::testing::ElementsAre;

cad::ObjectRef Attach(Simulator& sim) {
    auto app = sim.GetActiveObject("SolidEdge.Application");
    EXPECT_TRUE(app);
    return app.Value()->As(iid::Application).Value();
}

cad::ObjectRef Object(const cad::Result<Value>& result) {
    EXPECT_TRUE(result) << (result ? "" : result.Error().Text);
    return result ? result.Value().AsObject() : nullptr;
}

int32_t Code(const cad::Result<Value>& result) {
    return result ? 0 : result.Error().Code;
}

TEST(SimulatorDispatch, MembersAnswerOnlyThroughTheirInterface) {
    Simulator sim;
    sim.OpenSheetMetal("A.psm");
    auto plain = sim.GetActiveObject("SolidEdge.Application").Value();
    EXPECT_EQ(Code(plain->Get(Member::ById(21), {})), MemberNotFound);
    auto app = Attach(sim);
    auto docs = Object(app->Get(Member::ById(21), {}));
    EXPECT_EQ(Code(docs->Get(Member::ById(3), {})), MemberNotFound);
    auto seen = docs->As(iid::Documents).Value();
    EXPECT_EQ(seen->Get(Member::ById(3), {}).Value(), Value::Int32(1));
    EXPECT_EQ(seen->As("{00000000-0000-0000-0000-000000000001}").Error().Code, NoInterface);
}

TEST(SimulatorDispatch, NamedMembersAnswerThroughEveryView) {
    Simulator sim;
    sim.OpenDocument("Asm.asm", code::AssemblyDocument);
    auto doc = Object(Attach(sim)->Get(Member::ById(2), {}));
    EXPECT_EQ(doc->Get(Member::ByName("type"), {}).Value(), Value::Int32(3));
    auto assembly = doc->As(iid::AssemblyDocument).Value();
    EXPECT_EQ(assembly->Get(Member::ByName("Name"), {}).Value(), Value::Text("Asm.asm"));
    EXPECT_EQ(assembly->Get(Member::ById(dispid::Name), {}).Value(), Value::Text("Asm.asm"));
    EXPECT_EQ(Code(doc->Get(Member::ByName("Nonsense"), {})), UnknownName);
}

TEST(SimulatorDispatch, ArgumentTypesAndCountsArePinned) {
    Simulator sim;
    sim.OpenSheetMetal("A.psm");
    auto app = Attach(sim);
    auto doc = Object(app->Get(Member::ById(2), {}));
    const Value i4[] = {Value::Int32(1)};
    const Value i2[] = {Value::Int16(1)};
    EXPECT_EQ(Code(doc->Get(Member::ByName("Models"), i4)), TypeMismatch);
    EXPECT_EQ(Code(doc->Get(Member::ByName("Models"), {})), BadParamCount);
    EXPECT_TRUE(doc->Get(Member::ByName("Models"), i2));
    EXPECT_EQ(app->Put(Member::ById(73), {}, Value::Int32(-1)).Error().Code, TypeMismatch);
    EXPECT_EQ(app->Put(Member::ById(2), {}, Value::Boolean(true)).Error().Code, MemberNotFound);
    EXPECT_EQ(Code(doc->Call(Member::ByName("Type"), {})), MemberNotFound);
}

TEST(SimulatorDispatch, IdentityFollowsTheObjectNotTheHandleOrItsInterface) {
    Simulator sim;
    sim.OpenDocument("Asm.asm", code::AssemblyDocument);
    auto app = Attach(sim);
    auto first = Object(app->Get(Member::ById(2), {}));
    auto again = Object(app->Get(Member::ById(2), {}));
    EXPECT_NE(first, again);
    EXPECT_TRUE(first->IsSameObject(*again));
    EXPECT_TRUE(first->IsSameObject(*again->As(iid::AssemblyDocument).Value()));
    sim.OpenDocument("Asm.asm", code::AssemblyDocument);
    EXPECT_FALSE(first->IsSameObject(*Object(app->Get(Member::ById(2), {}))))
        << "another document of the same name";
    EXPECT_FALSE(first->IsSameObject(*app));
}

TEST(SimulatorLife, AttachFailsWhileNotRunningAndOldReferencesDie) {
    Simulator sim;
    sim.OpenSheetMetal("A.psm");
    auto app = Attach(sim);
    sim.Quit();
    EXPECT_EQ(sim.GetActiveObject("SolidEdge.Application").Error().Code,
              cad::FailureCode::Unavailable);
    sim.Start();
    EXPECT_EQ(Code(app->Get(Member::ById(2), {})), hresult::ServerUnavailable);
    EXPECT_TRUE(Attach(sim)->Get(Member::ById(2), {}));
    EXPECT_EQ(sim.GetActiveObject("Other.Application").Error().Code,
              cad::FailureCode::InvalidClassString);
}

TEST(SimulatorLife, ReferencesIntoAClosedDocumentFailAndAnotherBecomesActive) {
    Simulator sim;
    sim.OpenSheetMetal("A.psm");
    sim.OpenSheetMetal("B.psm");
    auto app = Attach(sim);
    auto b = Object(app->Get(Member::ById(2), {}));
    sim.Close("B.psm");
    EXPECT_EQ(Code(b->Get(Member::ByName("Name"), {})), hresult::Disconnected);
    auto a = Object(app->Get(Member::ById(2), {}));
    EXPECT_EQ(a->Get(Member::ByName("Name"), {}).Value(), Value::Text("A.psm"));
}

TEST(SimulatorLife, HandlesKeptPastTheSimulatorFailInsteadOfCrashing) {
    cad::ObjectRef app;
    {
        Simulator sim;
        app = Attach(sim);
    }
    EXPECT_EQ(Code(app->Get(Member::ById(2), {})), hresult::ServerUnavailable);
}

TEST(SimulatorLog, DescribesEveryCallWithViewMemberArgumentsAndOutcome) {
    Simulator sim;
    sim.OpenSheetMetal("A.psm");
    auto app = Attach(sim);
    auto doc = Object(app->Get(Member::ById(2), {}));
    const Value i4[] = {Value::Int32(1)};
    (void)doc->Get(Member::ByName("Models"), i4);
    (void)app->Put(Member::ById(73), {}, Value::Boolean(true));
    EXPECT_THAT(sim.Log().Lines(),
                ElementsAre("attach SolidEdge.Application",
                            "app as {DED89DB0-45B6-11CE-B307-0800363A1E02}", "app{DED89DB0} get #2",
                            "doc:A.psm get Models(I4 1) -> !0x80020005",
                            "app{DED89DB0} put #73 = Bool true"));
    EXPECT_EQ(sim.Log().Count(CallMatch::Member("HoldRecompute")), 1u);
    EXPECT_EQ(sim.Log()[2].Name, "CurrentDocument");
}

TEST(SimulatorFaults, FailByPositionOnceAndByMemberOnAnObject) {
    Simulator sim;
    sim.OpenSheetMetal("A.psm");
    sim.FailAt(1, cad::Failure{0x1234, "no"});
    auto app = sim.GetActiveObject("SolidEdge.Application").Value();
    auto failed = app->As(iid::Application);
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.Error().Code, 0x1234);
    EXPECT_TRUE(sim.Log()[1].Injected);
    auto seen = app->As(iid::Application).Value();

    sim.FailWhen(CallMatch::Member("Name").On("doc:A.psm"));
    auto doc = Object(seen->Get(Member::ById(2), {}));
    EXPECT_FALSE(doc->Get(Member::ByName("Name"), {}));
    EXPECT_FALSE(doc->Get(Member::ById(dispid::Name), {}));
    EXPECT_TRUE(doc->Get(Member::ByName("Type"), {}));
    sim.ClearFaults();
    EXPECT_TRUE(doc->Get(Member::ByName("Name"), {}));
}

TEST(SimulatorScenario, FeaturesFollowTheValuesOnlyOnceRecomputeIsReleased) {
    Simulator sim;
    Document& doc = sim.OpenSheetMetal("A.psm");
    doc.AddFeature("Flange 1").FailWhen(std::string(variable::BendRadius), [](double r) {
        return r < 0.001;
    });
    auto app = Attach(sim);
    auto table = Object(Object(app->Get(Member::ById(2), {}))->Get(Member::ByName("Variables"), {}))
                     ->As(iid::VariableTable)
                     .Value();
    const Value name[] = {Value::Text("sm_radius")};
    auto radius = Object(table->Get(Member::ById(0), name))->As(iid::Variable).Value();

    (void)app->Put(Member::ById(73), {}, Value::Boolean(true));
    ASSERT_TRUE(radius->Put(Member::ById(3), {}, Value::Double(0.0005)));
    EXPECT_EQ(doc.FindFeature("Flange 1")->Status(), code::StatusOk);
    (void)app->Put(Member::ById(73), {}, Value::Boolean(false));
    EXPECT_EQ(doc.FindFeature("Flange 1")->Status(), code::StatusFailed);
    ASSERT_EQ(sim.VariableWrites().size(), 1u);
    EXPECT_EQ(sim.VariableWrites()[0].Variable, "SM_Radius");
    EXPECT_TRUE(sim.VariableWrites()[0].HoldRecompute);
    EXPECT_EQ(radius->Put(Member::ById(3), {}, Value::Int32(1)).Error().Code, TypeMismatch);
}

} // namespace
} // namespace psm::sim
