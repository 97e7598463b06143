#pragma once

// The product structure the tree and survey benchmarks measure: a top
// assembly of 10 sub-assemblies, each of 10 of its own, each of 100
// components that lead to 20 part documents five times each: 10,110
// components and 2,000 parts in three levels.

#include "sim/Simulator.h"

#include <functional>
#include <string>
#include <sys/resource.h>

namespace psm::bench {

inline constexpr int Groups = 10;     // sub-assemblies of the top
inline constexpr int Modules = 10;    // sub-assemblies of each group
inline constexpr int PerModule = 100; // components of each module
inline constexpr int PartsPerModule = 20;
inline constexpr int TreeParts = Groups * Modules * PartsPerModule;
inline constexpr int TreeAssemblies = Groups + Groups * Modules;
inline constexpr int TreeComponents = TreeAssemblies + Groups * Modules * PerModule;

// Builds the structure, the top open; `makePart` makes the n-th part (from 0)
// of the given name.
inline sim::Document& BuildProductTree(
    sim::Simulator& simulator,
    const std::function<std::shared_ptr<sim::Document>(const std::string&, int)>& makePart) {
    sim::Document& top = simulator.OpenDocument("Anlage.asm", sim::code::AssemblyDocument);
    int made = 0;
    for (int g = 1; g <= Groups; ++g) {
        auto group = simulator.CreateDocument("Gruppe " + std::to_string(g) + ".asm",
                                              sim::code::AssemblyDocument);
        top.AddDirectComponent(group->Name() + ":1", group);
        for (int m = 1; m <= Modules; ++m) {
            const std::string module = std::to_string(g) + "." + std::to_string(m);
            auto assembly =
                simulator.CreateDocument("Modul " + module + ".asm", sim::code::AssemblyDocument);
            group->AddDirectComponent(assembly->Name() + ":1", assembly);
            for (int p = 1; p <= PartsPerModule; ++p) {
                auto part = makePart("Blech " + module + "." + std::to_string(p) + ".psm", made++);
                for (int use = 1; use <= PerModule / PartsPerModule; ++use) {
                    assembly->AddDirectComponent(part->Name() + ":" + std::to_string(use), part);
                }
            }
        }
    }
    return top;
}

inline double PeakMemoryMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

} // namespace psm::bench
