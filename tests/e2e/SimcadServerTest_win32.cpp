// simcad's COM server: first in process (the served objects' IDispatch and
// identity rules, without marshaling), then across processes: simcad.exe
// started with a scenario, psm's own CAD procedures run against it through
// COM, and the results checked through simcad's control object.

// <windows.h> spells GetObject as GetObjectW; the CAD layer's GetObject must
// keep its name here.
#include "tools/driver/DriverApartment_win32.h"

#include <windows.h>
#undef GetObject

#include "cad/CadIds.h"
#include "cad/ComObject_win32.h"
#include "cad/CommandButton.h"
#include "cad/Connection.h"
#include "cad/FeatureCheck.h"
#include "cad/GuardedCalls.h"
#include "cad/SheetMetalVariables.h"
#include "platform/EventPump.h"
#include "platform/MousePointer.h"
#include "platform/ProgramLocation.h"
#include "platform/UniqueHkey_win32.h"
#include "platform/Utf16_win32.h"
#include "simcad/DispatchObject_win32.h"
#include "simcad/InterfaceIds.h"
#include "simcad/Scenario.h"
#include "texts/Texts.h"
#include "tools/driver/ChildProcess_win32.h"
#include "tools/driver/SimCad_win32.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>

using Microsoft::WRL::ComPtr;

namespace psm::e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr int32_t DispUnknownName = static_cast<int32_t>(0x80020006);
constexpr int32_t DispException = static_cast<int32_t>(0x80020009);
constexpr int32_t DispBadIndex = static_cast<int32_t>(0x8002000B);
constexpr int32_t NoInterface = static_cast<int32_t>(0x80004002);

// --- In process ------------------------------------------------------------------------

class ServedInProcess : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_THAT(simcad::LoadScenario(world, "sheetmetal Halter.psm\n"
                                                "  feature flange Flansch 1\n"
                                                "assembly Gehäuse.asm\n"
                                                "active Halter.psm\n"),
                    IsEmpty());
    }

    ComPtr<simcad::DispatchObject> Serve(const sim::NodeRef& node,
                                         const std::string& interfaceId = {}) {
        return table->Serve(node, interfaceId, 1);
    }
    cad::ObjectRef Client(const ComPtr<simcad::DispatchObject>& served) {
        return std::make_shared<cad::ComObject>(ComPtr<IDispatch>(served.Get()), std::string());
    }

    simcad::World world;
    simcad::ModelDispatcher calls{world.Sim};
    std::shared_ptr<simcad::ObjectTable> table = std::make_shared<simcad::ObjectTable>(calls);
};

TEST_F(ServedInProcess, EveryViewOfANodeAnswersTheSameIdentity) {
    auto app = Serve(world.Sim.App());
    ComPtr<IDispatch> seen;
    ASSERT_EQ(app->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(seen.GetAddressOf())),
              S_OK);
    EXPECT_EQ(seen.Get(), static_cast<IDispatch*>(app.Get()));
    IID applicationIid{};
    ASSERT_EQ(IIDFromString(L"{DED89DB0-45B6-11CE-B307-0800363A1E02}", &applicationIid), S_OK);
    ComPtr<IDispatch> viewed;
    ASSERT_EQ(app->QueryInterface(applicationIid, reinterpret_cast<void**>(viewed.GetAddressOf())),
              S_OK);
    ComPtr<IUnknown> one;
    ComPtr<IUnknown> two;
    ASSERT_EQ(app->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(one.GetAddressOf())),
              S_OK);
    ASSERT_EQ(viewed->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(two.GetAddressOf())),
              S_OK);
    EXPECT_EQ(one.Get(), two.Get());
    EXPECT_NE(static_cast<IDispatch*>(app.Get()), viewed.Get()); // a view of its own
    EXPECT_EQ(table->Size(), 2u);
    // The same pair gives the same object while it lives.
    EXPECT_EQ(Serve(world.Sim.App()).Get(), app.Get());
}

TEST_F(ServedInProcess, InterfacesTheNodeLacksOrNobodyPublishedAreRefused) {
    auto app = Serve(world.Sim.App());
    IID variableIid{};
    ASSERT_EQ(IIDFromString(L"{7647EDC3-19D6-11CF-BCFB-0800368A1102}", &variableIid), S_OK);
    ComPtr<IUnknown> none;
    EXPECT_EQ(app->QueryInterface(variableIid, reinterpret_cast<void**>(none.GetAddressOf())),
              E_NOINTERFACE);
    EXPECT_EQ(app->QueryInterface(IID_IMarshal, reinterpret_cast<void**>(none.GetAddressOf())),
              E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    // Only the published one reached the model's log.
    EXPECT_EQ(world.Sim.Log().Size(), 1u);
}

TEST_F(ServedInProcess, NamesResolveThroughTheViewAndUnknownNamesAreRefused) {
    auto app = Serve(world.Sim.App());
    wchar_t name[] = L"OpenDocuments";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    // Bound to the application interface: not found through plain IDispatch.
    EXPECT_EQ(app->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    auto viewed = Serve(world.Sim.App(), std::string(sim::iid::Application));
    EXPECT_EQ(viewed->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    EXPECT_EQ(id, sim::dispid::OpenDocuments);
    EXPECT_EQ(table->NameLookups(), 2);
}

TEST_F(ServedInProcess, CallsThroughTheClientLayerReturnServedObjects) {
    auto app = Client(Serve(world.Sim.App(), std::string(sim::iid::Application)));
    const auto document = cad::GetObject(app, cad::Id(sim::dispid::CurrentDocument));
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(cad::GetAs<std::string>(document, cad::Named("Name")), "Halter.psm");
    EXPECT_EQ(cad::GetAs<int32_t>(document, cad::Named("Type")), 4);
    const auto again = cad::GetObject(app, cad::Id(sim::dispid::CurrentDocument));
    EXPECT_TRUE(document->IsSameObject(*again));
    EXPECT_TRUE(cad::PutValue(app, cad::Id(sim::dispid::HoldRecompute), cad::Value::Boolean(true)));
    EXPECT_TRUE(world.Sim.HoldRecompute());
}

TEST_F(ServedInProcess, FailuresComeBackWithCodeAndText) {
    auto app = Client(Serve(world.Sim.App(), std::string(sim::iid::Application)));
    const auto document = cad::GetObject(app, cad::Id(sim::dispid::CurrentDocument));
    const auto variables =
        cad::GetObject(document, cad::Named("Variables"), {}, cad::ids::VariableTableIid);
    ASSERT_NE(variables, nullptr);
    const auto missing = variables->Get(cad::Id(0), std::vector{cad::Value::Text("Gibtsnicht")});
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.Error().Code, DispException);
    EXPECT_THAT(missing.Error().Text, HasSubstr("\"Gibtsnicht\" not found"));
    // Wrong argument type: refused by Invoke itself.
    const auto mismatch = variables->Get(cad::Id(0), std::vector{cad::Value::Int16(1)});
    ASSERT_FALSE(mismatch);
    EXPECT_EQ(mismatch.Error().Code, static_cast<int32_t>(DISP_E_TYPEMISMATCH));
}

TEST_F(ServedInProcess, NamedArgumentsOtherThanThePutValueAreRefused) {
    auto app = Serve(world.Sim.App(), std::string(sim::iid::Application));
    VARIANT argument;
    VariantInit(&argument);
    V_VT(&argument) = VT_BOOL;
    V_BOOL(&argument) = VARIANT_TRUE;
    DISPID named = 5;
    DISPPARAMS params{&argument, &named, 1, 1};
    EXPECT_EQ(app->Invoke(sim::dispid::HoldRecompute, IID_NULL, 0, DISPATCH_PROPERTYGET, &params,
                          nullptr, nullptr, nullptr),
              DISP_E_NONAMEDARGS);
    EXPECT_EQ(app->Invoke(sim::dispid::HoldRecompute, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params,
                          nullptr, nullptr, nullptr),
              DISP_E_PARAMNOTOPTIONAL);
    named = DISPID_PROPERTYPUT;
    EXPECT_EQ(app->Invoke(sim::dispid::HoldRecompute, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params,
                          nullptr, nullptr, nullptr),
              S_OK);
    EXPECT_TRUE(world.Sim.HoldRecompute());
}

TEST_F(ServedInProcess, ObjectsLeaveTheTableWithTheirLastReferenceAndCanBeCutOff) {
    {
        auto app = Client(Serve(world.Sim.App(), std::string(sim::iid::Application)));
        ASSERT_NE(cad::GetObject(app, cad::Id(sim::dispid::CurrentDocument)), nullptr);
        EXPECT_EQ(table->Size(),
                  2u); // the application's view and its identity; the document is gone
    }
    EXPECT_EQ(table->Size(), 0u);
    auto app = Serve(world.Sim.App());
    table->DisconnectAll();
    EXPECT_EQ(table->Size(), 1u); // held here, but no remote client can reach it
}

// --- Across processes --------------------------------------------------------------------

constexpr const char* Scenario = R"(
sheetmetal Halter.psm
  values 0.0015 0.0015 0.43 0.003 0.0015
  feature flange Flansch 1
  feature flange Flansch 2
  rule Flansch 2 fails when BendRadius < 0.0012
  feature cutout Ausschnitt 1
  rule Ausschnitt 1 warns when ReliefWidth > 0.0025
linked sheetmetal Gehäuseblech.psm
  values 0.002 0.003 0.4 0.004 0.002
  feature copiedpart Kopie 1
assembly Gehäuse.asm
  component direct Blech 1 -> Gehäuseblech.psm
assembly Gesperrt.asm
  component blocked Blech 1 -> Gehäuseblech.psm
linked part Teil.par
assembly Benannt.asm
  component named Teil 1
  partlink Teil 1 -> Teil.par
assembly Zwei.asm
  component direct A -> Gehäuseblech.psm
  component direct B -> Gehäuseblech.psm
active Halter.psm
)";

class NoPointer final : public MousePointer {
  public:
    void SetMousePointer(MousePointerShape) override {}
};

class Pump final : public EventPump {
  public:
    void ProcessPendingEvents() override {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
    }
};

class Folder final : public ProgramLocation {
  public:
    std::string ProgramFolder() const override { return "C:\\Programme\\psm"; }
    std::string ExecutableFileName() const override { return "psm.exe"; }
};

constexpr auto Sheet = cad::DocumentKind::SheetMetal;
constexpr auto Assembly = cad::DocumentKind::Assembly;

class CrossProcess : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        simcad = std::make_unique<SimCad>();
        if (!simcad->Start(Scenario)) {
            FAIL() << simcad->Problem();
        }
    }
    static void TearDownTestSuite() { simcad.reset(); }

    void SetUp() override { ASSERT_TRUE(simcad->Running()) << simcad->Problem(); }

    // Makes `document` active in simcad and attaches as psm does.
    cad::DocumentKind ConnectTo(const std::string& document) {
        EXPECT_TRUE(simcad->Activate(document)) << simcad->Problem();
        return cad::ConnectCad(connection, automation);
    }
    cad::DocumentKind InPlace() {
        auto assembly = connection.ActiveDoc->As(cad::ids::AssemblyDocumentIid);
        return cad::GetInPlaceDocument(connection, assembly ? assembly.Value() : nullptr);
    }
    static cad::ObjectRef Seen(const cad::ObjectRef& object, std::string_view interfaceId) {
        if (object == nullptr) {
            return nullptr;
        }
        auto seen = object->As(interfaceId);
        EXPECT_TRUE(seen) << interfaceId << ": " << (seen ? "" : seen.Error().Text);
        return seen ? seen.Value() : nullptr;
    }

    static inline std::unique_ptr<SimCad> simcad;
    cad::ComAutomation automation;
    cad::CadConnection connection;
    const LanguageTexts texts;
    Pump pump;
};

TEST_F(CrossProcess, AttachesByProgIdAndClassifiesTheActiveDocument) {
    EXPECT_EQ(ConnectTo("Halter.psm"), Sheet);
    EXPECT_TRUE(connection.CadAttached);
    EXPECT_EQ(connection.ActiveDocName, "Halter.psm");
    EXPECT_EQ(ConnectTo("Gehäuse.asm"), Assembly);
    EXPECT_EQ(connection.ActiveDocName, "Gehäuse.asm"); // umlauts cross intact
}

TEST_F(CrossProcess, EveryInterfaceIdentifierCanBeAskedFor) {
    ASSERT_EQ(ConnectTo("Gehäuse.asm"), Assembly);
    using namespace cad::ids;
    const auto app = connection.CadApp;
    const auto documents = Seen(cad::GetObject(app, cad::Id(21)), DocumentsIid);
    EXPECT_EQ(cad::GetAs<int16_t>(documents, cad::Id(3)), 5);
    const auto assembly = Seen(connection.ActiveDoc, AssemblyDocumentIid);
    const auto components = Seen(cad::GetObject(assembly, cad::Id(39)), ComponentSetIid);
    const auto component =
        Seen(cad::GetObject(components, cad::Id(0), {cad::Value::Int16(1)}), ComponentIid);
    const auto link = Seen(cad::GetObject(component, cad::Id(4)), LinkIid);
    EXPECT_EQ(cad::GetAs<bool>(link, cad::Id(10)), false);
    EXPECT_NE(Seen(cad::GetObject(assembly, cad::Id(0x4006)), PartLinksIid), nullptr);
    const auto part = cad::GetObject(link, cad::Id(7));
    const auto variables = Seen(cad::GetObject(part, cad::Named("Variables")), VariableTableIid);
    const auto variable = Seen(
        cad::GetObject(variables, cad::Id(0), {cad::Value::Text("SM_Thickness")}), VariableIid);
    EXPECT_EQ(cad::GetAs<double>(variable, cad::Id(3)), 0.002);
    const auto model =
        Seen(cad::GetObject(part, cad::Named("Models"), {cad::Value::Int16(1)}), ModelIid);
    const auto features = Seen(cad::GetObject(model, cad::Id(30)), FeatureListIid);
    EXPECT_EQ(cad::GetAs<int16_t>(features, cad::Id(5)), 1);
    const auto environments = Seen(cad::GetObject(app, cad::Id(23)), EnvironmentListIid);
    const auto environment =
        Seen(cad::GetObject(environments, cad::Id(0), {cad::Value::Text("Draft")}), EnvironmentIid);
    const auto bars = Seen(cad::GetObject(environment, cad::Id(8)), BarListIid);
    const auto bar =
        Seen(cad::CallObject(bars, cad::Id(7), {cad::Value::Text("Probe"), cad::Value::Int32(5)}),
             CommandBarIid);
    const auto controls = Seen(cad::GetObject(bar, cad::Id(3)), BarControlsIid);
    const auto button =
        Seen(cad::CallObject(controls, cad::Id(4), {cad::Value::Int32(2)}), ButtonIid);
    EXPECT_TRUE(cad::PutValue(button, cad::Id(0x10010014), cad::Value::Text("Titel")));
    EXPECT_EQ(simcad->Button("Draft", "Probe", 1, "Title"), "Titel");

    // An identifier the object does not implement, and one nobody published.
    const auto wrong = app->As(VariableIid);
    ASSERT_FALSE(wrong);
    EXPECT_EQ(wrong.Error().Code, NoInterface);
    EXPECT_FALSE(app->As("{0C75D685-E87F-46BC-A823-167FF07D16DC}"));
}

TEST_F(CrossProcess, ByNameAndByDispatchIdentifierReachTheSameMember) {
    ASSERT_EQ(ConnectTo("Halter.psm"), Sheet);
    // A fresh handle: the connection's own has learnt "Name" already.
    const auto document = cad::GetObject(connection.CadApp, cad::Id(sim::dispid::CurrentDocument));
    const int lookups = simcad->NameLookups();
    EXPECT_EQ(cad::GetAs<std::string>(document, cad::Named("Name")), "Halter.psm");
    EXPECT_EQ(cad::GetAs<std::string>(document, cad::Id(sim::dispid::Name)), "Halter.psm");
    EXPECT_EQ(cad::GetAs<std::string>(document, cad::Named("Name")), "Halter.psm"); // remembered
    EXPECT_EQ(simcad->NameLookups(), lookups + 1);
    const auto unknown = document->Get(cad::Named("Colour"), {});
    ASSERT_FALSE(unknown);
    EXPECT_EQ(unknown.Error().Code, DispUnknownName);
}

TEST_F(CrossProcess, ObjectIdentityHoldsAcrossTheProcess) {
    ASSERT_EQ(ConnectTo("Gehäuse.asm"), Assembly);
    const auto again = cad::GetObject(connection.CadApp, cad::Id(2));
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(connection.ActiveDoc->IsSameObject(*again));
    const auto assembly = Seen(connection.ActiveDoc, cad::ids::AssemblyDocumentIid);
    EXPECT_TRUE(assembly->IsSameObject(*connection.ActiveDoc));
    const auto documents = cad::GetObject(connection.CadApp, cad::Id(21));
    EXPECT_FALSE(documents->IsSameObject(*connection.ActiveDoc));
}

TEST_F(CrossProcess, InPlaceDocumentBehindEachKindOfAssembly) {
    ASSERT_EQ(ConnectTo("Gehäuse.asm"), Assembly);
    EXPECT_EQ(InPlace(), Sheet);
    EXPECT_EQ(connection.WorkDocName, "Gehäuseblech.psm");
    ASSERT_EQ(ConnectTo("Gesperrt.asm"), Assembly);
    EXPECT_EQ(InPlace(), cad::DocumentKind::None);
    EXPECT_EQ(connection.WorkDocName, "");
    ASSERT_EQ(ConnectTo("Benannt.asm"), Assembly);
    EXPECT_EQ(InPlace(), cad::DocumentKind::Other);
    EXPECT_EQ(connection.WorkDocName, "Teil.par");
    ASSERT_EQ(ConnectTo("Zwei.asm"), Assembly);
    EXPECT_EQ(InPlace(), cad::DocumentKind::None);
}

TEST_F(CrossProcess, ReadsTheFiveValuesInCadUnits) {
    ASSERT_EQ(ConnectTo("Halter.psm"), Sheet);
    cad::SheetMetalVariables variables;
    const auto values = cad::ReadSheetMetalVariables(variables, connection.ActiveDoc);
    ASSERT_TRUE(values);
    EXPECT_THAT(*values, ElementsAre(0.0015, 0.0015, 0.43, 0.003, 0.0015));
    EXPECT_THAT(variables.ValueVariableNames, ElementsAre("SM_Thickness", "SM_Radius", "SM_KFactor",
                                                          "SM_ReliefLength", "SM_ReliefWidth"));
}

TEST_F(CrossProcess, WritesMetresBetweenHoldRecomputeAndFailsTheFeatureTheRuleNames) {
    ASSERT_EQ(ConnectTo("Halter.psm"), Sheet);
    cad::SheetMetalVariables variables;
    const auto before = cad::ReadSheetMetalVariables(variables, connection.ActiveDoc);
    ASSERT_TRUE(before);
    const int writes = simcad->WriteCount();
    const int updates =
        simcad->Get("ViewUpdates", {cad::Value::Text("Halter.psm")}).AsInt32().value_or(-1);

    const cad::CadValues targets{0.0015, 0.001, 0.43, 0.003, 0.0015};
    EXPECT_EQ(cad::WriteSheetMetalVariables(variables, connection, connection.ActiveDoc, targets,
                                            1000.0, pump),
              cad::WriteOutcome::Written);
    EXPECT_EQ(simcad->SheetMetalValue("Halter.psm", 2), 0.001);
    EXPECT_EQ(simcad->SheetMetalValue("Halter.psm", 1), 0.0015);
    EXPECT_EQ(simcad->WriteCount(), writes + 1); // only the value that differs
    EXPECT_EQ(simcad->Get("WriteLog", {cad::Value::Int32(writes)}).AsText(),
              "Halter.psm|SM_Radius|0.001|hold\n");
    EXPECT_EQ(simcad->Get("HoldRecompute").AsBoolean(), false);
    EXPECT_EQ(simcad->Get("ViewUpdates", {cad::Value::Text("Halter.psm")}).AsInt32(), updates + 1);
    EXPECT_EQ(simcad->FeatureStatus("Halter.psm", "Flansch 2"), "failed");

    cad::FeatureCheck check;
    EXPECT_FALSE(cad::CheckFeatureStatus(check, connection.ActiveDoc));
    EXPECT_THAT(check.Findings,
                ElementsAre(cad::FeatureFinding{"Flansch 2", cad::FeatureState::Failed}));
    EXPECT_FALSE(check.CopiedPartFound);

    // Back to the values read: the feature heals.
    EXPECT_EQ(cad::WriteSheetMetalVariables(variables, connection, connection.ActiveDoc, *before,
                                            1000.0, pump),
              cad::WriteOutcome::Written);
    EXPECT_EQ(simcad->SheetMetalValue("Halter.psm", 2), 0.0015);
    EXPECT_TRUE(cad::CheckFeatureStatus(check, connection.ActiveDoc));
    EXPECT_TRUE(check.Findings.empty());
}

TEST_F(CrossProcess, FeatureCheckFindsTheCopiedPartBehindTheAssembly) {
    ASSERT_EQ(ConnectTo("Gehäuse.asm"), Assembly);
    ASSERT_EQ(InPlace(), Sheet);
    cad::FeatureCheck check;
    EXPECT_FALSE(cad::CheckFeatureStatus(check, connection.WorkDocument));
    EXPECT_TRUE(check.CopiedPartFound);
}

TEST_F(CrossProcess, InstallsTheCommandButtonOnceInTheActiveDocumentsEnvironment) {
    NoPointer pointer;
    const Folder folder;
    ASSERT_TRUE(simcad->Activate("Halter.psm"));
    for (int run = 0; run < 2; ++run) {
        cad::InstallCommandButton(connection, automation, folder, pointer, "psm.exe",
                                  texts.Caption(CaptionText::ButtonDescription),
                                  texts.Caption(CaptionText::ButtonTitle));
    }
    EXPECT_EQ(simcad->ButtonCount("SheetMetal", "ORNA"), 1);
    EXPECT_EQ(simcad->Button("SheetMetal", "ORNA", 1, "RunPath"), "C:\\Programme\\psm\\psm.exe");
    EXPECT_EQ(simcad->Button("SheetMetal", "ORNA", 1, "Picture"), "C:\\Programme\\psm\\psm.bmp");
    EXPECT_EQ(simcad->Button("SheetMetal", "ORNA", 1, "Title"), "Biegewerte");
    EXPECT_EQ(simcad->Button("SheetMetal", "ORNA", 1, "Description"),
              "Teileeigenschaften festlegen");
    EXPECT_EQ(simcad->Button("SheetMetal", "ORNA", 1, "OptionB"), "true");
    EXPECT_EQ(simcad->ButtonCount("Assembly", "ORNA"), -1);

    ASSERT_TRUE(simcad->Activate("Gehäuse.asm"));
    cad::InstallCommandButton(connection, automation, folder, pointer, "psm.exe",
                              texts.Caption(CaptionText::ButtonDescription),
                              texts.Caption(CaptionText::ButtonTitle));
    EXPECT_EQ(simcad->ButtonCount("Assembly", "ORNA"), 1);
}

TEST_F(CrossProcess, FailuresCarryTheirCodeAndTextAcrossTheProcess) {
    ASSERT_EQ(ConnectTo("Halter.psm"), Sheet);
    const auto variables = cad::GetObject(connection.ActiveDoc, cad::Named("Variables"), {},
                                          cad::ids::VariableTableIid);
    const auto missing = variables->Get(cad::Id(0), std::vector{cad::Value::Text("Gibtsnicht")});
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.Error().Code, DispException);
    EXPECT_THAT(missing.Error().Text, HasSubstr("Variable \"Gibtsnicht\" not found."));
    const auto model = cad::GetObject(connection.ActiveDoc, cad::Named("Models"),
                                      {cad::Value::Int16(1)}, cad::ids::ModelIid);
    const auto features = cad::GetObject(model, cad::Id(30), {}, cad::ids::FeatureListIid);
    const auto outside = features->Get(cad::Id(0), std::vector{cad::Value::Int16(99)});
    ASSERT_FALSE(outside);
    EXPECT_EQ(outside.Error().Code, DispBadIndex);

    // An injected failure: the active document cannot be read once.
    simcad->Fail("CurrentDocument", 1);
    EXPECT_EQ(cad::ConnectCad(connection, automation), cad::DocumentKind::Unreadable);
    EXPECT_EQ(cad::ConnectCad(connection, automation), Sheet);
}

// Runs last: simcad ends, and with it the attach and the registration.
TEST_F(CrossProcess, ZzAfterQuitNothingIsRunningOrRegistered) {
    ASSERT_EQ(ConnectTo("Halter.psm"), Sheet);
    const auto process = simcad->Process()->Id();
    EXPECT_EQ(simcad->Get("ProcessId").AsInt32(), static_cast<int32_t>(process));
    simcad->Quit();
    EXPECT_EQ(cad::ConnectCad(connection, automation), cad::DocumentKind::None);
    EXPECT_FALSE(connection.CadAttached);
    // The old references now fail instead of reaching a dead program.
    EXPECT_FALSE(connection.ActiveDoc->Get(cad::Named("Name"), {}));
    EXPECT_FALSE(cad::ClassIdOfProgId("SolidEdge.Application"));
    EXPECT_FALSE(cad::ClassIdOfProgId("SimCad.Control"));
    const auto exists = [](const std::wstring& path) {
        UniqueHkey key;
        return RegOpenKeyExW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\" + path).c_str(), 0,
                             KEY_READ, key.Put()) == ERROR_SUCCESS;
    };
    EXPECT_FALSE(exists(L"TypeLib\\" + Widen(simcad::TypeLibraryId)));
    EXPECT_FALSE(exists(L"Wow6432Node\\TypeLib\\" + Widen(simcad::TypeLibraryId)));
    EXPECT_FALSE(exists(L"Interface\\" + Widen(sim::iid::Application)));
    EXPECT_FALSE(exists(L"Wow6432Node\\Interface\\" + Widen(sim::iid::Application)));
    EXPECT_FALSE(exists(L"CLSID\\" + Widen(simcad::ApplicationClassId)));
}

TEST(SimcadStart, AScenarioWithProblemsIsRefused) {
    SimCad broken;
    EXPECT_FALSE(broken.Start("sheetmetal A.psm\n  values 1 2\n"));
    EXPECT_EQ(broken.Problem(), "simcad.exe ended with code 2");
}

} // namespace
} // namespace psm::e2e

int main(int argc, char** argv) {
    const psm::e2e::DriverApartment apartment;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
