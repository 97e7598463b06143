#pragma once

// The simulated CAD program: its object model, the attach by ProgID, a log
// of every call it receives, fault injection, and the scenario controls a test
// uses to set up documents and read back what the client did.
//
// Invoke and QueryInterface are the one way into the model; the in-process
// handles (SimObject) use them, and so can an IDispatch wrapper.

#include "cad/Automation.h"
#include "platform/Clock.h"
#include "sim/Application.h"
#include "sim/Assembly.h"
#include "sim/CallLog.h"
#include "sim/Documents.h"
#include "sim/Environments.h"
#include "sim/Node.h"
#include "sim/SimIds.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace psm::sim {

// A value put into a variable by a client.
struct VariableWrite {
    std::string Document;
    std::string Variable;
    double Value = 0.0;
    bool HoldRecompute = false; // the switch's state at the time of the put
};

class Simulator final : public cad::Automation {
  public:
    Simulator();
    ~Simulator() override;
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // --- The automation entry points -----------------------------------
    cad::Result<cad::ObjectRef> GetActiveObject(std::string_view progId) override;
    // The program's entry in the system's table; no call of the program.
    cad::Result<cad::Registration> RegistrationOf(std::string_view progId) override;

    // A call on `node` seen through `interfaceId`. `generation` tells which
    // run of the program handed the reference out.
    cad::Result<cad::Value> Invoke(const NodeRef& node, std::string_view interfaceId,
                                   uint32_t generation, const cad::Member& member, InvokeKind kind,
                                   std::span<const cad::Value> args, const cad::Value* putValue);
    cad::Result<cad::ObjectRef> QueryInterface(const NodeRef& node, std::string_view currentId,
                                               uint32_t generation, std::string_view interfaceId);
    // A handle on `node` for the current run.
    cad::ObjectRef View(const NodeRef& node, std::string_view interfaceId = {});
    // The handles given out that someone still holds, as a COM server counts
    // the references on its objects. The log holds those its calls passed
    // and returned until it is cleared.
    std::size_t LiveHandles() const;

    // --- The program's life ---------------------------------------------
    // Quit: attach fails with 0x800401E3 and every reference handed out so
    // far fails its calls. Start: the program runs again with the same
    // documents; old references stay dead.
    void Quit();
    void Start();
    bool Running() const { return m_running; }
    // The program withdraws its registration but lives on while clients
    // hold its objects, as an automation server does that its user closed:
    // attach fails, references handed out still answer.
    void Withdraw();
    // Lookups of the registration so far.
    std::size_t RegistrationLookups() const { return m_registrationLookups; }

    // --- Documents ---------------------------------------------------------
    // Opens a new document; it becomes the active one.
    Document& OpenDocument(std::string name, int32_t type);
    // A sheet-metal document (type 4) with the five values and no features.
    Document& OpenSheetMetal(std::string name, const SheetMetalValues& values = {});
    // A document that exists in the program without being among the open
    // documents, such as a part that an assembly's component leads to.
    std::shared_ptr<Document> CreateDocument(std::string name, int32_t type);
    std::shared_ptr<Document> CreateSheetMetal(std::string name,
                                               const SheetMetalValues& values = {});
    void Close(std::string_view name);
    void CloseAll();
    void Activate(std::string_view name);
    Document* Find(std::string_view name) const; // open documents only
    Document* ActiveDocument() const { return m_active; }
    std::vector<Document*> OpenDocuments() const { return m_open; }

    bool HoldRecompute() const { return m_holdRecompute; }
    const std::vector<bool>& HoldRecomputePuts() const { return m_holdRecomputePuts; }
    const std::vector<VariableWrite>& VariableWrites() const { return m_variableWrites; }

    // --- Environments ------------------------------------------------------
    // "Part", "SheetMetal", "Assembly" and "Draft" exist from the start.
    Environment& Env(std::string_view name);

    // --- Call log ----------------------------------------------------------
    const CallLog& Log() const { return m_log; }
    // Clears the log; positions count from 0 again.
    void ClearLog();
    // Without logging the calls are still counted (for benchmarks).
    void SetLogging(bool on) { m_logging = on; }
    std::size_t CallCount() const { return m_calls; }

    // --- Fault injection ---------------------------------------------------
    static cad::Failure DefaultFault();
    // The call that gets log position `position` fails.
    void FailAt(std::size_t position, cad::Failure failure = DefaultFault());
    // Every matching call fails (`times` < 0: until cleared), after the first
    // `skip` matching calls went through.
    void FailWhen(CallMatch match, cad::Failure failure = DefaultFault(), int times = -1,
                  int skip = 0);
    // Every matching call is answered as done but does nothing, as a program
    // that accepts a put and keeps its value (`times` < 0: until cleared),
    // after the first `skip` matching calls went through.
    void SwallowWhen(CallMatch match, int times = -1, int skip = 0);
    // Clears the busy spell and the swallowed calls too.
    void ClearFaults();

    // A busy spell: for `duration` the program refuses every call (attach,
    // interface queries, gets, puts, calls) with `code`. It begins now, or
    // with the `nth` call that matches `startsWith`, which is the first one
    // refused. A spell replaces any earlier one; time comes from the clock in use.
    void BeBusy(std::chrono::milliseconds duration, int32_t code = hresult::CallRejected);
    void BeBusyFrom(const CallMatch& startsWith, int nth, std::chrono::milliseconds duration,
                    int32_t code = hresult::CallRejected);
    // The refusal a call arriving now would get from a spell that has begun;
    // for requests that are no calls of the model (a COM server's name lookups).
    std::optional<cad::Failure> BusyNow();
    // Calls refused by busy spells so far.
    std::size_t RefusedCalls() const { return m_refused; }
    // The clock must outlive the simulator; by default the system's.
    void UseClock(const Clock& clock) { m_clock = &clock; }

    // --- For the member tables ---------------------------------------------
    const std::shared_ptr<Application>& App() const { return m_app; }
    const std::shared_ptr<EnvironmentList>& Environments() const { return m_environments; }
    int OpenCount() const { return static_cast<int>(m_open.size()); }
    void SetHoldRecompute(bool hold);
    void OnVariablePut(Variable& variable, double value);

  private:
    struct Fault {
        std::optional<std::size_t> Position;
        std::optional<CallMatch> Match;
        cad::Failure Failure;
        int Remaining = -1;
        int Skip = 0;
    };

    std::string UniqueId(std::string base);
    std::shared_ptr<Document> MakeDocument(std::string name, int32_t type);
    CallRecord& Record(CallRecord record);
    std::optional<cad::Failure> InjectedFault(const CallRecord& record);
    bool Swallowed(const CallRecord& record);
    std::optional<cad::Failure> BusyRefusal(const CallRecord& record);
    std::optional<cad::Failure> BusyNowAt(std::chrono::milliseconds now);
    // A spell that has begun and not yet run out.
    bool SpellRuns(std::chrono::milliseconds now);
    std::optional<cad::Failure> Unreachable(const NodeRef& node, uint32_t generation) const;

    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
    std::vector<std::weak_ptr<cad::Object>> m_handles; // every handle given out, or most
    std::size_t m_handlesKept = 0;                     // after the last sweep
    bool m_running = true;
    bool m_registered = true;
    std::size_t m_registrationLookups = 0;
    uint32_t m_generation = 1;
    std::shared_ptr<Application> m_app;
    std::shared_ptr<EnvironmentList> m_environments;
    std::vector<std::shared_ptr<Document>> m_documents; // every document ever made
    std::vector<Document*> m_open;                      // in the order opened
    Document* m_active = nullptr;
    bool m_holdRecompute = false;
    std::vector<bool> m_holdRecomputePuts;
    std::vector<VariableWrite> m_variableWrites;

    CallLog m_log;
    bool m_logging = true;
    std::size_t m_calls = 0;
    std::vector<Fault> m_faults;
    std::vector<Fault> m_swallows;
    CallRecord m_scratch; // the record of a call while logging is off

    SteadyClock m_steadyClock;
    const Clock* m_clock = &m_steadyClock;
    struct BusySpell {
        std::chrono::milliseconds Duration;
        int32_t Code;
        std::optional<CallMatch> StartsWith; // none: begun when set
        int Nth;
    };
    std::optional<BusySpell> m_spell;
    std::optional<std::chrono::milliseconds> m_spellBegan;
    int m_spellMatches = 0;
    std::size_t m_refused = 0;
};

} // namespace psm::sim
