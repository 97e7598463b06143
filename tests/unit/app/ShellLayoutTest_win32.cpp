// Twips and the designed layout of the two windows.

#include "app/MainWindowDesign_win32.h"
#include "app/Screen_win32.h"
#include "app/Twips_win32.h"
#include "apply/Properties.h"

#include <gtest/gtest.h>
#include <set>

namespace psm {
namespace {

TEST(Twips, FifteenTwipsAreOnePixelAt96Dpi) {
    EXPECT_EQ(TwipsToPixels(15, 96), 1);
    EXPECT_EQ(TwipsToPixels(3555, 96), 237);
    EXPECT_EQ(TwipsToPixels(2355, 96), 157);
    EXPECT_EQ(PixelsToTwips(237, 96), 3555);
}

TEST(Twips, ScaleWithTheDpiAndRoundHalvesAwayFromZero) {
    EXPECT_EQ(TwipsToPixels(450, 144), 45);
    EXPECT_EQ(TwipsToPixels(3555, 144), 356); // 355.5
    EXPECT_EQ(TwipsToPixels(3555, 120), 296); // 296.25
    EXPECT_EQ(TwipsToPixels(450, 192), 60);
    EXPECT_EQ(TwipsToPixels(-3555, 144), -356);
    EXPECT_EQ(TwipsToPixels(7, 96), 0); // 0.47
    EXPECT_EQ(TwipsToPixels(8, 96), 1); // 0.53
    EXPECT_EQ(PixelsToTwips(-100, 96), -1500);
    EXPECT_EQ(PixelsToTwips(1, 144), 10);
}

TEST(Twips, HandleScreenSizedValuesWithoutOverflow) {
    EXPECT_EQ(TwipsToPixels(2'000'000'000, 480), 666'666'667);
    EXPECT_EQ(PixelsToTwips(1'000'000, 96), 15'000'000);
    EXPECT_EQ(PixelsToTwips(5, 0), 0);
}

TEST(Twips, RectConvertsPositionAndSizeEachOnTheirOwn) {
    const RECT rect = TwipsToPixelRect(TwipsRect{120, 720, 3255, 975}, 96);
    EXPECT_EQ(rect.left, 8);
    EXPECT_EQ(rect.top, 48);
    EXPECT_EQ(rect.right - rect.left, 217);
    EXPECT_EQ(rect.bottom - rect.top, 65);
    const RECT scaled = TwipsToPixelRect(TwipsRect{50, 120, 1440, 255}, 144);
    EXPECT_EQ(scaled.left, 5);
    EXPECT_EQ(scaled.top, 12);
    EXPECT_EQ(scaled.right - scaled.left, 144);
    EXPECT_EQ(scaled.bottom - scaled.top, 26); // 25.5
}

TEST(ScreenTwips, PropertiesWindowTouchesTheMainWindowWhateverTheDpis) {
    for (const UINT screenDpi : {96u, 120u, 144u, 168u}) {
        for (const UINT windowDpi : {96u, 120u, 144u, 168u, 192u}) {
            SCOPED_TRACE(::testing::Message()
                         << screenDpi << " dpi screen, " << windowDpi << " dpi window");
            const RECT main{1001, 123, 1001 + TwipsToPixels(3555, windowDpi),
                            123 + TwipsToPixels(2355, windowDpi)};
            const int infoWidth = TwipsToPixels(2895, windowDpi);
            const int32_t infoTwips = ScreenTwipsOf(RECT{0, 0, infoWidth, 1}, screenDpi).Width;
            const TwipsRect frame = ScreenTwipsOf(main, screenDpi);

            const RECT right =
                ScreenPixelsOf(PropertiesWindowPlace(frame, infoTwips, 1'000'000), screenDpi);
            EXPECT_EQ(right.left, main.right);
            EXPECT_EQ(right.right - right.left, infoWidth);
            EXPECT_EQ(right.top, main.top);
            EXPECT_EQ(right.bottom, main.bottom);

            const RECT left = ScreenPixelsOf(PropertiesWindowPlace(frame, infoTwips, 0), screenDpi);
            EXPECT_EQ(left.right, main.left);
            EXPECT_EQ(left.right - left.left, infoWidth);
        }
    }
}

TEST(MainWindowDesign, ControlsHaveDistinctIdentifiersOutsideTheDialogCommands) {
    std::set<int> ids;
    for (const ControlDesign& design : MainWindowDesign) {
        EXPECT_GT(design.Id, IDCANCEL) << "Enter and Escape send IDOK and IDCANCEL";
        ids.insert(design.Id);
    }
    EXPECT_EQ(ids.size(), MainWindowDesign.size());
}

TEST(MainWindowDesign, ControlsLieInsideTheDesignedClientArea) {
    const TwipsRect panel = DesignOf(MainControl::ListPanel).Rect;
    for (const ControlDesign& design : MainWindowDesign) {
        const TwipsRect& rect = design.Rect;
        if (design.Control == MainControl::TableList || design.Control == MainControl::TypeList) {
            EXPECT_LE(rect.Left + rect.Width, panel.Width);
            EXPECT_LE(rect.Top + rect.Height, panel.Height);
            continue;
        }
        EXPECT_LE(rect.Left + rect.Width, MainClientWidth);
        EXPECT_LE(rect.Top + rect.Height, MainClientHeight);
    }
    EXPECT_EQ(DesignOf(MainControl::StatusBar).Rect.Top +
                  DesignOf(MainControl::StatusBar).Rect.Height,
              MainClientHeight);
}

TEST(InfoWindowDesign, RowsStepBy360TwipsFrom120) {
    EXPECT_EQ(PropertiesLabelRect(1, 1), (TwipsRect{50, 120, 1440, 255}));
    EXPECT_EQ(PropertiesLabelRect(2, 3), (TwipsRect{1590, 840, 645, 375}));
    EXPECT_EQ(PropertiesLabelRect(3, 5), (TwipsRect{2325, 1560, 360, 255}));
}

TEST(InfoWindowDesign, LabelsStartInsideTheClientAreaAndHaveDistinctIds) {
    std::set<int> ids;
    for (int column = 1; column <= PropertiesColumns; ++column) {
        for (int row = 1; row <= PropertiesRows; ++row) {
            const TwipsRect rect = PropertiesLabelRect(column, row);
            EXPECT_LE(rect.Left + rect.Width, PropertiesClientWidth);
            // The last value label is designed 60 twips taller than the room left.
            EXPECT_LE(rect.Top + 255, PropertiesClientHeight);
            ids.insert(PropertiesLabelId(column, row));
        }
    }
    ids.insert(PropertiesNoteId);
    ids.insert(PropertiesChooseId);
    EXPECT_EQ(ids.size(), 27u) << "five columns of five labels, the note and its button";
    EXPECT_LE(PropertiesLabelRect(5, 1).Left + PropertiesLabelRect(5, 1).Width,
              PropertiesNoteRect.Left);
    EXPECT_LE(PropertiesNoteRect.Left + PropertiesNoteRect.Width, PropertiesClientWidth);
    // The button stands below the note, inside the client area.
    EXPECT_LE(PropertiesNoteRect.Top + PropertiesNoteRect.Height, PropertiesChooseRect.Top);
    EXPECT_LE(PropertiesChooseRect.Left + PropertiesChooseRect.Width, PropertiesClientWidth);
    EXPECT_LE(PropertiesChooseRect.Top + PropertiesChooseRect.Height, PropertiesClientHeight);
}

} // namespace
} // namespace psm
