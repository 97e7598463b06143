#include "simcad/World.h"

#include <limits>

namespace psm::simcad {

sim::Document* World::Find(std::string_view name) const {
    for (auto it = Documents.rbegin(); it != Documents.rend(); ++it) {
        if ((*it)->Name() == name) {
            return it->get();
        }
    }
    return nullptr;
}

double SheetMetalValue(const sim::Document& document, int k) {
    if (k < 1 || k > 5) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const sim::Variable* marker = document.FindVariable(sim::variable::Markers[k - 1]);
    if (marker == nullptr) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return document.ValueOf(marker->Formula());
}

} // namespace psm::simcad
