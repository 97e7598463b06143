#pragma once

// How a view of a model object (one node seen through one interface) finds
// its members: by dispatch identifier and kind, or by name. The same rule as
// the simulator's own dispatch: a row bound to an interface is reachable only
// through that interface, a row without one through every view.

#include "sim/Node.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace psm::simcad {

const sim::MemberInfo* FindMember(const sim::ClassInfo& info, std::string_view interfaceId,
                                  int32_t dispId, sim::InvokeKind kind);

// The dispatch identifier of a member name (case-insensitive) through the view.
std::optional<int32_t> DispIdOfName(const sim::ClassInfo& info, std::string_view interfaceId,
                                    std::string_view name);

// What an automation call asks to do. A client may ask for "get or call" at
// once (an indexed property read the way Visual Basic does it).
struct CallFlags {
    bool Get = false;
    bool Method = false;
    bool Put = false;
};

// The one kind the call is carried out as: a put when asked; a get when asked
// and the member has a getter; else a call when asked and the member is a
// method. When neither exists, the first kind asked for, so that the model
// reports the unknown member itself.
sim::InvokeKind KindOfCall(const sim::ClassInfo& info, std::string_view interfaceId, int32_t dispId,
                           CallFlags flags);

} // namespace psm::simcad
