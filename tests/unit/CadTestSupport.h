#pragma once

// Stand-ins for the window's side of the CAD procedures, and a fixture that
// holds a simulated CAD program.

#include "cad/CadIds.h"
#include "cad/Connection.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/MousePointer.h"
#include "platform/ProgramLocation.h"
#include "sim/Simulator.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace psm::cad::test {

class RecordingPointer final : public MousePointer {
  public:
    void SetMousePointer(MousePointerShape shape) override { Shapes.push_back(shape); }
    std::vector<MousePointerShape> Shapes;
};

class CountingPump final : public EventPump {
  public:
    void ProcessPendingEvents() override {
        ++Runs;
        if (OnRun) {
            OnRun();
        }
    }
    int Runs = 0;
    std::function<void()> OnRun; // a timer tick that arrives meanwhile
};

// Time that passes only by sleeping, or when a test moves it on.
class FakeClock final : public Clock {
  public:
    std::chrono::milliseconds Now() const override { return Time; }
    void Sleep(std::chrono::milliseconds duration) override {
        Time += duration;
        ++Sleeps;
    }
    std::chrono::milliseconds Time{86'400'000};
    int Sleeps = 0;
};

class FixedLocation final : public ProgramLocation {
  public:
    explicit FixedLocation(std::string folder, std::string exe = "psm.exe")
        : m_folder(std::move(folder)), m_exe(std::move(exe)) {}
    std::string ProgramFolder() const override { return m_folder; }
    std::string ExecutableFileName() const override { return m_exe; }

  private:
    std::string m_folder;
    std::string m_exe;
};

class CadFixture : public ::testing::Test {
  protected:
    // Connects and clears the log, so that a test sees only its own calls.
    DocumentKind ConnectQuietly() {
        const DocumentKind kind = ConnectCad(connection, sim);
        sim.ClearLog();
        return kind;
    }
    ObjectRef AssemblyView() {
        auto seen = connection.ActiveDoc->As(ids::AssemblyDocumentIid);
        sim.ClearLog();
        return seen ? seen.Value() : nullptr;
    }
    std::vector<std::string> Lines() const { return sim.Log().Lines(); }

    sim::Simulator sim;
    CadConnection connection;
};

} // namespace psm::cad::test
