#include "app/AllHeldReferences.h"

namespace psm {
namespace {

// Visits `held` unless it is empty.
class Visit {
  public:
    explicit Visit(const HeldReferenceVisitor& visit) : m_visit(visit) {}
    void operator()(cad::ObjectRef& held, std::string_view kind) const {
        if (held) {
            m_visit(held, kind);
        }
    }

  private:
    const HeldReferenceVisitor& m_visit;
};

void Connection(cad::CadConnection& cad, const Visit& visit) {
    visit(cad.CadApp, "Application");
    visit(cad.Documents, "Documents"); // kept with the application
    visit(cad.ActiveDoc, "Document");
    visit(cad.ActiveAssembly, "AssemblyDocument"); // kept with the document
    visit(cad.WorkDocument, "Document");
    visit(cad.AssemblyComponent, "Component");
    visit(cad.ComponentSet, "ComponentSet");
    visit(cad.PartLink, "Link");
    visit(cad.FirstComponent, "Component");
}

void Variables(cad::SheetMetalVariables& variables, const Visit& visit) {
    visit(variables.CurrentVariable, "Variable");
    for (cad::ObjectRef& held : variables.ReadMarkers) {
        visit(held, "Variable");
    }
    for (cad::ObjectRef& held : variables.ReadVariables) {
        visit(held, "Variable");
    }
    visit(variables.VariableTable, "VariableTable");
}

void Pending(cad::PendingRestore& pending, const Visit& visit) {
    visit(pending.App, "Application");
    visit(pending.Document, "Document");
    for (cad::PendingRestore::PutBack& putBack : pending.PutBacks) {
        visit(putBack.Variable, "Variable");
    }
}

} // namespace

void ForEachHeldReference(AppState& state, const HeldReferenceVisitor& visitor) {
    const Visit visit(visitor);
    Connection(state.Cad, visit);
    Variables(state.Variables, visit);
    Pending(state.Pending, visit);
    visit(state.Document.Object, "Document");
    // The survey's own attach, the assembly it surveys and the parts it lists.
    SurveyState& survey = state.Survey;
    Connection(survey.Cad, visit);
    visit(survey.Assembly, "AssemblyDocument");
    for (SurveyPart& part : survey.Parts) {
        visit(part.Document, "Document");
        for (SurveyUse& use : part.UsedBy) {
            visit(use.Assembly, "Document");
        }
    }
    // The survey's write under way: what its checks found of each part.
    for (NamedWrite& write : state.Batch.Writes) {
        for (cad::FeatureCheck* check : {&write.Outcome.Before, &write.Outcome.After}) {
            visit(check->FirstModel, "Model");
            visit(check->FeatureList, "FeatureList");
        }
    }
}

void ReleaseHeldReferences(AppState& state) {
    // A walk under way holds its references within: it ends with them.
    state.Survey.Tree.reset();
    ForEachHeldReference(state, [](cad::ObjectRef& held, std::string_view) { held = nullptr; });
}

} // namespace psm
