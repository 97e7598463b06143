#include "cad/SheetMetalVariables.h"

#include "cad/CadIds.h"
#include "cad/GuardedCalls.h"
#include "platform/EventPump.h"
#include "tables/CadUnits.h"
#include "tables/SameValue.h"

#include <vector>

namespace psm::cad {

void RedrawAfterWrite(const CadConnection& connection, const ObjectRef& part) {
    if (connection.ActiveKind == DocumentKind::Assembly) {
        CallMethod(GetObject(part, Named("SimplifiedModels"), {Value::Int16(1)}), Named("Update"));
        const ObjectRef window =
            GetObject(connection.ActiveDoc, Named("Windows"), {Value::Int16(1)});
        CallMethod(GetObject(window, Named("View")), Named("Update"));
    } else {
        const ObjectRef window = GetObject(connection.CadApp, Id(ids::FrontWindowId));
        CallMethod(GetObject(window, Named("View")), Named("Update"));
    }
}

namespace {

// A value reads back as it was sent when the value file could not tell the
// two apart.
bool Landed(std::size_t k, double readBack, double sent, double scaleFactor) {
    return SameNumber(TableValue(SheetValues[k], readBack, scaleFactor),
                      TableValue(SheetValues[k], sent, scaleFactor));
}

// The five value variables, each with the value it holds now.
struct Looked {
    std::array<ObjectRef, 5> Variables;
    bool Whole = false; // every variable, its value and its target are there
};

// Looks every value variable up and reads its value into report.Before; a
// type that cannot be put whole is not put at all.
Looked LookUp(SheetMetalVariables& variables, const ObjectRef& document, WriteReport& report) {
    GuardedSteps steps;
    Looked looked;
    variables.VariableTable = steps.Object(document, Named("Variables"), {}, ids::VariableTableIid);
    if (!variables.VariableTable) {
        report.Stop = !steps.OutOfReach()     ? WriteStop::Missing
                      : IsGone(*steps.Lost()) ? WriteStop::Gone
                                              : WriteStop::Busy;
        return looked;
    }
    looked.Whole = true;
    for (std::size_t k = 0; k < 5; ++k) {
        const std::string& name = variables.ValueVariableNames[k];
        ObjectRef& variable = looked.Variables[k];
        variable = name.empty() ? nullptr
                                : steps.Object(variables.VariableTable, Id(ids::ItemId),
                                               {Value::Text(name)}, ids::VariableIid);
        variables.CurrentVariable = variable;
        report.Before[k] = report.After[k] = steps.Read<double>(variable, Id(ids::VariableValueId));
        looked.Whole = looked.Whole && variable && report.Before[k] && report.Target[k];
    }
    looked.Whole = looked.Whole && !steps.OutOfReach();
    if (steps.OutOfReach()) {
        report.Stop = IsGone(*steps.Lost()) ? WriteStop::Gone : WriteStop::Busy;
    } else if (!looked.Whole) {
        report.Stop = WriteStop::Missing;
    }
    return looked;
}

// One value the write changed.
struct Change {
    std::size_t Index;
    ObjectRef Variable;
};

WriteStop StopOf(const Failure& failure, WriteStop otherwise) {
    if (IsGone(failure)) {
        return WriteStop::Gone;
    }
    return IsBusy(failure) ? WriteStop::Busy : otherwise;
}

// Puts each target that differs from the value before; false at the first
// put the program refuses.
bool PutTargets(const Looked& looked, WriteReport& report, std::vector<Change>& changes) {
    for (std::size_t k = 0; k < 5; ++k) {
        const double target = *report.Target[k];
        if (*report.Before[k] == target) {
            continue;
        }
        const Result<void> put =
            looked.Variables[k]->Put(Id(ids::VariableValueId), {}, Value::Double(target));
        if (!put) {
            report.Stop = StopOf(put.Error(), WriteStop::Refused);
            return false;
        }
        changes.push_back({k, looked.Variables[k]});
        report.After[k] = target;
        report.Changed = true;
    }
    return true;
}

// A program may answer a put as done and keep the old value, or round it
// away: false when a value does not read back as it was sent.
bool ReadBack(const std::vector<Change>& changes, WriteReport& report, double scaleFactor) {
    for (const Change& change : changes) {
        const std::size_t k = change.Index;
        const auto read = change.Variable->Get(Id(ids::VariableValueId), {});
        const auto now = read ? read.Value().AsDouble() : std::nullopt;
        if (now) {
            report.After[k] = *now;
        }
        if (!now || !Landed(k, *now, *report.Target[k], scaleFactor)) {
            report.Stop = read ? WriteStop::NotKept : StopOf(read.Error(), WriteStop::NotKept);
            return false;
        }
    }
    return true;
}

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

std::optional<CadValues> ReadSheetMetalVariables(SheetMetalVariables& variables,
                                                 const ObjectRef& document) {
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
    CadValues values;
    for (std::size_t k = 0; k < 5; ++k) {
        // An empty name is not looked up: no variable can carry it.
        const std::string& name = variables.ValueVariableNames[k];
        variables.ReadVariables[k] = name.empty()
                                         ? nullptr
                                         : steps.Object(variables.VariableTable, Id(ids::ItemId),
                                                        {Value::Text(name)}, ids::VariableIid);
        variables.CurrentVariable = variables.ReadVariables[k];
        values[k] = steps.Read<double>(variables.CurrentVariable, Id(ids::VariableValueId));
    }
    variables.ReadGone = steps.OutOfReach() && IsGone(*steps.Lost());
    if (steps.OutOfReach()) {
        return std::nullopt;
    }
    return values;
}

WriteOutcome WriteSheetMetalVariables(SheetMetalVariables& variables,
                                      const CadConnection& connection, ObjectRef document,
                                      const CadValues& targets, double scaleFactor,
                                      EventPump& events, AfterWrite after) {
    PendingRestore& pending = variables.Pending;
    pending = PendingRestore{};
    pending.Document = document;
    // Kept aside until the end, so that LastWrite only ever tells of a whole write.
    WriteReport report;
    report.Target = targets;
    RecomputeHold hold(connection.CadApp, pending);

    if (!hold.Usable()) {
        report.Stop = WriteStop::Busy;
    }
    const Looked looked = hold.Usable() ? LookUp(variables, document, report) : Looked{};
    std::vector<Change> changes;
    const bool landed = looked.Whole && PutTargets(looked, report, changes) &&
                        ReadBack(changes, report, scaleFactor);
    const WriteOutcome outcome = landed ? WriteOutcome::Written : PutBack(changes, report, pending);

    const bool released = hold.Release();
    report.HoldPending = !released || !pending.Empty();
    if (!pending.Empty()) {
        pending.App = connection.CadApp;
        pending.Report = report;
        pending.Now = report.After;
    }
    // A program that refused or went away would only keep the user waiting
    // longer; a document back as it was needs no redraw.
    const bool redraw = after == AfterWrite::Redraw && !report.HoldPending;
    if (redraw && outcome == WriteOutcome::Written) {
        events.ProcessPendingEvents();
        RedrawAfterWrite(connection, connection.WorkDocument);
    } else if (redraw && outcome == WriteOutcome::RestoreIncomplete) {
        RedrawAfterWrite(connection, connection.WorkDocument);
    }
    variables.LastWrite = report;
    return outcome;
}

} // namespace psm::cad
