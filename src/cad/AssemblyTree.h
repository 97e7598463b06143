#pragma once

// The walk of a whole product structure: every component of an assembly and
// of the assemblies below it, to any depth, read with the rules of one
// assembly's components. Each document is one entry for the whole tree, found
// again by its identity; a sub-assembly used several times is walked once.
// The walk goes in slices, so that a window stays responsive over thousands
// of parts and a busy program is asked again later from where it stopped.

#include "cad/AssemblyParts.h"
#include "cad/Automation.h"
#include "platform/Clock.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace psm::cad {

// The deepest level whose assemblies are walked: the top is level 0, its
// components level 1. An assembly met deeper is an entry, not walked.
inline constexpr int MaxTreeLevel = 64;

enum class TreeWalkState {
    Walking,     // more to read: step again
    Busy,        // the program was busy: step again later, from where it stopped
    Done,        // every component read
    Unreachable, // the program is gone: the entries say as much as was read
};

// An assembly that uses an entry directly.
struct TreeUse {
    std::size_t Assembly = 0; // the using assembly's entry
    std::string Name;         // its name
    int64_t Components = 0;   // its components that lead to the entry
    // The entry is the using assembly itself or one above it: not counted.
    bool InsideItself = false;
};

struct TreeEntry {
    // The document, as the first component that led to it gave it (the top
    // as given); none for a component that leads to no document.
    ObjectRef Document;
    // An assembly's own name; for a part, its first component's name; for a
    // component without a document, its name.
    std::string Name;
    ComponentLink Link = ComponentLink::Part;
    bool Reached = true; // false: the index reached no component, or its document is gone
    int32_t Type = 0;    // the document's type code; 0 when it could not be read
    bool Assembly = false;
    int Level = 0; // where it was first met
    // Components that lead to it in the whole tree, multiplied through the
    // assemblies that use them; the top counts 1. Set when the walk ends.
    int64_t Uses = 0;
    std::vector<TreeUse> UsedBy;      // each assembly once, in the order met
    bool ReachedInsideItself = false; // an assembly that contains itself
    bool TooDeep = false;             // an assembly below MaxTreeLevel, not walked
    bool ComponentsUnread = false;    // an assembly whose component set did not come
};

class AssemblyTree {
  public:
    // `top` seen through the assembly-document interface. Asks nothing yet.
    explicit AssemblyTree(ObjectRef top);
    ~AssemblyTree();
    AssemblyTree(AssemblyTree&&) noexcept;
    AssemblyTree& operator=(AssemblyTree&&) noexcept;

    // Reads components until `enough` says so, asked after each component,
    // or until the walk ends or the program stops answering. One step takes
    // at least one component; at most the bound and one component's calls.
    TreeWalkState Step(const std::function<bool()>& enough);
    TreeWalkState State() const { return m_state; }

    int64_t ComponentsRead() const { return m_read; }
    // The counts of the component sets opened so far.
    int64_t ComponentsKnown() const { return m_known; }
    // Components whose index reached nothing while the program answered.
    int64_t ComponentsNotReached() const { return m_notReached; }

    // The top first, then every document and component without one in the
    // order met.
    const std::vector<TreeEntry>& Entries() const { return m_entries; }
    // The entry of a document met so far, by identity; null for any other.
    const TreeEntry* Find(const ObjectRef& document) const;

  private:
    struct Frame;
    struct Opening;
    enum class Mark : uint8_t { Unwalked, OnPath, Walked };

    bool OpenTop();
    bool ReadComponent();
    bool Open(Opening& opening, const ObjectRef& document, int level);
    std::size_t Add(TreeEntry entry);
    void Enter(std::size_t entry, Opening opening);
    void Use(std::size_t entry, bool insideItself);
    bool EndsHere();
    void Lose(const Failure& failure);
    void Finish(TreeWalkState state);

    ObjectRef m_top;
    TreeWalkState m_state = TreeWalkState::Walking;
    std::vector<TreeEntry> m_entries;
    std::vector<Mark> m_marks;
    std::unordered_map<ObjectKey, std::size_t, ObjectKeyHash> m_index;
    std::vector<Frame> m_frames; // the assemblies from the top to the one read now
    int64_t m_read = 0;
    int64_t m_known = 0;
    int64_t m_notReached = 0;
};

// A bound for AssemblyTree::Step: enough once `budget` has passed on `clock`
// from now.
std::function<bool()> StepDeadline(const Clock& clock, std::chrono::milliseconds budget);

} // namespace psm::cad
