#include "simcad/Control.h"

#include "sim/Simulator.h"
#include "simcad/Scenario.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace psm::simcad {
namespace {

using cad::Value;
using sim::Getter;
using sim::Invocation;
using sim::Method;
using sim::Node;
namespace type = sim::type;

constexpr auto Numeric = type::Int16 | type::Int32;

World& WorldOf(Node& self) {
    return sim::Self<ControlObject>(self).TheWorld();
}

std::string Arg(const Invocation& call, std::size_t i) {
    return call.Args[i].AsText().value_or(std::string());
}

int32_t IntArg(const Invocation& call, std::size_t i) {
    return call.Args[i].AsInt32().value_or(0);
}

cad::Failure Missing(std::string_view what, std::string_view name) {
    return sim::Fail(cad::FailureCode::Exception,
                     sim::Concat({what, " \"", name, "\" not found."}));
}

cad::Result<sim::Document*> DocumentArg(Node& self, const Invocation& call) {
    const std::string name = Arg(call, 0);
    if (sim::Document* document = WorldOf(self).Find(name)) {
        return document;
    }
    return Missing("Document", name);
}

cad::Result<Value> Number(double value, std::string_view what) {
    if (std::isnan(value)) {
        return sim::Fail(cad::FailureCode::Exception, sim::Concat({what, " has no value."}));
    }
    return Value::Double(value);
}

std::string NumberText(double value) {
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value);
    return std::string(text.data(), end.ptr);
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

std::size_t From(const Invocation& call) {
    const int32_t from = IntArg(call, 0);
    return from > 0 ? static_cast<std::size_t>(from) : 0;
}

cad::Result<sim::CommandBar*> BarArg(Node& self, const Invocation& call) {
    const std::string environmentName = Arg(call, 0);
    sim::Environment* environment = WorldOf(self).Sim.Environments()->Find(environmentName);
    if (environment == nullptr) {
        return Missing("Environment", environmentName);
    }
    const std::string barName = Arg(call, 1);
    sim::CommandBar* bar = environment->FindBar(barName);
    if (bar == nullptr) {
        return Missing("Command bar", barName);
    }
    return bar;
}

cad::Result<Value> ButtonField(const sim::Control& button, std::string_view field) {
    if (sim::SameName(field, "RunPath")) {
        return Value::Text(button.RunPath);
    }
    if (sim::SameName(field, "Picture")) {
        return Value::Text(button.PictureFile);
    }
    if (sim::SameName(field, "Title")) {
        return Value::Text(button.Title);
    }
    if (sim::SameName(field, "Description")) {
        return Value::Text(button.Description);
    }
    if (sim::SameName(field, "OptionA")) {
        return Value::Text(button.OptionA ? "true" : "false");
    }
    if (sim::SameName(field, "OptionB")) {
        return Value::Text(button.OptionB ? "true" : "false");
    }
    if (sim::SameName(field, "Kind")) {
        return Value::Text(std::to_string(button.Kind()));
    }
    return Missing("Button field", field);
}

// A busy program refuses with RPC_E_CALL_REJECTED (also for 0) or
// RPC_E_SERVERCALL_RETRYLATER.
cad::Result<int32_t> BusyCode(int32_t code) {
    if (code == 0 || code == sim::hresult::CallRejected) {
        return sim::hresult::CallRejected;
    }
    if (code == sim::hresult::RetryLater) {
        return code;
    }
    return sim::Fail(cad::FailureCode::InvalidArgument,
                     "A busy program refuses with 0x80010001 or 0x8001010A.");
}

cad::Result<sim::CallMatch> CallArg(const Invocation& call, std::size_t i) {
    const std::string text = Arg(call, i);
    if (auto match = sim::CallMatch::Parse(text)) {
        return *match;
    }
    return sim::Fail(cad::FailureCode::InvalidArgument,
                     sim::Concat({"\"", text, "\" is not MEMBER or get|put|call MEMBER."}));
}

std::chrono::milliseconds Milliseconds(const Invocation& call, std::size_t i) {
    return std::chrono::milliseconds(std::max(IntArg(call, i), 0));
}

std::vector<sim::MemberInfo> Members() {
    const std::string_view any; // every member is reachable through every view
    return {
        Method(any, 1, "Activate", {type::Text},
               [](Node& self, const Invocation& call) -> cad::Result<Value> {
                   const std::string name = Arg(call, 0);
                   const bool open = call.Sim.Find(name) != nullptr;
                   call.Sim.Activate(name);
                   if (open) {
                       sim::Self<ControlObject>(self).Host().BringToFront();
                   }
                   return Value::Boolean(open);
               }),
        Method(any, 2, "Close", {type::Text},
               [](Node&, const Invocation& call) -> cad::Result<Value> {
                   const std::string name = Arg(call, 0);
                   const bool open = call.Sim.Find(name) != nullptr;
                   call.Sim.Close(name);
                   return Value::Boolean(open);
               }),
        Method(any, 3, "CloseAll", {},
               [](Node&, const Invocation& call) -> cad::Result<Value> {
                   call.Sim.CloseAll();
                   return Value();
               }),
        Getter(any, 4, "ActiveDocument", {},
               [](Node&, const Invocation& call) -> cad::Result<Value> {
                   const sim::Document* active = call.Sim.ActiveDocument();
                   return Value::Text(active ? active->Name() : std::string());
               }),
        Getter(any, 5, "DocumentCount", {},
               [](Node&, const Invocation& call) -> cad::Result<Value> {
                   return Value::Int32(call.Sim.OpenCount());
               }),
        Getter(any, 6, "Value", {type::Text, type::Text},
               [](Node& self, const Invocation& call) -> cad::Result<Value> {
                   const auto document = DocumentArg(self, call);
                   if (!document) {
                       return document.Error();
                   }
                   const std::string name = Arg(call, 1);
                   return Number(document.Value()->ValueOf(name), name);
               }),
        Getter(any, 7, "SheetMetalValue", {type::Text, Numeric},
               [](Node& self, const Invocation& call) -> cad::Result<Value> {
                   const auto document = DocumentArg(self, call);
                   if (!document) {
                       return document.Error();
                   }
                   return Number(SheetMetalValue(*document.Value(), IntArg(call, 1)),
                                 "The sheet-metal value");
               }),
        Method(any, 8, "SetValue", {type::Text, type::Text, type::Double},
               [](Node& self, const Invocation& call) -> cad::Result<Value> {
                   const auto document = DocumentArg(self, call);
                   if (!document) {
                       return document.Error();
                   }
                   document.Value()->SetValue(Arg(call, 1), *call.Args[2].AsDouble());
                   return Value();
               }),
        Getter(any, 9, "FeatureStatus", {type::Text, type::Text},
               [](Node& self, const Invocation& call) -> cad::Result<Value> {
                   const auto document = DocumentArg(self, call);
                   if (!document) {
                       return document.Error();
                   }
                   const std::string name = Arg(call, 1);
                   const sim::Feature* feature = document.Value()->FindFeature(name);
                   if (feature == nullptr) {
                       return Missing("Feature", name);
                   }
                   return Value::Text(StatusName(feature->Status()));
               }),
        Getter(any, 10, "WriteCount", {},
               [](Node&, const Invocation& call) -> cad::Result<Value> {
                   return Value::Int32(static_cast<int32_t>(call.Sim.VariableWrites().size()));
               }),
        Getter(any, 11, "WriteLog", {Numeric},
               [](Node&, const Invocation& call) -> cad::Result<Value> {
                   std::vector<std::string> lines;
                   const auto& writes = call.Sim.VariableWrites();
                   for (std::size_t i = From(call); i < writes.size(); ++i) {
                       lines.push_back(sim::Concat({writes[i].Document, "|", writes[i].Variable,
                                                    "|", NumberText(writes[i].Value), "|",
                                                    writes[i].HoldRecompute ? "hold" : "free"}));
                   }
                   return Value::Text(JoinLines(lines));
               }),
        Getter(any, 12, "CallCount", {},
               [](Node&, const Invocation& call) -> cad::Result<Value> {
                   return Value::Int32(static_cast<int32_t>(call.Sim.CallCount()));
               }),
        Getter(any, 13, "CountCalls", {type::Text},
               [](Node&, const Invocation& call) -> cad::Result<Value> {
                   const std::string name = Arg(call, 0);
                   const auto count = call.Sim.Log().Count([&](const sim::CallRecord& record) {
                       return record.Kind != sim::CallKind::As &&
                              record.Kind != sim::CallKind::Attach &&
                              sim::SameName(record.Name, name);
                   });
                   return Value::Int32(static_cast<int32_t>(count));
               }),
        Getter(any, 14, "LogText", {Numeric},
               [](Node&, const Invocation& call) -> cad::Result<Value> {
                   return Value::Text(JoinLines(call.Sim.Log().Lines(From(call))));
               }),
        Method(any, 15, "ClearLog", {},
               [](Node&, const Invocation& call) -> cad::Result<Value> {
                   call.Sim.ClearLog();
                   return Value();
               }),
        Method(any, 16, "Fail", {type::Text, Numeric},
               [](Node&, const Invocation& call) -> cad::Result<Value> {
                   call.Sim.FailWhen(sim::CallMatch::Member(Arg(call, 0)),
                                     sim::Simulator::DefaultFault(), IntArg(call, 1));
                   return Value();
               }),
        Method(any, 17, "ClearFaults", {},
               [](Node&, const Invocation& call) -> cad::Result<Value> {
                   call.Sim.ClearFaults();
                   return Value();
               }),
        Getter(any, 18, "HoldRecompute", {},
               [](Node&, const Invocation& call) -> cad::Result<Value> {
                   return Value::Boolean(call.Sim.HoldRecompute());
               }),
        Getter(any, 19, "ButtonCount", {type::Text, type::Text},
               [](Node& self, const Invocation& call) -> cad::Result<Value> {
                   const auto bar = BarArg(self, call);
                   if (!bar) {
                       return Value::Int32(-1);
                   }
                   return Value::Int32(static_cast<int32_t>(bar.Value()->Controls().size()));
               }),
        Getter(any, 20, "Button", {type::Text, type::Text, Numeric, type::Text},
               [](Node& self, const Invocation& call) -> cad::Result<Value> {
                   const auto bar = BarArg(self, call);
                   if (!bar) {
                       return bar.Error();
                   }
                   const auto& controls = bar.Value()->Controls();
                   const int32_t index = IntArg(call, 2);
                   if (index < 1 || static_cast<std::size_t>(index) > controls.size()) {
                       return sim::Fail(sim::hresult::BadIndex, "Invalid index.");
                   }
                   return ButtonField(*controls[static_cast<std::size_t>(index) - 1], Arg(call, 3));
               }),
        Method(any, 21, "BringToFront", {},
               [](Node& self, const Invocation&) -> cad::Result<Value> {
                   sim::Self<ControlObject>(self).Host().BringToFront();
                   return Value();
               }),
        Method(any, 22, "Quit", {},
               [](Node& self, const Invocation&) -> cad::Result<Value> {
                   sim::Self<ControlObject>(self).Host().Quit();
                   return Value();
               }),
        Getter(any, 23, "ProcessId", {},
               [](Node& self, const Invocation&) -> cad::Result<Value> {
                   return Value::Int32(sim::Self<ControlObject>(self).Host().ProcessId());
               }),
        Getter(any, 24, "NameLookups", {},
               [](Node& self, const Invocation&) -> cad::Result<Value> {
                   return Value::Int32(sim::Self<ControlObject>(self).Host().NameLookups());
               }),
        Getter(any, 25, "ViewUpdates", {type::Text},
               [](Node& self, const Invocation& call) -> cad::Result<Value> {
                   const auto document = DocumentArg(self, call);
                   if (!document) {
                       return document.Error();
                   }
                   return Value::Int32(document.Value()->ViewUpdates());
               }),
        Getter(any, 26, "SimplifiedModelUpdates", {type::Text},
               [](Node& self, const Invocation& call) -> cad::Result<Value> {
                   const auto document = DocumentArg(self, call);
                   if (!document) {
                       return document.Error();
                   }
                   return Value::Int32(document.Value()->SimplifiedModelUpdates());
               }),
        Getter(any, 27, "BarCount", {type::Text},
               [](Node& self, const Invocation& call) -> cad::Result<Value> {
                   const std::string name = Arg(call, 0);
                   const sim::Environment* environment =
                       WorldOf(self).Sim.Environments()->Find(name);
                   if (environment == nullptr) {
                       return Missing("Environment", name);
                   }
                   return Value::Int32(static_cast<int32_t>(environment->Bars()->Items().size()));
               }),
        Method(any, 28, "Busy", {Numeric, Numeric},
               [](Node&, const Invocation& call) -> cad::Result<Value> {
                   const auto code = BusyCode(IntArg(call, 1));
                   if (!code) {
                       return code.Error();
                   }
                   call.Sim.BeBusy(Milliseconds(call, 0), code.Value());
                   return Value();
               }),
        Method(any, 29, "BusyFrom", {type::Text, Numeric, Numeric, Numeric},
               [](Node&, const Invocation& call) -> cad::Result<Value> {
                   const auto match = CallArg(call, 0);
                   const auto code = BusyCode(IntArg(call, 3));
                   if (!match || !code) {
                       return match ? code.Error() : match.Error();
                   }
                   call.Sim.BeBusyFrom(match.Value(), std::max(IntArg(call, 1), 1),
                                       Milliseconds(call, 2), code.Value());
                   return Value();
               }),
        Getter(any, 30, "RefusedCalls", {},
               [](Node&, const Invocation& call) -> cad::Result<Value> {
                   return Value::Int32(static_cast<int32_t>(call.Sim.RefusedCalls()));
               }),
        Method(any, 31, "FailCall", {type::Text, Numeric, Numeric},
               [](Node&, const Invocation& call) -> cad::Result<Value> {
                   const auto match = CallArg(call, 0);
                   if (!match) {
                       return match.Error();
                   }
                   call.Sim.FailWhen(match.Value(), sim::Simulator::DefaultFault(), IntArg(call, 2),
                                     std::max(IntArg(call, 1), 1) - 1);
                   return Value();
               }),
        Method(any, 32, "SwallowCall", {type::Text, Numeric, Numeric},
               [](Node&, const Invocation& call) -> cad::Result<Value> {
                   const auto match = CallArg(call, 0);
                   if (!match) {
                       return match.Error();
                   }
                   call.Sim.SwallowWhen(match.Value(), IntArg(call, 2),
                                        std::max(IntArg(call, 1), 1) - 1);
                   return Value();
               }),
        Method(any, 33, "Withdraw", {},
               [](Node& self, const Invocation& call) -> cad::Result<Value> {
                   call.Sim.Withdraw();
                   sim::Self<ControlObject>(self).Host().WithdrawRegistration();
                   return Value();
               }),
        Method(any, 34, "Run", {type::Text},
               [](Node& self, const Invocation& call) -> cad::Result<Value> {
                   std::vector<std::string> problems = LoadScenario(WorldOf(self), Arg(call, 0));
                   return Value::Text(JoinLines(problems));
               }),
    };
}

} // namespace

std::string StatusName(int32_t status) {
    switch (status) {
    case sim::code::StatusOk:
        return "ok";
    case sim::code::StatusWarned:
        return "warned";
    case sim::code::StatusFailed:
        return "failed";
    default:
        break;
    }
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "0x%08X", static_cast<uint32_t>(status));
    return text.data();
}

ControlObject::ControlObject(World& world, ControlHost& host)
    : Node("control"), m_world(world), m_host(host) {}

const sim::ClassInfo& ControlObject::Class() const {
    static const sim::ClassInfo info{"Control", {std::string(ControlInterfaceId)}, Members()};
    return info;
}

} // namespace psm::simcad
