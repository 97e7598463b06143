// The main window drawn at its DPI: font, icons, button pictures and the
// controls' places, converted from the design's twips.

#include "app/ButtonPicture_win32.h"
#include "app/MainWindowDesign_win32.h"
#include "app/MainWindow_win32.h"
#include "app/Screen_win32.h"
#include "app/Twips_win32.h"
#include "app/res/ResourceIds.h"

#include <commctrl.h>

namespace psm {

void MainWindow::OnDpiChanged(UINT dpi, LPARAM suggested) {
    ApplyDpi(dpi);
    // The outer size stays what the core set, in twips, now at the new DPI.
    MoveToSuggested(m_window, suggested,
                    SIZE{m_scale.Pixels(m_widthTwips), m_scale.Pixels(m_heightTwips)});
}

void MainWindow::OnGetDpiScaledSize(UINT dpi, SIZE& size) const {
    size.cx = TwipsToPixels(m_widthTwips, dpi);
    size.cy = TwipsToPixels(m_heightTwips, dpi);
}

void MainWindow::OnSystemLookChanged() {
    if (m_window == nullptr) {
        return;
    }
    SendMessageW(Control(MainControl::StatusBar), WM_SYSCOLORCHANGE, 0, 0);
    ApplyDpi(m_scale.Dpi());
}

// --- drawing at the window's DPI ----------------------------------------------

void MainWindow::ApplyDpi(UINT dpi) {
    m_scale.Apply(m_window, dpi);
    LoadIcons();
    LoadPictures();
    LayoutControls();
}

void MainWindow::LoadIcons() {
    const auto load = [this](int widthMetric, int heightMetric) {
        return UniqueIcon(static_cast<HICON>(
            LoadImageW(m_instance, MAKEINTRESOURCEW(IDI_PSM), IMAGE_ICON,
                       GetSystemMetricsForDpi(widthMetric, m_scale.Dpi()),
                       GetSystemMetricsForDpi(heightMetric, m_scale.Dpi()), LR_DEFAULTCOLOR)));
    };
    UniqueIcon big = load(SM_CXICON, SM_CYICON);
    UniqueIcon small = load(SM_CXSMICON, SM_CYSMICON);
    SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
    SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
    m_bigIcon = std::move(big);
    m_smallIcon = std::move(small);
}

void MainWindow::LoadPictures() {
    for (const MainControl button : PictureButtons) {
        UniqueBitmap picture = LoadButtonPicture(m_instance, button, m_scale.Dpi());
        SendMessageW(Control(button), BM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(picture.Get()));
        m_pictures[static_cast<size_t>(button)] = std::move(picture);
    }
}

void MainWindow::LayoutControls() {
    RECT client{};
    GetClientRect(m_window, &client);
    for (const ControlDesign& design : MainWindowDesign) {
        HWND control = Control(design.Control);
        RECT place = m_scale.PixelRect(design.Rect);
        if (design.Control == MainControl::StatusBar) {
            // Along the bottom edge, the whole width: it stays in sight when
            // a thicker frame leaves less client area than designed.
            const int height = place.bottom - place.top;
            place = RECT{0, client.bottom - height, client.right, client.bottom};
        }
        int height = place.bottom - place.top;
        if (design.Control == MainControl::TableList || design.Control == MainControl::TypeList) {
            // A combo box's height includes its open list.
            const int entryHeight = ComboBox(control).EntryHeight();
            height += VisibleListEntries * (entryHeight > 0 ? entryHeight : height) + 2;
        }
        SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace psm
