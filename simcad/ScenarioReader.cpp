#include "simcad/ScenarioReader.h"

#include "sim/Node.h"

namespace psm::simcad::scenario {

void Reader::Problem(std::string_view text) {
    m_problems.push_back(sim::Concat({"line ", std::to_string(m_line), ": ", text}));
}

bool Reader::NeedName(std::string_view name) {
    if (name.empty()) {
        Problem("a name is missing");
        return false;
    }
    return true;
}

sim::Document* Reader::Current() {
    if (m_current == nullptr) {
        Problem("no document yet: declare one first");
    }
    return m_current;
}

} // namespace psm::simcad::scenario
