#include "app/Exit.h"

#include "app/AllHeldReferences.h"
#include "app/BehaviourPorts.h"
#include "apply/WaitingWrite.h"
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
    if (state.Run.Ended) {
        return;
    }
    const TwipsRect window = services.View.WindowRect();
    const SettingsNames& names = state.Settings;
    WriteSetting(services.Settings, names.SettingsAppName, names.SettingsSection, "Top",
                 PositionText(window.Top, state.DecimalSeparator));
    WriteSetting(services.Settings, names.SettingsAppName, names.SettingsSection, "Left",
                 PositionText(window.Left, state.DecimalSeparator));
    // A write that left the CAD program holding its recompute gets a last try.
    FinishWaitingWrite(WriterOf(state, services));
    FlushJournal(state.Journal, state, JournalPortsOf(services));
    // Every reference goes: a CAD program closed by its user lives on as
    // long as anyone holds one.
    ReleaseHeldReferences(state);
    state.Cad = cad::CadConnection{};
    state.Variables = cad::SheetMetalVariables{};
    state.Pending = cad::PendingRestore{};
    state.Document = {};
    if (state.Survey.Open) {
        services.Survey.Close();
    }
    state.Survey = {};
    state.Batch = {};
    if (services.Properties.Exists()) {
        services.Properties.Destroy();
    }
    state.Run.Ended = true;
    services.View.EndProgram();
}

} // namespace psm
