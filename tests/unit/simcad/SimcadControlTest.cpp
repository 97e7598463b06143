// simcad's control object, its member lookup and dispatch, as the COM
// server uses them, without COM: calls by name and by dispatch identifier,
// argument conversion, and that a test's questions stay out of the CAD
// program's call log.

#include "CadTestSupport.h"
#include "cad/CommandButton.h"
#include "cad/Connection.h"
#include "cad/SheetMetalVariables.h"
#include "platform/EventPump.h"
#include "platform/MousePointer.h"
#include "platform/ProgramLocation.h"
#include "simcad/Control.h"
#include "simcad/Dispatcher.h"
#include "simcad/MemberLookup.h"
#include "simcad/Scenario.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>

namespace psm::simcad {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;

class RecordingHost final : public ControlHost {
  public:
    void Quit() override { ++Quits; }
    void BringToFront() override { ++Fronts; }
    int32_t ProcessId() const override { return 4711; }
    int32_t NameLookups() const override { return 12; }
    void WithdrawRegistration() override { ++Withdrawals; }
    int Quits = 0;
    int Fronts = 0;
    int Withdrawals = 0;
};

constexpr std::string_view Scenario = "sheetmetal Halter.psm\n"
                                      "  values 0.0015 0.0015 0.43 0.003 0.0015\n"
                                      "  feature flange Flansch 2\n"
                                      "  rule Flansch 2 fails when BendRadius < 0.0012\n"
                                      "sheetmetal Deckel.psm\n"
                                      "linked sheetmetal Innen.psm\n"
                                      "  values 0.002 0.003 0.4 0.004 0.002\n"
                                      "active Halter.psm\n";

class ControlTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_THAT(LoadScenario(world, Scenario), IsEmpty()); }

    cad::Result<cad::Value> Call(std::string name, std::vector<cad::Value> args = {},
                                 sim::InvokeKind kind = sim::InvokeKind::Call) {
        return calls.Invoke(control, {}, 0, cad::Member::ByName(std::move(name)), kind, args,
                            nullptr);
    }
    cad::Result<cad::Value> Get(std::string name, std::vector<cad::Value> args = {}) {
        return Call(std::move(name), std::move(args), sim::InvokeKind::Get);
    }
    static cad::Value Text(std::string text) { return cad::Value::Text(std::move(text)); }

    World world;
    RecordingHost host;
    std::shared_ptr<ControlObject> control = std::make_shared<ControlObject>(world, host);
    DirectDispatcher calls{world.Sim};
};

TEST_F(ControlTest, ActivateSwitchesTheDocumentAndBringsSimcadToTheFront) {
    const auto done = Call("Activate", {Text("Deckel.psm")});
    ASSERT_TRUE(done);
    EXPECT_EQ(done.Value(), cad::Value::Boolean(true));
    EXPECT_EQ(world.Sim.ActiveDocument()->Name(), "Deckel.psm");
    EXPECT_EQ(host.Fronts, 1);
    EXPECT_EQ(Get("ActiveDocument").Value(), Text("Deckel.psm"));

    // A document that is not open changes nothing.
    EXPECT_EQ(Call("Activate", {Text("Innen.psm")}).Value(), cad::Value::Boolean(false));
    EXPECT_EQ(world.Sim.ActiveDocument()->Name(), "Deckel.psm");
    EXPECT_EQ(host.Fronts, 1);
}

TEST_F(ControlTest, CloseAndCloseAllEmptyTheProgram) {
    EXPECT_EQ(Get("DocumentCount").Value(), cad::Value::Int32(2));
    EXPECT_EQ(Call("Close", {Text("Halter.psm")}).Value(), cad::Value::Boolean(true));
    EXPECT_EQ(Get("DocumentCount").Value(), cad::Value::Int32(1));
    ASSERT_TRUE(Call("CloseAll"));
    EXPECT_EQ(Get("DocumentCount").Value(), cad::Value::Int32(0));
    EXPECT_EQ(Get("ActiveDocument").Value(), Text(""));
}

TEST_F(ControlTest, ValuesInMetresAlsoOfDocumentsThatAreNotOpen) {
    EXPECT_EQ(Get("Value", {Text("Halter.psm"), Text("SM_Radius")}).Value(),
              cad::Value::Double(0.0015));
    EXPECT_EQ(Get("SheetMetalValue", {Text("Innen.psm"), cad::Value::Int16(2)}).Value(),
              cad::Value::Double(0.003));
    const auto missing = Get("Value", {Text("Halter.psm"), Text("Gibtsnicht")});
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.Error().Code, cad::FailureCode::Exception);
    const auto unknown = Get("SheetMetalValue", {Text("Weg.psm"), cad::Value::Int32(1)});
    ASSERT_FALSE(unknown);
    EXPECT_THAT(unknown.Error().Text, HasSubstr("Weg.psm"));
}

TEST_F(ControlTest, SetValueRecomputesTheFeaturesAsTheUserWould) {
    EXPECT_EQ(Get("FeatureStatus", {Text("Halter.psm"), Text("Flansch 2")}).Value(), Text("ok"));
    ASSERT_TRUE(
        Call("SetValue", {Text("Halter.psm"), Text("SM_Radius"), cad::Value::Double(0.001)}));
    EXPECT_EQ(Get("FeatureStatus", {Text("Halter.psm"), Text("Flansch 2")}).Value(),
              Text("failed"));
}

TEST_F(ControlTest, QuestionsDoNotShowUpAmongTheCadCalls) {
    ASSERT_TRUE(Get("Value", {Text("Halter.psm"), Text("SM_Radius")}));
    ASSERT_TRUE(Get("CallCount"));
    EXPECT_EQ(world.Sim.CallCount(), 0u);
}

TEST_F(ControlTest, CountsAndLogsTheCadCallsOfAClient) {
    cad::CadConnection connection;
    ASSERT_EQ(cad::ConnectCad(connection, world.Sim), cad::DocumentKind::SheetMetal);
    EXPECT_EQ(Get("CountCalls", {Text("OpenDocuments")}).Value(), cad::Value::Int32(1));
    EXPECT_EQ(Get("CountCalls", {Text("name")}).Value(), cad::Value::Int32(1));
    EXPECT_EQ(Get("CallCount").Value(),
              cad::Value::Int32(static_cast<int32_t>(world.Sim.CallCount())));
    const auto log = Get("LogText", {cad::Value::Int32(1)});
    ASSERT_TRUE(log);
    EXPECT_THAT(*log.Value().AsText(), HasSubstr("get #21\n"));
    EXPECT_THAT(*log.Value().AsText(), ::testing::Not(HasSubstr("attach")));

    ASSERT_TRUE(Call("ClearLog"));
    EXPECT_EQ(Get("CallCount").Value(), cad::Value::Int32(0));
    EXPECT_EQ(Get("LogText", {cad::Value::Int32(0)}).Value(), Text(""));
}

TEST_F(ControlTest, FailMakesTheNamedCadCallFailAsOftenAsAsked) {
    ASSERT_TRUE(Call("Fail", {Text("CurrentDocument"), cad::Value::Int16(1)}));
    cad::CadConnection connection;
    EXPECT_EQ(cad::ConnectCad(connection, world.Sim), cad::DocumentKind::Unreadable);
    EXPECT_EQ(cad::ConnectCad(connection, world.Sim), cad::DocumentKind::SheetMetal);

    ASSERT_TRUE(Call("Fail", {Text("CurrentDocument"), cad::Value::Int32(-1)}));
    EXPECT_EQ(cad::ConnectCad(connection, world.Sim), cad::DocumentKind::Unreadable);
    EXPECT_EQ(cad::ConnectCad(connection, world.Sim), cad::DocumentKind::Unreadable);
    ASSERT_TRUE(Call("ClearFaults"));
    EXPECT_EQ(cad::ConnectCad(connection, world.Sim), cad::DocumentKind::SheetMetal);
}

TEST_F(ControlTest, SwallowWithdrawAndRunPlayACadProgramThatMisbehaves) {
    cad::CadConnection connection;
    ASSERT_EQ(cad::ConnectCad(connection, world.Sim), cad::DocumentKind::SheetMetal);
    // A put answered as done that changes nothing.
    ASSERT_TRUE(Call("SwallowCall",
                     {Text("put VariableValue"), cad::Value::Int16(1), cad::Value::Int16(1)}));
    cad::SheetMetalVariables variables;
    ASSERT_TRUE(cad::ReadSheetMetalVariables(variables, connection.ActiveDoc));
    cad::test::CountingPump pump;
    EXPECT_EQ(cad::WriteSheetMetalVariables(variables, connection, connection.ActiveDoc,
                                            {0.002, 0.0015, 0.43, 0.003, 0.0015}, 1000, pump),
              cad::WriteOutcome::NotWritten);
    EXPECT_EQ(Get("SheetMetalValue", {Text("Halter.psm"), cad::Value::Int16(1)}).Value(),
              cad::Value::Double(0.0015));

    // Statements run on the living program: a document reopened, an assembly changed.
    EXPECT_EQ(Call("Run", {Text("sheetmetal Neu.psm\n  values 0.001 0.001 0.4 0.002 0.001\n"
                                "assembly Gruppe.asm\n  component direct A -> Neu.psm\n"
                                "  component direct B -> Neu.psm\n"
                                "with Gruppe.asm\n  remove component A\n")})
                  .Value(),
              Text(""));
    EXPECT_EQ(world.Find("Gruppe.asm")->ComponentSetNode()->Items().size(), 1u);
    EXPECT_EQ(Call("Run", {Text("with Nirgends.asm\n")}).Value(),
              Text("line 1: unknown document \"Nirgends.asm\"\n"));

    // Closed by its user, alive while clients hold its objects.
    ASSERT_TRUE(Call("Withdraw"));
    EXPECT_EQ(host.Withdrawals, 1);
    EXPECT_FALSE(world.Sim.GetActiveObject("SolidEdge.Application"));
    EXPECT_TRUE(connection.ActiveDoc->Get(cad::Member::ByName("Name"), {}));
    EXPECT_FALSE(world.Sim.RegistrationOf("SolidEdge.Application").Value().Registered);
}

class NoPointer final : public MousePointer {
  public:
    void SetMousePointer(MousePointerShape) override {}
};

class Folder final : public ProgramLocation {
  public:
    std::string ProgramFolder() const override { return "C:\\psm"; }
    std::string ExecutableFileName() const override { return "psm.exe"; }
};

TEST_F(ControlTest, ButtonsPsmInstalledCanBeReadBack) {
    EXPECT_EQ(Get("ButtonCount", {Text("SheetMetal"), Text("ORNA")}).Value(),
              cad::Value::Int32(-1));
    EXPECT_EQ(Get("BarCount", {Text("SheetMetal")}).Value(), cad::Value::Int32(0));
    cad::CadConnection connection;
    NoPointer pointer;
    cad::InstallCommandButton(connection, world.Sim, Folder(), pointer, "psm.exe", "Beschreibung",
                              "Biegewerte");
    EXPECT_EQ(Get("BarCount", {Text("SheetMetal")}).Value(), cad::Value::Int32(1));
    EXPECT_EQ(Get("ButtonCount", {Text("SheetMetal"), Text("ORNA")}).Value(), cad::Value::Int32(1));
    const auto field = [&](const char* name) {
        return Get("Button", {Text("SheetMetal"), Text("ORNA"), cad::Value::Int16(1), Text(name)})
            .Value();
    };
    EXPECT_EQ(field("RunPath"), Text("C:\\psm\\psm.exe"));
    EXPECT_EQ(field("Picture"), Text("C:\\psm\\psm.bmp"));
    EXPECT_EQ(field("Title"), Text("Biegewerte"));
    EXPECT_EQ(field("Description"), Text("Beschreibung"));
    EXPECT_EQ(field("OptionA"), Text("true"));
    EXPECT_EQ(field("Kind"), Text("2"));
    EXPECT_FALSE(
        Get("Button", {Text("SheetMetal"), Text("ORNA"), cad::Value::Int16(2), Text("Title")}));
    EXPECT_FALSE(
        Get("Button", {Text("SheetMetal"), Text("ORNA"), cad::Value::Int16(1), Text("Colour")}));
}

TEST_F(ControlTest, QuitAndHostFactsGoToTheHost) {
    ASSERT_TRUE(Call("Quit"));
    EXPECT_EQ(host.Quits, 1);
    EXPECT_EQ(Get("ProcessId").Value(), cad::Value::Int32(4711));
    EXPECT_EQ(Get("NameLookups").Value(), cad::Value::Int32(12));
    ASSERT_TRUE(Call("BringToFront"));
    EXPECT_EQ(host.Fronts, 1);
}

TEST_F(ControlTest, WriteLogShowsEachPutWithTheRecomputeSwitch) {
    sim::Document& document = *world.Sim.Find("Halter.psm");
    world.Sim.SetHoldRecompute(true);
    world.Sim.OnVariablePut(*document.FindVariable("SM_Radius"), 0.002);
    world.Sim.SetHoldRecompute(false);
    world.Sim.OnVariablePut(*document.FindVariable("SM_KFactor"), 0.4);
    EXPECT_EQ(Get("WriteCount").Value(), cad::Value::Int32(2));
    EXPECT_EQ(Get("WriteLog", {cad::Value::Int32(0)}).Value(),
              Text("Halter.psm|SM_Radius|0.002|hold\nHalter.psm|SM_KFactor|0.4|free\n"));
    EXPECT_EQ(Get("WriteLog", {cad::Value::Int32(1)}).Value(),
              Text("Halter.psm|SM_KFactor|0.4|free\n"));
    EXPECT_EQ(Get("HoldRecompute").Value(), cad::Value::Boolean(false));
}

TEST_F(ControlTest, UnknownNamesWrongKindsAndArgumentsAreRefused) {
    EXPECT_EQ(Get("Nonsense").Error().Code, cad::FailureCode::UnknownName);
    EXPECT_EQ(Call("ActiveDocument").Error().Code, cad::FailureCode::MemberNotFound);
    EXPECT_EQ(Call("Activate").Error().Code, cad::FailureCode::BadParamCount);
    EXPECT_EQ(Call("Activate", {cad::Value::Int32(3)}).Error().Code,
              cad::FailureCode::TypeMismatch);
    // Numbers convert between the integer types and to doubles.
    EXPECT_TRUE(Call("SetValue", {Text("Halter.psm"), Text("SM_Radius"), cad::Value::Int32(1)}));
    EXPECT_EQ(world.Sim.Find("Halter.psm")->ValueOf("SM_Radius"), 1.0);
}

TEST_F(ControlTest, ByDispatchIdentifierAsTheNameLookupGivesIt) {
    const auto id = DispIdOfName(control->Class(), {}, "documentcount");
    ASSERT_TRUE(id.has_value());
    const auto count =
        calls.Invoke(control, {}, 0, cad::Member::ById(*id), sim::InvokeKind::Get, {}, nullptr);
    ASSERT_TRUE(count);
    EXPECT_EQ(count.Value(), cad::Value::Int32(2));
}

TEST(StatusName, NamesTheThreeStatesAndShowsOtherCodesInHex) {
    EXPECT_EQ(StatusName(sim::code::StatusOk), "ok");
    EXPECT_EQ(StatusName(sim::code::StatusWarned), "warned");
    EXPECT_EQ(StatusName(sim::code::StatusFailed), "failed");
    EXPECT_EQ(StatusName(0x12AB), "0x000012AB");
}

// --- The model's member lookup as the COM server uses it ---------------------------

TEST(MemberLookup, InterfaceBoundMembersAreFoundOnlyThroughTheirInterface) {
    sim::Simulator simulator;
    const sim::ClassInfo& app = simulator.App()->Class();
    EXPECT_EQ(DispIdOfName(app, sim::iid::Application, "OpenDocuments"),
              std::optional<int32_t>(sim::dispid::OpenDocuments));
    EXPECT_EQ(DispIdOfName(app, "{ded89db0-45b6-11ce-b307-0800363a1e02}", "opendocuments"),
              std::optional<int32_t>(sim::dispid::OpenDocuments));
    EXPECT_FALSE(DispIdOfName(app, {}, "OpenDocuments").has_value());
    EXPECT_FALSE(DispIdOfName(app, sim::iid::Application, "Frobnicate").has_value());
    EXPECT_EQ(FindMember(app, {}, sim::dispid::OpenDocuments, sim::InvokeKind::Get), nullptr);
    EXPECT_NE(
        FindMember(app, sim::iid::Application, sim::dispid::HoldRecompute, sim::InvokeKind::Put),
        nullptr);
}

TEST(MemberLookup, AGetOrCallIsAGetForPropertiesAndACallForMethods) {
    sim::Simulator simulator;
    sim::Document& document = simulator.OpenSheetMetal("A.psm");
    const sim::ClassInfo& info = document.Class();
    const CallFlags both{true, true, false};
    EXPECT_EQ(KindOfCall(info, {}, sim::dispid::Models, both), sim::InvokeKind::Get);
    const sim::ClassInfo& view = document.WindowNode()->View()->Class();
    EXPECT_EQ(KindOfCall(view, {}, sim::dispid::Update, both), sim::InvokeKind::Call);
    EXPECT_EQ(KindOfCall(info, {}, sim::dispid::Name, CallFlags{false, false, true}),
              sim::InvokeKind::Put);
    // Unknown members go to the model as asked first, which then refuses them.
    EXPECT_EQ(KindOfCall(info, {}, 999, both), sim::InvokeKind::Get);
    EXPECT_EQ(KindOfCall(info, {}, 999, CallFlags{false, true, false}), sim::InvokeKind::Call);
}

TEST(ModelDispatcher, LogsTheCallsAndAnswersInterfacesAsTheClassSpellsThem) {
    sim::Simulator simulator;
    ModelDispatcher calls(simulator);
    const auto seen =
        calls.QueryInterface(simulator.App(), {}, 1, "{ded89db0-45b6-11ce-b307-0800363a1e02}");
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen.Value(), sim::iid::Application);
    EXPECT_EQ(calls.QueryInterface(simulator.App(), {}, 1, sim::iid::Variable).Error().Code,
              cad::FailureCode::NoInterface);
    const auto count = calls.Invoke(simulator.App(), sim::iid::Application, 1,
                                    cad::Member::ById(sim::dispid::HoldRecompute),
                                    sim::InvokeKind::Get, {}, nullptr);
    ASSERT_TRUE(count);
    EXPECT_EQ(simulator.Log().Size(), 3u);
}

TEST(ReturnedDirectly, DispatchErrorsDirectlyEverythingElseAsAnException) {
    EXPECT_TRUE(ReturnedDirectly(cad::FailureCode::UnknownName));
    EXPECT_TRUE(ReturnedDirectly(cad::FailureCode::TypeMismatch));
    EXPECT_TRUE(ReturnedDirectly(sim::hresult::BadIndex));
    EXPECT_FALSE(ReturnedDirectly(cad::FailureCode::Exception));
    EXPECT_FALSE(ReturnedDirectly(sim::hresult::Fail));
    EXPECT_FALSE(ReturnedDirectly(sim::hresult::ServerUnavailable));
}

} // namespace
} // namespace psm::simcad
