#include "cad/SheetMetalVariables.h"

#include "cad/CadIds.h"
#include "cad/GuardedCalls.h"
#include "platform/EventPump.h"
#include "platform/NumberText.h"
#include "tables/CadUnits.h"

#include <cmath>
#include <optional>
#include <vector>

namespace psm::cad {
namespace {

Result<ObjectRef> VariableTableOf(const ObjectRef& document) {
    return TryGetObject(document, Named("Variables"), {}, ids::VariableTableIid);
}

// The value variable of that name, or null; an empty name is not looked up,
// since no variable can carry it.
ObjectRef ValueVariable(const ObjectRef& table, const std::string& name) {
    if (name.empty()) {
        return nullptr;
    }
    return GetObject(table, Id(ids::ItemId), {Value::Text(name)}, ids::VariableIid);
}

std::optional<double> Finite(double value) {
    return std::isfinite(value) ? std::optional(value) : std::nullopt;
}

// The value to write for entry k, in CAD units; nothing when its source text
// is empty or not a number, or the scaling fails.
std::optional<double> TargetValue(const SheetMetalVariables& variables, std::size_t k, bool restore,
                                  const FiveTexts& newValues, double scaleFactor,
                                  char decimalSeparator) {
    if (!restore) {
        const auto number = TextToNumber(newValues[k], decimalSeparator);
        return number ? Finite(*number) : std::nullopt;
    }
    const auto number = TextToNumber(variables.CurrentValues[k], decimalSeparator);
    const auto cadValue = number ? CadValue(SheetValues[k], *number, scaleFactor) : std::nullopt;
    if (!cadValue) {
        return std::nullopt;
    }
    // Through its number text: the target is the quotient to 15 digits.
    return TextToNumber(NumberToText(*cadValue, decimalSeparator), decimalSeparator);
}

void Redraw(const CadConnection& connection) {
    if (connection.ActiveDocType == ids::AssemblyDocumentType) {
        CallMethod(GetObject(connection.WorkDocument, Named("SimplifiedModels"), {Value::Int16(1)}),
                   Named("Update"));
        const ObjectRef window =
            GetObject(connection.ActiveDoc, Named("Windows"), {Value::Int16(1)});
        CallMethod(GetObject(window, Named("View")), Named("Update"));
    } else {
        const ObjectRef window = GetObject(connection.CadApp, Id(ids::FrontWindowId));
        CallMethod(GetObject(window, Named("View")), Named("Update"));
    }
}

} // namespace

std::string TableValueText(SheetValue value, double cadValue, double scaleFactor,
                           char decimalSeparator) {
    return NumberToText(TableValue(value, cadValue, scaleFactor), decimalSeparator);
}

void ReadSheetMetalVariables(SheetMetalVariables& variables, const ObjectRef& document,
                             double scaleFactor, char decimalSeparator) {
    variables.CurrentValues = {};
    // Names, table and variable come from this read alone.
    variables.ValueVariableNames = {};
    const auto table = VariableTableOf(document);
    variables.VariableTable = table ? table.Value() : nullptr;

    for (std::size_t k = 0; k < 5; ++k) {
        variables.ReadMarkers[k] = GetObject(variables.VariableTable, Id(ids::ItemId),
                                             {Value::Text(std::string(MarkerVariableNames[k]))});
        variables.ValueVariableNames[k] =
            GetAs<std::string>(variables.ReadMarkers[k], Named("Formula")).value_or("");
    }
    for (std::size_t k = 0; k < 5; ++k) {
        variables.ReadVariables[k] =
            ValueVariable(variables.VariableTable, variables.ValueVariableNames[k]);
        variables.CurrentVariable = variables.ReadVariables[k];
        const auto value = GetAs<double>(variables.CurrentVariable, Id(ids::VariableValueId));
        if (!value) {
            continue;
        }
        variables.CurrentValues[k] =
            TableValueText(SheetValues[k], *value, scaleFactor, decimalSeparator);
    }
    variables.VariablesRead = true;
}

WriteOutcome WriteSheetMetalVariables(SheetMetalVariables& variables,
                                      const CadConnection& connection, ObjectRef document,
                                      bool restore, const FiveTexts& newValues, double scaleFactor,
                                      char decimalSeparator, EventPump& events) {
    const ObjectRef app = connection.CadApp;
    PutValue(app, Id(ids::HoldRecomputeId), Value::Boolean(true));

    // The values this write changed, with what they held before.
    struct Change {
        ObjectRef Variable;
        std::optional<double> Earlier;
        std::size_t Index;
    };
    std::vector<Change> changes;
    // Kept aside until the end: the pending events below may run another
    // write, whose report must not stand for this one's.
    WriteReport report;
    const auto table = VariableTableOf(document);
    variables.VariableTable = table ? table.Value() : nullptr;
    // Without the table no value can land.
    bool stopped = !table;

    for (std::size_t k = 0; k < 5 && !stopped; ++k) {
        variables.CurrentVariable = nullptr;
        const std::string& name = variables.ValueVariableNames[k];
        if (name.empty()) {
            continue; // no marker: the document does not carry this value
        }
        const auto variable =
            TryGetObject(table.Value(), Id(ids::ItemId), {Value::Text(name)}, ids::VariableIid);
        if (!variable) {
            if (IsOutOfReach(variable.Error())) {
                stopped = true;
                break;
            }
            continue; // a variable that is not there: the value is skipped
        }
        variables.CurrentVariable = variable.Value();
        const auto present = variables.CurrentVariable->Get(Id(ids::VariableValueId), {});
        if (!present && IsOutOfReach(present.Error())) {
            stopped = true;
            break;
        }
        // A present value that cannot be read does not stop the write.
        const std::optional<double> earlier = present ? present.Value().AsDouble() : std::nullopt;
        report.Before[k] = report.After[k] = earlier;
        const auto target =
            TargetValue(variables, k, restore, newValues, scaleFactor, decimalSeparator);
        if (!target || (earlier && *earlier == *target)) {
            continue;
        }
        const Value assigned = Value::Double(*target);
        if (!variables.CurrentVariable->Put(Id(ids::VariableValueId), {}, assigned)) {
            stopped = true;
            break;
        }
        changes.push_back({variables.CurrentVariable, earlier, k});
        report.After[k] = *target;
        report.Changed = true;
    }

    WriteOutcome outcome = WriteOutcome::Written;
    if (stopped) {
        // Best effort, latest first: every value that can be put back is.
        outcome = WriteOutcome::NotWritten;
        for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
            if (!change->Earlier || !PutValue(change->Variable, Id(ids::VariableValueId),
                                              Value::Double(*change->Earlier))) {
                outcome = WriteOutcome::RestoreIncomplete;
            } else {
                report.After[change->Index] = change->Earlier;
            }
        }
    }

    PutValue(app, Id(ids::HoldRecomputeId), Value::Boolean(false));
    // A document back as it was needs no redraw, and a program that refused
    // or went away would only keep the user waiting longer.
    if (outcome != WriteOutcome::NotWritten) {
        events.ProcessPendingEvents();
        Redraw(connection);
    }
    variables.LastWrite = report;
    return outcome;
}

} // namespace psm::cad
