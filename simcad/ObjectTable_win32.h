#pragma once

// The served COM objects of one dispatcher, one per (node, interface) while
// a client holds it. Keeping the same object for the same pair keeps COM's
// identity rules: every view of a node answers IUnknown with the node's one
// plain view, so that a client comparing IUnknown pointers sees one object,
// and the stub that carries calls for an interface reaches that interface's
// view.

#include "sim/Node.h"
#include "simcad/Dispatcher.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <wrl/client.h>

namespace psm::simcad {

class DispatchObject;

class ObjectTable : public std::enable_shared_from_this<ObjectTable> {
  public:
    explicit ObjectTable(Dispatcher& dispatcher) : m_dispatcher(dispatcher) {}
    ~ObjectTable();
    ObjectTable(const ObjectTable&) = delete;
    ObjectTable& operator=(const ObjectTable&) = delete;

    // The served object for `node` seen through `interfaceId` (empty: plain
    // IDispatch), made on first use.
    Microsoft::WRL::ComPtr<DispatchObject>
    Serve(const sim::NodeRef& node, const std::string& interfaceId, uint32_t generation);

    // The served object for the pair, if one lives; no reference is added.
    DispatchObject* Find(const sim::NodeRef& node, const std::string& interfaceId) const;

    // Cuts every client off (CoDisconnectObject), for the end of the program:
    // afterwards no call can reach the model any more.
    void DisconnectAll();

    std::size_t Size() const { return m_objects.size(); }
    Dispatcher& Calls() const { return m_dispatcher; }

    // Name lookups answered by this table's objects.
    int32_t NameLookups() const { return m_nameLookups; }
    void CountNameLookup() { ++m_nameLookups; }

  private:
    friend class DispatchObject;
    using Key = std::pair<const sim::Node*, std::string>;
    static Key KeyOf(const sim::Node* node, const std::string& interfaceId);
    void Forget(const DispatchObject& object);

    Dispatcher& m_dispatcher;
    std::map<Key, DispatchObject*> m_objects; // not owned: each removes itself
    int32_t m_nameLookups = 0;
};

} // namespace psm::simcad
