#include "sim/Application.h"

#include "sim/Simulator.h"

namespace psm::sim {
namespace {} // namespace

DocumentCollection::DocumentCollection() : Node("app/Documents") {}

const ClassInfo& DocumentCollection::Class() const {
    static const ClassInfo info{
        "Documents",
        {std::string(iid::Documents)},
        {
            Getter(iid::Documents, dispid::DocumentCount, "DocumentCount", {},
                   [](Node&, const Invocation& call) -> cad::Result<cad::Value> {
                       return cad::Value::Int32(call.Sim.OpenCount());
                   }),
            Getter(iid::Documents, dispid::Item, "Item", {type::Int16},
                   [](Node&, const Invocation& call) -> cad::Result<cad::Value> {
                       const auto open = call.Sim.OpenDocuments();
                       const auto index = ItemIndex(call, open.size());
                       if (!index) {
                           return index.Error();
                       }
                       return ObjectValue(call, open[index.Value() - 1]->shared_from_this());
                   }),
        }};
    return info;
}

Application::Application() : Node("app"), m_documents(std::make_shared<DocumentCollection>()) {}

const ClassInfo& Application::Class() const {
    static const ClassInfo info{
        "Application",
        {std::string(iid::Application)},
        {
            Getter(iid::Application, dispid::OpenDocuments, "OpenDocuments", {},
                   [](Node& self, const Invocation& call) {
                       return ObjectValue(call, Self<Application>(self).Documents());
                   }),
            Getter(iid::Application, dispid::CurrentDocument, "CurrentDocument", {},
                   [](Node&, const Invocation& call) -> cad::Result<cad::Value> {
                       Document* active = call.Sim.ActiveDocument();
                       if (active == nullptr) {
                           return cad::Value();
                       }
                       return ObjectValue(call, active->shared_from_this());
                   }),
            Getter(iid::Application, dispid::FrontWindow, "FrontWindow", {},
                   [](Node&, const Invocation& call) -> cad::Result<cad::Value> {
                       Document* active = call.Sim.ActiveDocument();
                       if (active == nullptr) {
                           return cad::Value();
                       }
                       return ObjectValue(call, active->WindowNode());
                   }),
            Getter(iid::Application, dispid::HoldRecompute, "HoldRecompute", {},
                   [](Node&, const Invocation& call) -> cad::Result<cad::Value> {
                       return cad::Value::Boolean(call.Sim.HoldRecompute());
                   }),
            Putter(iid::Application, dispid::HoldRecompute, "HoldRecompute", type::Boolean,
                   [](Node&, const Invocation& call) -> cad::Result<cad::Value> {
                       call.Sim.SetHoldRecompute(*call.PutValue->AsBoolean());
                       return cad::Value();
                   }),
            Getter(iid::Application, dispid::EnvironmentList, "EnvironmentList", {},
                   [](Node&, const Invocation& call) {
                       return ObjectValue(call, call.Sim.Environments());
                   }),
        }};
    return info;
}

} // namespace psm::sim
