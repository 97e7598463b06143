#include "cad/BusyRetry.h"

#include "cad/ObjectLayer.h"

#include <memory>
#include <vector>

namespace psm::cad {
namespace {

class BusyRetryObject final : public Object {
  public:
    BusyRetryObject(ObjectRef inner, Clock& clock, const WaitBudget& budget)
        : m_inner(std::move(inner)), m_clock(clock), m_budget(budget) {}

    std::string_view Interface() const override { return m_inner->Interface(); }

    Result<ObjectRef> As(std::string_view interfaceId) override {
        auto seen = RetryWhileBusy(m_clock, m_budget, [&] { return m_inner->As(interfaceId); });
        if (!seen) {
            return seen.Error();
        }
        return Wrap(std::move(seen).Value());
    }

    Result<Value> Get(const Member& member, std::span<const Value> args) override {
        const std::vector<Value> inner = InnerValues<BusyRetryObject>(args);
        return Wrapped(
            RetryWhileBusy(m_clock, m_budget, [&] { return m_inner->Get(member, inner); }));
    }

    Result<void> Put(const Member& member, std::span<const Value> args,
                     const Value& value) override {
        const std::vector<Value> inner = InnerValues<BusyRetryObject>(args);
        const Value assigned = InnerValue<BusyRetryObject>(value);
        return RetryWhileBusy(m_clock, m_budget,
                              [&] { return m_inner->Put(member, inner, assigned); });
    }

    Result<Value> Call(const Member& member, std::span<const Value> args) override {
        const std::vector<Value> inner = InnerValues<BusyRetryObject>(args);
        return Wrapped(
            RetryWhileBusy(m_clock, m_budget, [&] { return m_inner->Call(member, inner); }));
    }

    ObjectKey Key() const override { return Innermost().Key(); }
    const Object& Innermost() const override { return m_inner->Innermost(); }

    // The inner layer's object behind a handle of this layer, or the handle itself.
    static ObjectRef Unwrapped(const ObjectRef& object) {
        const auto* wrapper = dynamic_cast<const BusyRetryObject*>(object.get());
        return wrapper != nullptr ? wrapper->m_inner : object;
    }

  private:
    ObjectRef Wrap(ObjectRef object) const {
        if (object == nullptr) {
            return nullptr;
        }
        return std::make_shared<BusyRetryObject>(std::move(object), m_clock, m_budget);
    }

    Result<Value> Wrapped(Result<Value> result) const {
        if (!result || result.Value().Type() != ValueType::Object) {
            return result;
        }
        return Value::Object(Wrap(result.Value().AsObject()));
    }

    ObjectRef m_inner;
    Clock& m_clock;
    const WaitBudget& m_budget;
};

} // namespace

std::chrono::milliseconds WaitBudget::Left() const {
    if (!m_deadline) {
        return std::chrono::milliseconds::zero();
    }
    return std::max(*m_deadline - m_clock.Now(), std::chrono::milliseconds::zero());
}

CommandWaits::CommandWaits(WaitBudget& budget, std::chrono::milliseconds total)
    : m_budget(budget), m_opened(!budget.m_deadline) {
    if (m_opened) {
        m_budget.m_deadline = m_budget.m_clock.Now() + total;
    }
}

CommandWaits::~CommandWaits() {
    if (m_opened) {
        m_budget.m_deadline.reset();
    }
}

Result<ObjectRef> BusyRetryAutomation::GetActiveObject(std::string_view progId) {
    auto attached =
        RetryWhileBusy(m_clock, m_budget, [&] { return m_inner.GetActiveObject(progId); });
    if (!attached || attached.Value() == nullptr) {
        return attached;
    }
    return ObjectRef(
        std::make_shared<BusyRetryObject>(std::move(attached).Value(), m_clock, m_budget));
}

Result<Registration> BusyRetryAutomation::RegistrationOf(std::string_view progId) {
    return m_inner.RegistrationOf(progId);
}

ObjectRef BusyRetryAutomation::Reissue(ObjectRef object, std::string_view kind) {
    ObjectRef inner = m_inner.Reissue(BusyRetryObject::Unwrapped(object), kind);
    if (inner == nullptr) {
        return nullptr;
    }
    return std::make_shared<BusyRetryObject>(std::move(inner), m_clock, m_budget);
}

} // namespace psm::cad
