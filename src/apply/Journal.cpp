#include "apply/Journal.h"

#include "cad/GuardedCalls.h"
#include "core/Boxes.h"
#include "journal/JournalFile.h"
#include "tables/SettingsStore.h"
#include "tables/TypeMatch.h"

#include <array>
#include <optional>

namespace psm {
namespace {

// The values in the file's unit, as psm shows them; empty where not read.
cad::FiveTexts TableTexts(const AppState& state,
                          const std::array<std::optional<double>, 5>& values) {
    cad::FiveTexts texts;
    for (const SheetValue value : SheetValues) {
        const std::optional<double>& number = values[IndexOf(value)];
        if (number) {
            texts[IndexOf(value)] = cad::TableValueText(value, *number, state.Tables.ScaleFactor,
                                                        state.DecimalSeparator);
        }
    }
    return texts;
}

// The table and type that carry the values, as the watch would recognise them.
void Recognise(const AppState& state, const cad::FiveTexts& values, std::string& table,
               std::string& type) {
    const int row = MatchingTypeRow(state.Tables, values, state.DecimalSeparator);
    if (row == 0) {
        return;
    }
    table = state.Tables.Table(TableOfRow(state.Tables, row)).Name;
    type = state.Tables.Type(row).Name();
}

} // namespace

std::string JournalPath(const AppState& state, const Services& services) {
    const SettingsNames& names = state.Settings;
    std::string path =
        ReadSetting(services.Settings, names.SettingsAppName, names.SettingsSection, "JournalFile");
    if (!path.empty()) {
        return path;
    }
    std::string folder = services.Station.LocalAppDataFolder();
    if (folder.empty()) {
        return {};
    }
    if (folder.back() != '\\' && folder.back() != '/') {
        folder += '\\';
    }
    return folder + names.SettingsAppName + "\\journal.txt";
}

std::string CheckedFeatures(const cad::FeatureCheck& check) {
    // The lines of the check's report, each begun with CR LF.
    constexpr std::string_view LineBreak = "\r\n";
    std::string cell;
    std::string_view rest = check.FeatureMessage;
    while (rest.starts_with(LineBreak)) {
        rest.remove_prefix(LineBreak.size());
        const size_t end = rest.find(LineBreak);
        if (!cell.empty()) {
            cell += "; ";
        }
        cell += rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
    }
    return cell;
}

std::string UncheckedFeatures(const AppState& state) {
    return state.Texts.Journal(JournalText::NotChecked);
}

void JournalWrite(AppState& state, const Services& services, const cad::ObjectRef& document,
                  const JournalledWrite& write) {
    if (!write.Report.Changed) {
        return;
    }
    JournalEntry entry;
    entry.Time = services.Station.LocalTime();
    entry.User = services.Station.UserName();
    entry.Computer = services.Station.ComputerName();
    entry.Document = cad::GetAs<std::string>(document, cad::Named("FullName")).value_or("");
    entry.Action =
        write.Outcome == cad::WriteOutcome::Written ? write.Action : JournalAction::Refused;
    entry.ValuesBefore = TableTexts(state, write.Report.Before);
    entry.ValuesAfter = TableTexts(state, write.Report.After);
    Recognise(state, entry.ValuesBefore, entry.TableBefore, entry.TypeBefore);
    Recognise(state, entry.ValuesAfter, entry.TableAfter, entry.TypeAfter);
    entry.FeaturesBefore = write.FeaturesBefore;
    entry.FeaturesAfter = write.FeaturesAfter;

    const std::string path = JournalPath(state, services);
    if (!AppendToJournal(path, JournalHeader(state.Texts), JournalLine(entry, state.Texts)) &&
        !state.Journal.Told) {
        state.Journal.Unwritten = path;
    }
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
