#include "texts/Texts.h"

#include "texts/TextPair.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace psm {
namespace {

constexpr std::array<TextPair, CountOf<CaptionText>()> CaptionTexts{{

    {"ORNA  Raziv", "ORNA  sheet metal"},
    {"Installieren", "Install"},
    {"Sprache", "Language"},
    {"gewählten Blechtyp übernehmen", "Set new values"},
    {"ursprünglichen Blechtyp anzeigen", "Reset list"},
    {"auf ursprünglichen Blechtyp rücksetzen", "Reset sheet metal"},
    {"Teileeigenschaften anzeigen", "Show Properties"},
    {"Beenden", "Exit"},
    {"Aktives Dokument", "Active document"},
    {"Tabelle und Blechtyp auswählen", "Select table and type"},
    {" Blechstärke: ", " Material Thickness: "},
    {" Biegeradius: ", " BendRadius: "},
    {" NeutralFaktor: ", " NeutralFactor: "},
    {" Ausklinkungstiefe: ", " ReliefLength: "},
    {" Ausklinkungsbreite: ", " ReliefWith: "},
    {"Raziv Werte", "Properties"},
    {"Hilfe", "Help"},
    {"Textdatei", "Textfile"},
    {"Optionen", "Options"},
    {"Textdatei auswählen", "Select textfile"},
    {"Biegewerte", "PartProperties"},
    {"Teileeigenschaften festlegen", "Modify PartProperties"},
    {"Journal", "Journal"},
    {"Textdatei prüfen", "Check value file"},
    {"Baugruppe prüfen", "Check assembly"},
    {"rechts: die Werte des Dokuments\r\n≠: nicht wie links",
     "right: the document's values\r\n≠: not as on the left"},
    {"Kein Blechtyp passt.\r\nrechts der nächste: {1}\r\n1 Wert anders",
     "No type matches.\r\nright the nearest: {1}\r\n1 value differs"},
    {"Kein Blechtyp passt.\r\nrechts der nächste: {1}\r\n{2} Werte anders",
     "No type matches.\r\nright the nearest: {1}\r\n{2} values differ"},
    {"Kein Blechtyp passt.", "No type matches."},
    {"Protokoll", "Trace"},
    {"Übernehmen", "Choose"},
}};
static_assert(Complete(CaptionTexts));

constexpr std::array<TextPair, CountOf<MessageText>()> MessageTexts{{

    {"ORNA Raziv", "orna sheetmetal"},
    {"Pfad für Textdatei festlegen\r\nOptionen: Textdatei", "select textfile\r\nOptions: Textfile"},
    {"Eingabefehler, Textdatei überprüfen!", "Invalid input! Check textfile!"},
    {"Teilekopie, in Sheetmetal ändern", "CopiedPart - edit in sheetmetal"},
    {"Ausführen?", "Execute?"},
    {"Rücksetzen?", "Undo?"},
    {"Raziv in Solid Edge Sheet Metal überprüfen", "Check part in Solid Edge Sheet Metal"},
    {"Dimension in Textdatei eintragen", "Enter dimension in textfile"},
    {"Warnung bei:  ", "Warned:  "},
    {"Fehler bei:  ", "Failed:  "},
    {"Blechtyp nicht übernommen", "Type not set"},
    {"Rücksetzen nicht möglich, Dokument gewechselt", "Undo not possible - document changed"},
    {"Blechtyp nicht zurückgesetzt", "Type not reset"},
    {"Unerwarteter Fehler, Programm wird beendet", "Unexpected error - program ends"},
    {"Solid Edge antwortet nicht und hält womöglich die Neuberechnung noch an.\r\n"
     "psm schließt den Schreibvorgang ab, sobald Solid Edge wieder antwortet.",
     "Solid Edge does not answer and may still be holding its recompute.\r\n"
     "psm finishes the write as soon as Solid Edge answers again."},
    {"Protokoll nicht beschreibbar:\r\n{1}", "Trace cannot be written:\r\n{1}"},
    {"Bericht für den Support:", "Report for support:"},
    {"Features nicht geprüft: Solid Edge antwortet nicht",
     "Features not checked: Solid Edge does not answer"},
}};
static_assert(Complete(MessageTexts));

constexpr std::array<TextPair, CountOf<CheckText>()> CheckTexts{{

    {"Zeile {1}: ", "Line {1}: "},
    {"unbekannte Einheit \"{1}\", erlaubt sind mm und in", "unknown unit \"{1}\", use mm or in"},
    {"keine Zeile \"Unit: mm\" oder \"Unit: in\": keine Längen umrechenbar",
     "no line \"Unit: mm\" or \"Unit: in\": lengths cannot be converted"},
    {"{1} Felder statt 6 (Name und fünf Werte)", "{1} fields instead of 6 (name and five values)"},
    {"{1} \"{2}\" ist keine Zahl", "{1} \"{2}\" is not a number"},
    {"Neutralfaktor {1} liegt nicht zwischen 0 und 1", "neutral factor {1} is not between 0 and 1"},
    {"{1} {2} ist nicht größer als 0", "{1} {2} is not greater than 0"},
    {"{1} {2} ist negativ", "{1} {2} is negative"},
    {"gleiche Werte wie Zeile {1}, wird nie erkannt", "same values as line {1}, never recognised"},
    {"Blechtyp \"{1}\" steht schon in Zeile {2} dieser Tabelle",
     "type \"{1}\" is already in line {2} of this table"},
    {"Tabelle \"{1}\" enthält keine Blechtypen", "table \"{1}\" holds no types"},
    {"Tabelle \"{1}\" endet ohne \"End:\"", "table \"{1}\" has no \"End:\""},
    {"Blechtyp außerhalb einer Tabelle (vor \"Begin:\" oder nach \"End:\"), wird nicht gelesen",
     "type outside a table (before \"Begin:\" or after \"End:\"), never read"},
    {"keine Tabelle (\"Begin:\" ... \"End:\"): keine Blechtypen lesbar",
     "no table (\"Begin:\" ... \"End:\"): no type can be read"},
    {"Blechstärke", "material thickness"},
    {"Biegeradius", "bend radius"},
    {"Neutralfaktor", "neutral factor"},
    {"Ausklinkungstiefe", "relief length"},
    {"Ausklinkungsbreite", "relief width"},
    {"{1}\r\n\r\nKeine Probleme gefunden.", "{1}\r\n\r\nNo problems found."},
    {"{1}\r\n\r\nProbleme: {2}", "{1}\r\n\r\nProblems: {2}"},
    {"... und {1} weitere", "... and {1} more"},
    {"{1}\r\n\r\nTextdatei nicht lesbar", "{1}\r\n\r\nValue file cannot be read"},
}};
static_assert(Complete(CheckTexts));

constexpr std::array<TextPair, CountOf<JournalText>()> JournalTexts{{

    {"Zeit", "Time"},
    {"Benutzer", "User"},
    {"Computer", "Computer"},
    {"Dokument", "Document"},
    {"Aktion", "Action"},
    {"Tabelle vorher", "Table before"},
    {"Blechtyp vorher", "Type before"},
    {"Tabelle nachher", "Table after"},
    {"Blechtyp nachher", "Type after"},
    {"Blechstärke vorher", "Thickness before"},
    {"Biegeradius vorher", "Bend radius before"},
    {"Neutralfaktor vorher", "Neutral factor before"},
    {"Ausklinkungstiefe vorher", "Relief length before"},
    {"Ausklinkungsbreite vorher", "Relief width before"},
    {"Blechstärke nachher", "Thickness after"},
    {"Biegeradius nachher", "Bend radius after"},
    {"Neutralfaktor nachher", "Neutral factor after"},
    {"Ausklinkungstiefe nachher", "Relief length after"},
    {"Ausklinkungsbreite nachher", "Relief width after"},
    {"Fehlerhafte Features vorher", "Failing features before"},
    {"Fehlerhafte Features nachher", "Failing features after"},
    {"Tabelle abgelehnt", "Table refused"},
    {"Blechtyp abgelehnt", "Type refused"},
    {"geschrieben", "written"},
    {"zurückgeschrieben", "written back"},
    {"zurückgesetzt", "reset"},
    {"abgelehnt", "refused"},
    {"keiner", "none"},
    {"Journal nicht beschreibbar:\r\n{1}", "Journal cannot be written:\r\n{1}"},
    {"nicht geprüft", "not checked"},
}};
static_assert(Complete(JournalTexts));

} // namespace

std::string LanguageTexts::Caption(CaptionText text) const {
    return Lookup(CaptionTexts, text, LanguageIndex);
}

std::string LanguageTexts::Message(MessageText text) const {
    return Lookup(MessageTexts, text, LanguageIndex);
}

std::string LanguageTexts::Check(CheckText text) const {
    return Lookup(CheckTexts, text, LanguageIndex);
}

std::string LanguageTexts::Journal(JournalText text) const {
    return Lookup(JournalTexts, text, LanguageIndex);
}

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const bool placeholder = pattern[i] == '{' && i + 2 < pattern.size() &&
                                 pattern[i + 1] >= '1' && pattern[i + 1] <= '9' &&
                                 pattern[i + 2] == '}';
        const auto n = placeholder ? static_cast<size_t>(pattern[i + 1] - '1') : args.size();
        if (n < args.size()) {
            text += *(args.begin() + n);
            i += 2;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

} // namespace psm
