#pragma once

// IUnknown for the COM objects this program implements itself, and the guard
// that keeps exceptions inside a COM method.

#include <atomic>
#include <new>
#include <ole2.h>

namespace psm {

// Runs the body of a COM method and returns its HRESULT. No exception may
// cross into the caller's code: a failed allocation answers E_OUTOFMEMORY,
// any other exception E_UNEXPECTED.
template <class Body>
HRESULT CatchAsHresult(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// One COM interface implemented with IUnknown: a class derives from
// ComUnknown<Interface> and implements Interface's own methods. A new object
// has no reference until the first ComPtr takes it; the last Release deletes
// it. QueryInterface answers IUnknown with Identity() and Interface with the
// object itself; every other interface identifier goes to QueryOther, which
// finds none unless a class overrides it.
//
// COM interfaces have no virtual destructor: ComUnknown's own is virtual, and
// Release deletes through it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
template <class Interface>
class ComUnknown : public Interface {
  public:
    ComUnknown() = default;
    virtual ~ComUnknown() = default;
    ComUnknown(const ComUnknown&) = delete;
    ComUnknown& operator=(const ComUnknown&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept final {
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        return CatchAsHresult([&]() -> HRESULT {
            if (IsEqualIID(iid, IID_IUnknown)) {
                IUnknown* identity = Identity();
                identity->AddRef();
                *object = identity;
                return S_OK;
            }
            if (IsEqualIID(iid, __uuidof(Interface))) {
                AddRef();
                *object = static_cast<Interface*>(this);
                return S_OK;
            }
            return QueryOther(iid, object);
        });
    }

    ULONG STDMETHODCALLTYPE AddRef() noexcept final { return ++m_references; }

    ULONG STDMETHODCALLTYPE Release() noexcept final {
        const ULONG remaining = --m_references;
        if (remaining == 0) {
            delete this;
        }
        return remaining;
    }

    ULONG References() const noexcept { return m_references; }

  protected:
    // The pointer that stands for the whole object (COM identity); the same
    // through every interface of it.
    virtual IUnknown* Identity() { return static_cast<Interface*>(this); }

    // Another interface: on success `*object` holds it with a reference added.
    virtual HRESULT QueryOther(REFIID, void**) { return E_NOINTERFACE; }

  private:
    std::atomic<ULONG> m_references{0};
};
#pragma GCC diagnostic pop

} // namespace psm
