#pragma once

// One node of the simulated model seen through one interface, served as
// IDispatch: names resolve through the node's member table, calls go to the
// table's dispatcher, failures come back as HRESULTs with EXCEPINFO.

#include "platform/ComUnknown_win32.h"
#include "sim/Node.h"
#include "simcad/ObjectTable_win32.h"

#include <memory>
#include <ole2.h>
#include <string>
#include <wrl/client.h>

namespace psm::simcad {

class DispatchObject final : public ComUnknown<IDispatch> {
  public:
    DispatchObject(std::shared_ptr<ObjectTable> table, sim::NodeRef node, std::string interfaceId,
                   uint32_t generation);
    ~DispatchObject() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale,
                                          ITypeInfo** info) noexcept override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) noexcept override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) noexcept override;

    const sim::NodeRef& Node() const { return m_node; }
    const std::string& Interface() const { return m_interface; }

  private:
    // Every view of a node answers IUnknown with the node's plain view.
    IUnknown* Identity() override;
    // The interfaces the model or the control object publish, through the table.
    HRESULT QueryOther(REFIID iid, void** object) override;
    HRESULT Names(REFIID iid, LPOLESTR* names, UINT count, DISPID* ids);
    HRESULT Call(DISPID id, REFIID iid, WORD flags, DISPPARAMS* params, VARIANT* result,
                 EXCEPINFO* exception, UINT* argError);
    HRESULT ServeResult(const cad::Value& value, VARIANT* result);

    std::shared_ptr<ObjectTable> m_table;
    sim::NodeRef m_node;
    std::string m_interface;
    uint32_t m_generation;
    // Every other view keeps the node's plain view alive, so that IUnknown
    // stays the same pointer as long as any view of the node lives.
    Microsoft::WRL::ComPtr<DispatchObject> m_identity;
};

} // namespace psm::simcad
