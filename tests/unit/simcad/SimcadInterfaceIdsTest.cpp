// The interface identifiers simcad publishes: every one the simulated model
// uses, each declared in the type library that lets COM marshal it.

#include "simcad/InterfaceIds.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace psm::simcad {
namespace {

std::string Upper(std::string_view text) {
    std::string upper(text);
    std::ranges::transform(upper, upper.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

// The identifiers the model's classes implement, collected from a model
// that has one object of every class.
std::set<std::string> ModelInterfaces() {
    sim::Simulator simulator;
    auto part = simulator.CreateSheetMetal("Teil.psm");
    sim::Document& assembly = simulator.OpenDocument("Baugruppe.asm", sim::code::AssemblyDocument);
    auto& component = assembly.AddDirectComponent("Teil 1", part);
    assembly.AddPartLink("Teil 1", part);
    part->AddFeature("Flansch 1");
    sim::CommandBar& bar = simulator.Env("SheetMetal").AddBar("ORNA");
    auto& button = bar.AddButton("psm.exe");
    const sim::Node* nodes[] = {simulator.App().get(),
                                simulator.App()->Documents().get(),
                                &assembly,
                                assembly.ComponentSetNode().get(),
                                &component,
                                component.ComponentLink().get(),
                                assembly.PartLinksNode().get(),
                                part->VariableTableNode().get(),
                                part->Variables().front().get(),
                                part->ModelNode().get(),
                                part->ModelNode()->Features().get(),
                                simulator.Environments().get(),
                                &simulator.Env("SheetMetal"),
                                simulator.Env("SheetMetal").Bars().get(),
                                &bar,
                                bar.ControlsNode().get(),
                                &button};
    std::set<std::string> found;
    for (const sim::Node* node : nodes) {
        for (const std::string& interfaceId : node->Class().Interfaces) {
            found.insert(Upper(interfaceId));
        }
    }
    return found;
}

TEST(InterfaceIds, ArePreciselyThoseTheModelImplements) {
    std::set<std::string> published;
    for (std::string_view interfaceId : ModelInterfaceIds) {
        published.insert(Upper(interfaceId));
    }
    EXPECT_EQ(published.size(), ModelInterfaceIds.size()); // no identifier twice
    EXPECT_EQ(published, ModelInterfaces());
}

TEST(InterfaceIds, TheTypeLibraryDeclaresEachOfThemAndTheControlObjects) {
    const auto path =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path() /
        "simcad" / "simcad.idl";
    std::ifstream file(path);
    ASSERT_TRUE(file) << path;
    std::stringstream text;
    text << file.rdbuf();
    const std::string idl = Upper(text.str());
    const auto declared = [&](std::string_view interfaceId) {
        // "{XXXXXXXX-...}" appears in the IDL as "uuid(XXXXXXXX-...)".
        const std::string bare(interfaceId.substr(1, interfaceId.size() - 2));
        return idl.find("UUID(" + Upper(bare) + ")") != std::string::npos;
    };
    for (std::string_view interfaceId : ModelInterfaceIds) {
        EXPECT_TRUE(declared(interfaceId)) << interfaceId;
    }
    EXPECT_TRUE(declared(ControlInterfaceId));
    EXPECT_TRUE(declared(TypeLibraryId));
}

} // namespace
} // namespace psm::simcad
