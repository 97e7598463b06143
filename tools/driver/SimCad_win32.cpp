#include "tools/driver/SimCad_win32.h"

#include "tools/driver/Files_win32.h"
#include "tools/driver/WaitUntil_win32.h"

#include <limits>

namespace psm::e2e {
namespace {

constexpr DWORD StartTimeoutMs = 30000;
constexpr DWORD QuitTimeoutMs = 10000;

} // namespace

bool SimCad::Start(const std::string& scenario) {
    const std::wstring folder = NewTempFolder(L"simcad-e2e");
    const std::wstring path = folder + L"scenario-" + std::to_wstring(++m_runs) + L".txt";
    if (!WriteTextFile(path, scenario)) {
        m_problem = "cannot write the scenario file";
        return false;
    }
    return StartFile(path);
}

bool SimCad::StartFile(const std::wstring& scenarioPath) {
    Quit();
    m_problem.clear();
    // One left running by an aborted run would keep the new one from starting.
    if (auto leftover = m_com.GetActiveObject("SimCad.Control")) {
        (void)leftover.Value()->Call(cad::Member::ByName("Quit"), {});
        WaitUntil([&] { return !m_com.GetActiveObject("SimCad.Control"); }, QuitTimeoutMs);
    }
    m_process = ChildProcess::Start(L"simcad.exe", L"\"" + scenarioPath + L"\"");
    if (!m_process) {
        m_problem = "cannot start simcad.exe";
        return false;
    }
    const bool attached = WaitUntil(
        [&] {
            if (!m_process->Running()) {
                return true;
            }
            auto control = m_com.GetActiveObject("SimCad.Control");
            if (control) {
                m_control = control.Value();
            }
            return m_control != nullptr;
        },
        StartTimeoutMs, 50);
    if (!attached || m_control == nullptr) {
        const auto code = m_process->ExitCode();
        m_problem = code ? "simcad.exe ended with code " + std::to_string(*code)
                         : "simcad.exe did not register its control object";
        m_process.reset();
        return false;
    }
    return true;
}

void SimCad::Quit() {
    if (m_control != nullptr && Running()) {
        (void)m_control->Call(cad::Member::ByName("Quit"), {});
    }
    m_control.reset();
    if (m_process) {
        if (!m_process->WaitForExit(QuitTimeoutMs)) {
            m_problem = "simcad.exe did not quit";
        }
        m_process.reset();
    }
}

cad::Value SimCad::Invoke(const std::string& member, std::vector<cad::Value> args, bool get) {
    if (m_control == nullptr) {
        m_problem = "simcad is not running";
        return {};
    }
    auto result = get ? m_control->Get(cad::Member::ByName(member), args)
                      : m_control->Call(cad::Member::ByName(member), args);
    if (!result) {
        m_problem = member + ": " + result.Error().Text;
        return {};
    }
    return std::move(result).Value();
}

cad::Value SimCad::Get(const std::string& member, std::vector<cad::Value> args) {
    return Invoke(member, std::move(args), true);
}

cad::Value SimCad::Call(const std::string& member, std::vector<cad::Value> args) {
    return Invoke(member, std::move(args), false);
}

std::string SimCad::ActiveDocument() {
    return Get("ActiveDocument").AsText().value_or("");
}

bool SimCad::Activate(const std::string& document) {
    return Call("Activate", {cad::Value::Text(document)}).AsBoolean().value_or(false);
}

void SimCad::BringToFront() {
    Call("BringToFront");
}

bool SimCad::Close(const std::string& document) {
    return Call("Close", {cad::Value::Text(document)}).AsBoolean().value_or(false);
}

void SimCad::CloseAll() {
    Call("CloseAll");
}

double SimCad::Value(const std::string& document, const std::string& variable) {
    return Get("Value", {cad::Value::Text(document), cad::Value::Text(variable)})
        .AsDouble()
        .value_or(std::numeric_limits<double>::quiet_NaN());
}

double SimCad::SheetMetalValue(const std::string& document, int k) {
    return Get("SheetMetalValue", {cad::Value::Text(document), cad::Value::Int32(k)})
        .AsDouble()
        .value_or(std::numeric_limits<double>::quiet_NaN());
}

std::string SimCad::FeatureStatus(const std::string& document, const std::string& feature) {
    return Get("FeatureStatus", {cad::Value::Text(document), cad::Value::Text(feature)})
        .AsText()
        .value_or("");
}

int SimCad::WriteCount() {
    return Get("WriteCount").AsInt32().value_or(-1);
}

int SimCad::CallCount() {
    return Get("CallCount").AsInt32().value_or(-1);
}

int SimCad::CountCalls(const std::string& member) {
    return Get("CountCalls", {cad::Value::Text(member)}).AsInt32().value_or(-1);
}

int SimCad::NameLookups() {
    return Get("NameLookups").AsInt32().value_or(-1);
}

std::string SimCad::LogText(int from) {
    return Get("LogText", {cad::Value::Int32(from)}).AsText().value_or("");
}

void SimCad::Fail(const std::string& member, int times) {
    Call("Fail", {cad::Value::Text(member), cad::Value::Int32(times)});
}

int SimCad::ButtonCount(const std::string& environment, const std::string& bar) {
    return Get("ButtonCount", {cad::Value::Text(environment), cad::Value::Text(bar)})
        .AsInt32()
        .value_or(-1);
}

std::string SimCad::Button(const std::string& environment, const std::string& bar, int index,
                           const std::string& field) {
    return Get("Button", {cad::Value::Text(environment), cad::Value::Text(bar),
                          cad::Value::Int32(index), cad::Value::Text(field)})
        .AsText()
        .value_or("");
}

} // namespace psm::e2e
