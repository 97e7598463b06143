#include "sim/Documents.h"

#include "sim/Assembly.h"
#include "sim/Simulator.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace psm::sim {
namespace {

cad::Failure NotFound(std::string_view what) {
    return Fail(cad::FailureCode::Exception, std::string(what) + " not found.");
}

std::vector<MemberInfo> DocumentMembers() {
    return {
        Getter({}, dispid::Type, "Type", {},
               [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                   return cad::Value::Int32(Self<Document>(self).Type());
               }),
        Getter({}, dispid::Name, "Name", {},
               [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                   return cad::Value::Text(Self<Document>(self).Name());
               }),
        Getter({}, dispid::FullName, "FullName", {},
               [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                   return cad::Value::Text(Self<Document>(self).FullName());
               }),
        Getter({}, dispid::Variables, "Variables", {},
               [](Node& self, const Invocation& call) {
                   return ObjectValue(call, Self<Document>(self).VariableTableNode());
               }),
        Getter({}, dispid::Models, "Models", {type::Int16},
               [](Node& self, const Invocation& call) -> cad::Result<cad::Value> {
                   const auto index = ItemIndex(call, 1);
                   if (!index) {
                       return index.Error();
                   }
                   return ObjectValue(call, Self<Document>(self).ModelNode());
               }),
        Getter({}, dispid::SimplifiedModels, "SimplifiedModels", {type::Int16},
               [](Node& self, const Invocation& call) -> cad::Result<cad::Value> {
                   const auto index = ItemIndex(call, 1);
                   if (!index) {
                       return index.Error();
                   }
                   return ObjectValue(call, Self<Document>(self).SimplifiedModelNode());
               }),
        Getter({}, dispid::Windows, "Windows", {type::Int16},
               [](Node& self, const Invocation& call) -> cad::Result<cad::Value> {
                   auto& doc = Self<Document>(self);
                   // Only a document open in the program has a window.
                   const bool open = call.Sim.Find(doc.Name()) == &doc;
                   const auto index = ItemIndex(call, open ? 1 : 0);
                   if (!index) {
                       return index.Error();
                   }
                   return ObjectValue(call, doc.WindowNode());
               }),
    };
}

ClassInfo MakeDocumentClass(bool assembly) {
    ClassInfo info{assembly ? "AssemblyDocument" : "Document", {}, DocumentMembers()};
    if (assembly) {
        info.Interfaces.emplace_back(iid::AssemblyDocument);
        info.Members.push_back(Getter(iid::AssemblyDocument, dispid::ComponentSet, "ComponentSet",
                                      {}, [](Node& self, const Invocation& call) {
                                          return ObjectValue(
                                              call, Self<Document>(self).ComponentSetNode());
                                      }));
        info.Members.push_back(Getter(iid::AssemblyDocument, dispid::PartLinks, "PartLinks", {},
                                      [](Node& self, const Invocation& call) {
                                          return ObjectValue(call,
                                                             Self<Document>(self).PartLinksNode());
                                      }));
    }
    return info;
}

} // namespace

// --- Variable ----------------------------------------------------------------

Variable::Variable(Document& doc, std::string name, double value, std::string formula)
    : Node(doc.VariableTableNode()->Id() + "/" + name), m_doc(doc), m_name(std::move(name)),
      m_value(value), m_formula(std::move(formula)) {}

bool Variable::Disconnected() const {
    return m_doc.Disconnected();
}

const ClassInfo& Variable::Class() const {
    static const ClassInfo info{
        "Variable",
        {std::string(iid::Variable)},
        {
            Getter({}, dispid::Name, "Name", {},
                   [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                       return cad::Value::Text(Self<Variable>(self).Name());
                   }),
            Getter({}, dispid::Formula, "Formula", {},
                   [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                       return cad::Value::Text(Self<Variable>(self).Formula());
                   }),
            Getter(iid::Variable, dispid::VariableValue, "VariableValue", {},
                   [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                       return cad::Value::Double(Self<Variable>(self).Value());
                   }),
            Putter(iid::Variable, dispid::VariableValue, "VariableValue", type::Double,
                   [](Node& self, const Invocation& call) -> cad::Result<cad::Value> {
                       call.Sim.OnVariablePut(Self<Variable>(self), *call.PutValue->AsDouble());
                       return cad::Value();
                   }),
        }};
    return info;
}

VariableTable::VariableTable(Document& doc) : Node(doc.Id() + "/Variables"), m_doc(doc) {}

bool VariableTable::Disconnected() const {
    return m_doc.Disconnected();
}

const ClassInfo& VariableTable::Class() const {
    static const ClassInfo info{
        "VariableTable",
        {std::string(iid::VariableTable)},
        {
            Getter(iid::VariableTable, dispid::Item, "Item", {type::Text},
                   [](Node& self, const Invocation& call) -> cad::Result<cad::Value> {
                       const std::string name = *call.Args[0].AsText();
                       Variable* variable = Self<VariableTable>(self).Owner().FindVariable(name);
                       if (variable == nullptr) {
                           return NotFound("Variable \"" + name + "\"");
                       }
                       return ObjectValue(call, variable->shared_from_this());
                   }),
        }};
    return info;
}

// --- Features and models -------------------------------------------------------

Feature::Feature(Document& doc, std::string name, int32_t type)
    : Node(doc.ModelNode()->Features()->Id() + "/" + name), m_doc(doc), m_name(std::move(name)),
      m_type(type) {}

bool Feature::Disconnected() const {
    return m_doc.Disconnected();
}

Feature& Feature::SetBaseStatus(int32_t status) {
    m_baseStatus = status;
    Recompute();
    return *this;
}

Feature& Feature::FailWhen(std::string variable, std::function<bool(double)> condition) {
    m_rules.push_back(Rule{std::move(variable), std::move(condition), code::StatusFailed});
    Recompute();
    return *this;
}

Feature& Feature::WarnWhen(std::string variable, std::function<bool(double)> condition) {
    m_rules.push_back(Rule{std::move(variable), std::move(condition), code::StatusWarned});
    Recompute();
    return *this;
}

void Feature::Recompute() {
    m_status = m_baseStatus;
    for (const Rule& rule : m_rules) {
        if (rule.Condition(m_doc.ValueOf(rule.Variable))) {
            m_status = rule.Status;
            return;
        }
    }
}

const ClassInfo& Feature::Class() const {
    static const ClassInfo info{
        "Feature",
        {},
        {
            Getter({}, dispid::Type, "Type", {},
                   [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                       return cad::Value::Int32(Self<Feature>(self).Type());
                   }),
            Getter({}, dispid::Status, "Status", {},
                   [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                       return cad::Value::Int32(Self<Feature>(self).Status());
                   }),
            Getter({}, dispid::Name, "Name", {},
                   [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                       return cad::Value::Text(Self<Feature>(self).Name());
                   }),
        }};
    return info;
}

FeatureList::FeatureList(Document& doc) : Node(doc.Id() + "/Model1/Features"), m_doc(doc) {}

bool FeatureList::Disconnected() const {
    return m_doc.Disconnected();
}

const ClassInfo& FeatureList::Class() const {
    static const ClassInfo info{
        "FeatureList",
        {std::string(iid::FeatureList)},
        {
            Getter(iid::FeatureList, dispid::FeatureCount, "FeatureCount", {},
                   [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                       return cad::Value::Int32(
                           static_cast<int32_t>(Self<FeatureList>(self).Owner().Features().size()));
                   }),
            Getter(iid::FeatureList, dispid::Item, "Item", {type::Int16},
                   [](Node& self, const Invocation& call) -> cad::Result<cad::Value> {
                       const auto& features = Self<FeatureList>(self).Owner().Features();
                       const auto index = ItemIndex(call, features.size());
                       if (!index) {
                           return index.Error();
                       }
                       return ObjectValue(call, features[index.Value() - 1]);
                   }),
        }};
    return info;
}

Model::Model(Document& doc)
    : Node(doc.Id() + "/Model1"), m_doc(doc), m_features(std::make_shared<FeatureList>(doc)) {}

bool Model::Disconnected() const {
    return m_doc.Disconnected();
}

const ClassInfo& Model::Class() const {
    static const ClassInfo info{"Model",
                                {std::string(iid::Model)},
                                {
                                    Getter(iid::Model, dispid::FeatureList, "FeatureList", {},
                                           [](Node& self, const Invocation& call) {
                                               return ObjectValue(call,
                                                                  Self<Model>(self).Features());
                                           }),
                                }};
    return info;
}

// --- Windows, views, simplified models ------------------------------------------

Updatable::Updatable(Document& doc, std::string id) : Node(std::move(id)), m_doc(doc) {}

bool Updatable::Disconnected() const {
    return m_doc.Disconnected();
}

const ClassInfo& Updatable::Class() const {
    static const ClassInfo info{
        "Updatable",
        {},
        {
            Method({}, dispid::Update, "Update", {},
                   [](Node& self, const Invocation&) -> cad::Result<cad::Value> {
                       Self<Updatable>(self).CountUpdate();
                       return cad::Value();
                   }),
        }};
    return info;
}

Window::Window(Document& doc)
    : Node(doc.Id() + "/Window1"), m_doc(doc),
      m_view(std::make_shared<Updatable>(doc, doc.Id() + "/Window1/View")) {}

bool Window::Disconnected() const {
    return m_doc.Disconnected();
}

const ClassInfo& Window::Class() const {
    static const ClassInfo info{"Window",
                                {},
                                {
                                    Getter({}, dispid::View, "View", {},
                                           [](Node& self, const Invocation& call) {
                                               return ObjectValue(call, Self<Window>(self).View());
                                           }),
                                }};
    return info;
}

// --- Document ---------------------------------------------------------------------

Document::Document(Simulator& sim, std::string id, std::string name, int32_t type)
    : Node(std::move(id)), m_sim(sim), m_name(std::move(name)),
      m_fullName(std::string(DocumentFolder) + m_name), m_type(type) {
    m_variableTable = std::make_shared<VariableTable>(*this);
    m_model = std::make_shared<Model>(*this);
    m_simplifiedModel = std::make_shared<Updatable>(*this, Id() + "/SimplifiedModel1");
    m_window = std::make_shared<Window>(*this);
    m_componentSet = std::make_shared<ComponentSet>(*this);
    m_partLinks = std::make_shared<PartLinks>(*this);
}

const ClassInfo& Document::Class() const {
    static const ClassInfo document = MakeDocumentClass(false);
    static const ClassInfo assembly = MakeDocumentClass(true);
    return m_type == code::AssemblyDocument ? assembly : document;
}

Variable& Document::AddVariable(std::string name, double value, std::string formula) {
    m_variables.push_back(
        std::make_shared<Variable>(*this, std::move(name), value, std::move(formula)));
    Recompute();
    return *m_variables.back();
}

Variable* Document::FindVariable(std::string_view name) const {
    for (const auto& variable : m_variables) {
        if (SameName(variable->Name(), name)) {
            return variable.get();
        }
    }
    return nullptr;
}

void Document::RemoveVariable(std::string_view name) {
    std::erase_if(m_variables,
                  [&](const auto& variable) { return SameName(variable->Name(), name); });
    Recompute();
}

double Document::ValueOf(std::string_view name) const {
    const Variable* variable = FindVariable(name);
    return variable ? variable->Value() : std::numeric_limits<double>::quiet_NaN();
}

void Document::SetValue(std::string_view name, double value) {
    if (Variable* variable = FindVariable(name)) {
        variable->SetValue(value);
    } else {
        AddVariable(std::string(name), value);
    }
    Recompute();
}

void Document::AddSheetMetalVariables(const SheetMetalValues& values) {
    const double numbers[5] = {values.Thickness, values.BendRadius, values.NeutralFactor,
                               values.ReliefLength, values.ReliefWidth};
    for (int k = 0; k < 5; ++k) {
        AddVariable(std::string(variable::Markers[k]), 0.0, std::string(variable::Values[k]));
    }
    for (int k = 0; k < 5; ++k) {
        AddVariable(std::string(variable::Values[k]), numbers[k]);
    }
}

SheetMetalValues Document::SheetMetal() const {
    return SheetMetalValues{ValueOf(variable::Thickness), ValueOf(variable::BendRadius),
                            ValueOf(variable::NeutralFactor), ValueOf(variable::ReliefLength),
                            ValueOf(variable::ReliefWidth)};
}

Feature& Document::AddFeature(std::string name, int32_t type) {
    m_features.push_back(std::make_shared<Feature>(*this, std::move(name), type));
    return *m_features.back();
}

Feature* Document::FindFeature(std::string_view name) const {
    for (const auto& feature : m_features) {
        if (feature->Name() == name) {
            return feature.get();
        }
    }
    return nullptr;
}

void Document::Recompute() {
    ++m_recomputes;
    for (const auto& feature : m_features) {
        feature->Recompute();
    }
}

int Document::ViewUpdates() const {
    return m_window->View()->Updates();
}

int Document::SimplifiedModelUpdates() const {
    return m_simplifiedModel->Updates();
}

} // namespace psm::sim
