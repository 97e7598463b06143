// The scripted session of scripts/demo.sh on a machine without a display:
// starts simcad.exe with its demo scenario and psm.exe with the sample value
// file, plays the main job as a user would, and tells what happened. Where a
// screenshot is due it prints "SHOT NAME WIDTHxHEIGHT+X+Y" and waits a moment,
// so that the script around it can photograph the screen.

#include "platform/Utf16_win32.h"
#include "simcad/WindowClassName.h"
#include "tools/driver/DriverApartment_win32.h"
#include "tools/driver/Files_win32.h"
#include "tools/driver/PsmSettings_win32.h"
#include "tools/driver/Psm_win32.h"
#include "tools/driver/ScreenRegion_win32.h"
#include "tools/driver/SimCad_win32.h"
#include "tools/driver/WaitUntil_win32.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace psm::e2e {
namespace {

constexpr DWORD ShotPauseMs = 1500;
constexpr int ShotMarginPixels = 8;

void Say(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

std::string Millimetres(double metres) {
    char text[48];
    std::snprintf(text, sizeof text, "%g mm (%g m)", metres * 1000.0, metres);
    return text;
}

std::string Ratio(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

HWND SimcadWindow() {
    return FindWindowW(simcad::WindowClassName, nullptr);
}

// Waits for the screen to settle, then asks for a photograph of these windows.
void Shot(const std::string& name, const std::vector<HWND>& windows) {
    WaitUntil([] { return false; }, 500);
    std::printf("SHOT %s %s\n", name.c_str(), ScreenRegion(windows, ShotMarginPixels).c_str());
    std::fflush(stdout);
    WaitUntil([] { return false; }, ShotPauseMs);
}

class Session {
  public:
    int Run() {
        // A fresh start: psm reads psm_mm.txt beside psm.exe at its first-start place.
        settings::Clear();
        if (!m_cad.StartFile(ProgramFolder() + L"simcad-demo.txt")) {
            Say("simcad did not start: " + m_cad.Problem());
            return 2;
        }
        Say("simcad runs the demo scenario; its active document is " + m_cad.ActiveDocument() +
            ".");
        if (!m_psm.Start()) {
            Say("psm did not show its window");
            return 2;
        }
        ShowRecognised("At start-up");
        ShowDocument("Halter.psm");
        Shot("1-start", {m_psm.Main(), SimcadWindow()});

        WriteType(L"DC01 2,0");
        ShowDocument("Halter.psm");
        Shot("2-written", {m_psm.Main(), SimcadWindow()});

        WriteType(L"DC01 1,0");
        if (auto question = m_psm.WaitForMessageBox(NoticeMs)) {
            Say("psm asks (" + Narrow(question->Title) + "): " + OneLine(question->Text));
            ShowDocument("Halter.psm");
            Shot("3-question", {m_psm.Main(), SimcadWindow(), question->Window});
            Say("The user answers Yes: psm writes the old values back.");
            m_psm.Answer(*question, IDYES);
            WaitForValue("Halter.psm", 2, 0.0015);
            ShowRecognised("After the write back");
            ShowDocument("Halter.psm");
        } else {
            Say("psm did not ask, although a feature fails.");
        }

        Say("");
        Say("In simcad the user makes Gehäuse.asm active.");
        m_cad.Activate("Gehäuse.asm");
        m_psm.WaitForLabel(L"Gehäuseblech.psm", NoticeMs);
        ShowRecognised("psm follows");
        ShowDocument("Gehäuseblech.psm");
        Shot("4-assembly", {m_psm.Main(), SimcadWindow()});

        Say("");
        Say("The user chooses Optionen > Installieren in psm's popup menu.");
        m_psm.UseMenu({VK_DOWN, VK_RIGHT, VK_RETURN});
        WaitUntil([&] { return m_cad.Button("Assembly", "ORNA", 1, "OptionB") == "true"; },
                  NoticeMs);
        Say("  simcad's Assembly environment now has the bar ORNA with the button \"" +
            m_cad.Button("Assembly", "ORNA", 1, "Title") + "\" running " +
            m_cad.Button("Assembly", "ORNA", 1, "RunPath"));
        Shot("5-installed", {m_psm.Main(), SimcadWindow()});

        Say("");
        Say("The user ends psm with its Exit button.");
        m_psm.End();
        Say("  psm stored its window position: Top " +
            Narrow(settings::Get(L"Top").value_or(L"?")) + ", Left " +
            Narrow(settings::Get(L"Left").value_or(L"?")) + " (twips).");
        Say("  simcad counted " + std::to_string(m_cad.CallCount()) + " calls of psm.");
        m_cad.Quit();
        return 0;
    }

  private:
    static std::string OneLine(const std::wstring& text) {
        // The lines of a message box, empty ones left out, joined by " / ".
        std::string line;
        std::string part;
        const auto flush = [&] {
            if (!part.empty()) {
                line += (line.empty() ? "" : " / ") + part;
                part.clear();
            }
        };
        for (const char c : Narrow(text)) {
            if (c == '\r' || c == '\n') {
                flush();
            } else {
                part += c;
            }
        }
        flush();
        return line;
    }

    void ShowRecognised(const std::string& when) {
        const std::wstring table = m_psm.Selected(MainControl::TableList);
        const std::wstring type = m_psm.Selected(MainControl::TypeList);
        Say(when + ", psm shows the document " + Narrow(m_psm.Label()) + ": " +
            (table.empty() ? std::string("no table and type of the value file match it")
                           : "table \"" + Narrow(table) + "\", type \"" + Narrow(type) + "\""));
    }

    void ShowDocument(const std::string& document) {
        static const char* const names[5] = {"material thickness", "bend radius", "neutral factor",
                                             "relief length", "relief width"};
        Say("  " + document + " in simcad:");
        for (int k = 1; k <= 5; ++k) {
            const double value = m_cad.SheetMetalValue(document, k);
            Say("    " + std::string(names[k - 1]) + ": " +
                (k == 3 ? Ratio(value) : Millimetres(value)));
        }
        for (const char* feature : {"Flansch 1", "Flansch 2", "Ausschnitt 1"}) {
            const std::string status = m_cad.FeatureStatus(document, feature);
            if (!status.empty()) {
                Say("    feature " + std::string(feature) + ": " + status);
            }
        }
    }

    void WriteType(const std::wstring& type) {
        const auto types = m_psm.Items(MainControl::TypeList);
        for (std::size_t i = 0; i < types.size(); ++i) {
            if (types[i] == type) {
                Say("");
                Say("The user chooses the type \"" + Narrow(type) +
                    "\" and clicks the write button.");
                m_psm.Choose(MainControl::TypeList, static_cast<int>(i));
                WaitUntil([] { return false; }, 300);
                const int writes = m_cad.WriteCount();
                m_psm.Click(MainControl::WriteButton);
                WaitUntil([&] { return m_cad.WriteCount() > writes; }, NoticeMs);
                WaitUntil([] { return false; }, 500);
                Say("  psm wrote " + std::to_string(m_cad.WriteCount() - writes) +
                    " values into the document.");
                return;
            }
        }
        Say("The value file has no type \"" + Narrow(type) + "\".");
    }

    void WaitForValue(const std::string& document, int k, double value) {
        WaitUntil([&] { return std::fabs(m_cad.SheetMetalValue(document, k) - value) < 1e-12; },
                  NoticeMs);
        WaitUntil([] { return false; }, 300);
    }

    SimCad m_cad;
    Psm m_psm;
};

} // namespace
} // namespace psm::e2e

int main() {
    const psm::e2e::DriverApartment apartment;
    psm::e2e::Session session;
    return session.Run();
}
