#pragma once

// Documents of the simulated CAD program and what hangs below them:
// variable table and variables, the first model with its features, the first
// simplified model, the first window with its view.

#include "sim/Node.h"
#include "sim/SimIds.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace psm::sim {

class Document;
class ComponentSet;
class Component;
class Link;
class PartLinks;

class Variable final : public Node {
  public:
    Variable(Document& doc, std::string name, double value, std::string formula);
    const ClassInfo& Class() const override;
    bool Disconnected() const override;

    const std::string& Name() const { return m_name; }
    double Value() const { return m_value; }
    const std::string& Formula() const { return m_formula; }
    void SetValue(double value) { m_value = value; }
    void SetFormula(std::string formula) { m_formula = std::move(formula); }
    Document& Owner() const { return m_doc; }

  private:
    Document& m_doc;
    std::string m_name;
    double m_value;
    std::string m_formula;
};

class VariableTable final : public Node {
  public:
    explicit VariableTable(Document& doc);
    const ClassInfo& Class() const override;
    bool Disconnected() const override;
    Document& Owner() const { return m_doc; }

  private:
    Document& m_doc;
};

// A feature's status follows the document's values: the first rule whose
// condition holds on its variable gives the status, else the base status.
class Feature final : public Node {
  public:
    Feature(Document& doc, std::string name, int32_t type);
    const ClassInfo& Class() const override;
    bool Disconnected() const override;

    const std::string& Name() const { return m_name; }
    int32_t Type() const { return m_type; }
    int32_t Status() const { return m_status; }

    Feature& SetBaseStatus(int32_t status);
    Feature& FailWhen(std::string variable, std::function<bool(double)> condition);
    Feature& WarnWhen(std::string variable, std::function<bool(double)> condition);
    void Recompute();

  private:
    struct Rule {
        std::string Variable;
        std::function<bool(double)> Condition;
        int32_t Status;
    };
    Document& m_doc;
    std::string m_name;
    int32_t m_type;
    int32_t m_baseStatus = code::StatusOk;
    int32_t m_status = code::StatusOk;
    std::vector<Rule> m_rules;
};

class FeatureList final : public Node {
  public:
    explicit FeatureList(Document& doc);
    const ClassInfo& Class() const override;
    bool Disconnected() const override;
    Document& Owner() const { return m_doc; }

  private:
    Document& m_doc;
};

class Model final : public Node {
  public:
    explicit Model(Document& doc);
    const ClassInfo& Class() const override;
    bool Disconnected() const override;
    const std::shared_ptr<FeatureList>& Features() const { return m_features; }

  private:
    Document& m_doc;
    std::shared_ptr<FeatureList> m_features;
};

// Anything with a method "Update" that the client calls to redraw.
class Updatable final : public Node {
  public:
    Updatable(Document& doc, std::string id);
    const ClassInfo& Class() const override;
    bool Disconnected() const override;
    int Updates() const { return m_updates; }
    void CountUpdate() { ++m_updates; }

  private:
    Document& m_doc;
    int m_updates = 0;
};

class Window final : public Node {
  public:
    explicit Window(Document& doc);
    const ClassInfo& Class() const override;
    bool Disconnected() const override;
    const std::shared_ptr<Updatable>& View() const { return m_view; }

  private:
    Document& m_doc;
    std::shared_ptr<Updatable> m_view;
};

// The five values a sheet-metal document carries, lengths in metres.
struct SheetMetalValues {
    double Thickness = 0.001;
    double BendRadius = 0.001;
    double NeutralFactor = 0.33;
    double ReliefLength = 0.002;
    double ReliefWidth = 0.001;
    friend bool operator==(const SheetMetalValues&, const SheetMetalValues&) = default;
};

// The names of the marker variables and the value variables they name, as
// AddSheetMetalVariables creates them.
namespace variable {
inline constexpr std::string_view Markers[5] = {"MaterialThickness_", "BendRadius_",
                                                "NeutralFactor_", "ReliefLength_", "ReliefWidth_"};
inline constexpr std::string_view Thickness = "SM_Thickness";
inline constexpr std::string_view BendRadius = "SM_Radius";
inline constexpr std::string_view NeutralFactor = "SM_KFactor";
inline constexpr std::string_view ReliefLength = "SM_ReliefLength";
inline constexpr std::string_view ReliefWidth = "SM_ReliefWidth";
inline constexpr std::string_view Values[5] = {Thickness, BendRadius, NeutralFactor, ReliefLength,
                                               ReliefWidth};
} // namespace variable

// The folder every document is saved in unless a test says otherwise.
inline constexpr std::string_view DocumentFolder = "C:\\Teile\\";

class Document final : public Node {
  public:
    Document(Simulator& sim, std::string id, std::string name, int32_t type);
    const ClassInfo& Class() const override;
    bool Disconnected() const override { return m_closed; }

    Simulator& Sim() const { return m_sim; }
    const std::string& Name() const { return m_name; }
    // The file the document is saved in: DocumentFolder and the name, by default.
    const std::string& FullName() const { return m_fullName; }
    void SetFullName(std::string fullName) { m_fullName = std::move(fullName); }
    // As a Save As under another name would.
    void Rename(std::string name) { m_name = std::move(name); }
    int32_t Type() const { return m_type; }
    bool IsClosed() const { return m_closed; }
    void MarkClosed() { m_closed = true; }

    // Variables (names compare without regard to case).
    Variable& AddVariable(std::string name, double value, std::string formula = {});
    Variable* FindVariable(std::string_view name) const;
    void RemoveVariable(std::string_view name);
    double ValueOf(std::string_view name) const; // NaN when there is no such variable
    // Sets a value as the user would in the program: recomputes at once.
    void SetValue(std::string_view name, double value);
    // Five marker variables whose formulas name five value variables.
    void AddSheetMetalVariables(const SheetMetalValues& values);
    SheetMetalValues SheetMetal() const;
    const std::vector<std::shared_ptr<Variable>>& Variables() const { return m_variables; }

    // Features of the first model.
    Feature& AddFeature(std::string name, int32_t type = code::FlangeFeature);
    Feature* FindFeature(std::string_view name) const;
    const std::vector<std::shared_ptr<Feature>>& Features() const { return m_features; }
    void Recompute();
    int Recomputes() const { return m_recomputes; }

    // Assembly content (answered only through the assembly interface, type 3).
    Component& AddDirectComponent(std::string name, std::shared_ptr<Document> linked,
                                  bool blocked = false);
    Component& AddNamedComponent(std::string name);
    // `times` more components like the one named, served by one node: a set
    // of tens of thousands of components without as many nodes.
    void RepeatComponent(std::string_view name, std::size_t times);
    // Takes the component out of the set, as the user deleting it would.
    void RemoveComponent(std::string_view name);
    Component& AddComponent(std::string name, int32_t componentType);
    Link& AddPartLink(std::string name, std::shared_ptr<Document> linked);
    // Lets go of the components and part links: an assembly that contains
    // itself would otherwise keep itself alive.
    void DropAssemblyContent();

    // Redraws the client asked for.
    int ViewUpdates() const;
    int SimplifiedModelUpdates() const;

    // Children, for the member tables.
    const std::shared_ptr<VariableTable>& VariableTableNode() const { return m_variableTable; }
    const std::shared_ptr<Model>& ModelNode() const { return m_model; }
    const std::shared_ptr<Updatable>& SimplifiedModelNode() const { return m_simplifiedModel; }
    const std::shared_ptr<Window>& WindowNode() const { return m_window; }
    const std::shared_ptr<ComponentSet>& ComponentSetNode() const { return m_componentSet; }
    const std::shared_ptr<PartLinks>& PartLinksNode() const { return m_partLinks; }

  private:
    Simulator& m_sim;
    std::string m_name;
    std::string m_fullName;
    int32_t m_type;
    bool m_closed = false;
    int m_recomputes = 0;
    std::vector<std::shared_ptr<Variable>> m_variables;
    std::vector<std::shared_ptr<Feature>> m_features;
    std::shared_ptr<VariableTable> m_variableTable;
    std::shared_ptr<Model> m_model;
    std::shared_ptr<Updatable> m_simplifiedModel;
    std::shared_ptr<Window> m_window;
    std::shared_ptr<ComponentSet> m_componentSet;
    std::shared_ptr<PartLinks> m_partLinks;
};

} // namespace psm::sim
