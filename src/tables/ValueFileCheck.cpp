#include "tables/ValueFileCheck.h"

#include "platform/TextLines.h"
#include "tables/SameValue.h"
#include "tables/SheetValue.h"
#include "tables/ValueFileSyntax.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

namespace psm {
namespace {

using Kind = CheckFinding::Kind;

// CheckFinding::Value numbers the values from 1.
int FindingValue(SheetValue value) {
    return static_cast<int>(IndexOf(value)) + 1;
}

struct OpenTable {
    int Line = 0;
    std::string Name;
    int Rows = 0;
    std::map<std::string, int, std::less<>> Names; // type name -> its line
};

// A row whose five values are all numbers, for the search of duplicates.
struct NumericRow {
    int Line = 0;
    std::array<double, 5> Values{};
};

// Six fields, most of the values numbers: a type row, not a comment.
bool LooksLikeTypeRow(std::string_view line) {
    if (FieldCount(line) != static_cast<int>(RowFieldCount)) {
        return false;
    }
    const std::array<std::string_view, RowFieldCount> fields = RowFields(line);
    const auto numbers =
        std::count_if(fields.begin() + 1, fields.end(),
                      [](std::string_view field) { return ValueNumber(field).has_value(); });
    return numbers >= 3;
}

class Checker {
  public:
    void Line(int number, std::string_view line) {
        const ValueFileLine classified = ClassifyLine(line, m_table.has_value());
        switch (classified.Kind) {
        case LineKind::Unit:
            Unit(number, classified.Text);
            return;
        case LineKind::Begin:
            if (m_table) {
                Add(m_table->Line, Kind::NoEnd, 0, m_table->Name);
            }
            CloseTable();
            m_table = OpenTable{number, std::string(classified.Text), 0, {}};
            m_tableSeen = true;
            return;
        case LineKind::End:
            CloseTable();
            return;
        case LineKind::Row:
            Row(number, classified.Text);
            return;
        case LineKind::Ignored:
            // The loader reads no row outside a table: one that looks like a
            // type (after a mistyped "Begin:", say) is a type lost.
            if (LooksLikeTypeRow(classified.Text)) {
                Add(number, Kind::OutsideTable);
            }
            return;
        }
    }

    std::vector<CheckFinding> Finish() {
        if (m_table) {
            Add(m_table->Line, Kind::NoEnd, 0, m_table->Name);
        }
        CloseTable();
        if (!m_unitSeen) {
            Add(0, Kind::NoUnit);
        }
        if (!m_tableSeen) {
            Add(0, Kind::NoTable);
        }
        FindSameValues();
        std::stable_sort(
            m_findings.begin(), m_findings.end(),
            [](const CheckFinding& a, const CheckFinding& b) { return a.Line < b.Line; });
        return std::move(m_findings);
    }

  private:
    void Add(int line, Kind what, int value = 0, std::string text = {}, int number = 0) {
        m_findings.push_back(CheckFinding{line, what, value, std::move(text), number});
    }

    void Unit(int number, std::string_view unit) {
        if (UnitOf(unit)) {
            m_unitSeen = true;
        } else {
            Add(number, Kind::UnknownUnit, 0, std::string(unit));
        }
    }

    void CloseTable() {
        if (m_table && m_table->Rows == 0) {
            Add(m_table->Line, Kind::EmptyTable, 0, m_table->Name);
        }
        m_table.reset();
    }

    void Row(int number, std::string_view row) {
        ++m_table->Rows;
        const int fields = FieldCount(row);
        if (fields != static_cast<int>(RowFieldCount)) {
            Add(number, Kind::FieldCount, 0, {}, fields);
        }
        const std::array<std::string_view, RowFieldCount> rowFields = RowFields(row);
        const std::string name(rowFields[0]);
        if (const auto earlier = m_table->Names.find(name); earlier != m_table->Names.end()) {
            Add(number, Kind::SameName, 0, name, earlier->second);
        } else {
            m_table->Names.emplace(name, number);
        }
        NumericRow numeric{number, {}};
        bool allNumbers = true;
        for (const SheetValue which : SheetValues) {
            const size_t field = IndexOf(which) + 1;
            if (field >= static_cast<size_t>(fields)) {
                allNumbers = false;
                continue; // reported with the number of fields
            }
            const std::string_view text = rowFields[field];
            const std::optional<double> value = ValueNumber(text);
            if (!value) {
                Add(number, Kind::NotANumber, FindingValue(which), std::string(text));
                allNumbers = false;
                continue;
            }
            numeric.Values[IndexOf(which)] = *value;
            CheckRange(number, which, *value, text);
        }
        if (allNumbers) {
            m_numericRows.push_back(numeric);
        }
    }

    void CheckRange(int number, SheetValue which, double value, std::string_view text) {
        switch (which) {
        case SheetValue::NeutralFactor:
            if (value < 0 || value > 1) {
                Add(number, Kind::NeutralFactorRange, FindingValue(which), std::string(text));
            }
            return;
        case SheetValue::Thickness:
        case SheetValue::BendRadius:
            if (value <= 0) {
                Add(number, Kind::NotPositive, FindingValue(which), std::string(text));
            }
            return;
        case SheetValue::ReliefLength:
        case SheetValue::ReliefWidth:
            if (value < 0) {
                Add(number, Kind::Negative, FindingValue(which), std::string(text));
            }
            return;
        }
    }

    // A row equal in all five values to an earlier one is never recognised:
    // the earlier row always matches first. Sorted by thickness, equal rows
    // lie within the tolerance of each other.
    void FindSameValues() {
        std::vector<NumericRow>& rows = m_numericRows;
        std::stable_sort(rows.begin(), rows.end(), [](const NumericRow& a, const NumericRow& b) {
            return a.Values[0] < b.Values[0];
        });
        std::map<int, int> earliest; // line -> the earliest line with the same values
        for (size_t i = 0; i < rows.size(); ++i) {
            for (size_t j = i + 1;
                 j < rows.size() && SameNumber(rows[j].Values[0], rows[i].Values[0]); ++j) {
                if (!std::equal(rows[i].Values.begin(), rows[i].Values.end(),
                                rows[j].Values.begin(), SameNumber)) {
                    continue;
                }
                const int first = std::min(rows[i].Line, rows[j].Line);
                const int second = std::max(rows[i].Line, rows[j].Line);
                auto [entry, added] = earliest.emplace(second, first);
                if (!added) {
                    entry->second = std::min(entry->second, first);
                }
            }
        }
        for (const auto& [line, first] : earliest) {
            Add(line, Kind::SameValues, 0, {}, first);
        }
    }

    std::optional<OpenTable> m_table;
    bool m_unitSeen = false;
    bool m_tableSeen = false;
    std::vector<NumericRow> m_numericRows;
    std::vector<CheckFinding> m_findings;
};

} // namespace

std::vector<CheckFinding> CheckValueFile(std::string_view text) {
    Checker checker;
    TextLines lines(text);
    std::string_view line;
    for (int number = 1; lines.Next(line); ++number) {
        checker.Line(number, line);
    }
    return checker.Finish();
}

} // namespace psm
