// The survey of an assembly's parts with the real psm.exe against simcad:
// listed, written into three parts at once, copied, and printed by
// "psm.exe /survey".

#include "EndToEnd_win32.h"
#include "platform/FileRead.h"
#include "tools/driver/CapturedRun_win32.h"
#include "tools/driver/PsmSurvey_win32.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace psm::e2e {
namespace {

// Rahmen.asm: twelve components. Halter thrice (once through a part link by
// name), Deckel twice, two parts that are no sheet metal, one blocked link.
// Winkel carries no type of the value file; Lasche fails a feature once its
// sheet is thicker than 1.8 mm.
constexpr const char* Frame = R"(
linked sheetmetal Halter.psm
  values 0.0015 0.0015 0.43 0.003 0.0015
linked sheetmetal Deckel.psm
  values 0.002 0.003 0.4 0.004 0.002
linked sheetmetal Winkel.psm
  values 0.0012 0.0012 0.33 0.002 0.001
linked sheetmetal Lasche.psm
  values 0.001 0.001 0.42 0.002 0.001
  feature flange Flansch 1
  rule Flansch 1 fails when MaterialThickness > 0.0018
linked sheetmetal Boden.psm
  values 0.001 0.001 0.42 0.002 0.001
linked sheetmetal Blende.psm
  values 0.002 0.002 0.44 0.004 0.002
linked sheetmetal Gesperrt.psm
  values 0.001 0.001 0.42 0.002 0.001
linked part Welle.par
linked part Bolzen.par
assembly Rahmen.asm
  component direct Halter:1 -> Halter.psm
  component direct Deckel:1 -> Deckel.psm
  component direct Halter:2 -> Halter.psm
  component direct Winkel:1 -> Winkel.psm
  component direct Welle:1 -> Welle.par
  component direct Lasche:1 -> Lasche.psm
  component direct Deckel:2 -> Deckel.psm
  component named Halter:3
  partlink Halter:3 -> Halter.psm
  component direct Boden:1 -> Boden.psm
  component direct Bolzen:1 -> Bolzen.par
  component blocked Gesperrt:1 -> Gesperrt.psm
  component direct Blende:1 -> Blende.psm
)";

// Rows in the order of the components: Halter, Deckel, Winkel, Welle, Lasche,
// Boden, Bolzen, Gesperrt:1, Blende.
constexpr int Winkel = 2, Lasche = 4, Boden = 5;
constexpr DWORD ReadMs = 20000;

class Survey : public EndToEnd {
  protected:
    void SetUp() override {
        EndToEnd::SetUp();
        m_journal = Folder() + L"survey-journal.txt";
        DeleteFileW(m_journal.c_str());
        settings::Set(L"JournalFile", m_journal);
    }
    // The options menu's "Baugruppe prüfen", third from its end.
    void OpenSurvey() {
        ASSERT_TRUE(psm.UseMenu({VK_DOWN, VK_RIGHT, VK_UP, VK_UP, VK_UP, VK_RETURN}));
        ASSERT_TRUE(survey.WaitForWindow(NoticeMs));
        ASSERT_TRUE(survey.WaitUntilRead(ReadMs)) << Narrow(survey.Progress());
    }
    std::vector<std::wstring> Lines(const std::wstring& text) const {
        std::vector<std::wstring> lines;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find(L"\r\n", start);
            lines.push_back(text.substr(start, end - start));
            start = end == std::wstring::npos ? text.size() : end + 2;
        }
        return lines;
    }
    // Stahl, then its St 2,0 once psm has filled the type list with Stahl's
    // types: a type chosen before would be one of the list as it was.
    void ChooseSt20() {
        psm.Choose(MainControl::TableList, 0);
        ASSERT_TRUE(
            WaitUntil([&] { return psm.Selected(MainControl::TypeList) == L"St 1,5"; }, NoticeMs));
        psm.Choose(MainControl::TypeList, 2);
        ASSERT_TRUE(WaitUntil(
            [&] { return survey.ChosenType() == L"Blechtyp zum Schreiben: St 2,0 (Stahl)"; },
            NoticeMs))
            << Narrow(survey.ChosenType());
    }
    std::string Journal() const { return ReadFileBytes(Narrow(m_journal)).value_or(""); }

    PsmSurvey survey{psm};
    std::wstring m_journal;
};

TEST_F(Survey, AnAssemblyOfTwelveComponentsIsListedWrittenInThreePartsCopiedAndPrinted) {
    ASSERT_NO_FATAL_FAILURE(Start(Frame));
    ASSERT_NO_FATAL_FAILURE(Switch("Rahmen.asm"));
    ASSERT_TRUE(WaitUntil([&] { return psm.Label().empty(); }, NoticeMs));

    // The command line first: Winkel is off the value file.
    const auto printed = RunCaptured(L"psm.exe", L"/survey", 20000);
    ASSERT_TRUE(printed.has_value()) << "psm.exe /survey did not end by itself";
    EXPECT_EQ(printed->ExitCode, 1u);

    ASSERT_NO_FATAL_FAILURE(OpenSurvey());
    EXPECT_EQ(survey.Caption(), L"Baugruppe prüfen: Rahmen.asm");
    EXPECT_EQ(survey.Progress(), L"fertig: 9 von 9");
    EXPECT_EQ(survey.Rows(), 9);
    survey.Click(SurveyCopyId);
    ASSERT_TRUE(WaitUntil([&] { return !ClipboardText().empty(); }, NoticeMs));
    const std::wstring table = ClipboardText();
    EXPECT_EQ(Wide(printed->Output), table) << "the command line prints the same table";
    const auto lines = Lines(table);
    ASSERT_EQ(lines.size(), 10u) << Narrow(table); // the header and nine parts
    const auto starts = [](const std::wstring& line, const std::wstring& start) {
        return line.compare(0, start.size(), start) == 0;
    };
    EXPECT_TRUE(
        starts(lines[0], L"Datei\tAnzahl\tBaugruppe\tBlech\tTabelle\tBlechtyp\tnächster Blechtyp"));
    EXPECT_EQ(lines[1], L"Halter.psm\t3\tRahmen.asm\tja\tStahl\tSt 1,5\t\t\t" +
                            LocalNumber(L"1.5") + L"\t" + LocalNumber(L"1.5") + L"\t" +
                            LocalNumber(L"0.43") + L"\t3\t" + LocalNumber(L"1.5") +
                            L"\tin Ordnung");
    EXPECT_TRUE(starts(lines[2], L"Deckel.psm\t2\tRahmen.asm\tja\tAlu\tAl 2,0\t\t\t2\t3\t"))
        << Narrow(lines[2]);
    EXPECT_TRUE(starts(lines[3], L"Winkel.psm\t1\tRahmen.asm\tja\t–\t–\tSt 1,0\t3\t"))
        << Narrow(lines[3]);
    EXPECT_EQ(lines[4], L"Welle.par\t1\tRahmen.asm\tnein\t\t\t\t\t\t\t\t\t\t");
    EXPECT_EQ(lines[8], L"Gesperrt:1\t1\tRahmen.asm\tVerknüpfung gesperrt\t\t\t\t\t\t\t\t\t\t");

    // St 2,0 into Winkel, Lasche and Boden: Lasche then fails and gets its
    // values back on Yes.
    ASSERT_NO_FATAL_FAILURE(ChooseSt20());
    for (const int row : {Winkel, Lasche, Boden}) {
        survey.ToggleRow(row);
    }
    ASSERT_TRUE(WaitUntil([&] { return survey.Enabled(SurveyWriteId); }, NoticeMs));
    survey.Click(SurveyWriteId);
    const auto question = psm.WaitForMessageBox(NoticeMs);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->Text, L"Blechtyp St 2,0 in 3 Teile schreiben?");
    ASSERT_TRUE(psm.Answer(*question, IDOK));
    const auto summary = psm.WaitForMessageBox(NoticeMs);
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->Text,
              L"Geschrieben: 3\r\n    Winkel.psm\r\n    Lasche.psm\r\n    Boden.psm\r\n"
              L"Schon Blechtyp St 2,0: 0\r\nNicht geschrieben: 0\r\n\r\n"
              L"Nach dem Schreiben fehlerhaft:\r\n    Lasche.psm:\r\nFehler bei:  Flansch 1\r\n\r\n"
              L"Die früheren Werte dieser Teile zurückschreiben?");
    ASSERT_TRUE(psm.Answer(*summary, IDYES));
    const auto back = psm.WaitForMessageBox(NoticeMs);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Text, L"Zurückgeschrieben: 1\r\n    Lasche.psm");
    ASSERT_TRUE(psm.Answer(*back, IDOK));

    EXPECT_EQ(simcad.SheetMetalValue("Winkel.psm", 1), 0.002);
    EXPECT_EQ(simcad.SheetMetalValue("Boden.psm", 4), 0.004);
    EXPECT_EQ(simcad.SheetMetalValue("Lasche.psm", 1), 0.001);
    EXPECT_EQ(simcad.FeatureStatus("Lasche.psm", "Flansch 1"), "ok");
    EXPECT_EQ(simcad.SheetMetalValue("Halter.psm", 1), 0.0015) << "unchecked parts stay";
    // One line per change: three writes and the write back.
    const std::string journal = Journal();
    EXPECT_EQ(std::count(journal.begin(), journal.end(), '\n'), 5);
    EXPECT_NE(journal.find("Lasche.psm\tzurückgeschrieben"), std::string::npos) << journal;

    // Read again: Winkel now carries St 2,0, and the command line says all is well.
    ASSERT_TRUE(survey.WaitUntilRead(ReadMs));
    const auto after = RunCaptured(L"psm.exe", L"/survey", 20000);
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(after->ExitCode, 0u) << Narrow(Wide(after->Output));
}

// Top.asm uses Mid.asm twice and Halter; Mid.asm uses Sub.asm and Deckel;
// Sub.asm uses Kante three times. After a change of the standard Kante is
// one value (its radius) off Al 2,0 and Halter one (its factor) off St 1,5.
constexpr const char* Plant = R"(
linked sheetmetal Kante.psm
  values 0.002 0.0028 0.4 0.004 0.002
linked sheetmetal Deckel.psm
  values 0.002 0.003 0.4 0.004 0.002
linked sheetmetal Halter.psm
  values 0.0015 0.0015 0.45 0.003 0.0015
linked assembly Sub.asm
  components 3 direct Kante -> Kante.psm
linked assembly Mid.asm
  component direct Sub:1 -> Sub.asm
  component direct Deckel:1 -> Deckel.psm
assembly Top.asm
  components 2 direct Mid -> Mid.asm
  component direct Halter:1 -> Halter.psm
)";

TEST_F(Survey, ThreeLevelsAreListedWithTheirUsesAndSetToTheStandardEachPartToItsNearestType) {
    ASSERT_NO_FATAL_FAILURE(Start(Plant));
    ASSERT_NO_FATAL_FAILURE(Switch("Top.asm"));
    ASSERT_TRUE(WaitUntil([&] { return psm.Label().empty(); }, NoticeMs));

    // Kante, three levels down, is off the standard.
    const auto printed = RunCaptured(L"psm.exe", L"/survey", 20000);
    ASSERT_TRUE(printed.has_value()) << "psm.exe /survey did not end by itself";
    EXPECT_EQ(printed->ExitCode, 1u);
    const auto lines = Lines(Wide(printed->Output));
    ASSERT_GE(lines.size(), 6u) << printed->Output; // the header, two assemblies, three parts
    const auto starts = [](const std::wstring& line, const std::wstring& start) {
        return line.compare(0, start.size(), start) == 0;
    };
    EXPECT_TRUE(starts(lines[1], L"Mid.asm\t2\tTop.asm\tBaugruppe")) << Narrow(lines[1]);
    EXPECT_TRUE(starts(lines[2], L"Sub.asm\t2\tMid.asm\tBaugruppe")) << Narrow(lines[2]);
    EXPECT_TRUE(starts(lines[3], L"Kante.psm\t6\tSub.asm\tja\t–\t–\tAl 2,0\t1\t"))
        << Narrow(lines[3]);
    EXPECT_TRUE(starts(lines[4], L"Deckel.psm\t2\tMid.asm\tja\tAlu\tAl 2,0\t")) << Narrow(lines[4]);
    EXPECT_TRUE(starts(lines[5], L"Halter.psm\t1\tTop.asm\tja\t–\t–\tSt 1,5\t1\t"))
        << Narrow(lines[5]);

    ASSERT_NO_FATAL_FAILURE(OpenSurvey());
    EXPECT_EQ(survey.Rows(), 5);
    for (const int row : {2, 3, 4}) {
        survey.ToggleRow(row);
    }
    ASSERT_TRUE(WaitUntil([&] { return survey.Enabled(SurveyStandardId); }, NoticeMs));
    survey.Click(SurveyStandardId);
    const auto question = psm.WaitForMessageBox(NoticeMs);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->Text, L"2 Teile auf ihren nächsten Blechtyp setzen?\r\n"
                              L"    St 1,5: 1\r\n    Al 2,0: 1\r\n\r\n"
                              L"Schon mit Blechtyp, belassen: 1\r\n    Deckel.psm");
    ASSERT_TRUE(psm.Answer(*question, IDOK));
    const auto summary = psm.WaitForMessageBox(NoticeMs);
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->Text,
              L"Geschrieben: 2\r\n    Kante.psm (Al 2,0)\r\n    Halter.psm (St 1,5)\r\n"
              L"Schon ihr nächster Blechtyp: 0\r\nNicht geschrieben: 0\r\n"
              L"Schon mit Blechtyp, belassen: 1\r\n    Deckel.psm");
    ASSERT_TRUE(psm.Answer(*summary, IDOK));
    EXPECT_EQ(simcad.SheetMetalValue("Kante.psm", 2), 0.003);
    EXPECT_EQ(simcad.SheetMetalValue("Halter.psm", 3), 0.43);
    EXPECT_EQ(simcad.SheetMetalValue("Deckel.psm", 2), 0.003) << "a part of a type stays";
    const std::string journal = Journal();
    EXPECT_EQ(std::count(journal.begin(), journal.end(), '\n'), 3) << journal;

    ASSERT_TRUE(survey.WaitUntilRead(ReadMs));
    const auto after = RunCaptured(L"psm.exe", L"/survey", 20000);
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(after->ExitCode, 0u) << Narrow(Wide(after->Output));
}

// A component deleted in the CAD program after the survey: its part, still
// checked and still open, is not written; the others are.
TEST_F(Survey, APartNoLongerInTheAssemblyIsNotWritten) {
    ASSERT_NO_FATAL_FAILURE(Start(Frame));
    ASSERT_NO_FATAL_FAILURE(Switch("Rahmen.asm"));
    ASSERT_TRUE(WaitUntil([&] { return psm.Label().empty(); }, NoticeMs));
    ASSERT_NO_FATAL_FAILURE(OpenSurvey());
    ASSERT_NO_FATAL_FAILURE(ChooseSt20());
    survey.ToggleRow(Winkel);
    survey.ToggleRow(Boden);
    const cad::Value problems =
        simcad.Call("Run", {cad::Value::Text("with Rahmen.asm\nremove component Boden:1\n")});
    ASSERT_EQ(problems.AsText().value_or("?"), "") << simcad.Problem();

    ASSERT_TRUE(WaitUntil([&] { return survey.Enabled(SurveyWriteId); }, NoticeMs));
    survey.Click(SurveyWriteId);
    const auto question = psm.WaitForMessageBox(NoticeMs);
    ASSERT_TRUE(question);
    ASSERT_TRUE(psm.Answer(*question, IDOK));
    const auto summary = psm.WaitForMessageBox(NoticeMs);
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->Text, L"Geschrieben: 1\r\n    Winkel.psm\r\n"
                             L"Schon Blechtyp St 2,0: 0\r\n"
                             L"Nicht geschrieben: 1\r\n    Boden.psm: nicht mehr in der Baugruppe");
    ASSERT_TRUE(psm.Answer(*summary, IDOK));
    EXPECT_EQ(simcad.SheetMetalValue("Winkel.psm", 1), 0.002);
    EXPECT_EQ(simcad.SheetMetalValue("Boden.psm", 1), 0.001) << "Boden keeps its values";
    const std::string journal = Journal();
    EXPECT_EQ(journal.find("Boden.psm"), std::string::npos) << journal;
}

TEST_F(Survey, AWindowClosedWhileItsWriteQuestionIsOpenLeavesPsmRunningAndEveryPartWhole) {
    ASSERT_NO_FATAL_FAILURE(Start(Frame));
    ASSERT_NO_FATAL_FAILURE(Switch("Rahmen.asm"));
    ASSERT_TRUE(WaitUntil([&] { return psm.Label().empty(); }, NoticeMs));
    ASSERT_NO_FATAL_FAILURE(OpenSurvey());
    ASSERT_NO_FATAL_FAILURE(ChooseSt20());
    for (const int row : {Winkel, Boden}) {
        survey.ToggleRow(row);
    }
    ASSERT_TRUE(WaitUntil([&] { return survey.Enabled(SurveyWriteId); }, NoticeMs));
    survey.Click(SurveyWriteId);
    const auto question = psm.WaitForMessageBox(NoticeMs);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->Text, L"Blechtyp St 2,0 in 2 Teile schreiben?");
    EXPECT_FALSE(IsWindowEnabled(survey.Window())) << "no input while the question is open";
    // The close box of a disabled window does nothing; a message still closes it.
    PostMessageW(survey.Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(survey.Window()); }, NoticeMs));
    ASSERT_TRUE(psm.Answer(*question, IDOK));
    const auto summary = psm.WaitForMessageBox(NoticeMs);
    ASSERT_TRUE(summary) << (psm.Running() ? "no summary" : "psm has ended");
    EXPECT_EQ(summary->Text.substr(0, 16), L"Geschrieben: 2\r\n") << Narrow(summary->Text);
    ASSERT_TRUE(psm.Answer(*summary, IDOK));

    ASSERT_TRUE(psm.Running());
    DWORD_PTR ignored = 0;
    EXPECT_NE(SendMessageTimeoutW(psm.Main(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, NoticeMs, &ignored),
              0)
        << "psm's window answers";
    using Values = std::array<double, 5>;
    const Values st20{0.002, 0.002, 0.44, 0.004, 0.002};
    const std::vector<std::pair<std::string, Values>> parts{
        {"Halter.psm", {0.0015, 0.0015, 0.43, 0.003, 0.0015}},
        {"Deckel.psm", {0.002, 0.003, 0.4, 0.004, 0.002}},
        {"Winkel.psm", {0.0012, 0.0012, 0.33, 0.002, 0.001}},
        {"Lasche.psm", {0.001, 0.001, 0.42, 0.002, 0.001}},
        {"Boden.psm", {0.001, 0.001, 0.42, 0.002, 0.001}},
        {"Blende.psm", st20}};
    const auto holds = [&](const std::string& part, const Values& values) {
        for (int k = 1; k <= 5; ++k) {
            if (std::abs(simcad.SheetMetalValue(part, k) - values[k - 1]) > 1e-9) {
                return false;
            }
        }
        return true;
    };
    for (const auto& [part, before] : parts) {
        const bool written = part == "Winkel.psm" || part == "Boden.psm";
        EXPECT_TRUE(holds(part, written ? st20 : before))
            << part << " is not whole as it should be";
    }
    EXPECT_EQ(simcad.Get("HoldRecompute").AsBoolean(), std::optional<bool>(false));
    // Opened again, the survey lists the assembly as it is now.
    ASSERT_NO_FATAL_FAILURE(OpenSurvey());
    EXPECT_EQ(survey.Progress(), L"fertig: 9 von 9");
}

} // namespace
} // namespace psm::e2e
