#include "cad/AssemblyParts.h"

#include "cad/CadIds.h"
#include "cad/GuardedCalls.h"

#include <algorithm>

namespace psm::cad {
namespace {

// Follows the components of one assembly; stops asking once the program is
// out of reach.
class ComponentWalk {
  public:
    explicit ComponentWalk(ObjectRef assembly) : m_assembly(std::move(assembly)) {
        m_componentSet =
            m_steps.Object(m_assembly, Id(ids::ComponentSetId), {}, ids::ComponentSetIid);
    }

    bool Readable() const { return m_componentSet && !m_steps.OutOfReach(); }
    bool OutOfReach() const { return m_steps.OutOfReach(); }
    bool Gone() const { return m_steps.Lost() && IsGone(*m_steps.Lost()); }

    int16_t Count() {
        return m_steps.Read<int16_t>(m_componentSet, Id(ids::ComponentCountId)).value_or(0);
    }

    AssemblyComponent Component(int16_t index) {
        AssemblyComponent component;
        const ObjectRef item =
            m_steps.Object(m_componentSet, Id(ids::ItemId), {Value::Int16(index)});
        const int32_t type = m_steps.Read<int32_t>(item, Named("Type")).value_or(0);
        component.Name = m_steps.Read<std::string>(item, Named("Name")).value_or("");
        ObjectRef link;
        if (type == ids::NamedComponentType) {
            link = component.Name.empty()
                       ? nullptr
                       : m_steps.Object(PartLinks(), Id(ids::ItemId), {Value::Text(component.Name)},
                                        ids::LinkIid);
        } else if (type == ids::DirectComponentType) {
            link = m_steps.Object(m_steps.As(item, ids::ComponentIid), Id(ids::ComponentLinkId), {},
                                  ids::LinkIid);
            if (m_steps.Read<bool>(link, Id(ids::LinkBlockedId)).value_or(false)) {
                component.Link = ComponentLink::Blocked;
                return component;
            }
        } else {
            component.Link = item ? ComponentLink::OtherKind : ComponentLink::Missing;
            return component;
        }
        component.Document = m_steps.Object(link, Id(ids::LinkedDocumentId));
        component.Link = component.Document ? ComponentLink::Part : ComponentLink::Missing;
        return component;
    }

  private:
    // The assembly's part links, asked for once, when a named component needs them.
    const ObjectRef& PartLinks() {
        if (!m_partLinksAsked) {
            m_partLinksAsked = true;
            m_partLinks = m_steps.Object(m_assembly, Id(ids::PartLinksId), {}, ids::PartLinksIid);
        }
        return m_partLinks;
    }

    GuardedSteps m_steps;
    ObjectRef m_assembly;
    ObjectRef m_componentSet;
    ObjectRef m_partLinks;
    bool m_partLinksAsked = false;
};

} // namespace

std::optional<std::vector<AssemblyComponent>> AssemblyComponents(const ObjectRef& assembly) {
    ComponentWalk walk(assembly);
    if (!walk.Readable()) {
        return std::nullopt;
    }
    const int16_t count = walk.Count();
    std::vector<AssemblyComponent> components;
    for (int16_t index = 1; index <= count && !walk.OutOfReach(); ++index) {
        components.push_back(walk.Component(index));
    }
    if (walk.OutOfReach()) {
        return std::nullopt;
    }
    return components;
}

Membership AssemblyReaches(const ObjectRef& assembly, const ObjectRef& document) {
    ComponentWalk walk(assembly);
    const int16_t count = walk.Readable() ? walk.Count() : int16_t{0};
    for (int16_t index = 1; index <= count && !walk.OutOfReach(); ++index) {
        if (SameObject(walk.Component(index).Document, document)) {
            return Membership::Member;
        }
    }
    if (walk.OutOfReach()) {
        return walk.Gone() ? Membership::Gone : Membership::Busy;
    }
    return Membership::NotMember;
}

std::vector<ComponentPart> PartsOf(const std::vector<AssemblyComponent>& components) {
    std::vector<ComponentPart> parts;
    for (const AssemblyComponent& component : components) {
        auto same = parts.end();
        if (component.Link == ComponentLink::Part) {
            same = std::find_if(parts.begin(), parts.end(), [&](const ComponentPart& part) {
                return SameObject(part.Document, component.Document);
            });
        }
        if (same != parts.end()) {
            ++same->Components;
        } else {
            parts.push_back({component.Document, component.Name, component.Link, 1});
        }
    }
    return parts;
}

} // namespace psm::cad
