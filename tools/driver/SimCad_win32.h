#pragma once

// simcad.exe as the tests run it: started with a scenario, reached through
// its control object "SimCad.Control" with psm's own COM client layer, and
// asked to quit at the end.

#include "cad/Automation.h"
#include "cad/ComAutomation_win32.h"
#include "tools/driver/ChildProcess_win32.h"

#include <optional>
#include <string>
#include <vector>

namespace psm::e2e {

class SimCad {
  public:
    SimCad() = default;
    ~SimCad() { Quit(); }
    SimCad(const SimCad&) = delete;
    SimCad& operator=(const SimCad&) = delete;

    // Writes the scenario to a file, starts simcad.exe with it and waits
    // until its objects are in the running object table. On failure Problem()
    // tells why.
    bool Start(const std::string& scenario);
    // The same with a scenario file that exists already.
    bool StartFile(const std::wstring& scenarioPath);
    // Asks simcad to end and waits for it; ends it by force if it does not.
    void Quit();
    bool Running() const { return m_process && m_process->Running(); }
    const ChildProcess* Process() const { return m_process ? &*m_process : nullptr; }
    const std::string& Problem() const { return m_problem; }

    // The control object's members (see simcad/README.md). Failed calls
    // record their text in Problem() and yield an empty value.
    cad::Value Get(const std::string& member, std::vector<cad::Value> args = {});
    cad::Value Call(const std::string& member, std::vector<cad::Value> args = {});

    std::string ActiveDocument();
    bool Activate(const std::string& document);
    void BringToFront();
    bool Close(const std::string& document);
    void CloseAll();
    // A variable's value in metres; NaN when there is none.
    double Value(const std::string& document, const std::string& variable);
    // Value k (1..5) through the document's marker variable.
    double SheetMetalValue(const std::string& document, int k);
    std::string FeatureStatus(const std::string& document, const std::string& feature);
    int WriteCount();
    int CallCount();
    int CountCalls(const std::string& member);
    int NameLookups();
    std::string LogText(int from = 0);
    void Fail(const std::string& member, int times);
    int ButtonCount(const std::string& environment, const std::string& bar);
    std::string Button(const std::string& environment, const std::string& bar, int index,
                       const std::string& field);

  private:
    cad::Value Invoke(const std::string& member, std::vector<cad::Value> args, bool get);

    cad::ComAutomation m_com;
    cad::ObjectRef m_control;
    std::optional<ChildProcess> m_process;
    std::string m_problem;
    int m_runs = 0;
};

} // namespace psm::e2e
