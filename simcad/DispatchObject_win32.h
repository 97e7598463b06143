#pragma once

// One node of the simulated model seen through one interface, served as
// IDispatch: names resolve through the node's member table, calls go to the
// table's dispatcher, failures come back as HRESULTs with EXCEPINFO.

#include "sim/Node.h"
#include "simcad/ObjectTable_win32.h"

#include <memory>
#include <ole2.h>
#include <string>
#include <wrl/client.h>

namespace psm::simcad {

// COM interfaces have no virtual destructor; Release deletes the final class.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class DispatchObject final : public IDispatch {
  public:
    DispatchObject(std::shared_ptr<ObjectTable> table, sim::NodeRef node, std::string interfaceId,
                   uint32_t generation);
    ~DispatchObject();
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override;

    const sim::NodeRef& Node() const { return m_node; }
    const std::string& Interface() const { return m_interface; }

  private:
    HRESULT Identity(void** object);
    HRESULT ServeResult(const cad::Value& value, VARIANT* result);

    ULONG m_refs = 0; // the table's first ComPtr adds the first reference
    std::shared_ptr<ObjectTable> m_table;
    sim::NodeRef m_node;
    std::string m_interface;
    uint32_t m_generation;
    // Every other view keeps the node's plain view alive, so that IUnknown
    // stays the same pointer as long as any view of the node lives.
    Microsoft::WRL::ComPtr<DispatchObject> m_identity;
};
#pragma GCC diagnostic pop

} // namespace psm::simcad
