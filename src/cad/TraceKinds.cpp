#include "cad/TraceKinds.h"

#include "cad/CadIds.h"
#include "cad/TraceLine.h"

#include <array>

namespace psm::cad {
namespace {

struct KnownInterface {
    std::string_view Iid;
    std::string_view Kind;
};

constexpr std::array<KnownInterface, 17> KnownInterfaces{{
    {ids::ApplicationIid, "Application"},
    {ids::DocumentsIid, "Documents"},
    {ids::AssemblyDocumentIid, "AssemblyDocument"},
    {ids::ComponentSetIid, "ComponentSet"},
    {ids::ComponentIid, "Component"},
    {ids::LinkIid, "Link"},
    {ids::PartLinksIid, "PartLinks"},
    {ids::VariableTableIid, "VariableTable"},
    {ids::VariableIid, "Variable"},
    {ids::ModelIid, "Model"},
    {ids::FeatureListIid, "FeatureList"},
    {ids::EnvironmentListIid, "EnvironmentList"},
    {ids::EnvironmentIid, "Environment"},
    {ids::BarListIid, "BarList"},
    {ids::CommandBarIid, "CommandBar"},
    {ids::BarControlsIid, "BarControls"},
    {ids::ButtonIid, "Button"},
}};

// The members psm uses by dispatch identifier whose objects it calls as
// returned, without an interface.
struct KnownYield {
    std::string_view CallerIid;
    int32_t DispId;
    std::string_view Kind;
};

constexpr std::array<KnownYield, 8> KnownYields{{
    {ids::ApplicationIid, ids::CurrentDocumentId, "Document"},
    {ids::ApplicationIid, ids::FrontWindowId, "Window"},
    {ids::DocumentsIid, ids::ItemId, "Document"},
    {ids::LinkIid, ids::LinkedDocumentId, "Document"},
    {ids::ComponentSetIid, ids::ItemId, "Component"},
    {ids::ModelIid, ids::FeatureListId, "FeatureList"},
    {ids::FeatureListIid, ids::ItemId, "Feature"},
    {ids::VariableTableIid, ids::ItemId, "Variable"},
}};

} // namespace

std::string_view InterfaceKind(std::string_view interfaceId) {
    for (const KnownInterface& known : KnownInterfaces) {
        if (known.Iid == interfaceId) {
            return known.Kind;
        }
    }
    return {};
}

std::string YieldedKind(std::string_view callerInterface, std::string_view callerKind,
                        const Member& member) {
    if (member.IsName()) {
        return member.Name;
    }
    for (const KnownYield& known : KnownYields) {
        if (known.CallerIid == callerInterface && known.DispId == member.DispId) {
            return std::string(known.Kind);
        }
    }
    return std::string(callerKind) + TraceMember(member);
}

} // namespace psm::cad
