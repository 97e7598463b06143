// Attach, classification of the active document, the part behind an
// assembly's single component, and the release of the references.

#include "CadTestSupport.h"

#include <gmock/gmock.h>

namespace psm::cad::test {
namespace {

using ::testing::ElementsAre;
namespace code = sim::code;

class ConnectCadTest : public CadFixture {};

TEST_F(ConnectCadTest, SheetMetalDocumentIsClassifiedWithTheseCalls) {
    sim.OpenSheetMetal("A.psm");
    EXPECT_EQ(ConnectCad(connection, sim), DocumentKind::SheetMetal);
    EXPECT_THAT(Lines(),
                ElementsAre("attach SolidEdge.Application",
                            "app as {DED89DB0-45B6-11CE-B307-0800363A1E02}",
                            "app{DED89DB0} get #21",
                            "app/Documents as {290D47B0-F718-11CD-8B57-080036181E02}",
                            "app{DED89DB0} get #2", "doc:A.psm get Type", "doc:A.psm get Name"));
    EXPECT_TRUE(connection.CadAttached);
    EXPECT_EQ(connection.ActiveDocName, "A.psm");
    EXPECT_EQ(connection.ActiveKind, DocumentKind::SheetMetal);
    EXPECT_EQ(connection.CadApp->Interface(), ids::ApplicationIid);
}

TEST_F(ConnectCadTest, OtherDocumentTypesAreReturnedAndStored) {
    sim.OpenDocument("Drawing.dft", code::DraftDocument);
    EXPECT_EQ(ConnectCad(connection, sim), DocumentKind::Other);
    EXPECT_EQ(connection.ActiveKind, DocumentKind::Other);
    EXPECT_EQ(connection.ActiveDocName, "Drawing.dft");
}

TEST_F(ConnectCadTest, NotRunningFailsTheAttachAndKeepsTheEarlierFacts) {
    sim.OpenSheetMetal("A.psm");
    ConnectQuietly();
    const ObjectRef earlierApp = connection.CadApp;
    sim.Quit();
    EXPECT_EQ(ConnectCad(connection, sim), DocumentKind::None);
    EXPECT_FALSE(connection.CadAttached);
    EXPECT_EQ(connection.ActiveKind, DocumentKind::SheetMetal);
    EXPECT_EQ(connection.CadApp, earlierApp);
    // The kept collection no longer reaches the program: it is looked for anew.
    EXPECT_THAT(Lines(), ElementsAre("app{DED89DB0} get #2 -> !0x800706BA",
                                     "attach SolidEdge.Application -> !0x800401E3"));

    sim.Start();
    EXPECT_EQ(ConnectCad(connection, sim), DocumentKind::SheetMetal);
    EXPECT_TRUE(connection.CadAttached);
    EXPECT_NE(connection.CadApp, earlierApp);
}

TEST_F(ConnectCadTest, NoOpenDocumentGivesNoneAndLeavesTheActiveDocument) {
    sim.OpenSheetMetal("A.psm");
    ConnectQuietly();
    const ObjectRef earlierDoc = connection.ActiveDoc;
    sim.CloseAll();
    EXPECT_EQ(ConnectCad(connection, sim), DocumentKind::None);
    EXPECT_TRUE(connection.CadAttached);
    EXPECT_EQ(connection.ActiveKind, DocumentKind::None);
    EXPECT_EQ(connection.ActiveDoc, earlierDoc);
    // The count is asked only for want of an active document.
    EXPECT_THAT(Lines(), ElementsAre("app{DED89DB0} get #2", "app/Documents{290D47B0} get #3"));
}

TEST_F(ConnectCadTest, MissingActiveDocumentIsUnreadableWithoutClassifyingTheOldOne) {
    sim.OpenSheetMetal("A.psm");
    ConnectQuietly();
    const ObjectRef earlierDoc = connection.ActiveDoc;
    sim.FailWhen(sim::CallMatch::Member("CurrentDocument"));
    EXPECT_EQ(ConnectCad(connection, sim), DocumentKind::Unreadable);
    EXPECT_EQ(connection.ActiveKind, DocumentKind::Unreadable);
    EXPECT_EQ(connection.ActiveDoc, earlierDoc);
    EXPECT_EQ(sim.Log().Count(sim::CallMatch::Member("Type")), 0u);
}

TEST_F(ConnectCadTest, UnreadableNameOrTypeOfANewDocumentNeverShowsTheOldOnes) {
    sim.OpenSheetMetal("A.psm");
    ConnectQuietly();
    sim.OpenSheetMetal("B.psm");
    sim.FailWhen(sim::CallMatch::Member("Name").On("doc:B.psm"));
    EXPECT_EQ(ConnectCad(connection, sim), DocumentKind::SheetMetal);
    EXPECT_EQ(connection.ActiveDocName, "");

    sim.ClearFaults();
    sim.OpenSheetMetal("C.psm");
    sim.FailWhen(sim::CallMatch::Member("Type").On("doc:C.psm"));
    EXPECT_EQ(ConnectCad(connection, sim), DocumentKind::Unreadable);
    EXPECT_EQ(connection.ActiveKind, DocumentKind::Unreadable);
    EXPECT_EQ(connection.ActiveDocName, "C.psm");
}

TEST_F(ConnectCadTest, AnAnsweringProgramIsAskedOneQuestionAndTheNameNowAndThen) {
    sim::Document& a = sim.OpenSheetMetal("A.psm");
    ConnectQuietly();
    EXPECT_EQ(ConnectCad(connection, sim), DocumentKind::SheetMetal);
    EXPECT_THAT(Lines(), ElementsAre("app{DED89DB0} get #2", "doc:A.psm get Name"));
    EXPECT_TRUE(connection.SameActiveDoc);

    a.Rename("A2.psm"); // Save As
    const std::size_t before = sim.CallCount();
    for (int call = 0; call < NameReadInterval; ++call) {
        EXPECT_EQ(ConnectCad(connection, sim, NameReading::Periodically), DocumentKind::SheetMetal);
    }
    EXPECT_EQ(sim.CallCount() - before, NameReadInterval + 1u);
    EXPECT_EQ(connection.ActiveDocName, "A2.psm");
}

TEST_F(ConnectCadTest, KeptReferencesOfAProgramStartedAgainAreReplaced) {
    sim.OpenSheetMetal("A.psm");
    ConnectQuietly();
    const ObjectRef earlierDoc = connection.ActiveDoc;
    sim.Quit();
    sim.Start(); // a new instance with the same documents
    EXPECT_EQ(ConnectCad(connection, sim), DocumentKind::SheetMetal);
    EXPECT_TRUE(connection.CadAttached);
    EXPECT_FALSE(connection.SameActiveDoc) << "the new program's objects are others";
    EXPECT_NE(connection.ActiveDoc, earlierDoc);
    EXPECT_EQ(connection.ActiveDocName, "A.psm");
    EXPECT_EQ(ConnectCad(connection, sim), DocumentKind::SheetMetal);
    EXPECT_TRUE(connection.SameActiveDoc);
}

TEST_F(ConnectCadTest, AKeptReferenceThatFailsOtherwiseIsKept) {
    sim.OpenSheetMetal("A.psm");
    ConnectQuietly();
    sim.FailAt(sim.Log().Size()); // the active document through the kept application
    EXPECT_EQ(ConnectCad(connection, sim), DocumentKind::Unreadable);
    EXPECT_TRUE(connection.CadAttached);
    EXPECT_EQ(ConnectCad(connection, sim), DocumentKind::SheetMetal);
    EXPECT_EQ(sim.Log().Count(sim::CallMatch::Member("SolidEdge.Application")), 0u)
        << "no attach while the program answers";
}

// --- GetInPlaceDocument ---------------------------------------------------------

class InPlaceDocumentTest : public CadFixture {
  protected:
    sim::Document& OpenAssembly() {
        sim::Document& assembly = sim.OpenDocument("Asm.asm", code::AssemblyDocument);
        part = sim.CreateSheetMetal("P.psm");
        return assembly;
    }
    DocumentKind Run() {
        EXPECT_EQ(ConnectQuietly(), DocumentKind::Assembly);
        return GetInPlaceDocument(connection, AssemblyView());
    }
    // A successful run first, so that stale references would be there to misuse.
    void SucceedOnce(sim::Document& assembly) {
        assembly.AddDirectComponent("P.psm:1", part);
        ASSERT_EQ(Run(), DocumentKind::SheetMetal);
    }
    void ExpectNoWorkDocument() {
        EXPECT_EQ(connection.WorkDocName, "");
        EXPECT_EQ(connection.WorkDocument, nullptr);
        EXPECT_EQ(connection.WorkKind, DocumentKind::None);
    }
    std::shared_ptr<sim::Document> part;
};

TEST_F(InPlaceDocumentTest, DirectComponentLeadsThroughItsLink) {
    OpenAssembly().AddDirectComponent("P.psm:1", part);
    EXPECT_EQ(Run(), DocumentKind::SheetMetal);
    EXPECT_THAT(
        Lines(),
        ElementsAre("doc:Asm.asm{00C6BF00} get #39",
                    "doc:Asm.asm/Components as {F9293970-4812-11CE-9647-0800367E0502}",
                    "doc:Asm.asm/Components{F9293970} get #0(I2 1)",
                    "doc:Asm.asm/Components/P.psm:1 get Type",
                    "doc:Asm.asm/Components{F9293970} get #3",
                    "doc:Asm.asm/Components{F9293970} get #0(I2 1)",
                    "doc:Asm.asm/Components/P.psm:1 as {8FF2DD02-19B3-11D1-AEAF-08003616CE02}",
                    "doc:Asm.asm/Components/P.psm:1{8FF2DD02} get #4",
                    "doc:Asm.asm/Components/P.psm:1/Link as {600251C5-E2F4-11D2-BED3-080036B4D502}",
                    "doc:Asm.asm/Components/P.psm:1/Link{600251C5} get #10",
                    "doc:Asm.asm/Components/P.psm:1/Link{600251C5} get #7", "doc:P.psm get Name",
                    "doc:P.psm get Type"));
    EXPECT_EQ(connection.WorkDocName, "P.psm");
    EXPECT_EQ(connection.WorkKind, DocumentKind::SheetMetal);
    EXPECT_NE(connection.AssemblyComponent, nullptr);
    EXPECT_NE(connection.PartLink, nullptr);
}

TEST_F(InPlaceDocumentTest, NamedComponentLeadsThroughPartLinksByItsName) {
    sim::Document& assembly = OpenAssembly();
    assembly.AddNamedComponent("P.psm:1");
    assembly.AddPartLink("P.psm:1", part);
    EXPECT_EQ(Run(), DocumentKind::SheetMetal);
    EXPECT_THAT(
        Lines(),
        ElementsAre("doc:Asm.asm{00C6BF00} get #39",
                    "doc:Asm.asm/Components as {F9293970-4812-11CE-9647-0800367E0502}",
                    "doc:Asm.asm/Components{F9293970} get #0(I2 1)",
                    "doc:Asm.asm/Components/P.psm:1 get Type",
                    "doc:Asm.asm/Components{F9293970} get #3",
                    "doc:Asm.asm/Components/P.psm:1 get Name", "doc:Asm.asm{00C6BF00} get #16390",
                    "doc:Asm.asm/PartLinks as {7AD88CC9-E2F4-11D2-BED3-080036B4D502}",
                    "doc:Asm.asm/PartLinks{7AD88CC9} get #0(\"P.psm:1\")",
                    "doc:Asm.asm/PartLinks/P.psm:1 as {600251C5-E2F4-11D2-BED3-080036B4D502}",
                    "doc:Asm.asm/PartLinks/P.psm:1{600251C5} get #7", "doc:P.psm get Name",
                    "doc:P.psm get Type"));
    EXPECT_EQ(connection.WorkDocName, "P.psm");
}

TEST_F(InPlaceDocumentTest, PartThatIsNotSheetMetalIsReturnedWithItsOwnType) {
    auto plainPart = sim.CreateDocument("Q.par", code::PartDocument);
    OpenAssembly().AddDirectComponent("Q.par:1", plainPart);
    EXPECT_EQ(Run(), DocumentKind::Other);
    EXPECT_EQ(connection.WorkDocName, "Q.par");
    EXPECT_EQ(connection.WorkKind, DocumentKind::Other);
}

TEST_F(InPlaceDocumentTest, NoneOrTwoComponentsLeaveNoWorkDocument) {
    sim::Document& assembly = OpenAssembly();
    SucceedOnce(assembly);
    assembly.AddDirectComponent("P.psm:2", part);
    EXPECT_EQ(Run(), DocumentKind::None);
    ExpectNoWorkDocument();

    sim.OpenDocument("Empty.asm", code::AssemblyDocument);
    EXPECT_EQ(Run(), DocumentKind::None);
    ExpectNoWorkDocument();
    EXPECT_EQ(sim.Log().Count(sim::CallMatch::Member("ComponentCount")), 1u);
}

TEST_F(InPlaceDocumentTest, BlockedLinkIsRefused) {
    sim::Document& assembly = OpenAssembly();
    SucceedOnce(assembly);
    sim::Document& blocked = sim.OpenDocument("Blocked.asm", code::AssemblyDocument);
    blocked.AddDirectComponent("P.psm:1", part, true);
    EXPECT_EQ(Run(), DocumentKind::None);
    ExpectNoWorkDocument();
    EXPECT_EQ(sim.Log().Count(sim::CallMatch::Member("LinkedDocument")), 0u);
}

TEST_F(InPlaceDocumentTest, NamedComponentMissingFromPartLinksIsRefused) {
    sim::Document& assembly = OpenAssembly();
    SucceedOnce(assembly);
    sim::Document& other = sim.OpenDocument("Other.asm", code::AssemblyDocument);
    other.AddNamedComponent("P.psm:1");
    other.AddPartLink("Different:1", part);
    EXPECT_EQ(Run(), DocumentKind::None);
    ExpectNoWorkDocument();
    EXPECT_EQ(connection.PartLink, nullptr);
}

TEST_F(InPlaceDocumentTest, ComponentOfAnotherTypeIsRefused) {
    OpenAssembly().AddComponent("Sub.asm:1", code::OtherComponent);
    EXPECT_EQ(Run(), DocumentKind::None);
    ExpectNoWorkDocument();
}

TEST_F(InPlaceDocumentTest, FailedComponentSetNeverFallsBackToTheEarlierOne) {
    sim::Document& assembly = OpenAssembly();
    SucceedOnce(assembly);
    sim.FailWhen(sim::CallMatch::Member(ids::ComponentSetId));
    EXPECT_EQ(Run(), DocumentKind::None);
    ExpectNoWorkDocument();
    EXPECT_EQ(connection.ComponentSet, nullptr);
    EXPECT_EQ(sim.Log().Count(sim::CallMatch::Member("ComponentCount")), 0u);
}

} // namespace
} // namespace psm::cad::test
