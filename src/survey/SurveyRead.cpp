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

// A row for each entry of the walked tree below its top.
void ListTree(SurveyState& survey, const cad::AssemblyTree& tree) {
    const std::vector<cad::TreeEntry>& entries = tree.Entries();
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const cad::TreeEntry& entry = entries[i];
        SurveyPart& part = survey.Parts.emplace_back();
        part.Document = entry.Document;
        part.Name = entry.Name;
        part.Components = entry.Uses;
        part.Kind = !entry.Reached   ? PartKind::Unreachable
                    : entry.Assembly ? PartKind::Assembly
                                     : KindOfLink(entry.Link);
        part.InsideItself = entry.ReachedInsideItself;
        part.TooDeep = entry.TooDeep;
        part.ComponentsUnread = entry.ComponentsUnread;
        for (const cad::TreeUse& use : entry.UsedBy) {
            part.UsedBy.push_back({entries[use.Assembly].Document, use.Name});
        }
    }
}

bool NeedsReading(const SurveyPart& part) {
    return part.Kind == PartKind::Unread;
}

} // namespace

void BeginSurvey(SurveyState& survey, cad::Automation& automation) {
    survey.Parts.clear();
    survey.Tree.reset();
    survey.Read = 0;
    survey.Waiting = false;
    survey.Subject.clear();
    survey.Assembly = nullptr;
    const cad::DocumentKind kind = cad::ConnectCad(survey.Cad, automation);
    survey.Subject = survey.Cad.ActiveDocName;
    if (kind == cad::DocumentKind::SheetMetal) {
        SurveyPart& part = survey.Parts.emplace_back();
        part.Document = survey.Cad.ActiveDoc;
        part.Name = survey.Subject;
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
    if (steps.Lost()) {
        survey.Phase = SurveyPhase::Unreachable;
        return;
    }
    survey.Tree.emplace(survey.Assembly);
    survey.Phase = SurveyPhase::Reading;
}

bool WalkSurveyTree(SurveyState& survey, const std::function<bool()>& enough) {
    if (!survey.Tree) {
        return true;
    }
    const cad::TreeWalkState walk = survey.Tree->Step(enough);
    survey.Waiting = walk == cad::TreeWalkState::Busy;
    if (walk == cad::TreeWalkState::Done) {
        ListTree(survey, *survey.Tree);
        survey.Tree.reset();
        if (survey.Parts.empty()) {
            survey.Phase = SurveyPhase::Done;
        }
    } else if (walk == cad::TreeWalkState::Unreachable) {
        survey.Tree.reset();
        survey.Phase = SurveyPhase::Unreachable;
    }
    return !survey.Waiting;
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
    while (survey.Read < survey.Parts.size() && !NeedsReading(survey.Parts[survey.Read])) {
        ++survey.Read; // a component without a part or a sub-assembly: nothing to read
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
        // The parts below an assembly not walked are not known.
        if (part.TooDeep || part.ComponentsUnread) {
            return 2;
        }
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
