#include "sim/Environments.h"

#include "sim/Simulator.h"

namespace psm::sim {
namespace {

Handler TextPut(std::string Control::*field) {
    return [field](Node& self, const Invocation& call) -> cad::Result<cad::Value> {
        Self<Control>(self).*field = *call.PutValue->AsText();
        return cad::Value();
    };
}

Handler BooleanPut(bool Control::*field) {
    return [field](Node& self, const Invocation& call) -> cad::Result<cad::Value> {
        Self<Control>(self).*field = *call.PutValue->AsBoolean();
        return cad::Value();
    };
}

} // namespace

Control::Control(std::string id, int32_t kind) : Node(std::move(id)), m_kind(kind) {}

const ClassInfo& Control::Class() const {
    static const ClassInfo info{
        "Control",
        {std::string(iid::Control)},
        {
            Getter(iid::Control, dispid::RunPath, "RunPath", {},
                   [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                       return cad::Value::Text(Self<Control>(self).RunPath);
                   }),
            Putter(iid::Control, dispid::RunPath, "RunPath", type::Text,
                   TextPut(&Control::RunPath)),
            Method(iid::Control, dispid::SetPictureFile, "SetPictureFile", {type::Text},
                   [](Node& self, const Invocation& call) -> cad::Result<cad::Value> {
                       Self<Control>(self).PictureFile = *call.Args[0].AsText();
                       return cad::Value();
                   }),
            Putter(iid::Control, dispid::ButtonDescription, "ButtonDescription", type::Text,
                   TextPut(&Control::Description)),
            Putter(iid::Control, dispid::ButtonTitle, "ButtonTitle", type::Text,
                   TextPut(&Control::Title)),
            Putter(iid::Control, dispid::ButtonOptionA, "ButtonOptionA", type::Boolean,
                   BooleanPut(&Control::OptionA)),
            Putter(iid::Control, dispid::ButtonOptionB, "ButtonOptionB", type::Boolean,
                   BooleanPut(&Control::OptionB)),
        }};
    return info;
}

BarControls::BarControls(std::string id) : Node(std::move(id)) {}

Control& BarControls::Add(int32_t kind) {
    m_items.push_back(
        std::make_shared<Control>(Id() + "/" + std::to_string(m_items.size() + 1), kind));
    return *m_items.back();
}

const ClassInfo& BarControls::Class() const {
    static const ClassInfo info{
        "BarControls",
        {std::string(iid::BarControls)},
        {
            Getter(iid::BarControls, dispid::ControlCount, "ControlCount", {},
                   [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                       return cad::Value::Int32(
                           static_cast<int32_t>(Self<BarControls>(self).Items().size()));
                   }),
            Getter(iid::BarControls, dispid::Item, "Item", {type::Int16},
                   [](Node& self, const Invocation& call) -> cad::Result<cad::Value> {
                       const auto& items = Self<BarControls>(self).Items();
                       const auto index = ItemIndex(call, items.size());
                       if (!index) {
                           return index.Error();
                       }
                       return ObjectValue(call, items[index.Value() - 1]);
                   }),
            Method(iid::BarControls, dispid::AddControl, "AddControl", {type::Int32},
                   [](Node& self, const Invocation& call) -> cad::Result<cad::Value> {
                       Control& added = Self<BarControls>(self).Add(*call.Args[0].AsInt32());
                       return ObjectValue(call, added.shared_from_this());
                   }),
        }};
    return info;
}

CommandBar::CommandBar(std::string id, std::string name, int32_t position)
    : Node(id), m_name(std::move(name)), m_position(position),
      m_controls(std::make_shared<BarControls>(id + "/Controls")) {}

Control& CommandBar::AddButton(std::string runPath, int32_t kind) {
    Control& control = m_controls->Add(kind);
    control.RunPath = std::move(runPath);
    return control;
}

const ClassInfo& CommandBar::Class() const {
    static const ClassInfo info{
        "CommandBar",
        {std::string(iid::CommandBar)},
        {
            Getter({}, dispid::Name, "Name", {},
                   [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                       return cad::Value::Text(Self<CommandBar>(self).Name());
                   }),
            Getter(iid::CommandBar, dispid::BarControls, "BarControls", {},
                   [](Node& self, const Invocation& call) {
                       return ObjectValue(call, Self<CommandBar>(self).ControlsNode());
                   }),
        }};
    return info;
}

BarList::BarList(std::string id) : Node(std::move(id)) {}

CommandBar* BarList::Find(std::string_view name) const {
    for (const auto& bar : m_items) {
        if (SameName(bar->Name(), name)) {
            return bar.get();
        }
    }
    return nullptr;
}

CommandBar& BarList::Add(std::string name, int32_t position) {
    m_items.push_back(std::make_shared<CommandBar>(Id() + "/" + name, name, position));
    return *m_items.back();
}

const ClassInfo& BarList::Class() const {
    static const ClassInfo info{
        "BarList",
        {std::string(iid::BarList)},
        {
            Getter(iid::BarList, dispid::Item, "Item", {type::Text},
                   [](Node& self, const Invocation& call) -> cad::Result<cad::Value> {
                       const std::string name = *call.Args[0].AsText();
                       CommandBar* bar = Self<BarList>(self).Find(name);
                       if (bar == nullptr) {
                           return Fail(cad::FailureCode::Exception,
                                       "Command bar \"" + name + "\" not found.");
                       }
                       return ObjectValue(call, bar->shared_from_this());
                   }),
            Method(iid::BarList, dispid::AddBar, "AddBar", {type::Text, type::Int32},
                   [](Node& self, const Invocation& call) -> cad::Result<cad::Value> {
                       auto& bars = Self<BarList>(self);
                       const std::string name = *call.Args[0].AsText();
                       if (bars.Find(name) != nullptr) {
                           return Fail(cad::FailureCode::Exception,
                                       "Command bar \"" + name + "\" exists.");
                       }
                       CommandBar& bar = bars.Add(name, *call.Args[1].AsInt32());
                       return ObjectValue(call, bar.shared_from_this());
                   }),
        }};
    return info;
}

Environment::Environment(std::string name)
    : Node("env:" + name), m_name(std::move(name)),
      m_bars(std::make_shared<BarList>(Id() + "/Bars")) {}

const ClassInfo& Environment::Class() const {
    static const ClassInfo info{
        "Environment",
        {std::string(iid::Environment)},
        {
            Getter({}, dispid::Name, "Name", {},
                   [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                       return cad::Value::Text(Self<Environment>(self).Name());
                   }),
            Getter(iid::Environment, dispid::BarList, "BarList", {},
                   [](Node& self, const Invocation& call) {
                       return ObjectValue(call, Self<Environment>(self).Bars());
                   }),
        }};
    return info;
}

EnvironmentList::EnvironmentList() : Node("app/Environments") {
    for (const char* name : {"Part", "SheetMetal", "Assembly", "Draft"}) {
        m_items.push_back(std::make_shared<Environment>(name));
    }
}

Environment* EnvironmentList::Find(std::string_view name) const {
    for (const auto& environment : m_items) {
        if (SameName(environment->Name(), name)) {
            return environment.get();
        }
    }
    return nullptr;
}

const ClassInfo& EnvironmentList::Class() const {
    static const ClassInfo info{
        "EnvironmentList",
        {std::string(iid::EnvironmentList)},
        {
            Getter(iid::EnvironmentList, dispid::Item, "Item", {type::Text},
                   [](Node& self, const Invocation& call) -> cad::Result<cad::Value> {
                       const std::string name = *call.Args[0].AsText();
                       Environment* environment = Self<EnvironmentList>(self).Find(name);
                       if (environment == nullptr) {
                           return Fail(cad::FailureCode::Exception,
                                       "Environment \"" + name + "\" not found.");
                       }
                       return ObjectValue(call, environment->shared_from_this());
                   }),
        }};
    return info;
}

} // namespace psm::sim
