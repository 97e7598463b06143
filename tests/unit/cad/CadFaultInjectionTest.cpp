// Every CAD call of every procedure is failed in turn. Whatever fails, no
// reference or text from an earlier call stands in for the missing one, the
// recompute switch ends released, and no value lands in a variable other than
// the one named at the last read.

#include "CadTestSupport.h"
#include "cad/CommandButton.h"
#include "cad/FeatureCheck.h"
#include "cad/SheetMetalVariables.h"
#include "sim/SimObject.h"

#include <gmock/gmock.h>

namespace psm::cad::test {
namespace {

namespace code = sim::code;
using ::testing::AnyOf;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

std::string IdOf(const ObjectRef& object) {
    const sim::NodeRef node = sim::NodeOf(object);
    return node ? node->Id() : std::string();
}

// A world in which an earlier call left references to "Old" objects, and the
// procedure now runs against "New" ones.
struct World {
    virtual ~World() = default;
    virtual void Run() = 0;
    // `failed` is the call made to fail; null for the clean run.
    virtual void Check(const sim::CallRecord* failed) = 0;

    sim::Simulator sim;
    CadConnection connection;
};

template <class W>
void FailEachCallInTurn() {
    std::size_t calls = 0;
    {
        W clean;
        clean.sim.ClearLog();
        clean.Run();
        calls = clean.sim.Log().Size();
        clean.Check(nullptr);
    }
    ASSERT_GT(calls, 5u);
    for (std::size_t i = 0; i < calls; ++i) {
        W world;
        world.sim.ClearLog();
        world.sim.FailAt(i);
        world.Run();
        ASSERT_GT(world.sim.Log().Size(), i);
        const sim::CallRecord& failed = world.sim.Log()[i];
        SCOPED_TRACE("failed call " + std::to_string(i) + ": " + sim::Describe(failed));
        ASSERT_TRUE(failed.Injected);
        world.Check(&failed);
    }
}

// --- ConnectCad -----------------------------------------------------------------

struct ConnectWorld : World {
    ConnectWorld() {
        sim.OpenSheetMetal("Old.psm");
        ConnectCad(connection, sim);
        connection.Documents = nullptr; // the whole attach again
        sim.OpenSheetMetal("New.psm");
    }
    void Run() override { result = ConnectCad(connection, sim); }
    void Check(const sim::CallRecord* failed) override {
        const bool attachFailed = failed && failed->Position <= 1;
        EXPECT_EQ(connection.CadAttached, !attachFailed);
        EXPECT_THAT(result,
                    AnyOf(DocumentKind::None, DocumentKind::Unreadable, DocumentKind::SheetMetal));
        EXPECT_EQ(connection.ActiveKind, attachFailed ? DocumentKind::SheetMetal : result);
        if (result == DocumentKind::SheetMetal) {
            EXPECT_EQ(IdOf(connection.ActiveDoc), "doc:New.psm");
            EXPECT_THAT(connection.ActiveDocName, AnyOf("New.psm", ""));
        }
        if (IdOf(connection.ActiveDoc) == "doc:Old.psm") {
            EXPECT_NE(result, DocumentKind::SheetMetal)
                << "the old document is never classified again";
        }
    }
    DocumentKind result = DocumentKind::None;
};

TEST(CadFaultInjection, ConnectCad) {
    FailEachCallInTurn<ConnectWorld>();
}

// --- GetInPlaceDocument ----------------------------------------------------------

template <bool Named>
struct InPlaceWorld : World {
    InPlaceWorld() {
        auto oldPart = sim.CreateSheetMetal("OldPart.psm");
        sim.OpenDocument("Old.asm", code::AssemblyDocument).AddDirectComponent("O:1", oldPart);
        ConnectCad(connection, sim);
        EXPECT_EQ(GetInPlaceDocument(connection, AsAssembly()), DocumentKind::SheetMetal);

        auto newPart = sim.CreateSheetMetal("NewPart.psm");
        sim::Document& assembly = sim.OpenDocument("New.asm", code::AssemblyDocument);
        if (Named) {
            assembly.AddNamedComponent("N:1");
            assembly.AddPartLink("N:1", newPart);
        } else {
            assembly.AddDirectComponent("N:1", newPart);
        }
        ConnectCad(connection, sim);
        assembly_ = AsAssembly();
    }
    ObjectRef AsAssembly() { return connection.ActiveDoc->As(ids::AssemblyDocumentIid).Value(); }
    void Run() override { result = GetInPlaceDocument(connection, assembly_); }
    void Check(const sim::CallRecord*) override {
        for (const ObjectRef* reference :
             {&connection.ComponentSet, &connection.PartLink, &connection.WorkDocument}) {
            EXPECT_THAT(IdOf(*reference), Not(StartsWith("doc:Old")));
        }
        EXPECT_THAT(IdOf(connection.WorkDocument), AnyOf("", "doc:NewPart.psm"));
        EXPECT_THAT(connection.WorkDocName, AnyOf("", "NewPart.psm"));
        if (result == DocumentKind::None) {
            EXPECT_EQ(connection.WorkDocument, nullptr);
            EXPECT_EQ(connection.WorkKind, DocumentKind::None);
            EXPECT_EQ(connection.WorkDocName, "");
        }
        if (connection.WorkKind == DocumentKind::SheetMetal) {
            EXPECT_EQ(IdOf(connection.WorkDocument), "doc:NewPart.psm");
        }
    }
    ObjectRef assembly_;
    DocumentKind result = DocumentKind::None;
};

TEST(CadFaultInjection, GetInPlaceDocumentDirectComponent) {
    FailEachCallInTurn<InPlaceWorld<false>>();
}

TEST(CadFaultInjection, GetInPlaceDocumentNamedComponent) {
    FailEachCallInTurn<InPlaceWorld<true>>();
}

// --- ReadSheetMetalVariables -------------------------------------------------------

constexpr sim::SheetMetalValues NewValuesInDocument{0.0011, 0.0022, 0.33, 0.0044, 0.0055};

struct ReadWorld : World {
    ReadWorld() {
        sim::Document& old = sim.OpenSheetMetal("Old.psm", {0.009, 0.008, 0.7, 0.006, 0.005});
        // The old document's markers name other variables.
        for (int k = 0; k < 5; ++k) {
            old.FindVariable(sim::variable::Markers[k])->SetFormula("Old" + std::to_string(k));
            old.AddVariable("Old" + std::to_string(k), 0.1 * (k + 1));
        }
        ConnectCad(connection, sim);
        (void)ReadSheetMetalVariables(variables, connection.ActiveDoc);
        sim.OpenSheetMetal("New.psm", NewValuesInDocument);
        ConnectCad(connection, sim);
    }
    void Run() override { values = ReadSheetMetalVariables(variables, connection.ActiveDoc); }
    void Check(const sim::CallRecord*) override {
        const std::string names[5] = {"SM_Thickness", "SM_Radius", "SM_KFactor", "SM_ReliefLength",
                                      "SM_ReliefWidth"};
        const double inDocument[5] = {0.0011, 0.0022, 0.33, 0.0044, 0.0055};
        ASSERT_TRUE(values) << "a refused call is no busy program: the read is made";
        for (std::size_t k = 0; k < 5; ++k) {
            EXPECT_THAT(variables.ValueVariableNames[k], AnyOf("", names[k])) << k;
            EXPECT_TRUE(!(*values)[k] || *(*values)[k] == inDocument[k]) << k;
        }
        EXPECT_THAT(IdOf(variables.VariableTable), AnyOf("", "doc:New.psm/Variables"));
        EXPECT_THAT(IdOf(variables.CurrentVariable), Not(HasSubstr("Old")));
    }
    SheetMetalVariables variables;
    std::optional<CadValues> values;
};

TEST(CadFaultInjection, ReadSheetMetalVariables) {
    FailEachCallInTurn<ReadWorld>();
}

// --- WriteSheetMetalVariables ---------------------------------------------------------

template <bool Restore>
struct WriteWorld : World {
    WriteWorld() {
        old = &sim.OpenSheetMetal("Old.psm");
        ConnectCad(connection, sim);
        (void)ReadSheetMetalVariables(variables, connection.ActiveDoc);
        const ObjectRef oldTable = variables.VariableTable;
        const ObjectRef oldVariable = variables.CurrentVariable;

        sim::Document& doc = sim.OpenSheetMetal("New.psm", NewValuesInDocument);
        ConnectCad(connection, sim);
        read = *ReadSheetMetalVariables(variables, connection.ActiveDoc);
        if (Restore) {
            // Other values in the document, so that each restore has to write.
            for (std::string_view name : sim::variable::Values) {
                doc.SetValue(name, 0.5);
            }
        }
        // Left-overs that must never be used by the write.
        variables.VariableTable = oldTable;
        variables.CurrentVariable = oldVariable;
    }
    void Run() override {
        const CadValues type{0.003, 0.004, 0.44, 0.006, 0.007};
        outcome = WriteSheetMetalVariables(variables, connection, connection.ActiveDoc,
                                           Restore ? read : type, 1000.0, pump);
    }
    // The type lands whole, or the document keeps every value it had.
    void Check(const sim::CallRecord* failed) override {
        const bool releaseFailed = failed && failed->Kind == sim::CallKind::Put &&
                                   failed->DispId == ids::HoldRecomputeId &&
                                   failed->PutValue == Value::Boolean(false);
        EXPECT_EQ(sim.HoldRecompute(), releaseFailed);
        const double targets[5] = {Restore ? 0.0011 : 0.003, Restore ? 0.0022 : 0.004,
                                   Restore ? 0.33 : 0.44, Restore ? 0.0044 : 0.006,
                                   Restore ? 0.0055 : 0.007};
        const double before[5] = {Restore ? 0.5 : 0.0011, Restore ? 0.5 : 0.0022,
                                  Restore ? 0.5 : 0.33, Restore ? 0.5 : 0.0044,
                                  Restore ? 0.5 : 0.0055};
        for (const sim::VariableWrite& write : sim.VariableWrites()) {
            EXPECT_EQ(write.Document, "New.psm");
            const auto k = std::find(std::begin(sim::variable::Values),
                                     std::end(sim::variable::Values), write.Variable) -
                           std::begin(sim::variable::Values);
            ASSERT_LT(k, 5) << write.Variable;
            EXPECT_THAT(write.Value, AnyOf(targets[k], before[k])) << write.Variable;
        }
        const sim::SheetMetalValues held = sim.Find("New.psm")->SheetMetal();
        const double values[5] = {held.Thickness, held.BendRadius, held.NeutralFactor,
                                  held.ReliefLength, held.ReliefWidth};
        int landed = 0;
        for (std::size_t k = 0; k < 5; ++k) {
            landed += values[k] == targets[k] ? 1 : 0;
            if (outcome == WriteOutcome::NotWritten) {
                EXPECT_EQ(values[k], before[k]) << k;
            }
        }
        if (outcome == WriteOutcome::NotWritten) {
            EXPECT_TRUE(failed);
            EXPECT_EQ(pump.Runs, 0) << "nothing to redraw";
        } else {
            EXPECT_EQ(outcome, WriteOutcome::Written);
            EXPECT_EQ(landed, 5);
            EXPECT_EQ(pump.Runs, 1);
        }
        EXPECT_EQ(old->SheetMetal().Thickness, sim::SheetMetalValues{}.Thickness);
    }
    WriteOutcome outcome = WriteOutcome::Written;
    sim::Document* old = nullptr;
    SheetMetalVariables variables;
    CadValues read;
    CountingPump pump;
};

TEST(CadFaultInjection, WriteSheetMetalVariablesNewValues) {
    FailEachCallInTurn<WriteWorld<false>>();
}

TEST(CadFaultInjection, WriteSheetMetalVariablesRestore) {
    FailEachCallInTurn<WriteWorld<true>>();
}

// --- CheckFeatureStatus -------------------------------------------------------------

struct FeatureWorld : World {
    FeatureWorld() {
        sim.OpenSheetMetal("Old.psm").AddFeature("OldFail").SetBaseStatus(code::StatusFailed);
        ConnectCad(connection, sim);
        CheckFeatureStatus(check, connection.ActiveDoc);

        sim::Document& doc = sim.OpenSheetMetal("New.psm");
        doc.AddFeature("Flange 1").SetBaseStatus(code::StatusWarned);
        doc.AddFeature("Cutout 2", code::CutoutFeature);
        doc.AddFeature("Copy", code::CopiedPartFeature);
        doc.AddFeature("After").SetBaseStatus(code::StatusFailed);
        ConnectCad(connection, sim);
    }
    void Run() override { result = CheckFeatureStatus(check, connection.ActiveDoc); }
    void Check(const sim::CallRecord*) override {
        EXPECT_THAT(IdOf(check.FirstModel), AnyOf("", "doc:New.psm/Model1"));
        EXPECT_THAT(IdOf(check.FeatureList), AnyOf("", "doc:New.psm/Model1/Features"));
        // Flange 1 at most once (no earlier feature stands in for a missing
        // one), nothing of the old document, nothing after a recognised copy.
        std::string names;
        for (const FeatureFinding& finding : check.Findings) {
            names += finding.Name + ";";
        }
        EXPECT_THAT(names, Not(HasSubstr("OldFail")));
        EXPECT_EQ(names.find("Flange 1"), names.rfind("Flange 1"));
        EXPECT_THAT(names, Not(HasSubstr("Cutout 2")));
        if (check.CopiedPartFound) {
            EXPECT_THAT(names, Not(HasSubstr("After")));
        }
        EXPECT_EQ(result, check.Healthy());
    }
    FeatureCheck check;
    bool result = false;
};

TEST(CadFaultInjection, CheckFeatureStatus) {
    FailEachCallInTurn<FeatureWorld>();
}

// --- InstallCommandButton -------------------------------------------------------------

struct ButtonWorld : World {
    ButtonWorld() {
        sim.Env("Assembly").AddBar("ORNA").AddButton("C:\\Tools\\psm.exe");
        sim::CommandBar& bar = sim.Env("SheetMetal").AddBar("ORNA");
        foreign = &bar.AddButton("C:\\Other\\tool.exe");
        bar.AddButton("D:\\old\\psm.exe");
        sim.OpenSheetMetal("New.psm");
    }
    void Run() override {
        FixedLocation location("C:\\Tools");
        InstallCommandButton(connection, sim, location, pointer, "psm.exe", "Beschreibung",
                             "Titel");
    }
    void Check(const sim::CallRecord*) override {
        EXPECT_EQ(sim.Log().Count([](const sim::CallRecord& record) {
            return record.Object.starts_with("env:Assembly");
        }),
                  0u);
        EXPECT_EQ(foreign->Title, "");
        EXPECT_EQ(foreign->PictureFile, "");
        EXPECT_EQ(foreign->RunPath, "C:\\Other\\tool.exe");
        EXPECT_LE(sim.Env("SheetMetal").FindBar("ORNA")->Controls().size(), 3u);
        EXPECT_EQ(sim.Env("SheetMetal").Bars()->Items().size(), 1u);
        ASSERT_FALSE(pointer.Shapes.empty());
        EXPECT_EQ(pointer.Shapes.back(), MousePointerShape::Default);
    }
    sim::Control* foreign = nullptr;
    RecordingPointer pointer;
};

TEST(CadFaultInjection, InstallCommandButton) {
    FailEachCallInTurn<ButtonWorld>();
}

} // namespace
} // namespace psm::cad::test
