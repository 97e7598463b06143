#include "app/Clipboard_win32.h"

#include "platform/UniqueResource_win32.h"
#include "platform/Utf16_win32.h"

#include <cstring>

namespace psm {
namespace {

// The clipboard, open for the lifetime of the object.
class OpenedClipboard {
  public:
    explicit OpenedClipboard(HWND owner) {
        // Another program may hold it for a moment.
        for (int attempt = 0; attempt < 5 && !m_open; ++attempt) {
            m_open = OpenClipboard(owner) != FALSE;
            if (!m_open) {
                Sleep(10);
            }
        }
    }
    ~OpenedClipboard() {
        if (m_open) {
            CloseClipboard();
        }
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool Open() const { return m_open; }

  private:
    bool m_open = false;
};

struct GlobalMemoryTraits {
    using Type = HGLOBAL;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type memory) noexcept { GlobalFree(memory); }
};
// Movable global memory, freed unless the clipboard took it.
using UniqueGlobal = UniqueResource<GlobalMemoryTraits>;

} // namespace

bool PutTextOnClipboard(HWND owner, const std::string& utf8) {
    const std::wstring text = Widen(utf8);
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) {
        return false;
    }
    void* locked = GlobalLock(memory.Get());
    if (locked == nullptr) {
        return false;
    }
    std::memcpy(locked, text.c_str(), bytes);
    GlobalUnlock(memory.Get());

    const OpenedClipboard clipboard(owner);
    if (!clipboard.Open() || !EmptyClipboard() ||
        SetClipboardData(CF_UNICODETEXT, memory.Get()) == nullptr) {
        return false;
    }
    (void)memory.Release(); // the clipboard owns it now
    return true;
}

} // namespace psm
