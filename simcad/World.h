#pragma once

// The simulated CAD program as simcad runs it: the simulator, and every
// document a scenario made by its name, open in the program or not (such as
// the part behind an assembly's component).

#include "sim/Simulator.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace psm::simcad {

struct World {
    sim::Simulator Sim;
    std::vector<std::shared_ptr<sim::Document>> Documents; // in the order made

    // The document of that exact name, the most recently made one first.
    sim::Document* Find(std::string_view name) const;
    void Add(std::shared_ptr<sim::Document> document) { Documents.push_back(std::move(document)); }
};

// The document's value k (1..5) through its marker variable's formula; NaN
// when the marker or the variable it names is missing.
double SheetMetalValue(const sim::Document& document, int k);

} // namespace psm::simcad
