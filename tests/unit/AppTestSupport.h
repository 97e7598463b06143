#pragma once

// A recording main window, properties window and message boxes, and a
// fixture that runs the whole program against the CAD simulator.

#include "CadTestSupport.h"
#include "TempFolder.h"
#include "app/App.h"
#include "cad/BusyRetry.h"
#include "platform/FileWrite.h"
#include "platform/TraceClock.h"
#include "tables/MemorySettingsStore.h"

#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace psm::test {

using cad::test::CountingPump;
using cad::test::FakeClock;
using cad::test::FixedLocation;
using cad::test::RecordingPointer;

class FakeSurveyView final : public SurveyView {
  public:
    void Open() override { ++Opens; }
    void Show(const SurveyViewModel& model) override { Model = model; }
    void Close() override { ++Closes; }
    void EnableInput(bool enabled) override { InputEnabled = enabled; }
    void ScheduleStep(int milliseconds) override { Steps.push_back(milliseconds); }
    bool CopyToClipboard(const std::string& text) override {
        Clipboard = text;
        return true;
    }

    SurveyViewModel Model;
    int Opens = 0, Closes = 0;
    bool InputEnabled = true;
    std::vector<int> Steps; // the delays of the steps asked for
    std::string Clipboard;
};

class FakeMainView final : public MainView {
  public:
    void Show(const MainViewModel& model) override {
        if (model.Caption != Caption) {
            Log("caption " + model.Caption);
        }
        Caption = model.Caption;
        Label = model.DocumentLabel;
        Status = model.Status;
        Items1 = model.Tables.Items;
        Items2 = model.Types.Items;
        Selection1 = model.Tables.Selection;
        Selection2 = model.Types.Selection;
        ButtonNames = model.ButtonNames;
        ++Shows;
    }
    TwipsRect WindowRect() const override { return Rect; }
    TwipsRect ScreenFrame() const override { return Rect; }
    void MoveWindow(const TwipsRect& rect) override { Rect = rect; }
    void RestoreNormalState() override { Log("normal"); }
    void KeepOnTop() override { Log("on top"); }
    int32_t ScreenWidth() const override { return Screen; }
    std::vector<TwipsRect> MonitorAreas() const override { return Monitors; }
    int Dpi() const override { return 120; }
    void StartTimer(int interval) override { TimerInterval = interval; }
    std::optional<MenuCommand> ShowPopupMenu(const std::vector<MenuItem>& items) override {
        Menus.push_back(items);
        return MenuChoice;
    }
    std::optional<std::string> ChooseFile(const std::string& title, const std::string& initialFile,
                                          const std::string& initialFolder) override {
        FileDialog = {title, initialFile, initialFolder};
        if (WhileChoosing) {
            WhileChoosing();
        }
        return ChosenFile;
    }
    void Focus() override { ++Focused; }
    void EndProgram() override {
        ++Ends;
        Log("end");
    }

    std::string Caption, Label, Status;
    std::array<std::string, 5> ButtonNames;
    std::vector<std::string> Items1, Items2;
    int Selection1 = -1, Selection2 = -1;
    int Shows = 0;
    TwipsRect Rect{600, 900, 4000, 3000};
    int32_t Screen = 28800;
    std::vector<TwipsRect> Monitors{{0, 0, 28800, 16200}};
    int TimerInterval = 0;
    std::vector<std::vector<MenuItem>> Menus;
    std::optional<MenuCommand> MenuChoice;
    std::vector<std::string> FileDialog;
    std::optional<std::string> ChosenFile;
    std::function<void()> WhileChoosing;
    int Focused = 0;
    int Ends = 0;
    std::vector<std::string> Journal;

  private:
    void Log(const std::string& entry) { Journal.push_back(entry); }
};

class FakePropertiesView final : public PropertiesView {
  public:
    bool Exists() const override { return Created; }
    bool Visible() const override { return Created && Shown; }
    void CreateHidden() override {
        if (!Created) {
            Created = true;
            Shown = false;
            Model = {};
        }
    }
    void Show(const PropertiesViewModel& model) override {
        Shown = true;
        Model = model;
    }
    int32_t Width() const override { return 2895; }
    void MoveWindow(const TwipsRect& rect) override { Rect = rect; }
    void Destroy() override {
        Created = Shown = false;
        ++Destroyed;
    }
    // Column 1..5 (name, value, unit, compared, mark), row 1..5.
    std::string Label(int column, int row) const {
        const PropertiesRowModel& line = Model.Rows.at(static_cast<size_t>(row - 1));
        const std::array<const std::string*, 5> cells{&line.Name, &line.Value, &line.Unit,
                                                      &line.Compared, &line.Mark};
        return *cells.at(static_cast<size_t>(column - 1));
    }

    bool Created = false, Shown = false;
    PropertiesViewModel Model;
    TwipsRect Rect;
    int Destroyed = 0;
};

struct ShownBox {
    std::string Text, Title;
    MessageButtons Buttons;
    MessageIcon Icon;
    friend bool operator==(const ShownBox&, const ShownBox&) = default;
};

// Answers boxes from a queue; an empty queue answers Cancel, No or OK.
class ScriptedBoxes final : public MessageBoxes {
  public:
    MessageAnswer ShowMessage(const std::string& text, const std::string& title,
                              MessageButtons buttons, MessageIcon icon) override {
        Shown.push_back({text, title, buttons, icon});
        if (WhileOpen) {
            WhileOpen();
        }
        if (!Answers.empty()) {
            const MessageAnswer answer = Answers.front();
            Answers.pop_front();
            return answer;
        }
        return buttons == MessageButtons::OkCancel ? MessageAnswer::Cancel
               : buttons == MessageButtons::YesNo  ? MessageAnswer::No
                                                   : MessageAnswer::Ok;
    }
    std::vector<ShownBox> Shown;
    std::deque<MessageAnswer> Answers;
    std::function<void()> WhileOpen; // what happens while the box is open
};

// One designer at one PC at one moment, whose editor opens nothing.
class FixedWorkstation final : public Workstation {
  public:
    std::string UserName() const override { return "mmeier"; }
    std::string ComputerName() const override { return "KONSTR-07"; }
    std::string LocalTime() const override { return "2026-12-07T16:30:05+01:00"; }
    std::string LocalAppDataFolder() const override { return AppData; }
    std::string SystemVersion() const override { return "Windows 10.0.19045"; }
    bool OpenInEditor(const std::string& path) override {
        Opened.push_back(path);
        return true;
    }
    std::string AppData = "C:\\Users\\mmeier\\AppData\\Local";
    std::vector<std::string> Opened;
};

// A trace clock at a fixed moment on which every call takes 250 microseconds.
class SteppingTraceClock final : public TraceClock {
  public:
    LocalDateTime LocalNow() const override {
        return {.Year = 2026,
                .Month = 12,
                .Day = 7,
                .Hour = 16,
                .Minute = 30,
                .Second = 5,
                .Millisecond = 123};
    }
    std::chrono::microseconds Elapsed() const override { return m_now += Step; }
    static constexpr std::chrono::microseconds Step{250};

  private:
    mutable std::chrono::microseconds m_now{0};
};

// Writes a small file for a dump, or fails when told to.
class FakeDump final : public CrashDump {
  public:
    bool WriteDump(const std::string& path) override {
        Paths.push_back(path);
        return Works && WriteWholeFile(path, "MDMP");
    }
    bool Works = true;
    std::vector<std::string> Paths;
};

// Tables Stahl (rows 1-3) and Aluminium (rows 4-5), point locale.
inline constexpr std::string_view WorkedExample = "Unit: mm\n"
                                                  "Begin: Stahl\n"
                                                  "St 1,0;1;1;0.44;2;1\n"
                                                  "St 1,5;1.5;1.5;0.44;2.5;1.5\n"
                                                  "St 2,0;2;2;0.44;3;2\n"
                                                  "End:\n"
                                                  "Begin: Aluminium\n"
                                                  "Al 1,5;1.5;2;0.4;3;1.5\n"
                                                  "Al 2,0;2;3;0.4;3;2\n"
                                                  "End:\n";

// Documents whose values match rows of the worked example, in metres.
inline const sim::SheetMetalValues Row2{0.0015, 0.0015, 0.44, 0.0025, 0.0015};
inline const sim::SheetMetalValues Row5{0.002, 0.003, 0.4, 0.003, 0.002};
inline const sim::SheetMetalValues NoRow{0.007, 0.007, 0.5, 0.007, 0.007};

class AppFixture : public ::testing::Test {
  protected:
    void UseValueFile(std::string_view text) {
        settings.Write("ORNA\\psm", "general", "filename", folder.Write("psm_mm.txt", text));
    }
    AppFixture() {
        sim.UseClock(clock);
        UseValueFile(WorkedExample);
        settings.Write("ORNA\\psm", "general", "JournalFile", JournalFile());
    }
    // Where the program's journal goes in a test.
    std::string JournalFile() const { return folder.PathOf("journal.txt"); }

    void Start() { app.OnLoad(); }
    void Tick(bool mainWindowActive = false) { app.OnTimer(mainWindowActive); }
    void Click(MainControl button) { app.OnCommand(*CommandOf(button)); }
    void Choose(ListId list, int position) { app.OnListChosen(list, position); }
    // The value the program wrote last into a variable of a document.
    std::vector<std::string> Writes() const {
        std::vector<std::string> lines;
        for (const auto& write : sim.VariableWrites()) {
            lines.push_back(write.Document + " " + write.Variable + "=" +
                            sim::DescribeValue(cad::Value::Double(write.Value)));
        }
        return lines;
    }

    // The program asks the simulator as wWinMain has it ask the CAD program:
    // through the trace, again while it is busy, on a clock that only moves
    // while it waits.
    FakeClock clock;
    cad::WaitBudget waits{clock};
    sim::Simulator sim;
    SteppingTraceClock traceClock;
    CallTracing tracing{sim, traceClock};
    cad::BusyRetryAutomation automation{tracing, clock, waits};
    FakeMainView view;
    FakePropertiesView info;
    FakeSurveyView survey;
    ScriptedBoxes boxes;
    MemorySettingsStore settings;
    RecordingPointer pointer;
    CountingPump pump;
    FixedLocation location{"C:\\Tools\\psm\\"};
    char separator = '.';
    psm::testing::TempFolder folder;
    FixedWorkstation station;
    FakeDump dump;
    Services services{.View = view,
                      .Properties = info,
                      .Boxes = boxes,
                      .Settings = settings,
                      .Automation = automation,
                      .Pointer = pointer,
                      .Events = pump,
                      .Location = location,
                      .UserDecimalSeparator = [this] { return separator; },
                      .DecodeAnsi = {},
                      .Station = station,
                      .Waits = waits,
                      .Time = clock,
                      .Survey = survey,
                      .Tracing = tracing,
                      .Dump = dump};
    App app{services};
    AppState& state = app.State();
};

} // namespace psm::test
