#include "sim/Simulator.h"

#include "sim/SimObject.h"

#include <algorithm>

namespace psm::sim {
namespace {

CallKind ToCallKind(InvokeKind kind) {
    switch (kind) {
    case InvokeKind::Get:
        return CallKind::Get;
    case InvokeKind::Put:
        return CallKind::Put;
    case InvokeKind::Call:
        break;
    }
    return CallKind::Call;
}

CallRecord NewRecord(CallKind kind, std::string object, std::string_view interfaceId,
                     std::string name) {
    CallRecord record;
    record.Kind = kind;
    record.Object = std::move(object);
    record.Interface = std::string(interfaceId);
    record.Name = std::move(name);
    return record;
}

// Finds the member a call addresses through the given view. `known` tells
// whether the name or identifier exists at all (with another kind).
const MemberInfo* Resolve(const ClassInfo& info, std::string_view interfaceId,
                          const cad::Member& member, InvokeKind kind, bool& known) {
    known = false;
    for (const MemberInfo& row : info.Members) {
        if (!row.Interface.empty() && !SameInterface(row.Interface, interfaceId)) {
            continue;
        }
        const bool hit =
            member.IsName() ? SameName(row.Name, member.Name) : row.DispId == member.DispId;
        if (!hit) {
            continue;
        }
        known = true;
        if (row.Kind == kind) {
            return &row;
        }
    }
    return nullptr;
}

std::optional<cad::Failure> CheckArguments(const MemberInfo& row, std::span<const cad::Value> args,
                                           const cad::Value* putValue) {
    if (args.size() != row.Params.size()) {
        return Fail(cad::FailureCode::BadParamCount, "Invalid number of parameters.");
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!row.Params[i].Has(args[i].Type())) {
            return Fail(cad::FailureCode::TypeMismatch, "Type mismatch.");
        }
    }
    if (row.Kind == InvokeKind::Put &&
        (putValue == nullptr || !row.PutType.Has(putValue->Type()))) {
        return Fail(cad::FailureCode::TypeMismatch, "Type mismatch.");
    }
    return std::nullopt;
}

} // namespace

Simulator::Simulator()
    : m_app(std::make_shared<Application>()), m_environments(std::make_shared<EnvironmentList>()) {}

Simulator::~Simulator() {
    for (const auto& document : m_documents) {
        document->DropAssemblyContent();
    }
}

// --- Entry points ------------------------------------------------------------------

CallRecord& Simulator::Record(CallRecord record) {
    record.Position = m_calls++;
    if (!m_logging) {
        m_scratch = std::move(record);
        return m_scratch;
    }
    return m_log.Append(std::move(record));
}

namespace {

// The first fault of the list that takes this call, counted down.
template <class Faults>
auto* TakingFault(Faults& faults, const CallRecord& record) {
    for (auto& fault : faults) {
        if (fault.Remaining == 0) {
            continue;
        }
        const bool hit =
            fault.Position ? *fault.Position == record.Position : (*fault.Match)(record);
        if (hit) {
            if (fault.Skip > 0) {
                --fault.Skip;
                continue;
            }
            if (fault.Remaining > 0) {
                --fault.Remaining;
            }
            return &fault;
        }
    }
    return static_cast<decltype(&faults.front())>(nullptr);
}

} // namespace

std::optional<cad::Failure> Simulator::InjectedFault(const CallRecord& record) {
    if (const Fault* fault = TakingFault(m_faults, record)) {
        return fault->Failure;
    }
    return std::nullopt;
}

bool Simulator::Swallowed(const CallRecord& record) {
    return TakingFault(m_swallows, record) != nullptr;
}

bool Simulator::SpellRuns(std::chrono::milliseconds now) {
    if (!m_spell || !m_spellBegan) {
        return false;
    }
    if (now - *m_spellBegan < m_spell->Duration) {
        return true;
    }
    m_spell.reset();
    m_spellBegan.reset();
    return false;
}

std::optional<cad::Failure> Simulator::BusyRefusal(const CallRecord& record) {
    if (!m_spell) {
        return std::nullopt;
    }
    const std::chrono::milliseconds now = m_clock->Now();
    if (!m_spellBegan) {
        // Only a spell that waits for its call has not begun.
        if (!(*m_spell->StartsWith)(record) || ++m_spellMatches < m_spell->Nth) {
            return std::nullopt;
        }
        m_spellBegan = now;
    }
    return BusyNowAt(now);
}

std::optional<cad::Failure> Simulator::BusyNow() {
    return BusyNowAt(m_clock->Now());
}

std::optional<cad::Failure> Simulator::BusyNowAt(std::chrono::milliseconds now) {
    if (!SpellRuns(now)) {
        return std::nullopt;
    }
    ++m_refused;
    return Fail(m_spell->Code, "The program is busy.");
}

std::optional<cad::Failure> Simulator::Unreachable(const NodeRef& node, uint32_t generation) const {
    if (!m_running || generation != m_generation) {
        return Fail(hresult::ServerUnavailable, "The RPC server is unavailable.");
    }
    if (node->Disconnected()) {
        return Fail(hresult::Disconnected, "The object invoked has disconnected from its clients.");
    }
    return std::nullopt;
}

cad::Result<cad::ObjectRef> Simulator::GetActiveObject(std::string_view progId) {
    CallRecord& record = Record(NewRecord(CallKind::Attach, {}, {}, std::string(progId)));
    std::optional<cad::Failure> failure = m_running ? BusyRefusal(record) : std::nullopt;
    if (!failure) {
        failure = InjectedFault(record);
    }
    record.Injected = failure.has_value();
    if (!failure && !SameName(progId, ProgId)) {
        failure = Fail(cad::FailureCode::InvalidClassString, "Invalid class string.");
    }
    if (!failure && (!m_running || !m_registered)) {
        failure = Fail(cad::FailureCode::Unavailable, "Operation unavailable.");
    }
    if (failure) {
        record.Failure = failure;
        return *failure;
    }
    cad::ObjectRef app = View(m_app);
    record.Result = cad::Value::Object(app);
    return app;
}

cad::Result<cad::ObjectRef> Simulator::QueryInterface(const NodeRef& node,
                                                      std::string_view currentId,
                                                      uint32_t generation,
                                                      std::string_view interfaceId) {
    CallRecord& record =
        Record(NewRecord(CallKind::As, node->Id(), currentId, std::string(interfaceId)));
    std::optional<cad::Failure> failure = Unreachable(node, generation);
    if (!failure) {
        failure = BusyRefusal(record);
        if (!failure) {
            failure = InjectedFault(record);
        }
        record.Injected = failure.has_value();
    }
    if (!failure && !node->Class().Implements(interfaceId)) {
        failure = Fail(cad::FailureCode::NoInterface, "No such interface supported.");
    }
    if (failure) {
        record.Failure = failure;
        return *failure;
    }
    cad::ObjectRef view = View(node, interfaceId);
    record.Result = cad::Value::Object(view);
    return view;
}

cad::Result<cad::Value> Simulator::Invoke(const NodeRef& node, std::string_view interfaceId,
                                          uint32_t generation, const cad::Member& member,
                                          InvokeKind kind, std::span<const cad::Value> args,
                                          const cad::Value* putValue) {
    CallRecord call = NewRecord(ToCallKind(kind), node->Id(), interfaceId, member.Name);
    call.ByName = member.IsName();
    call.DispId = member.DispId;
    call.Args.assign(args.begin(), args.end());
    if (putValue != nullptr) {
        call.PutValue = *putValue;
    }
    Record(std::move(call));
    // The record is looked up again by index after the handler ran: the log
    // may grow meanwhile, and a reference into it would not survive that.
    const bool logged = m_logging;
    const std::size_t index = m_log.Size() - 1;
    const auto record = [&]() -> CallRecord& { return logged ? m_log.At(index) : m_scratch; };

    bool known = false;
    const MemberInfo* row = Resolve(node->Class(), interfaceId, member, kind, known);
    if (row != nullptr) {
        record().Name = row->Name;
        record().DispId = row->DispId;
    }

    std::optional<cad::Failure> failure = Unreachable(node, generation);
    if (!failure) {
        failure = BusyRefusal(record());
        if (!failure) {
            failure = InjectedFault(record());
        }
        record().Injected = failure.has_value();
    }
    if (!failure && row == nullptr) {
        failure = member.IsName() && !known
                      ? Fail(cad::FailureCode::UnknownName, "Unknown name.")
                      : Fail(cad::FailureCode::MemberNotFound, "Member not found.");
    }
    if (!failure) {
        failure = CheckArguments(*row, args, putValue);
    }
    if (failure) {
        record().Failure = failure;
        return *failure;
    }
    if (Swallowed(record())) {
        return cad::Value();
    }

    cad::Result<cad::Value> result = row->Run(*node, Invocation{*this, args, putValue});
    if (result) {
        record().Result = result.Value();
    } else {
        record().Failure = result.Error();
    }
    return result;
}

cad::ObjectRef Simulator::View(const NodeRef& node, std::string_view interfaceId) {
    // Spell the identifier as the class declares it.
    std::string canonical(interfaceId);
    for (const std::string& known : node->Class().Interfaces) {
        if (SameInterface(known, interfaceId)) {
            canonical = known;
        }
    }
    cad::ObjectRef handle = std::make_shared<SimObject>(*this, std::weak_ptr<const void>(m_alive),
                                                        m_generation, node, std::move(canonical));
    // The handles let go of are swept now and then, so that the list stays
    // as long as the handles held, give or take twice.
    if (m_handles.size() >= 2 * m_handlesKept + 64) {
        std::erase_if(m_handles, [](const std::weak_ptr<cad::Object>& h) { return h.expired(); });
        m_handlesKept = m_handles.size();
    }
    m_handles.push_back(handle);
    return handle;
}

std::size_t Simulator::LiveHandles() const {
    return static_cast<std::size_t>(
        std::count_if(m_handles.begin(), m_handles.end(),
                      [](const std::weak_ptr<cad::Object>& handle) { return !handle.expired(); }));
}

// --- Life ----------------------------------------------------------------------------

void Simulator::Quit() {
    m_running = false;
    m_registered = false;
    ++m_generation;
    m_holdRecompute = false;
}

void Simulator::Start() {
    m_running = true;
    m_registered = true;
}

void Simulator::Withdraw() {
    m_registered = false;
}

cad::Result<cad::Registration> Simulator::RegistrationOf(std::string_view progId) {
    ++m_registrationLookups;
    if (!SameName(progId, ProgId)) {
        return cad::Registration{};
    }
    return cad::Registration{m_running && m_registered, m_generation};
}

// --- Documents --------------------------------------------------------------------------

std::string Simulator::UniqueId(std::string base) {
    const auto taken = [&](const std::string& id) {
        return std::ranges::any_of(m_documents, [&](const auto& doc) { return doc->Id() == id; });
    };
    if (!taken(base)) {
        return base;
    }
    for (int n = 2;; ++n) {
        std::string id = base + "#" + std::to_string(n);
        if (!taken(id)) {
            return id;
        }
    }
}

std::shared_ptr<Document> Simulator::MakeDocument(std::string name, int32_t type) {
    auto doc = std::make_shared<Document>(*this, UniqueId("doc:" + name), std::move(name), type);
    m_documents.push_back(doc);
    return doc;
}

std::shared_ptr<Document> Simulator::CreateDocument(std::string name, int32_t type) {
    return MakeDocument(std::move(name), type);
}

std::shared_ptr<Document> Simulator::CreateSheetMetal(std::string name,
                                                      const SheetMetalValues& values) {
    auto doc = MakeDocument(std::move(name), code::SheetMetalDocument);
    doc->AddSheetMetalVariables(values);
    return doc;
}

Document& Simulator::OpenDocument(std::string name, int32_t type) {
    auto doc = MakeDocument(std::move(name), type);
    m_open.push_back(doc.get());
    m_active = doc.get();
    return *doc;
}

Document& Simulator::OpenSheetMetal(std::string name, const SheetMetalValues& values) {
    Document& doc = OpenDocument(std::move(name), code::SheetMetalDocument);
    doc.AddSheetMetalVariables(values);
    return doc;
}

Document* Simulator::Find(std::string_view name) const {
    for (Document* doc : m_open) {
        if (doc->Name() == name) {
            return doc;
        }
    }
    return nullptr;
}

void Simulator::Close(std::string_view name) {
    Document* doc = Find(name);
    if (doc == nullptr) {
        return;
    }
    doc->MarkClosed();
    std::erase(m_open, doc);
    if (m_active == doc) {
        m_active = m_open.empty() ? nullptr : m_open.back();
    }
}

void Simulator::CloseAll() {
    while (!m_open.empty()) {
        Close(m_open.back()->Name());
    }
}

void Simulator::Activate(std::string_view name) {
    if (Document* doc = Find(name)) {
        m_active = doc;
    }
}

void Simulator::SetHoldRecompute(bool hold) {
    m_holdRecomputePuts.push_back(hold);
    const bool released = m_holdRecompute && !hold;
    m_holdRecompute = hold;
    if (released) {
        for (const auto& doc : m_documents) {
            if (!doc->IsClosed()) {
                doc->Recompute();
            }
        }
    }
}

void Simulator::OnVariablePut(Variable& variable, double value) {
    variable.SetValue(value);
    m_variableWrites.push_back(
        VariableWrite{variable.Owner().Name(), variable.Name(), value, m_holdRecompute});
    if (!m_holdRecompute) {
        variable.Owner().Recompute();
    }
}

// --- Environments -------------------------------------------------------------------

Environment& Simulator::Env(std::string_view name) {
    return *m_environments->Find(name);
}

// --- Log and faults --------------------------------------------------------------------

void Simulator::ClearLog() {
    m_log.Clear();
    m_calls = 0;
}

cad::Failure Simulator::DefaultFault() {
    return Fail(hresult::Fail, "Simulated failure.");
}

void Simulator::FailAt(std::size_t position, cad::Failure failure) {
    m_faults.push_back(Fault{position, std::nullopt, std::move(failure), 1});
}

void Simulator::FailWhen(CallMatch match, cad::Failure failure, int times, int skip) {
    m_faults.push_back(Fault{std::nullopt, std::move(match), std::move(failure), times, skip});
}

void Simulator::SwallowWhen(CallMatch match, int times, int skip) {
    m_swallows.push_back(Fault{std::nullopt, std::move(match), cad::Failure{}, times, skip});
}

void Simulator::ClearFaults() {
    m_faults.clear();
    m_swallows.clear();
    m_spell.reset();
    m_spellBegan.reset();
}

void Simulator::BeBusy(std::chrono::milliseconds duration, int32_t code) {
    m_spell = BusySpell{duration, code, std::nullopt, 1};
    m_spellBegan = m_clock->Now();
}

void Simulator::BeBusyFrom(const CallMatch& startsWith, int nth, std::chrono::milliseconds duration,
                           int32_t code) {
    m_spell = BusySpell{duration, code, startsWith, nth};
    m_spellBegan.reset();
    m_spellMatches = 0;
}

} // namespace psm::sim
