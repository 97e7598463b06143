#pragma once

// Every component of an assembly, each followed to the part document behind
// it the way the single component of an assembly is, and the parts they lead
// to, each once.

#include "cad/Automation.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace psm::cad {

// Where a component leads.
enum class ComponentLink {
    Part,      // to a part document
    Blocked,   // its link is blocked
    Missing,   // its link or the document behind it cannot be found
    OtherKind, // a component of neither known kind: no part behind it
};

struct AssemblyComponent {
    std::string Name; // the component's own name
    ComponentLink Link = ComponentLink::Missing;
    ObjectRef Document; // the part document, for ComponentLink::Part
};

// The components of `assembly` (seen through the assembly-document interface)
// in the order of its component set. Nothing when the program stopped
// answering (busy or gone) in the middle: the list would say less than there is.
std::optional<std::vector<AssemblyComponent>> AssemblyComponents(const ObjectRef& assembly);

// Whether a component of `assembly` (seen through the assembly-document
// interface) leads to `document` now, as far as the program answered.
enum class Membership { Member, NotMember, Busy, Gone };
Membership AssemblyReaches(const ObjectRef& assembly, const ObjectRef& document);

// The documents the components of `assembly` lead to, read once, for a batch
// that asks after each of many documents: each answer is a look-up by
// identity, without a call. Busy or Gone for every document when the program
// stopped answering while they were read.
class AssemblyMembers {
  public:
    explicit AssemblyMembers(const ObjectRef& assembly);
    Membership Reaches(const ObjectRef& document) const;

  private:
    // The references are held so that their keys stay theirs.
    std::unordered_map<ObjectKey, ObjectRef, ObjectKeyHash> m_documents;
    std::optional<Membership> m_lost;
};

// One part document and the components that lead to it.
struct ComponentPart {
    ObjectRef Document; // none for a component that leads to no part
    std::string Name;   // the component's name for one without a part
    ComponentLink Link = ComponentLink::Part;
    int Components = 1; // how many components lead to it
};

// The parts in the order their first component comes; a document reached
// through several components (as the same object) is one part. A component
// without a part is a part entry of its own.
std::vector<ComponentPart> PartsOf(const std::vector<AssemblyComponent>& components);

} // namespace psm::cad
