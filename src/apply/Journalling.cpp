#include "apply/Journalling.h"

#include "core/DocumentValues.h"
#include "platform/NumberText.h"

#include <array>
#include <cstddef>

namespace psm {
namespace {

// The values in the file's unit, as psm shows them; empty where not read.
std::array<std::string, 5> TableTexts(const ProgramContext& program, const cad::CadValues& values) {
    const FiveValues table = TableValuesOf(values, program.Tables.ScaleFactor);
    std::array<std::string, 5> texts;
    for (std::size_t k = 0; k < texts.size(); ++k) {
        if (table[k]) {
            texts[k] = NumberToText(*table[k], program.DecimalSeparator);
        }
    }
    return texts;
}

// The table and type that carry the values, as the watch would recognise them.
void Recognise(const TableModel& tables, const cad::CadValues& values, std::string& table,
               std::string& type) {
    const int row = RecognisedType(tables, values);
    if (row == 0) {
        return;
    }
    table = tables.Table(TableOfRow(tables, row)).Name;
    type = tables.Type(row).Name;
}

std::string JournalPath(const ProgramContext& program, const JournalPorts& ports) {
    return JournalPathOf(ports.Settings, program.Settings, ports.Station);
}

} // namespace

void FlushJournal(JournalState& journal, const ProgramContext& program, const JournalPorts& ports) {
    FlushJournalLines(journal, JournalPath(program, ports), JournalHeader(program.Texts),
                      ports.Time.Now());
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

std::string UncheckedFeatures(const LanguageTexts& texts) {
    return texts.Journal(JournalText::NotChecked);
}

void JournalWrite(JournalState& journal, const ProgramContext& program, const JournalPorts& ports,
                  const std::string& documentName, const JournalledWrite& write) {
    if (!write.Report.Changed) {
        return;
    }
    const TableModel& tables = program.Tables;
    JournalEntry entry;
    entry.Time = ports.Station.LocalTime();
    entry.User = ports.Station.UserName();
    entry.Computer = ports.Station.ComputerName();
    entry.Document = documentName;
    entry.Action =
        write.Outcome == cad::WriteOutcome::Written ? write.Action : JournalAction::Refused;
    entry.ValuesBefore = TableTexts(program, write.Report.Before);
    entry.ValuesAfter = TableTexts(program, write.Report.After);
    Recognise(tables, write.Report.Before, entry.TableBefore, entry.TypeBefore);
    Recognise(tables, write.Report.After, entry.TableAfter, entry.TypeAfter);
    entry.FeaturesBefore = write.FeaturesBefore;
    entry.FeaturesAfter = write.FeaturesAfter;
    if (entry.Action == JournalAction::Refused) {
        Recognise(tables, write.Report.Target, entry.TableRefused, entry.TypeRefused);
    }
    QueueJournalLine(journal, JournalPath(program, ports), JournalHeader(program.Texts),
                     JournalLine(entry, program.Texts), ports.Time.Now());
}

void ReportUnwrittenJournal(JournalState& journal, const Asking& ask) {
    if (!journal.Unwritten) {
        return;
    }
    const std::string path = *journal.Unwritten;
    journal.Unwritten.reset();
    journal.Told = true;
    ShowJournalNotWritable(ask, path);
}

void ShowJournalNotWritable(const Asking& ask, const std::string& path) {
    ask.Show(FormatText(ask.Texts.Journal(JournalText::NotWritable), {path}), MessageButtons::Ok,
             MessageIcon::Exclamation);
}

} // namespace psm
