#include "texts/Texts.h"

namespace psm {
namespace {

const std::string& Lookup(const auto& table, int n, int16_t language) {
    static const std::string empty;
    if (n < 1 || n > static_cast<int>(table.size()) || language < 1 || language > 2) {
        return empty;
    }
    return table[static_cast<size_t>(n - 1)][static_cast<size_t>(language - 1)];
}

} // namespace

const std::string& TextTables::Caption(int n) const {
    return Lookup(CaptionTexts, n, LanguageIndex);
}

const std::string& TextTables::Message(int n) const {
    return Lookup(MessageTexts, n, LanguageIndex);
}

void LoadTexts(TextTables& texts) {
    texts.CaptionTexts = {{
        {"ORNA  Raziv", "ORNA  sheet metal"},
        {"Installieren", "Install"},
        {"Sprache", "Language"},
        {"gewählten Blechtyp übernehmen", "Set new values"},
        {"ursprünglichen Blechtyp anzeigen", "Reset list"},
        {"auf ursprünglichen Blechtyp rücksetzen", "Reset sheet metal"},
        {"Teileeigenschaften anzeigen", "Show Properties"},
        {"Beenden", "Exit"},
        {"Werte anzeigen", "Show values"},
        {"Aktives Dokument", "Active document"},
        {"Tabelle und Blechtyp auswählen", "Select table and type"},
        {" Blechstärke: ", " Material Thickness: "},
        {" Biegeradius: ", " BendRadius: "},
        {" NeutralFaktor: ", " NeutralFactor: "},
        {" Ausklinkungstiefe: ", " ReliefLength: "},
        {" Ausklinkungsbreite: ", " ReliefWith: "},
        {"Raziv Werte", "Properties"},
        {"Hilfe", "Help"},
        {"Tabelle auswählen", "Select table"},
        {"Blechtyp auswählen", "Select type"},
        {"Textdatei", "Textfile"},
        {"Optionen", "Options"},
        {"Textdatei auswählen", "Select textfile"},
        {"Biegewerte", "PartProperties"},
        {"Teileeigenschaften festlegen", "Modify PartProperties"},
    }};
    texts.MessageTexts = {{
        {"ORNA Raziv", "orna sheetmetal"},
        {"Pfad für Textdatei festlegen\r\nOptionen: Textdatei",
         "select textfile\r\nOptions: Textfile"},
        {"Eingabefehler, Textdatei überprüfen!", "Invalid input! Check textfile!"},
        {"", ""}, // number 4 is not used
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
    }};
}

} // namespace psm
