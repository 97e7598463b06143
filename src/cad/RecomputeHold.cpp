#include "cad/RecomputeHold.h"

#include "cad/CadIds.h"

namespace psm::cad {
namespace {

Result<void> PutHold(const ObjectRef& app, bool hold) {
    if (!app) {
        return Failure{FailureCode::Unexpected, "No application."};
    }
    return app->Put(Member::ById(ids::HoldRecomputeId), {}, Value::Boolean(hold));
}

} // namespace

PendingOutcome FinishPending(PendingRestore& pending) {
    while (!pending.PutBacks.empty()) {
        const PendingRestore::PutBack& next = pending.PutBacks.front();
        const Result<void> put =
            next.Variable ? next.Variable->Put(Member::ById(ids::VariableValueId), {},
                                               Value::Double(next.Value))
                          : Result<void>(Failure{FailureCode::Unexpected, "No variable."});
        if (!put && IsBusy(put.Error())) {
            return PendingOutcome::Waiting;
        }
        if (put) {
            pending.Now[next.Index] = next.Value;
            pending.PutBackSome = true;
        }
        pending.PutBacks.erase(pending.PutBacks.begin());
    }
    if (pending.ReleaseHold) {
        const Result<void> released = PutHold(pending.App, false);
        if (!released && IsBusy(released.Error())) {
            return PendingOutcome::Waiting;
        }
        pending.ReleaseHold = false;
    }
    return PendingOutcome::Done;
}

RecomputeHold::RecomputeHold(ObjectRef app, PendingRestore& pending)
    : m_app(std::move(app)), m_pending(pending) {
    const Result<void> held = PutHold(m_app, true);
    // A program that refused the switch for another reason still gets its
    // release, as it always did; one that did not answer never held it.
    m_outOfReach = !held && IsOutOfReach(held.Error());
    m_held = !m_outOfReach;
}

RecomputeHold::~RecomputeHold() {
    try {
        Release();
    } catch (...) {
        // A release that cannot even be asked for is left to the program.
    }
}

bool RecomputeHold::Release() {
    if (m_released) {
        return !m_pending.ReleaseHold;
    }
    m_released = true;
    if (!m_held) {
        return true;
    }
    if (m_pending.PutBacks.empty()) {
        const Result<void> released = PutHold(m_app, false);
        if (released || !IsBusy(released.Error())) {
            return true;
        }
    }
    m_pending.App = m_app;
    m_pending.ReleaseHold = true;
    return false;
}

} // namespace psm::cad
