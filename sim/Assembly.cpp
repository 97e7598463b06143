#include "sim/Assembly.h"

#include "sim/Documents.h"
#include "sim/Simulator.h"

#include <algorithm>

namespace psm::sim {
namespace {} // namespace

Link::Link(Document& owner, std::string id, std::string name, std::shared_ptr<Document> linked,
           bool blocked)
    : Node(std::move(id)), m_owner(owner), m_name(std::move(name)), m_linked(std::move(linked)),
      m_blocked(blocked) {}

bool Link::Disconnected() const {
    return m_owner.Disconnected();
}

const ClassInfo& Link::Class() const {
    static const ClassInfo info{
        "Link",
        {std::string(iid::Link)},
        {
            Getter({}, dispid::Name, "Name", {},
                   [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                       return cad::Value::Text(Self<Link>(self).Name());
                   }),
            Getter(iid::Link, dispid::LinkBlocked, "LinkBlocked", {},
                   [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                       return cad::Value::Boolean(Self<Link>(self).Blocked());
                   }),
            Getter(iid::Link, dispid::LinkedDocument, "LinkedDocument", {},
                   [](Node& self, const Invocation& call) -> cad::Result<cad::Value> {
                       const auto& linked = Self<Link>(self).Linked();
                       if (!linked) {
                           return Fail(cad::FailureCode::Exception, "The link is broken.");
                       }
                       return ObjectValue(call, linked);
                   }),
        }};
    return info;
}

Component::Component(Document& owner, std::string name, int32_t type)
    : Node(owner.ComponentSetNode()->Id() + "/" + name), m_owner(owner), m_name(std::move(name)),
      m_type(type) {}

bool Component::Disconnected() const {
    return m_owner.Disconnected();
}

const ClassInfo& Component::Class() const {
    static const ClassInfo info{
        "Component",
        {std::string(iid::Component)},
        {
            Getter({}, dispid::Type, "Type", {},
                   [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                       return cad::Value::Int32(Self<Component>(self).Type());
                   }),
            Getter({}, dispid::Name, "Name", {},
                   [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                       return cad::Value::Text(Self<Component>(self).Name());
                   }),
            Getter(iid::Component, dispid::ComponentLink, "ComponentLink", {},
                   [](Node& self, const Invocation& call) -> cad::Result<cad::Value> {
                       const auto& link = Self<Component>(self).ComponentLink();
                       if (!link) {
                           return Fail(cad::FailureCode::Exception, "The component has no link.");
                       }
                       return ObjectValue(call, link);
                   }),
        }};
    return info;
}

ComponentSet::ComponentSet(Document& owner) : Node(owner.Id() + "/Components"), m_owner(owner) {}

bool ComponentSet::Disconnected() const {
    return m_owner.Disconnected();
}

const ClassInfo& ComponentSet::Class() const {
    static const ClassInfo info{
        "ComponentSet",
        {std::string(iid::ComponentSet)},
        {
            Getter(iid::ComponentSet, dispid::ComponentCount, "ComponentCount", {},
                   [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                       return cad::Value::Int32(
                           static_cast<int32_t>(Self<ComponentSet>(self).Items().size()));
                   }),
            // The index is a Long, as the count is: a 16-bit one converts.
            Getter(iid::ComponentSet, dispid::Item, "Item", {type::Int16 | type::Int32},
                   [](Node& self, const Invocation& call) -> cad::Result<cad::Value> {
                       const auto& items = Self<ComponentSet>(self).Items();
                       const auto index = ItemIndex(call, items.size());
                       if (!index) {
                           return index.Error();
                       }
                       return ObjectValue(call, items[index.Value() - 1]);
                   }),
        }};
    return info;
}

PartLinks::PartLinks(Document& owner) : Node(owner.Id() + "/PartLinks"), m_owner(owner) {}

bool PartLinks::Disconnected() const {
    return m_owner.Disconnected();
}

const ClassInfo& PartLinks::Class() const {
    static const ClassInfo info{
        "PartLinks",
        {std::string(iid::PartLinks)},
        {
            Getter(iid::PartLinks, dispid::Item, "Item", {type::Text},
                   [](Node& self, const Invocation& call) -> cad::Result<cad::Value> {
                       const std::string name = *call.Args[0].AsText();
                       for (const auto& link : Self<PartLinks>(self).Items()) {
                           if (link->Name() == name) {
                               return ObjectValue(call, link);
                           }
                       }
                       return Fail(cad::FailureCode::Exception,
                                   "Part link \"" + name + "\" not found.");
                   }),
        }};
    return info;
}

// --- Building assemblies ------------------------------------------------------------

Component& Document::AddComponent(std::string name, int32_t componentType) {
    auto& items = m_componentSet->Items();
    items.push_back(std::make_shared<Component>(*this, std::move(name), componentType));
    return *items.back();
}

Component& Document::AddDirectComponent(std::string name, std::shared_ptr<Document> linked,
                                        bool blocked) {
    Component& component = AddComponent(name, code::DirectComponent);
    component.SetLink(std::make_shared<Link>(*this, component.Id() + "/Link", std::move(name),
                                             std::move(linked), blocked));
    return component;
}

void Document::RepeatComponent(std::string_view name, std::size_t times) {
    auto& items = m_componentSet->Items();
    const auto found = std::find_if(items.begin(), items.end(), [&](const auto& component) {
        return component->Name() == name;
    });
    if (found == items.end()) {
        return;
    }
    const std::shared_ptr<Component> component = *found;
    items.insert(items.end(), times, component);
}

void Document::DropAssemblyContent() {
    m_componentSet.reset();
    m_partLinks.reset();
}

void Document::RemoveComponent(std::string_view name) {
    auto& items = m_componentSet->Items();
    std::erase_if(items, [&](const auto& component) { return component->Name() == name; });
}

Component& Document::AddNamedComponent(std::string name) {
    return AddComponent(std::move(name), code::NamedComponent);
}

Link& Document::AddPartLink(std::string name, std::shared_ptr<Document> linked) {
    auto& items = m_partLinks->Items();
    items.push_back(std::make_shared<Link>(*this, m_partLinks->Id() + "/" + name, name,
                                           std::move(linked), false));
    return *items.back();
}

} // namespace psm::sim
