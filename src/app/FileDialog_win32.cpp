#include "app/FileDialog_win32.h"

#include "platform/LateLibrary_win32.h"

#include <cderr.h>
#include <commdlg.h>
#include <vector>

namespace psm {
namespace {

// Long paths (\\?\ or a long-path-aware system) stay below this.
constexpr size_t PathBufferLength = 32768;

std::optional<std::wstring> Show(HWND owner, const std::wstring& title, const std::wstring& file,
                                 const std::wstring& folder, DWORD& error) {
    std::vector<wchar_t> buffer(PathBufferLength, L'\0');
    if (file.size() < buffer.size()) {
        file.copy(buffer.data(), file.size());
    }
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;
    // The common dialogs' library, and the shell libraries it brings along,
    // load when the dialog is first wanted, not at every start.
    static const auto open =
        LateFunction<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    static const auto lastError =
        LateFunction<decltype(&CommDlgExtendedError)>(L"comdlg32.dll", "CommDlgExtendedError");
    if (open == nullptr || lastError == nullptr) {
        error = CDERR_INITIALIZATION;
        return std::nullopt;
    }
    if (open(&dialog)) {
        error = 0;
        return std::wstring(buffer.data());
    }
    error = lastError();
    return std::nullopt;
}

} // namespace

std::wstring FolderForSecondTry(const std::wstring& refusedFile, const std::wstring& fallback) {
    const size_t separator = refusedFile.find_last_of(L"\\/");
    if (separator != std::wstring::npos && separator > 0) {
        std::wstring folder = refusedFile.substr(0, separator);
        if (folder.back() == L':') {
            folder += L'\\'; // "C:" alone would mean the drive's current folder
        }
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return folder;
        }
    }
    return fallback;
}

std::optional<std::wstring> ShowOpenFileDialog(HWND owner, const std::wstring& title,
                                               const std::wstring& initialFile,
                                               const std::wstring& initialFolder) {
    DWORD error = 0;
    std::optional<std::wstring> chosen = Show(
        owner, title, initialFile, initialFile.empty() ? initialFolder : std::wstring(), error);
    if (!chosen && !initialFile.empty() && error == FNERR_INVALIDFILENAME) {
        // A stored name the dialog refuses must not lock the user out of choosing.
        chosen = Show(owner, title, std::wstring(), FolderForSecondTry(initialFile, initialFolder),
                      error);
    }
    return chosen;
}

} // namespace psm
