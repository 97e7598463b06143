#pragma once

// Guarded mode for the CAD procedures: each helper makes one step (a call,
// and where asked the view through an interface) and yields nothing when any
// part of the step fails or the value does not convert. The caller then simply
// does not assign. TryGetObject alone keeps the failure, for the steps that
// must tell why.

#include "cad/Automation.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace psm::cad {

using Args = std::initializer_list<Value>;

// A property get that yields an object, seen through `interfaceId` (empty:
// as returned), or the failure of the step for callers that tell a busy or
// gone program from a missing object.
Result<ObjectRef> TryGetObject(const ObjectRef& on, const Member& member, Args args = {},
                               std::string_view interfaceId = {});
// The same, null when `on` is null, a call fails or no object came back.
ObjectRef GetObject(const ObjectRef& on, const Member& member, Args args = {},
                    std::string_view interfaceId = {});
// A method that yields an object, likewise.
ObjectRef CallObject(const ObjectRef& on, const Member& member, Args args = {},
                     std::string_view interfaceId = {});

// A property get that yields a value of type T (int16_t, int32_t, double,
// bool or std::string), converted as an assignment to a variable of that type
// would convert it.
template <class T>
std::optional<T> GetAs(const ObjectRef& on, const Member& member, Args args = {});

extern template std::optional<int16_t> GetAs(const ObjectRef&, const Member&, Args);
extern template std::optional<int32_t> GetAs(const ObjectRef&, const Member&, Args);
extern template std::optional<double> GetAs(const ObjectRef&, const Member&, Args);
extern template std::optional<bool> GetAs(const ObjectRef&, const Member&, Args);
extern template std::optional<std::string> GetAs(const ObjectRef&, const Member&, Args);

// False when `on` is null or the call fails.
bool PutValue(const ObjectRef& on, const Member& member, const Value& value);
bool CallMethod(const ObjectRef& on, const Member& member, Args args = {});

// The guarded steps of one procedure that must tell "not there" from "not
// asked": once a step finds the program busy or gone, the procedure is out of
// reach, and every later step yields nothing without calling the program.
class GuardedSteps {
  public:
    ObjectRef Object(const ObjectRef& on, const Member& member, Args args = {},
                     std::string_view interfaceId = {});
    ObjectRef As(const ObjectRef& on, std::string_view interfaceId);
    template <class T>
    std::optional<T> Read(const ObjectRef& on, const Member& member, Args args = {});
    bool Put(const ObjectRef& on, const Member& member, const Value& value);

    bool OutOfReach() const { return m_lost.has_value(); }
    // The failure that put the procedure out of reach.
    const std::optional<Failure>& Lost() const { return m_lost; }

  private:
    template <class T>
    std::optional<T> Noted(Result<T> result);

    std::optional<Failure> m_lost;
};

extern template std::optional<int16_t> GuardedSteps::Read(const ObjectRef&, const Member&, Args);
extern template std::optional<int32_t> GuardedSteps::Read(const ObjectRef&, const Member&, Args);
extern template std::optional<double> GuardedSteps::Read(const ObjectRef&, const Member&, Args);
extern template std::optional<bool> GuardedSteps::Read(const ObjectRef&, const Member&, Args);
extern template std::optional<std::string> GuardedSteps::Read(const ObjectRef&, const Member&,
                                                              Args);

inline Member Id(int32_t dispId) {
    return Member::ById(dispId);
}
inline Member Named(std::string name) {
    return Member::ByName(std::move(name));
}

} // namespace psm::cad
