#include "cad/AssemblyParts.h"

#include "cad/ComponentWalk.h"

#include <unordered_map>

namespace psm::cad {

std::optional<std::vector<AssemblyComponent>> AssemblyComponents(const ObjectRef& assembly) {
    ComponentWalk walk(assembly);
    if (!walk.Readable()) {
        return std::nullopt;
    }
    const int32_t count = walk.Count();
    std::vector<AssemblyComponent> components;
    for (int32_t index = 1; index <= count && !walk.OutOfReach(); ++index) {
        components.push_back(walk.Component(index).Component);
    }
    if (walk.OutOfReach()) {
        return std::nullopt;
    }
    return components;
}

Membership AssemblyReaches(const ObjectRef& assembly, const ObjectRef& document) {
    ComponentWalk walk(assembly);
    const int32_t count = walk.Readable() ? walk.Count() : 0;
    for (int32_t index = 1; index <= count && !walk.OutOfReach(); ++index) {
        if (SameObject(walk.Component(index).Component.Document, document)) {
            return Membership::Member;
        }
    }
    if (walk.OutOfReach()) {
        return walk.Gone() ? Membership::Gone : Membership::Busy;
    }
    return Membership::NotMember;
}

AssemblyMembers::AssemblyMembers(const ObjectRef& assembly) {
    ComponentWalk walk(assembly);
    const int32_t count = walk.Readable() ? walk.Count() : 0;
    for (int32_t index = 1; index <= count && !walk.OutOfReach(); ++index) {
        ObjectRef document = walk.Component(index).Component.Document;
        if (document && !walk.OutOfReach()) {
            m_documents.emplace(KeyOf(document), std::move(document));
        }
    }
    if (walk.OutOfReach()) {
        m_lost = walk.Gone() ? Membership::Gone : Membership::Busy;
        m_documents.clear();
    }
}

Membership AssemblyMembers::Reaches(const ObjectRef& document) const {
    if (m_lost) {
        return *m_lost;
    }
    return document && m_documents.contains(KeyOf(document)) ? Membership::Member
                                                             : Membership::NotMember;
}

std::vector<ComponentPart> PartsOf(const std::vector<AssemblyComponent>& components) {
    std::vector<ComponentPart> parts;
    std::unordered_map<ObjectKey, std::size_t, ObjectKeyHash> partOf;
    for (const AssemblyComponent& component : components) {
        if (component.Link == ComponentLink::Part) {
            const auto [known, added] = partOf.emplace(KeyOf(component.Document), parts.size());
            if (!added) {
                ++parts[known->second].Components;
                continue;
            }
        }
        parts.push_back({component.Document, component.Name, component.Link, 1});
    }
    return parts;
}

} // namespace psm::cad
