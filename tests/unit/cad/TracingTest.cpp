// The trace of the calls into the CAD program: the line of a call, the layer
// that records every call, and that it is not there while the trace is off.

#include "cad/Tracing.h"

#include "AppTestSupport.h"
#include "cad/GuardedCalls.h"
#include "cad/SheetMetalVariables.h"
#include "sim/SimObject.h"

#include <array>
#include <unordered_map>

namespace psm::cad::test {
namespace {

class RecordingTrace final : public CallTrace {
  public:
    void Record(const TracedCall& call) override { Calls.push_back(call); }
    std::vector<TracedCall> Calls;
};

constexpr std::array<std::string_view, 5> OperationNames{"attach", "as", "get", "put", "call"};

// A call as both sides can tell it: the operation, the member, the
// arguments, the assigned value and the failure's code.
std::string Shape(TracedOperation operation, std::string_view member,
                  const std::vector<std::string>& arguments,
                  const std::optional<std::string>& assigned, std::string_view failure) {
    std::string text(OperationNames[static_cast<size_t>(operation)]);
    text.append(" ").append(member);
    for (const std::string& argument : arguments) {
        text.append(" ").append(argument);
    }
    if (assigned) {
        text.append(" = ").append(*assigned);
    }
    return text.append(" ").append(failure.substr(0, 11));
}

std::string Shape(const TracedCall& call) {
    return Shape(call.Operation, call.Member, call.Arguments, call.Assigned,
                 call.Outcome.starts_with("!") ? call.Outcome : "");
}

std::string Shape(const sim::CallRecord& record) {
    const bool member = record.Kind != sim::CallKind::As && record.Kind != sim::CallKind::Attach;
    std::vector<std::string> arguments;
    for (const Value& argument : record.Args) {
        arguments.push_back(sim::DescribeValue(argument));
    }
    const std::optional<std::string> assigned =
        record.PutValue ? std::optional(sim::DescribeValue(*record.PutValue)) : std::nullopt;
    return Shape(static_cast<TracedOperation>(record.Kind),
                 member && !record.ByName ? TraceMember(Id(record.DispId)) : record.Name, arguments,
                 assigned, record.Failure ? TraceFailure(*record.Failure) : "");
}

class Tracing : public CadFixture {
  protected:
    RecordingTrace trace;
    psm::test::SteppingTraceClock clock;
    TracingAutomation tracing{sim, trace, clock};
};

TEST(TraceLine, TellsEveryValueTypeAFailureAndTheDuration) {
    sim::Simulator sim;
    const ObjectRef object = sim.GetActiveObject(ids::CadProgId).Value();
    EXPECT_EQ(TraceValue(Value()), "Empty");
    EXPECT_EQ(TraceValue(Value::Boolean(true)), "Bool true");
    EXPECT_EQ(TraceValue(Value::Int16(-2)), "I2 -2");
    EXPECT_EQ(TraceValue(Value::Int32(0x4881F497)), "I4 1216476311");
    EXPECT_EQ(TraceValue(Value::Double(0.0015)), "R8 0.0015");
    EXPECT_EQ(TraceValue(Value::Text("Blech \"A\"\\1\t\r\n\x01")),
              "\"Blech \\\"A\\\"\\\\1\\t\\r\\n\\x01\"");
    EXPECT_EQ(TraceValue(Value::Object(object), "Document"), "Object Document");
    EXPECT_EQ(TraceValue(Value::Object(nullptr), "Document"), "Nothing");
    EXPECT_EQ(TraceMember(Id(ids::RunPathId)), "#0x1001000F");

    TracedCall call;
    call.Start = psm::test::SteppingTraceClock().LocalNow();
    call.Kind = "Variable";
    call.Interface = std::string(ids::VariableIid);
    call.Operation = TracedOperation::Put;
    call.Member = TraceMember(Id(ids::VariableValueId));
    call.Arguments = {TraceValue(Value::Int16(1))};
    call.Assigned = TraceValue(Value::Double(0.002));
    call.Outcome = TraceFailure({FailureCode::Unexpected, "Catastrophic\r\nfailure\r\n"});
    call.Duration = std::chrono::microseconds(1'234'567);
    EXPECT_EQ(TraceLine(call), "2026-12-07 16:30:05.123\tVariable\t"
                               "{7647EDC3-19D6-11CF-BCFB-0800368A1102}\tput #3(I2 1) = R8 0.002\t"
                               "!0x8000FFFF Catastrophic failure\t1234.567 ms\r\n");
    call.Duration = std::chrono::microseconds(412);
    EXPECT_TRUE(TraceLine(call).ends_with("\t0.412 ms\r\n"));
}

TEST_F(Tracing, EveryCallTheProgramReceivesIsALineInTheSameOrder) {
    sim.OpenSheetMetal("A.psm", {0.0015, 0.0015, 0.44, 0.0025, 0.0015});
    sim.FailWhen(sim::CallMatch::Member("Formula"), sim::Simulator::DefaultFault(), 1);
    tracing.SetOn(true);
    ASSERT_EQ(ConnectCad(connection, tracing), DocumentKind::SheetMetal);
    SheetMetalVariables variables;
    (void)ReadSheetMetalVariables(variables, connection.ActiveDoc);

    ASSERT_EQ(trace.Calls.size(), sim.Log().Size());
    for (size_t i = 0; i < trace.Calls.size(); ++i) {
        EXPECT_EQ(Shape(trace.Calls[i]), Shape(sim.Log()[i])) << "call " << i;
        EXPECT_EQ(trace.Calls[i].Duration, psm::test::SteppingTraceClock::Step);
    }
    EXPECT_EQ(trace.Calls.front().Outcome, "Object Application");
    const auto type = std::ranges::find(trace.Calls, "Type", &TracedCall::Member);
    ASSERT_NE(type, trace.Calls.end());
    EXPECT_EQ(type->Kind, "Document");
    EXPECT_EQ(type->Outcome, "I4 4");
}

TEST_F(Tracing, WhileOffTheProgramsOwnObjectsAreHandedOutAndNothingIsRecorded) {
    sim.OpenSheetMetal("A.psm");
    ASSERT_EQ(ConnectCad(connection, tracing), DocumentKind::SheetMetal);
    EXPECT_NE(dynamic_cast<const sim::SimObject*>(connection.CadApp.get()), nullptr)
        << "no layer between psm and the program";
    EXPECT_TRUE(trace.Calls.empty());

    tracing.SetOn(true);
    const ObjectRef traced = tracing.Reissue(connection.CadApp, "Application");
    ASSERT_TRUE(traced->Get(Id(ids::CurrentDocumentId), {}));
    ASSERT_EQ(trace.Calls.size(), 1u);
    EXPECT_EQ(trace.Calls[0].Kind, "Application");
    EXPECT_EQ(trace.Calls[0].Outcome, "Object Document");

    tracing.SetOn(false);
    EXPECT_EQ(tracing.Reissue(traced, "Application"), connection.CadApp) << "the very object";
}

TEST_F(Tracing, TracedHandleHasThePlainHandlesKeyAndFindsItInAHashMap) {
    sim.OpenDocument("A.asm", sim::code::AssemblyDocument);
    ASSERT_EQ(ConnectCad(connection, sim), DocumentKind::Assembly);
    tracing.SetOn(true);
    const ObjectRef traced = tracing.Reissue(connection.ActiveDoc, "Document");
    ASSERT_NE(traced, connection.ActiveDoc);
    const ObjectRef seen = traced->As(ids::AssemblyDocumentIid).Value();
    std::unordered_map<ObjectKey, int, ObjectKeyHash> found{{KeyOf(connection.ActiveDoc), 1}};
    EXPECT_EQ(found.count(KeyOf(seen)), 1u);
    EXPECT_TRUE(SameObject(seen, connection.ActiveDoc));
    EXPECT_FALSE(SameObject(seen, connection.CadApp));

    sim.Quit();
    sim.Start();
    ConnectCad(connection, sim);
    EXPECT_FALSE(SameObject(seen, connection.ActiveDoc)) << "a new run hands out new objects";
}

} // namespace
} // namespace psm::cad::test
