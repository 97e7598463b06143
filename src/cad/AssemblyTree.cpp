#include "cad/AssemblyTree.h"

#include "cad/CadIds.h"
#include "cad/ComponentWalk.h"
#include "cad/GuardedCalls.h"

#include <deque>
#include <limits>
#include <optional>
#include <utility>

namespace psm::cad {
namespace {

// Counts multiply through up to 64 levels: held at the largest number
// rather than wrapping round.
int64_t Times(int64_t a, int64_t b) {
    int64_t product = 0;
    return __builtin_mul_overflow(a, b, &product) ? std::numeric_limits<int64_t>::max() : product;
}

int64_t Plus(int64_t a, int64_t b) {
    int64_t sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? std::numeric_limits<int64_t>::max() : sum;
}

} // namespace

// An assembly being walked: the next of its components, and where each
// entry it uses keeps that use.
struct AssemblyTree::Frame {
    std::size_t Entry = 0;
    ComponentWalk Walk;
    int32_t Count = 0;
    int32_t Next = 1;
    std::unordered_map<std::size_t, std::size_t> UseOf;
};

// What opening an assembly's component set found, kept until the component
// that led to it is read whole.
struct AssemblyTree::Opening {
    std::optional<ComponentWalk> Walk;
    int32_t Count = 0;
};

AssemblyTree::AssemblyTree(ObjectRef top) : m_top(std::move(top)) {}
AssemblyTree::~AssemblyTree() = default;
AssemblyTree::AssemblyTree(AssemblyTree&&) noexcept = default;
AssemblyTree& AssemblyTree::operator=(AssemblyTree&&) noexcept = default;

const TreeEntry* AssemblyTree::Find(const ObjectRef& document) const {
    if (!document) {
        return nullptr;
    }
    const auto found = m_index.find(KeyOf(document));
    return found != m_index.end() ? &m_entries[found->second] : nullptr;
}

TreeWalkState AssemblyTree::Step(const std::function<bool()>& enough) {
    if (m_state == TreeWalkState::Done || m_state == TreeWalkState::Unreachable) {
        return m_state;
    }
    if (m_state == TreeWalkState::Busy && !m_frames.empty()) {
        m_frames.back().Walk.Resume();
    }
    m_state = TreeWalkState::Walking;
    if (m_entries.empty() && !OpenTop()) {
        return m_state;
    }
    while (!EndsHere()) {
        if (!ReadComponent()) {
            return m_state;
        }
        if (!EndsHere() && enough()) {
            return m_state;
        }
    }
    return m_state;
}

bool AssemblyTree::OpenTop() {
    GuardedSteps steps;
    const auto name = steps.Read<std::string>(m_top, Named("Name"));
    if (steps.Lost()) {
        Lose(*steps.Lost());
        return false;
    }
    Opening opening;
    if (!Open(opening, m_top, 0)) {
        return false;
    }
    TreeEntry top;
    top.Document = m_top;
    top.Name = name.value_or("");
    top.Type = ids::AssemblyDocumentType;
    top.Assembly = true;
    Enter(Add(std::move(top)), std::move(opening));
    return true;
}

// Opens the component set of `document` (any view of an assembly) unless it
// lies too deep. False when the program stopped answering.
bool AssemblyTree::Open(Opening& opening, const ObjectRef& document, int level) {
    if (level > MaxTreeLevel) {
        return true;
    }
    GuardedSteps steps;
    // The top comes seen through the assembly-document interface already.
    ComponentWalk walk(level == 0 ? document : steps.As(document, ids::AssemblyDocumentIid));
    if (steps.Lost() || walk.Lost()) {
        Lose(steps.Lost() ? *steps.Lost() : *walk.Lost());
        return false;
    }
    opening.Count = walk.Readable() ? walk.Count() : 0;
    if (walk.Lost()) {
        Lose(*walk.Lost());
        return false;
    }
    if (walk.Readable()) {
        opening.Walk.emplace(std::move(walk));
    }
    return true;
}

std::size_t AssemblyTree::Add(TreeEntry entry) {
    if (entry.Document) {
        m_index.emplace(KeyOf(entry.Document), m_entries.size());
    }
    m_entries.push_back(std::move(entry));
    m_marks.push_back(Mark::Unwalked);
    return m_entries.size() - 1;
}

// Walks the assembly `entry` next with what opening it found; an assembly
// not opened is marked as such.
void AssemblyTree::Enter(std::size_t entry, Opening opening) {
    TreeEntry& assembly = m_entries[entry];
    const int level = static_cast<int>(m_frames.size());
    assembly.TooDeep = level > MaxTreeLevel;
    if (assembly.TooDeep) {
        return;
    }
    if (!opening.Walk) {
        assembly.ComponentsUnread = true;
        m_marks[entry] = Mark::Walked;
        return;
    }
    m_marks[entry] = Mark::OnPath;
    m_known = Plus(m_known, opening.Count);
    m_frames.push_back(Frame{entry, std::move(*opening.Walk), opening.Count, 1, {}});
}

// A use of `entry` by the assembly walked now.
void AssemblyTree::Use(std::size_t entry, bool insideItself) {
    Frame& frame = m_frames.back();
    std::vector<TreeUse>& usedBy = m_entries[entry].UsedBy;
    const auto [slot, added] = frame.UseOf.emplace(entry, usedBy.size());
    if (added) {
        usedBy.push_back({frame.Entry, m_entries[frame.Entry].Name, 1, insideItself});
    } else {
        ++usedBy[slot->second].Components;
    }
}

// Reads the next component of the assembly walked now, whole or not at all:
// a component whose reading the program broke off is read again at the next step.
bool AssemblyTree::ReadComponent() {
    Frame& frame = m_frames.back();
    const int level = static_cast<int>(m_frames.size());
    WalkedComponent walked = frame.Walk.Component(frame.Next);
    if (frame.Walk.Lost()) {
        Lose(*frame.Walk.Lost());
        return false;
    }
    AssemblyComponent& component = walked.Component;
    std::optional<std::size_t> known;
    if (component.Link == ComponentLink::Part) {
        if (const auto found = m_index.find(KeyOf(component.Document)); found != m_index.end()) {
            known = found->second;
        }
    }
    // What the document is and, for an assembly to walk, its component set.
    TreeEntry fresh;
    Opening opening;
    bool enter = false;
    if (component.Link == ComponentLink::Part && !known) {
        GuardedSteps steps;
        const auto type = steps.Read<int32_t>(component.Document, Named("Type"));
        fresh.Assembly = type == ids::AssemblyDocumentType;
        const auto name = fresh.Assembly
                              ? steps.Read<std::string>(component.Document, Named("Name"))
                              : std::nullopt;
        if (steps.Lost() && !IsGone(*steps.Lost())) {
            Lose(*steps.Lost());
            return false;
        }
        // A document gone (closed, say) while its assembly still answers is
        // one entry out of reach; a program gone fails the next component.
        const bool gone = steps.Lost().has_value();
        fresh.Assembly = fresh.Assembly && !gone;
        fresh.Reached = !gone;
        fresh.Type = type.value_or(0);
        fresh.Name = name.value_or(component.Name);
        enter = fresh.Assembly;
    } else if (known && m_entries[*known].Assembly && m_entries[*known].TooDeep &&
               level <= MaxTreeLevel) {
        enter = true; // met again higher up than before
    }
    if (enter && !Open(opening, component.Document, level)) {
        return false;
    }

    ++frame.Next;
    ++m_read;
    if (!walked.Reached) {
        ++m_notReached;
    }
    if (known) {
        const bool insideItself = m_marks[*known] == Mark::OnPath;
        m_entries[*known].ReachedInsideItself |= insideItself;
        Use(*known, insideItself);
        if (enter) {
            Enter(*known, std::move(opening));
        }
        return true;
    }
    fresh.Document = std::move(component.Document);
    if (!fresh.Assembly) {
        fresh.Name = component.Name;
    }
    fresh.Link = component.Link;
    fresh.Reached = fresh.Reached && walked.Reached;
    fresh.Level = level;
    const std::size_t entry = Add(std::move(fresh));
    Use(entry, false);
    if (enter) {
        Enter(entry, std::move(opening));
    }
    return true;
}

// Leaves the assemblies read to their end; true when that was the last.
bool AssemblyTree::EndsHere() {
    if (m_state != TreeWalkState::Walking) {
        return true;
    }
    while (!m_frames.empty() && m_frames.back().Next > m_frames.back().Count) {
        m_marks[m_frames.back().Entry] = Mark::Walked;
        m_frames.pop_back();
    }
    if (m_frames.empty()) {
        Finish(TreeWalkState::Done);
        return true;
    }
    return false;
}

void AssemblyTree::Lose(const Failure& failure) {
    if (IsGone(failure)) {
        Finish(TreeWalkState::Unreachable);
    } else {
        m_state = TreeWalkState::Busy;
    }
}

// The uses in the whole tree: the top once, and each entry as often as each
// assembly that uses it directly is used, times its components there. The
// uses inside itself left aside, the assemblies form no circle, so each
// entry is summed up once every assembly above it is.
void AssemblyTree::Finish(TreeWalkState state) {
    m_state = state;
    m_frames.clear();
    if (m_entries.empty()) {
        return;
    }
    std::vector<std::vector<std::pair<std::size_t, int64_t>>> uses(m_entries.size());
    std::vector<std::size_t> waiting(m_entries.size(), 0);
    for (std::size_t entry = 0; entry < m_entries.size(); ++entry) {
        m_entries[entry].Uses = 0;
        for (const TreeUse& use : m_entries[entry].UsedBy) {
            if (!use.InsideItself) {
                uses[use.Assembly].emplace_back(entry, use.Components);
                ++waiting[entry];
            }
        }
    }
    m_entries[0].Uses = 1;
    std::deque<std::size_t> ready{0};
    while (!ready.empty()) {
        const std::size_t assembly = ready.front();
        ready.pop_front();
        for (const auto& [entry, components] : uses[assembly]) {
            m_entries[entry].Uses =
                Plus(m_entries[entry].Uses, Times(components, m_entries[assembly].Uses));
            if (--waiting[entry] == 0) {
                ready.push_back(entry);
            }
        }
    }
}

std::function<bool()> StepDeadline(const Clock& clock, std::chrono::milliseconds budget) {
    const std::chrono::milliseconds end = clock.Now() + budget;
    return [&clock, end] { return clock.Now() >= end; };
}

} // namespace psm::cad
