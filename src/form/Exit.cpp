#include "form/Exit.h"

#include "cad/ReleaseCad.h"
#include "platform/NumberText.h"
#include "tables/SettingsStore.h"

namespace psm {
namespace {

// The position is stored as a single-precision number text, as it always was.
std::string PositionText(int32_t twips, char decimalSeparator) {
    return NumberToText(static_cast<double>(static_cast<float>(twips)), decimalSeparator);
}

} // namespace

void ExitProgram(AppState& state, const Services& services) {
    if (Ended(state)) {
        return;
    }
    const TwipsRect window = services.View.WindowRect();
    const SettingsNames& names = state.Settings;
    WriteSetting(services.Settings, names.SettingsAppName, names.SettingsSection, "Top",
                 PositionText(window.Top, state.DecimalSeparator));
    WriteSetting(services.Settings, names.SettingsAppName, names.SettingsSection, "Left",
                 PositionText(window.Left, state.DecimalSeparator));
    cad::ReleaseCad(state.Cad, state.Features, state.Variables, cad::ReleaseFlags::All());
    state.Watch.ValuesDocument = nullptr;
    if (services.Info.Exists()) {
        services.Info.Destroy();
    }
    state.Run.Ended = true;
    services.View.EndProgram();
}

void cmdEnd_Click(AppState& state, const Services& services) {
    ExitProgram(state, services);
}

} // namespace psm
