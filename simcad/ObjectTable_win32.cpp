#include "simcad/ObjectTable_win32.h"

#include "simcad/DispatchObject_win32.h"

#include <algorithm>
#include <cctype>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace psm::simcad {

ObjectTable::~ObjectTable() = default;

ObjectTable::Key ObjectTable::KeyOf(const sim::Node* node, const std::string& interfaceId) {
    std::string upper = interfaceId;
    std::ranges::transform(upper, upper.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return {node, std::move(upper)};
}

ComPtr<DispatchObject> ObjectTable::Serve(const sim::NodeRef& node, const std::string& interfaceId,
                                          uint32_t generation) {
    const Key key = KeyOf(node.get(), interfaceId);
    if (const auto found = m_objects.find(key); found != m_objects.end()) {
        return ComPtr<DispatchObject>(found->second);
    }
    // A new object has no reference until `made` takes the first. (MinGW's
    // ComPtr::Attach adds a reference, unlike the original, so it is not used.)
    ComPtr<DispatchObject> made(
        new DispatchObject(shared_from_this(), node, interfaceId, generation));
    m_objects.emplace(key, made.Get());
    return made;
}

DispatchObject* ObjectTable::Find(const sim::NodeRef& node, const std::string& interfaceId) const {
    const auto found = m_objects.find(KeyOf(node.get(), interfaceId));
    return found != m_objects.end() ? found->second : nullptr;
}

void ObjectTable::Forget(const DispatchObject& object) {
    const auto found = m_objects.find(KeyOf(object.Node().get(), object.Interface()));
    if (found != m_objects.end() && found->second == &object) {
        m_objects.erase(found);
    }
}

void ObjectTable::DisconnectAll() {
    // Disconnecting releases the stubs' references, which may end objects
    // and shrink the table meanwhile: hold every object until all are done.
    std::vector<ComPtr<DispatchObject>> alive;
    alive.reserve(m_objects.size());
    for (const auto& entry : m_objects) {
        alive.emplace_back(entry.second);
    }
    for (const auto& object : alive) {
        CoDisconnectObject(static_cast<IDispatch*>(object.Get()), 0);
    }
}

} // namespace psm::simcad
