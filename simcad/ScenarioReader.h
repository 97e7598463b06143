#pragma once

// What the statements of one scenario share while it is read: the world they
// build, the document the following statements belong to, and the problems
// found so far, each with its line number.

#include "simcad/World.h"

#include <string>
#include <string_view>
#include <vector>

namespace psm::simcad::scenario {

class Reader {
  public:
    explicit Reader(World& world) : m_world(world) {}

    World& Built() const { return m_world; }

    void StartLine(int number) { m_line = number; }
    void Problem(std::string_view text);
    std::vector<std::string> TakeProblems() { return std::move(m_problems); }

    // False, with a problem, when the name is empty.
    bool NeedName(std::string_view name);

    // The document declared last; nullptr, with a problem, before the first.
    sim::Document* Current();
    void MakeCurrent(sim::Document* document) { m_current = document; }

  private:
    World& m_world;
    sim::Document* m_current = nullptr;
    int m_line = 0;
    std::vector<std::string> m_problems;
};

} // namespace psm::simcad::scenario
