#include "core/Journal.h"

#include "core/Boxes.h"
#include "core/DocumentValues.h"
#include "core/Present.h"
#include "journal/JournalQueue.h"
#include "tables/SettingsStore.h"

#include <array>
#include <cstddef>

namespace psm {
namespace {

// The values in the file's unit, as psm shows them; empty where not read.
std::array<std::string, 5> TableTexts(const AppState& state, const cad::CadValues& values) {
    const FiveValues table = TableValuesOf(values, state.Tables.ScaleFactor);
    std::array<std::string, 5> texts;
    for (std::size_t k = 0; k < texts.size(); ++k) {
        texts[k] = NumberTextOf(table[k], state);
    }
    return texts;
}

// The table and type that carry the values, as the watch would recognise them.
void Recognise(const AppState& state, const cad::CadValues& values, std::string& table,
               std::string& type) {
    const int row = RecognisedType(state.Tables, values);
    if (row == 0) {
        return;
    }
    table = state.Tables.Table(TableOfRow(state.Tables, row)).Name;
    type = state.Tables.Type(row).Name;
}

} // namespace

void FlushJournal(AppState& state, const Services& services) {
    FlushJournalLines(state.Journal, JournalPath(state, services), JournalHeader(state.Texts),
                      services.Time.Now());
}

std::string JournalPath(const AppState& state, const Services& services) {
    return JournalPathOf(services.Settings, state.Settings, services.Station);
}

std::string JournalPathOf(const SettingsStore& settings, const SettingsNames& names,
                          const Workstation& station) {
    std::string path =
        ReadSetting(settings, names.SettingsAppName, names.SettingsSection, "JournalFile");
    if (!path.empty()) {
        return path;
    }
    std::string folder = station.LocalAppDataFolder();
    if (folder.empty()) {
        return {};
    }
    if (folder.back() != '\\' && folder.back() != '/') {
        folder += '\\';
    }
    return folder + names.SettingsAppName + "\\journal.txt";
}

std::string UncheckedFeatures(const AppState& state) {
    return state.Texts.Journal(JournalText::NotChecked);
}

void JournalWrite(AppState& state, const Services& services, const std::string& documentName,
                  const JournalledWrite& write) {
    if (!write.Report.Changed) {
        return;
    }
    JournalEntry entry;
    entry.Time = services.Station.LocalTime();
    entry.User = services.Station.UserName();
    entry.Computer = services.Station.ComputerName();
    entry.Document = documentName;
    entry.Action =
        write.Outcome == cad::WriteOutcome::Written ? write.Action : JournalAction::Refused;
    entry.ValuesBefore = TableTexts(state, write.Report.Before);
    entry.ValuesAfter = TableTexts(state, write.Report.After);
    Recognise(state, write.Report.Before, entry.TableBefore, entry.TypeBefore);
    Recognise(state, write.Report.After, entry.TableAfter, entry.TypeAfter);
    entry.FeaturesBefore = write.FeaturesBefore;
    entry.FeaturesAfter = write.FeaturesAfter;
    if (entry.Action == JournalAction::Refused) {
        Recognise(state, write.Report.Target, entry.TableRefused, entry.TypeRefused);
    }
    QueueJournalLine(state.Journal, JournalPath(state, services), JournalHeader(state.Texts),
                     JournalLine(entry, state.Texts), services.Time.Now());
}

void ReportUnwrittenJournal(AppState& state, const Services& services) {
    if (!state.Journal.Unwritten) {
        return;
    }
    const std::string path = *state.Journal.Unwritten;
    state.Journal.Unwritten.reset();
    state.Journal.Told = true;
    ShowJournalNotWritable(state, services, path);
}

void ShowJournalNotWritable(const AppState& state, const Services& services,
                            const std::string& path) {
    ShowBox(state, services, FormatText(state.Texts.Journal(JournalText::NotWritable), {path}),
            MessageButtons::Ok, MessageIcon::Exclamation);
}

} // namespace psm
