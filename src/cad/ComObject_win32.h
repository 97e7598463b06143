#pragma once

// An automation object behind IDispatch, seen through one interface.
// Belongs to the apartment (thread) that obtained it: use and drop it there,
// before that apartment ends.

#include "cad/Automation.h"

#include <ole2.h>
#include <string>
#include <unordered_map>
#include <wrl/client.h>

namespace psm::cad {

class ComObject final : public Object {
  public:
    // `interfaceId` is the identifier `dispatch` was obtained for; empty when
    // it is the object's plain IDispatch.
    ComObject(Microsoft::WRL::ComPtr<IDispatch> dispatch, std::string interfaceId);

    std::string_view Interface() const override { return m_interface; }
    Result<ObjectRef> As(std::string_view interfaceId) override;
    Result<Value> Get(const Member& member, std::span<const Value> args) override;
    Result<void> Put(const Member& member, std::span<const Value> args,
                     const Value& value) override;
    Result<Value> Call(const Member& member, std::span<const Value> args) override;
    // COM identity: the object's IUnknown pointer, asked for once and held
    // with the handle, so that it stays the same while the handle lives.
    ObjectKey Key() const override;

    const Microsoft::WRL::ComPtr<IDispatch>& Dispatch() const { return m_dispatch; }

    // The dispatch identifier of a member name, asked of the server once per
    // name and then remembered by this object.
    Result<DISPID> IdOfName(const std::string& name);

  private:
    Result<DISPID> IdOf(const Member& member);
    Result<Value> Invoke(const Member& member, WORD flags, std::span<const Value> args,
                         const Value* assigned);

    Microsoft::WRL::ComPtr<IDispatch> m_dispatch;
    std::string m_interface;
    std::unordered_map<std::string, DISPID> m_ids;
    mutable Microsoft::WRL::ComPtr<IUnknown> m_identity;
    mutable bool m_identityAsked = false;
};

} // namespace psm::cad
