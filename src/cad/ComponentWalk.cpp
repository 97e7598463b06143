#include "cad/ComponentWalk.h"

#include "cad/CadIds.h"

#include <limits>

namespace psm::cad {
namespace {

ObjectRef ComponentSetOf(GuardedSteps& steps, const ObjectRef& assembly) {
    return steps.Object(assembly, Id(ids::ComponentSetId), {}, ids::ComponentSetIid);
}

Value IndexValue(int32_t index) {
    return index <= std::numeric_limits<int16_t>::max() ? Value::Int16(static_cast<int16_t>(index))
                                                        : Value::Int32(index);
}

} // namespace

ComponentWalk::ComponentWalk(ObjectRef assembly) : m_assembly(std::move(assembly)) {
    m_componentSet = ComponentSetOf(m_steps, m_assembly);
}

int32_t ComponentWalk::Count() {
    return m_steps.Read<int32_t>(m_componentSet, Id(ids::ComponentCountId)).value_or(0);
}

WalkedComponent ComponentWalk::Component(int32_t index) {
    WalkedComponent walked;
    AssemblyComponent& component = walked.Component;
    const ObjectRef item = m_steps.Object(m_componentSet, Id(ids::ItemId), {IndexValue(index)});
    walked.Reached = item != nullptr || m_steps.OutOfReach();
    const int32_t type = m_steps.Read<int32_t>(item, Named("Type")).value_or(0);
    component.Name = m_steps.Read<std::string>(item, Named("Name")).value_or("");
    ObjectRef link;
    if (type == ids::NamedComponentType) {
        link = component.Name.empty() ? nullptr
                                      : m_steps.Object(PartLinks(), Id(ids::ItemId),
                                                       {Value::Text(component.Name)}, ids::LinkIid);
    } else if (type == ids::DirectComponentType) {
        link = m_steps.Object(m_steps.As(item, ids::ComponentIid), Id(ids::ComponentLinkId), {},
                              ids::LinkIid);
        if (m_steps.Read<bool>(link, Id(ids::LinkBlockedId)).value_or(false)) {
            component.Link = ComponentLink::Blocked;
            return walked;
        }
    } else {
        component.Link = item ? ComponentLink::OtherKind : ComponentLink::Missing;
        return walked;
    }
    component.Document = m_steps.Object(link, Id(ids::LinkedDocumentId));
    component.Link = component.Document ? ComponentLink::Part : ComponentLink::Missing;
    return walked;
}

void ComponentWalk::Resume() {
    m_steps = GuardedSteps();
    if (!m_componentSet) {
        m_componentSet = ComponentSetOf(m_steps, m_assembly);
    }
    if (!m_partLinks) {
        m_partLinksAsked = false;
    }
}

// The assembly's part links, asked for once, when a named component needs them.
const ObjectRef& ComponentWalk::PartLinks() {
    if (!m_partLinksAsked) {
        m_partLinksAsked = true;
        m_partLinks = m_steps.Object(m_assembly, Id(ids::PartLinksId), {}, ids::PartLinksIid);
    }
    return m_partLinks;
}

} // namespace psm::cad
