// The properties window: a tool window of five columns of five labels, placed by the core,
// closed by any click on it but one on its button.

#include "WindowTestSupport_win32.h"
#include "app/MainWindowDesign_win32.h"
#include "app/PropertiesWindow_win32.h"
#include "app/Screen_win32.h"
#include "app/Twips_win32.h"

namespace psm {
namespace {

using ::testing::Invoke;

class PropertiesWindowTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        info.SetEvents(events);
    }

    PropertiesWindow info{GetModuleHandleW(nullptr), window};
};

TEST_F(PropertiesWindowTest, ExistsOnlyFromCreationToDestruction) {
    EXPECT_FALSE(info.Exists());
    EXPECT_FALSE(info.Visible());
    info.CreateHidden();
    EXPECT_TRUE(info.Exists());
    EXPECT_FALSE(info.Visible());
    HWND first = info.Handle();
    info.CreateHidden();
    EXPECT_EQ(info.Handle(), first) << "an existing window is reused";
    info.Show({});
    EXPECT_TRUE(info.Visible());
    info.Destroy();
    EXPECT_FALSE(info.Exists());
    EXPECT_FALSE(info.Visible());
    info.CreateHidden();
    EXPECT_TRUE(info.Exists());
}

TEST_F(PropertiesWindowTest, IsAToolWindowOwnedByTheMainWindowAndKeptOnTop) {
    info.CreateHidden();
    const LONG_PTR extended = GetWindowLongPtrW(info.Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(extended & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(extended & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(info.Handle(), GW_OWNER), window.Handle());
    wchar_t name[32] = {};
    GetClassNameW(info.Handle(), name, 32);
    EXPECT_STREQ(name, PropertiesWindowClassName);
}

TEST_F(PropertiesWindowTest, LabelsStandAtTheirDesignedPlaces) {
    info.CreateHidden();
    for (int column = 1; column <= PropertiesColumns; ++column) {
        for (int row = 1; row <= PropertiesRows; ++row) {
            const TwipsRect design = PropertiesLabelRect(column, row);
            const RECT place = PlaceInParent(info.Label(column, row));
            EXPECT_EQ(place.left, TwipsToPixels(design.Left, 96)) << column << "," << row;
            EXPECT_EQ(place.top, design.Top / 15) << column << "," << row;
            EXPECT_EQ(place.right - place.left, design.Width / 15) << column << "," << row;
            EXPECT_EQ(place.bottom - place.top, design.Height / 15) << column << "," << row;
        }
    }
}

TEST_F(PropertiesWindowTest, WidthIsTheDesignedClientWidthPlusTheFrame) {
    info.CreateHidden();
    RECT client{};
    GetClientRect(info.Handle(), &client);
    EXPECT_EQ(client.right, PropertiesClientWidth / 15);
    EXPECT_EQ(client.bottom, 1875 / 15);
    RECT frame{};
    GetWindowRect(info.Handle(), &frame);
    EXPECT_EQ(info.Width(), (frame.right - frame.left) * 15);
    EXPECT_GT(info.Width(), PropertiesClientWidth);
}

TEST_F(PropertiesWindowTest, MoveWindowPlacesAndSizesItInTwips) {
    info.CreateHidden();
    const TwipsRect place{3000, 1500, info.Width(), 2355};
    info.MoveWindow(place);
    RECT frame{};
    GetWindowRect(info.Handle(), &frame);
    EXPECT_EQ(frame.left, 200);
    EXPECT_EQ(frame.top, 100);
    EXPECT_EQ(frame.bottom - frame.top, 157);
    EXPECT_EQ(WindowRectInTwips(info.Handle()), place);
}

TEST_F(PropertiesWindowTest, ShowsCaptionAndLabelTextsAsGiven) {
    info.CreateHidden();
    PropertiesViewModel model;
    model.Caption = "Raziv Werte";
    model.Rows[0] = {" Blechstärke: ", "1,500", " mm", "1,000", "≠"};
    model.Rows[4].Value = "0,33";
    info.Show(model);
    EXPECT_TRUE(info.Visible());
    EXPECT_EQ(TextOf(info.Handle()), L"Raziv Werte");
    EXPECT_EQ(TextOf(info.Label(1, 1)), L" Blechstärke: ");
    EXPECT_EQ(TextOf(info.Label(2, 1)), L"1,500");
    EXPECT_EQ(TextOf(info.Label(3, 1)), L" mm");
    EXPECT_EQ(TextOf(info.Label(4, 1)), L"1,000");
    EXPECT_EQ(TextOf(info.Label(5, 1)), L"≠");
    EXPECT_EQ(TextOf(info.Label(2, 5)), L"0,33");
    EXPECT_EQ(TextOf(info.Label(3, 3)), L"");
}

TEST_F(PropertiesWindowTest, CellsOutsideTheGridAndAClosedWindowAreIgnored) {
    info.CreateHidden();
    for (const auto& [column, row] : {std::pair{0, 1}, {6, 1}, {1, 0}, {1, 6}, {-1, -1}}) {
        EXPECT_EQ(info.Label(column, row), nullptr);
    }
    info.Destroy();
    PropertiesViewModel model;
    model.Caption = "nach dem Schliessen";
    info.Show(model);
    info.MoveWindow(TwipsRect{0, 0, 100, 100});
    EXPECT_FALSE(info.Exists());
}

TEST_F(PropertiesWindowTest, AClickOnTheWindowOrAnyLabelGoesToTheCore) {
    info.CreateHidden();
    info.Show({});
    EXPECT_CALL(events, OnPropertiesClick()).Times(1 + PropertiesColumns * PropertiesRows);
    SendMessageW(info.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 100));
    for (int column = 1; column <= PropertiesColumns; ++column) {
        for (int row = 1; row <= PropertiesRows; ++row) {
            SendMessageW(info.Label(column, row), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
            SendMessageW(info.Label(column, row), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
        }
    }
}

TEST_F(PropertiesWindowTest, ItsButtonShowsOnlyWithACaptionAndAClickOnItIsItsCommand) {
    info.CreateHidden();
    PropertiesViewModel model;
    model.ChooseNearest = "Übernehmen";
    info.Show(model);
    ASSERT_NE(info.ChooseButton(), nullptr);
    EXPECT_TRUE(IsWindowVisible(info.ChooseButton()));
    EXPECT_EQ(TextOf(info.ChooseButton()), L"Übernehmen");
    EXPECT_CALL(events, OnPropertiesClick()).Times(0);
    EXPECT_CALL(events, OnPropertiesCommand(PropertiesCommand::ChooseNearestType)).Times(1);
    SendMessageW(info.ChooseButton(), BM_CLICK, 0, 0);
    info.Show({});
    EXPECT_FALSE(IsWindowVisible(info.ChooseButton()));
}

TEST_F(PropertiesWindowTest, TheCoreMayDestroyItFromTheClick) {
    info.CreateHidden();
    info.Show({});
    EXPECT_CALL(events, OnPropertiesClick()).WillOnce(Invoke([&] {
        info.Destroy();
        window.Focus();
    }));
    SendMessageW(info.Label(2, 3), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    EXPECT_FALSE(info.Exists());
}

TEST_F(PropertiesWindowTest, ShowIsAnOrdinaryShowThatActivatesIt) {
    window.Load(SW_SHOW);
    info.CreateHidden();
    info.Show({});
    EXPECT_EQ(GetActiveWindow(), info.Handle());
}

} // namespace
} // namespace psm
