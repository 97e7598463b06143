// The open-file dialog as the main window shows it.

#include "WindowTestSupport_win32.h"
#include "app/FileDialog_win32.h"
#include "platform/UniqueHandle_win32.h"

#include <thread>

namespace psm {
namespace {

constexpr wchar_t Title[] = L"Textdatei auswählen";

// The name field of the dialog: a combo box with an edit, or a plain edit.
HWND FileNameField(HWND dialog) {
    for (const int id : {0x47C /* cmb13 */, 0x480 /* edt1 */}) {
        if (HWND field = GetDlgItem(dialog, id)) {
            return field;
        }
    }
    return nullptr;
}

class FileDialogTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"psm file dialog test";
        CreateDirectoryW(folder.c_str(), nullptr);
        for (const wchar_t* name : {L"psm_mm.txt", L"andere Werte.txt"}) {
            const UniqueHandle file =
                OwnFileHandle(CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0,
                                          nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_TRUE(file);
            DWORD written = 0;
            WriteFile(file.Get(), "Unit: mm\r\n", 10, &written, nullptr);
        }
    }
    void TearDown() override {
        DeleteFileW((folder + L"\\psm_mm.txt").c_str());
        DeleteFileW((folder + L"\\andere Werte.txt").c_str());
        RemoveDirectoryW(folder.c_str());
        MainWindowFixture::TearDown();
    }

    std::string Utf8(const std::wstring& text) const {
        std::string result(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1,
                                                                   nullptr, 0, nullptr, nullptr)),
                           '\0');
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, result.data(),
                            static_cast<int>(result.size()), nullptr, nullptr);
        result.pop_back();
        return result;
    }

    std::wstring folder;
};

TEST_F(FileDialogTest, OpensOnTheInitialFileAndReturnsNothingOnCancel) {
    std::wstring shownName;
    bool ownedByMain = false;
    std::thread user([&] {
        HWND dialog = WaitForWindow(L"#32770", Title);
        if (dialog == nullptr) {
            return;
        }
        Sleep(300);
        shownName = TextOf(FileNameField(dialog));
        ownedByMain = GetWindow(dialog, GW_OWNER) == window.Handle();
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    const std::optional<std::string> chosen =
        window.ChooseFile(Utf8(Title), Utf8(folder + L"\\psm_mm.txt"), "");
    user.join();
    EXPECT_EQ(chosen, std::nullopt);
    EXPECT_EQ(shownName, L"psm_mm.txt");
    EXPECT_TRUE(ownedByMain);
}

TEST_F(FileDialogTest, ReturnsTheChosenFullPath) {
    std::thread user([&] {
        HWND dialog = WaitForWindow(L"#32770", Title);
        if (dialog == nullptr) {
            return;
        }
        Sleep(300);
        SetWindowTextW(FileNameField(dialog), L"andere Werte.txt");
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    const std::optional<std::string> chosen = window.ChooseFile(Utf8(Title), "", Utf8(folder));
    user.join();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, Utf8(folder + L"\\andere Werte.txt"));
}

TEST_F(FileDialogTest, SecondTryOpensTheRefusedFilesFolderWhenItIsThere) {
    EXPECT_EQ(FolderForSecondTry(folder + L"\\psm<mm>.txt", L"C:\\Programme\\psm"), folder);
    EXPECT_EQ(FolderForSecondTry(folder + L"\\gone\\psm_mm.txt", L"C:\\Programme\\psm"),
              L"C:\\Programme\\psm");
    EXPECT_EQ(FolderForSecondTry(L"psm_mm.txt", L"C:\\Programme\\psm"), L"C:\\Programme\\psm");
    EXPECT_EQ(FolderForSecondTry(L"C:\\psm_mm.txt", L"D:\\psm"), L"C:\\");
}

} // namespace
} // namespace psm
