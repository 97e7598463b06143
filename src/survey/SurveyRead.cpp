#include "survey/SurveyRead.h"

#include "cad/CadIds.h"
#include "cad/GuardedCalls.h"
#include "core/DocumentValues.h"

namespace psm {
namespace {

PartKind KindOfLink(cad::ComponentLink link) {
    switch (link) {
    case cad::ComponentLink::Part:
        return PartKind::Unread;
    case cad::ComponentLink::Blocked:
        return PartKind::LinkBlocked;
    case cad::ComponentLink::Missing:
        return PartKind::LinkMissing;
    case cad::ComponentLink::OtherKind:
        return PartKind::NoPart;
    }
    return PartKind::LinkMissing;
}

SurveyPart PartOf(const cad::ComponentPart& component) {
    SurveyPart part;
    part.Document = component.Document;
    part.Name = component.Name;
    part.Components = component.Components;
    part.Kind = KindOfLink(component.Link);
    return part;
}

bool NeedsReading(const SurveyPart& part) {
    return part.Kind == PartKind::Unread;
}

} // namespace

void BeginSurvey(SurveyState& survey, cad::Automation& automation) {
    survey.Parts.clear();
    survey.Read = 0;
    survey.Waiting = false;
    survey.Subject.clear();
    survey.Assembly = nullptr;
    const cad::DocumentKind kind = cad::ConnectCad(survey.Cad, automation);
    survey.Subject = survey.Cad.ActiveDocName;
    if (kind == cad::DocumentKind::SheetMetal) {
        survey.Parts.push_back(
            PartOf({survey.Cad.ActiveDoc, survey.Subject, cad::ComponentLink::Part, 1}));
        survey.Phase = SurveyPhase::Reading;
        return;
    }
    if (kind != cad::DocumentKind::Assembly) {
        const bool reached = survey.Cad.CadAttached && !survey.Cad.OutOfReach &&
                             kind != cad::DocumentKind::Unreadable;
        survey.Phase = reached ? SurveyPhase::NothingToSurvey : SurveyPhase::Unreachable;
        return;
    }
    cad::GuardedSteps steps;
    survey.Assembly = steps.As(survey.Cad.ActiveDoc, cad::ids::AssemblyDocumentIid);
    const auto components = cad::AssemblyComponents(survey.Assembly);
    if (!components) {
        survey.Phase = SurveyPhase::Unreachable;
        return;
    }
    for (const cad::ComponentPart& component : cad::PartsOf(*components)) {
        survey.Parts.push_back(PartOf(component));
    }
    survey.Phase = SurveyPhase::Reading;
}

bool ReadPart(SurveyPart& part, const TableModel& tables) {
    part.Checked = part.Checked && part.Kind == PartKind::SheetMetal;
    cad::GuardedSteps steps;
    const auto name = steps.Read<std::string>(part.Document, cad::Named("Name"));
    const auto type = steps.Read<int32_t>(part.Document, cad::Named("Type"));
    if (steps.OutOfReach()) {
        const bool gone = cad::IsGone(*steps.Lost());
        part.Kind = gone ? PartKind::Unreachable : PartKind::Unread;
        part.Checked = false;
        return gone;
    }
    if (name) {
        part.Name = *name;
    }
    if (!type || cad::KindOf(*type) != cad::DocumentKind::SheetMetal) {
        part.Kind = type ? PartKind::Other : PartKind::TypeUnread;
        part.Checked = false;
        return true;
    }
    cad::SheetMetalVariables read;
    const auto values = cad::ReadSheetMetalVariables(read, part.Document);
    cad::FeatureCheck features;
    if (values) {
        cad::CheckFeatureStatus(features, part.Document);
    }
    if (read.ReadGone || features.Gone) {
        part.Kind = PartKind::Unreachable;
        part.Checked = false;
        return true;
    }
    if (!values || !features.Complete) {
        part.Kind = PartKind::Unread;
        part.Checked = false;
        return false;
    }
    part.Kind = PartKind::SheetMetal;
    part.Values = *values;
    part.TypeRow = RecognisedType(tables, part.Values);
    part.Nearest = part.TypeRow == 0
                       ? NearestTypeRow(tables, TableValuesOf(part.Values, tables.ScaleFactor))
                       : NearestType{};
    part.Findings = features.Findings;
    part.CopiedPart = features.CopiedPartFound;
    return true;
}

bool ReadNextPart(SurveyState& survey, const TableModel& tables) {
    while (survey.Read < survey.Parts.size() && !NeedsReading(survey.Parts[survey.Read]) &&
           !survey.Parts[survey.Read].Document) {
        ++survey.Read; // a component without a part: nothing to read
    }
    if (survey.Read >= survey.Parts.size()) {
        survey.Phase = SurveyPhase::Done;
        return true;
    }
    if (!ReadPart(survey.Parts[survey.Read], tables)) {
        survey.Waiting = true;
        return false;
    }
    survey.Waiting = false;
    if (++survey.Read == survey.Parts.size()) {
        survey.Phase = SurveyPhase::Done;
    }
    return true;
}

int SurveyExitCode(const SurveyState& survey) {
    if (survey.Phase == SurveyPhase::Unreachable) {
        return 2;
    }
    int code = 0;
    for (const SurveyPart& part : survey.Parts) {
        if (part.Kind == PartKind::Unread || part.Kind == PartKind::LinkMissing ||
            part.Kind == PartKind::TypeUnread || part.Kind == PartKind::Unreachable) {
            return 2;
        }
        if (part.Kind == PartKind::SheetMetal && part.TypeRow == 0) {
            code = 1;
        }
    }
    return code;
}

} // namespace psm
