#include "cad/SheetMetalVariables.h"

#include "cad/CadIds.h"
#include "cad/GuardedCalls.h"
#include "platform/EventPump.h"
#include "platform/NumberText.h"
#include "tables/CadUnits.h"
#include "tables/SameValue.h"

#include <cmath>
#include <optional>
#include <vector>

namespace psm::cad {
namespace {

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

ReadOutcome ReadSheetMetalVariables(SheetMetalVariables& variables, const ObjectRef& document,
                                    double scaleFactor, char decimalSeparator) {
    variables.CurrentValues = {};
    // Names, table and variable come from this read alone.
    variables.ValueVariableNames = {};
    GuardedSteps steps;
    variables.VariableTable = steps.Object(document, Named("Variables"), {}, ids::VariableTableIid);

    for (std::size_t k = 0; k < 5; ++k) {
        variables.ReadMarkers[k] = steps.Object(variables.VariableTable, Id(ids::ItemId),
                                                {Value::Text(std::string(MarkerVariableNames[k]))});
        variables.ValueVariableNames[k] =
            steps.Read<std::string>(variables.ReadMarkers[k], Named("Formula")).value_or("");
    }
    for (std::size_t k = 0; k < 5; ++k) {
        // An empty name is not looked up: no variable can carry it.
        const std::string& name = variables.ValueVariableNames[k];
        variables.ReadVariables[k] = name.empty()
                                         ? nullptr
                                         : steps.Object(variables.VariableTable, Id(ids::ItemId),
                                                        {Value::Text(name)}, ids::VariableIid);
        variables.CurrentVariable = variables.ReadVariables[k];
        const auto value = steps.Read<double>(variables.CurrentVariable, Id(ids::VariableValueId));
        if (!value) {
            continue;
        }
        variables.CurrentValues[k] =
            TableValueText(SheetValues[k], *value, scaleFactor, decimalSeparator);
    }
    variables.VariablesRead = true;
    if (steps.OutOfReach()) {
        // Part of the values is no read: none of them may pass for the document's.
        variables.CurrentValues = {};
        return ReadOutcome::Interrupted;
    }
    return ReadOutcome::Complete;
}

namespace {

// A value reads back as it was sent when the value file could not tell the
// two apart.
bool Landed(std::size_t k, double readBack, double sent, double scaleFactor) {
    return SameNumber(TableValue(SheetValues[k], readBack, scaleFactor),
                      TableValue(SheetValues[k], sent, scaleFactor));
}

// One value the write changed.
struct Change {
    std::size_t Index;
    ObjectRef Variable;
};

// Puts back what the write changed, latest first. A put-back the program
// refuses as busy, and every one after it, waits in `pending`.
WriteOutcome PutBack(const std::vector<Change>& changes, WriteReport& report,
                     PendingRestore& pending) {
    WriteOutcome outcome = WriteOutcome::NotWritten;
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
        const std::size_t k = change->Index;
        const double earlier = *report.Before[k];
        if (pending.PutBacks.empty()) {
            const Result<void> put =
                change->Variable->Put(Id(ids::VariableValueId), {}, Value::Double(earlier));
            if (put) {
                report.After[k] = earlier;
                continue;
            }
            if (!IsBusy(put.Error())) {
                outcome = WriteOutcome::RestoreIncomplete;
                continue;
            }
        }
        pending.PutBacks.push_back({change->Variable, earlier, k});
    }
    if (!pending.PutBacks.empty() && outcome == WriteOutcome::NotWritten) {
        outcome = WriteOutcome::RestorePending;
    }
    return outcome;
}

} // namespace

WriteOutcome WriteSheetMetalVariables(SheetMetalVariables& variables,
                                      const CadConnection& connection, ObjectRef document,
                                      bool restore, const FiveTexts& newValues, double scaleFactor,
                                      char decimalSeparator, EventPump& events) {
    PendingRestore& pending = variables.Pending;
    pending = PendingRestore{};
    pending.Document = document;
    // Kept aside until the end, so that LastWrite only ever tells of a whole write.
    WriteReport report;
    RecomputeHold hold(connection.CadApp, pending);

    // Every variable is looked up and read before any is put: a type that
    // cannot be put whole is not put at all.
    GuardedSteps steps;
    std::array<ObjectRef, 5> targets;
    bool whole = hold.Usable();
    if (whole) {
        variables.VariableTable =
            steps.Object(document, Named("Variables"), {}, ids::VariableTableIid);
        whole = variables.VariableTable != nullptr;
    }
    for (std::size_t k = 0; k < 5 && whole; ++k) {
        const std::string& name = variables.ValueVariableNames[k];
        targets[k] = name.empty() ? nullptr
                                  : steps.Object(variables.VariableTable, Id(ids::ItemId),
                                                 {Value::Text(name)}, ids::VariableIid);
        variables.CurrentVariable = targets[k];
        report.Before[k] = report.After[k] =
            steps.Read<double>(targets[k], Id(ids::VariableValueId));
        report.Target[k] =
            TargetValue(variables, k, restore, newValues, scaleFactor, decimalSeparator);
    }
    for (std::size_t k = 0; k < 5 && whole; ++k) {
        whole = targets[k] && report.Before[k] && report.Target[k];
    }
    whole = whole && !steps.OutOfReach();

    std::vector<Change> changes;
    bool stopped = !whole;
    for (std::size_t k = 0; k < 5 && !stopped; ++k) {
        const double target = *report.Target[k];
        if (*report.Before[k] == target) {
            continue;
        }
        if (!targets[k]->Put(Id(ids::VariableValueId), {}, Value::Double(target))) {
            stopped = true;
            break;
        }
        changes.push_back({k, targets[k]});
        report.After[k] = target;
        report.Changed = true;
    }
    // A program may answer a put as done and keep the old value, or round it away.
    for (const Change& change : changes) {
        if (stopped) {
            break;
        }
        const std::size_t k = change.Index;
        const auto readBack = change.Variable->Get(Id(ids::VariableValueId), {});
        const auto now = readBack ? readBack.Value().AsDouble() : std::nullopt;
        if (now) {
            report.After[k] = *now;
        }
        stopped = !now || !Landed(k, *now, *report.Target[k], scaleFactor);
    }

    WriteOutcome outcome = WriteOutcome::Written;
    if (stopped) {
        outcome = PutBack(changes, report, pending);
    }
    const bool released = hold.Release();
    report.HoldPending = !released || !pending.Empty();
    if (!pending.Empty()) {
        pending.App = connection.CadApp;
        pending.Report = report;
        pending.Now = report.After;
    }
    // A program that refused or went away would only keep the user waiting
    // longer; a document back as it was needs no redraw.
    if (outcome == WriteOutcome::Written && !report.HoldPending) {
        events.ProcessPendingEvents();
        Redraw(connection);
    } else if (outcome == WriteOutcome::RestoreIncomplete && !report.HoldPending) {
        Redraw(connection);
    }
    variables.LastWrite = report;
    return outcome;
}

} // namespace psm::cad
