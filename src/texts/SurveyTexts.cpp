#include "texts/SurveyTexts.h"

#include "texts/TextPair.h"
#include "texts/Texts.h"

namespace psm {
namespace {

constexpr std::array<TextPair, CountOf<SurveyText>()> SurveyTexts{{

    {"Baugruppe prüfen: {1}", "Check assembly: {1}"},
    {"Datei", "File"},
    {"Anzahl", "Count"},
    {"Baugruppe", "Assembly"},
    {"Blech", "Sheet metal"},
    {"Tabelle", "Table"},
    {"Blechtyp", "Type"},
    {"nächster Blechtyp", "Nearest type"},
    {"Werte anders", "Values differ"},
    {"Blechstärke", "Thickness"},
    {"Biegeradius", "Bend radius"},
    {"Neutralfaktor", "Neutral factor"},
    {"Ausklinkungstiefe", "Relief length"},
    {"Ausklinkungsbreite", "Relief width"},
    {"Features", "Features"},
    {"ja", "yes"},
    {"nein", "no"},
    {"Verknüpfung gesperrt", "link blocked"},
    {"Verknüpfung fehlt", "link missing"},
    {"kein Teil", "no part"},
    {"nicht gelesen", "not read"},
    {"–", "–"},
    {"in Ordnung", "ok"},
    {"Teilekopie", "copied part"},
    {"nicht erreichbar", "cannot be reached"},
    {"Baugruppe", "assembly"},
    {"enthält sich selbst", "contains itself"},
    {"tiefer als {1} Ebenen", "deeper than {1} levels"},
    {"Komponenten nicht lesbar", "components cannot be read"},
    {"+{1}", "+{1}"},
    {"{1} von {2} Komponenten", "{1} of {2} components"},
    {"{1} von {2} Komponenten – Solid Edge antwortet nicht, die Prüfung wartet",
     "{1} of {2} components – Solid Edge does not answer, the check waits"},
    {"{1} von {2}", "{1} of {2}"},
    {"{1} von {2} – Solid Edge antwortet nicht, die Prüfung wartet",
     "{1} of {2} – Solid Edge does not answer, the check waits"},
    {"fertig: {1} von {2}", "done: {1} of {2}"},
    {"abgebrochen: {1} von {2}", "cancelled: {1} of {2}"},
    {"Schreiben: {1} von {2}", "Writing: {1} of {2}"},
    {"Weder eine Baugruppe noch ein Blechteil ist aktiv.",
     "Neither an assembly nor a sheet-metal part is active."},
    {"Solid Edge ist nicht erreichbar.", "Solid Edge cannot be reached."},
    {"Blechtyp zum Schreiben: {1} ({2})", "Type to write: {1} ({2})"},
    {"Blechtyp zum Schreiben: im Hauptfenster keiner gewählt",
     "Type to write: none chosen in the main window"},
    {"Aktualisieren", "Refresh"},
    {"Schreiben", "Write"},
    {"Kopieren", "Copy"},
    {"Abbrechen", "Cancel"},
    {"Auf Standard setzen", "Set to standard"},
    {"Kein Blechteil ist angehakt.", "No sheet-metal part is checked."},
    {"Im Hauptfenster ist kein Blechtyp gewählt.", "No type is chosen in the main window."},
    {"Blechtyp {1} in {2} Teile schreiben?", "Write type {1} into {2} parts?"},
    {"Geschrieben: {1}", "Written: {1}"},
    {"Schon Blechtyp {1}: {2}", "Already type {1}: {2}"},
    {"Schon ihr nächster Blechtyp: {1}", "Already their nearest type: {1}"},
    {"Nicht geschrieben: {1}", "Not written: {1}"},
    {"    {1}: {2}", "    {1}: {2}"},
    {"Geschrieben, Features nicht geprüft: {1}", "Written, features not checked: {1}"},
    {"    {1}", "    {1}"},
    {"    und {1} weitere", "    and {1} more"},
    {"Features schon vorher fehlerhaft", "features failing already before"},
    {"Teilekopie, in Sheetmetal ändern", "copied part - edit in sheetmetal"},
    {"Solid Edge hat die Werte nicht übernommen", "Solid Edge did not take the values"},
    {"Solid Edge antwortet nicht", "Solid Edge does not answer"},
    {"nicht mehr versucht", "not tried"},
    {"Solid Edge hat einen Wert nicht behalten", "Solid Edge did not keep a value"},
    {"Variable fehlt, nichts geschrieben", "a variable is missing, nothing written"},
    {"Werte beider Blechtypen: {1}", "values of both types: {1}"},
    {"nicht mehr in der Baugruppe", "no longer in the assembly"},
    {"Kein angehaktes Teil ohne Blechtyp hat einen nächsten Blechtyp.",
     "No checked part without a type has a nearest type."},
    {"{1} Teile auf ihren nächsten Blechtyp setzen?", "Set {1} parts to their nearest type?"},
    {"    {1}: {2}", "    {1}: {2}"},
    {"Schon mit Blechtyp, belassen: {1}", "Already of a type, left: {1}"},
    {"Ohne nächsten Blechtyp, belassen: {1}", "Without a nearest type, left: {1}"},
    {"Nach dem Schreiben fehlerhaft:", "Failing after the write:"},
    {"    {1}:{2}", "    {1}:{2}"},
    {"Die früheren Werte dieser Teile zurückschreiben?", "Write these parts' earlier values back?"},
    {"Zurückgeschrieben: {1}", "Written back: {1}"},
    {"Weiter fehlerhaft: {1}", "Still failing: {1}"},
    {"Nicht zurückgeschrieben: {1}", "Not written back: {1}"},
}};
static_assert(Complete(SurveyTexts));

} // namespace

std::string LanguageTexts::Survey(SurveyText text) const {
    return Lookup(SurveyTexts, text, LanguageIndex);
}

} // namespace psm
