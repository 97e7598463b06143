#include "cad/SheetMetalVariables.h"

#include "cad/CadIds.h"
#include "cad/GuardedCalls.h"
#include "cad/Host.h"
#include "platform/NumberText.h"

#include <cmath>
#include <optional>

namespace psm::cad {
namespace {

constexpr std::size_t NeutralFactorIndex = 2; // the one value that is never scaled

ObjectRef VariableTableOf(const ObjectRef& document) {
    return GetObject(document, Named("Variables"), {}, ids::VariableTableIid);
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
    if (!number) {
        return std::nullopt;
    }
    double quotient = *number;
    if (k != NeutralFactorIndex) {
        if (scaleFactor == 0.0) {
            return std::nullopt;
        }
        quotient /= scaleFactor;
    }
    if (!std::isfinite(quotient)) {
        return std::nullopt;
    }
    // Through its number text: the target is the quotient to 15 digits.
    return TextToNumber(NumberToText(quotient, decimalSeparator), decimalSeparator);
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

void ReadSheetMetalVariables(SheetMetalVariables& variables, const ObjectRef& document,
                             double scaleFactor, char decimalSeparator) {
    variables.CurrentValues = {};
    // Names, table and variable come from this read alone.
    variables.ValueVariableNames = {};
    variables.VariableTable = VariableTableOf(document);

    for (std::size_t k = 0; k < 5; ++k) {
        const ObjectRef marker = GetObject(variables.VariableTable, Id(ids::ItemId),
                                           {Value::Text(std::string(MarkerVariableNames[k]))});
        variables.ValueVariableNames[k] = GetText(marker, Named("Formula")).value_or("");
    }
    for (std::size_t k = 0; k < 5; ++k) {
        variables.CurrentVariable =
            ValueVariable(variables.VariableTable, variables.ValueVariableNames[k]);
        const auto value = GetDouble(variables.CurrentVariable, Id(ids::VariableValueId));
        if (!value) {
            continue;
        }
        const double tableValue = k == NeutralFactorIndex ? *value : *value * scaleFactor;
        variables.CurrentValues[k] = NumberToText(tableValue, decimalSeparator);
    }
    variables.VariablesRead = true;
}

void WriteSheetMetalVariables(SheetMetalVariables& variables, const CadConnection& connection,
                              ObjectRef document, bool restore, const FiveTexts& newValues,
                              double scaleFactor, char decimalSeparator, EventPump& events) {
    const ObjectRef app = connection.CadApp;
    PutValue(app, Id(ids::HoldRecomputeId), Value::Boolean(true));
    variables.VariableTable = VariableTableOf(document);

    for (std::size_t k = 0; k < 5; ++k) {
        variables.CurrentVariable =
            ValueVariable(variables.VariableTable, variables.ValueVariableNames[k]);
        if (!variables.CurrentVariable) {
            continue;
        }
        const auto present = GetDouble(variables.CurrentVariable, Id(ids::VariableValueId));
        const auto target =
            TargetValue(variables, k, restore, newValues, scaleFactor, decimalSeparator);
        // A present value that cannot be read does not stop the write.
        if (target && (!present || *present != *target)) {
            PutValue(variables.CurrentVariable, Id(ids::VariableValueId), Value::Double(*target));
        }
    }

    PutValue(app, Id(ids::HoldRecomputeId), Value::Boolean(false));
    events.ProcessPendingEvents();
    Redraw(connection);
}

} // namespace psm::cad
