#include "simcad/DocumentView.h"

#include "sim/Assembly.h"
#include "simcad/Control.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <set>
#include <vector>

namespace psm::simcad {
namespace {

constexpr std::array<const char*, 5> ValueLabels = {
    "Material thickness", "Bend radius", "Neutral factor", "Relief length", "Relief width"};

std::string Format(const char* pattern, double value) {
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), pattern, value);
    return text.data();
}

std::string TypeName(int32_t type) {
    switch (type) {
    case sim::code::SheetMetalDocument:
        return "sheet metal";
    case sim::code::AssemblyDocument:
        return "assembly";
    case sim::code::PartDocument:
        return "part";
    case sim::code::DraftDocument:
        return "drawing";
    default:
        return "type " + std::to_string(type);
    }
}

std::string FeatureKind(int32_t type) {
    switch (type) {
    case sim::code::FlangeFeature:
        return "flange";
    case sim::code::CutoutFeature:
        return "cutout";
    case sim::code::CopiedPartFeature:
        return "copied part";
    default:
        return "feature";
    }
}

void AddLine(std::string& text, const std::string& line) {
    text += line;
    text += "\r\n";
}

void AddDocument(std::string& text, const sim::Document& document, const std::string& indent) {
    AddLine(text, indent + document.Name() + "  (" + TypeName(document.Type()) + ")");
    for (int k = 1; k <= 5; ++k) {
        const double value = SheetMetalValue(document, k);
        std::string line = indent + "  " + ValueLabels[static_cast<std::size_t>(k - 1)] + ": ";
        if (std::isnan(value)) {
            line += "-";
        } else if (k == 3) {
            line += Format("%.6g", value);
        } else {
            line += Format("%.6g mm", value * 1000.0) + Format("  (%.9g m)", value);
        }
        AddLine(text, line);
    }
    if (document.Features().empty()) {
        AddLine(text, indent + "  no features");
    }
    for (const auto& feature : document.Features()) {
        AddLine(text, indent + "  " + feature->Name() + " [" + FeatureKind(feature->Type()) +
                          "]: " + StatusName(feature->Status()));
    }
}

// The document a component leads to: through its own link, or for a named
// component through the assembly's part link of that name.
const sim::Link* LinkOf(const sim::Document& assembly, const sim::Component& component) {
    if (component.Type() != sim::code::NamedComponent) {
        return component.ComponentLink().get();
    }
    for (const auto& link : assembly.PartLinksNode()->Items()) {
        if (link->Name() == component.Name()) {
            return link.get();
        }
    }
    return nullptr;
}

// A part in one line: its kind, and a sheet-metal part's five values.
std::string PartSummary(const sim::Document& part) {
    std::string line = part.Name() + " (" + TypeName(part.Type()) + ")";
    if (part.Type() == sim::code::SheetMetalDocument) {
        line += ":";
        for (int k = 1; k <= 5; ++k) {
            const double value = SheetMetalValue(part, k);
            line += (k == 1 ? " " : " / ") +
                    (std::isnan(value) ? std::string("-")
                                       : Format("%.6g", k == 3 ? value : value * 1000.0));
        }
    }
    return line;
}

// The assemblies shown so far and those above the one shown now.
struct TreeShown {
    std::set<const sim::Document*> Expanded;
    std::vector<const sim::Document*> Path;
};

// As deep as psm walks a tree.
constexpr int DeepestLevel = 64;

// The components of `assembly`, a line each, `level` steps in; below a
// component that leads to an assembly that assembly's own components, one
// step further in, the first time it comes.
void AddComponents(std::string& text, const sim::Document& assembly, int level, TreeShown& shown) {
    const std::string indent(static_cast<std::size_t>(2 * level), ' ');
    const auto& components = assembly.ComponentSetNode()->Items();
    if (components.empty()) {
        AddLine(text, indent + "no components");
    }
    shown.Expanded.insert(&assembly);
    shown.Path.push_back(&assembly);
    for (const auto& component : components) {
        std::string line = indent + component->Name();
        const sim::Link* link = LinkOf(assembly, *component);
        if (component->Type() == sim::code::NamedComponent) {
            line += " (named)";
        } else if (component->Type() != sim::code::DirectComponent) {
            line += " (other kind)";
        }
        const sim::Document* linked = link != nullptr ? link->Linked().get() : nullptr;
        if (linked != nullptr) {
            line += " -> " + PartSummary(*linked) + (link->Blocked() ? " [blocked]" : "");
        } else if (component->Type() != sim::code::OtherComponent) {
            line += " -> no part";
        }
        const bool subAssembly = linked != nullptr && linked->Type() == sim::code::AssemblyDocument;
        const bool inside =
            subAssembly && std::ranges::find(shown.Path, linked) != shown.Path.end();
        if (inside) {
            line += " [contains itself]";
        } else if (subAssembly && shown.Expanded.contains(linked)) {
            line += " [components above]";
        } else if (subAssembly && level >= DeepestLevel) {
            line += " [deeper than 64 levels]";
        }
        AddLine(text, line);
        if (subAssembly && !inside && !shown.Expanded.contains(linked) && level < DeepestLevel) {
            AddComponents(text, *linked, level + 1, shown);
        }
    }
    shown.Path.pop_back();
}

void AddAssembly(std::string& text, const sim::Document& assembly) {
    AddLine(text, assembly.Name() + "  (assembly)");
    TreeShown shown;
    AddComponents(text, assembly, 1, shown);
    const auto& components = assembly.ComponentSetNode()->Items();
    if (components.size() == 1) {
        const sim::Link* link = LinkOf(assembly, *components.front());
        if (link != nullptr && link->Linked() &&
            link->Linked()->Type() != sim::code::AssemblyDocument) {
            AddDocument(text, *link->Linked(), "  ");
        }
    }
}

} // namespace

std::vector<std::string> DocumentNames(const sim::Simulator& simulator) {
    std::vector<std::string> names;
    for (const sim::Document* document : simulator.OpenDocuments()) {
        names.push_back(document->Name());
    }
    return names;
}

std::string DetailsText(const World& world) {
    std::string text;
    const sim::Document* active = world.Sim.ActiveDocument();
    if (active == nullptr) {
        AddLine(text, "No document open.");
    } else if (active->Type() == sim::code::AssemblyDocument) {
        AddAssembly(text, *active);
    } else {
        AddDocument(text, *active, "");
    }
    AddLine(text, "");
    for (const auto& environment : world.Sim.Environments()->Items()) {
        for (const auto& bar : environment->Bars()->Items()) {
            std::string line = environment->Name() + " / bar " + bar->Name() + ":";
            if (bar->Controls().empty()) {
                line += " no buttons";
            }
            for (const auto& control : bar->Controls()) {
                line += " [" + (control->Title.empty() ? control->RunPath : control->Title) + "]";
            }
            AddLine(text, line);
        }
    }
    AddLine(text, "CAD calls: " + std::to_string(world.Sim.CallCount()));
    return text;
}

} // namespace psm::simcad
