#include "cad/Tracing.h"

#include "cad/ObjectLayer.h"
#include "cad/TraceKinds.h"

#include <memory>
#include <vector>

namespace psm::cad {
namespace {

class TracedObject;

// Times one call and hands its line to the trace.
class CallTimer {
  public:
    CallTimer(CallTrace& trace, const TraceClock& clock, TracedCall call)
        : m_trace(trace), m_clock(clock), m_call(std::move(call)) {
        m_call.Start = m_clock.LocalNow();
        m_began = m_clock.Elapsed();
    }
    TracedCall& Call() { return m_call; }
    void Stop() { m_call.Duration = m_clock.Elapsed() - m_began; }
    void Record(std::string outcome) {
        m_call.Outcome = std::move(outcome);
        m_trace.Record(m_call);
    }

  private:
    CallTrace& m_trace;
    const TraceClock& m_clock;
    TracedCall m_call;
    std::chrono::microseconds m_began{0};
};

class TracedObject final : public Object {
  public:
    TracedObject(ObjectRef inner, std::string kind, CallTrace& trace, const TraceClock& clock)
        : m_inner(std::move(inner)), m_kind(std::move(kind)), m_trace(trace), m_clock(clock) {}

    static const TracedObject* Of(const Object* object) {
        return dynamic_cast<const TracedObject*>(object);
    }
    static ObjectRef Unwrapped(const ObjectRef& object) {
        const TracedObject* traced = Of(object.get());
        return traced != nullptr ? traced->m_inner : object;
    }
    const std::string& Kind() const { return m_kind; }

    std::string_view Interface() const override { return m_inner->Interface(); }

    Result<ObjectRef> As(std::string_view interfaceId) override {
        CallTimer timer = Begin(TracedOperation::As, std::string(interfaceId));
        auto seen = m_inner->As(interfaceId);
        timer.Stop();
        if (!seen) {
            timer.Record(TraceFailure(seen.Error()));
            return seen.Error();
        }
        const std::string_view known = InterfaceKind(interfaceId);
        ObjectRef traced = Wrap(std::move(seen).Value(), known.empty() ? m_kind : known);
        timer.Record(Text(Value::Object(traced)));
        return traced;
    }

    Result<Value> Get(const Member& member, std::span<const Value> args) override {
        return Invoke(TracedOperation::Get, member, args,
                      [&](std::span<const Value> inner) { return m_inner->Get(member, inner); });
    }

    Result<void> Put(const Member& member, std::span<const Value> args,
                     const Value& value) override {
        const std::vector<Value> inner = InnerValues<TracedObject>(args);
        const Value assigned = InnerValue<TracedObject>(value);
        CallTimer timer = Begin(TracedOperation::Put, TraceMember(member), args);
        timer.Call().Assigned = Text(value);
        auto result = m_inner->Put(member, inner, assigned);
        timer.Stop();
        timer.Record(result ? std::string("ok") : TraceFailure(result.Error()));
        return result;
    }

    Result<Value> Call(const Member& member, std::span<const Value> args) override {
        return Invoke(TracedOperation::Call, member, args,
                      [&](std::span<const Value> inner) { return m_inner->Call(member, inner); });
    }

    ObjectKey Key() const override { return Innermost().Key(); }
    const Object& Innermost() const override { return m_inner->Innermost(); }

  private:
    template <class Attempt>
    Result<Value> Invoke(TracedOperation operation, const Member& member,
                         std::span<const Value> args, Attempt&& attempt) {
        const std::vector<Value> inner = InnerValues<TracedObject>(args);
        CallTimer timer = Begin(operation, TraceMember(member), args);
        auto result = attempt(std::span<const Value>(inner));
        timer.Stop();
        if (!result) {
            timer.Record(TraceFailure(result.Error()));
            return result;
        }
        const ObjectRef object = result.Value().AsObject();
        if (object != nullptr) {
            const std::string_view known = InterfaceKind(object->Interface());
            const std::string kind =
                known.empty() ? YieldedKind(Interface(), m_kind, member) : std::string(known);
            result = Value::Object(Wrap(object, kind));
        }
        timer.Record(Text(result.Value()));
        return result;
    }

    CallTimer Begin(TracedOperation operation, std::string member,
                    std::span<const Value> args = {}) const {
        TracedCall call;
        call.Kind = m_kind;
        call.Interface = std::string(Interface());
        call.Operation = operation;
        call.Member = std::move(member);
        for (const Value& arg : args) {
            call.Arguments.push_back(Text(arg));
        }
        return CallTimer(m_trace, m_clock, std::move(call));
    }

    ObjectRef Wrap(ObjectRef object, std::string_view kind) const {
        return std::make_shared<TracedObject>(std::move(object), std::string(kind), m_trace,
                                              m_clock);
    }

    static std::string Text(const Value& value) {
        const TracedObject* traced = Of(value.AsObject().get());
        return TraceValue(value, traced != nullptr ? std::string_view(traced->m_kind) : "");
    }

    ObjectRef m_inner;
    std::string m_kind;
    CallTrace& m_trace;
    const TraceClock& m_clock;
};

// The application as attached, before it is seen through its interface.
constexpr std::string_view AttachedKind = "Application";

} // namespace

Result<ObjectRef> TracingAutomation::GetActiveObject(std::string_view progId) {
    if (!m_on) {
        return m_inner.GetActiveObject(progId);
    }
    TracedCall call;
    call.Operation = TracedOperation::Attach;
    call.Member = std::string(progId);
    CallTimer timer(m_trace, m_clock, std::move(call));
    auto attached = m_inner.GetActiveObject(progId);
    timer.Stop();
    if (!attached) {
        timer.Record(TraceFailure(attached.Error()));
        return attached;
    }
    ObjectRef traced = Reissue(std::move(attached).Value(), AttachedKind);
    timer.Record(TraceValue(Value::Object(traced), AttachedKind));
    return traced;
}

Result<Registration> TracingAutomation::RegistrationOf(std::string_view progId) {
    return m_inner.RegistrationOf(progId);
}

ObjectRef TracingAutomation::Reissue(ObjectRef object, std::string_view kind) {
    ObjectRef plain = m_inner.Reissue(TracedObject::Unwrapped(object), kind);
    if (!m_on || plain == nullptr) {
        return plain;
    }
    const std::string_view known = InterfaceKind(plain->Interface());
    return std::make_shared<TracedObject>(
        std::move(plain), std::string(known.empty() ? kind : known), m_trace, m_clock);
}

} // namespace psm::cad
