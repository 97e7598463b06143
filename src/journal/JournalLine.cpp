#include "journal/JournalLine.h"

#include <string_view>

namespace psm {
namespace {

constexpr char Tab = '\t';

std::string ActionText(JournalAction action, const LanguageTexts& texts) {
    switch (action) {
    case JournalAction::Written:
        return texts.Journal(JournalText::Written);
    case JournalAction::WrittenBack:
        return texts.Journal(JournalText::WrittenBack);
    case JournalAction::Reset:
        return texts.Journal(JournalText::Reset);
    case JournalAction::Refused:
        break;
    }
    return texts.Journal(JournalText::Refused);
}

// A field as one cell: tabs and line breaks, which would split the line or
// the cell, become their visible symbols.
std::string JournalField(std::string_view text) {
    std::string cell;
    cell.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '\t':
            cell += "\xE2\x90\x89"; // U+2409 SYMBOL FOR HORIZONTAL TABULATION
            break;
        case '\n':
            cell += "\xE2\x90\x8A"; // U+240A SYMBOL FOR LINE FEED
            break;
        case '\r':
            cell += "\xE2\x90\x8D"; // U+240D SYMBOL FOR CARRIAGE RETURN
            break;
        default:
            cell += c;
        }
    }
    return cell;
}

// The type, or "none recognised".
std::string TypeCell(const std::string& type, const LanguageTexts& texts) {
    return type.empty() ? texts.Journal(JournalText::NoType) : JournalField(type);
}

} // namespace

std::string JournalHeader(const LanguageTexts& texts) {
    std::string header;
    for (int column = 0; column < JournalColumnCount; ++column) {
        if (column > 0) {
            header += Tab;
        }
        header += texts.Journal(static_cast<JournalText>(column));
    }
    return header + "\r\n";
}

std::string JournalLine(const JournalEntry& entry, const LanguageTexts& texts) {
    std::string line;
    bool first = true;
    const auto cell = [&](std::string_view text) {
        if (!first) {
            line += Tab;
        }
        first = false;
        line += text;
    };
    cell(JournalField(entry.Time));
    cell(JournalField(entry.User));
    cell(JournalField(entry.Computer));
    cell(JournalField(entry.Document));
    cell(ActionText(entry.Action, texts));
    cell(JournalField(entry.TableBefore));
    cell(TypeCell(entry.TypeBefore, texts));
    cell(JournalField(entry.TableAfter));
    cell(TypeCell(entry.TypeAfter, texts));
    for (const std::string& value : entry.ValuesBefore) {
        cell(JournalField(value));
    }
    for (const std::string& value : entry.ValuesAfter) {
        cell(JournalField(value));
    }
    cell(JournalField(entry.FeaturesBefore));
    cell(JournalField(entry.FeaturesAfter));
    const bool refused = entry.Action == JournalAction::Refused;
    cell(refused ? JournalField(entry.TableRefused) : std::string());
    cell(refused ? TypeCell(entry.TypeRefused, texts) : std::string());
    return line + "\r\n";
}

} // namespace psm
