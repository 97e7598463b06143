// The survey window: draws the core's model (rows, check boxes, progress,
// buttons) and reports the user's checks, column clicks and buttons.

#include "WindowTestSupport_win32.h"
#include "app/MainWindowDesign_win32.h"
#include "app/Screen_win32.h"
#include "app/SurveyWindow_win32.h"

#include <commctrl.h>

namespace psm {
namespace {

class MockSurveyEvents : public SurveyEvents {
  public:
    MOCK_METHOD(void, OnSurveyCommand, (SurveyCommand command), (override));
    MOCK_METHOD(void, OnSurveyChecked, (std::size_t part, bool checked), (override));
    MOCK_METHOD(void, OnSurveySort, (int column), (override));
    MOCK_METHOD(void, OnSurveyStep, (), (override));
    MOCK_METHOD(void, OnSurveyClosed, (), (override));
};

class SurveyWindowTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        survey.SetEvents(surveyEvents, events);
        survey.Open();
        ASSERT_NE(survey.Handle(), nullptr);
    }
    SurveyViewModel Model(bool reading) const {
        SurveyViewModel model;
        model.Caption = "Baugruppe prüfen: Rahmen.asm";
        model.Columns = {"Datei", "Anzahl", "Blechstärke (mm)"};
        model.RightAligned = {false, true, true};
        // Sorted: the rows show the survey's parts 2, 0 and 1.
        model.Rows = {{{"Strebe.psm", "2", "2"}, true, false, 2},
                      {{"Welle.par", "1", ""}, false, false, 0},
                      {{"Blende mit einem langen Namen.psm", "1", "1.5"}, true, true, 1}};
        model.Progress = reading ? "1 von 3" : "fertig: 3 von 3";
        model.Parts = 3;
        model.PartsRead = reading ? 1 : 3;
        model.WriteCaption = "Schreiben";
        model.CanCancel = reading;
        model.CanWrite = !reading;
        return model;
    }
    HWND List() const { return survey.Control(SurveyListId); }
    UINT CheckImage(int row) const {
        return (ListView_GetItemState(List(), row, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >>
               12;
    }
    std::wstring Cell(int row, int column) const {
        wchar_t text[128] = {};
        ListView_GetItemText(List(), row, column, text, 128);
        return text;
    }

    ::testing::NiceMock<MockSurveyEvents> surveyEvents;
    SurveyWindow survey{GetModuleHandleW(nullptr), window};
};

TEST_F(SurveyWindowTest, DrawsTheModelAndWidensItsColumnsOnceEveryPartIsRead) {
    survey.Show(Model(true));
    EXPECT_EQ(TextOf(survey.Handle()), L"Baugruppe prüfen: Rahmen.asm");
    ASSERT_EQ(ListView_GetItemCount(List()), 3);
    EXPECT_EQ(Cell(2, 0), L"Blende mit einem langen Namen.psm");
    EXPECT_EQ(Cell(2, 2), L"1.5");
    EXPECT_EQ(CheckImage(0), 1u);
    EXPECT_EQ(CheckImage(1), 0u) << "no check box for a part that is no sheet metal";
    EXPECT_EQ(CheckImage(2), 2u);
    EXPECT_EQ(TextOf(survey.Control(SurveyProgressTextId)), L"1 von 3");
    EXPECT_EQ(SendMessageW(survey.Control(SurveyProgressBarId), PBM_GETPOS, 0, 0), 1);
    EXPECT_TRUE(IsWindowEnabled(survey.Control(SurveyCancelId)));
    EXPECT_FALSE(IsWindowEnabled(survey.Control(SurveyWriteId)));

    const int before = ListView_GetColumnWidth(List(), 0);
    survey.Show(Model(false));
    EXPECT_GT(ListView_GetColumnWidth(List(), 0), before) << "the long name fits";
    EXPECT_FALSE(IsWindowEnabled(survey.Control(SurveyCancelId)));
    EXPECT_TRUE(IsWindowEnabled(survey.Control(SurveyWriteId)));
    EXPECT_EQ(TextOf(survey.Control(SurveyWriteId)), L"Schreiben");
}

TEST_F(SurveyWindowTest, ColumnsFollowADpiChangeAndAnotherLanguage) {
    survey.Show(Model(true));
    survey.Show(Model(false)); // fitted to the contents
    const int fitted = ListView_GetColumnWidth(List(), 0);
    const auto before = static_cast<int>(WindowDpi(survey.Handle()));
    RECT suggested{40, 50, 1480, 680};
    SendMessageW(survey.Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(ListView_GetColumnWidth(List(), 0), MulDiv(fitted, 192, before));

    SurveyViewModel english = Model(false);
    english.Columns = {"File", "Count", "Sheet thickness with a long title (mm)"};
    const int narrow = ListView_GetColumnWidth(List(), 2);
    survey.Show(english);
    LVCOLUMNW column{};
    wchar_t title[64] = {};
    column.mask = LVCF_TEXT;
    column.pszText = title;
    column.cchTextMax = 64;
    ASSERT_TRUE(ListView_GetColumn(List(), 2, &column));
    EXPECT_STREQ(title, L"Sheet thickness with a long title (mm)");
    column.mask = LVCF_FMT;
    ASSERT_TRUE(ListView_GetColumn(List(), 2, &column));
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT) << "numbers stand right-aligned";
    EXPECT_GT(ListView_GetColumnWidth(List(), 2), narrow) << "the longer title fits";
    EXPECT_EQ(ListView_GetItemCount(List()), 3);
    EXPECT_EQ(CheckImage(2), 2u) << "the rows stay with the new titles";
}

TEST_F(SurveyWindowTest, ReportsChecksColumnClicksAndButtonsAndTakesBackWhatTheCoreRefused) {
    survey.Show(Model(false));
    EXPECT_CALL(surveyEvents, OnSurveyChecked(2u, true)); // the part the row shows
    ListView_SetItemState(List(), 0, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
    survey.Show(Model(false)); // the core did not take it
    EXPECT_EQ(CheckImage(0), 1u);

    EXPECT_CALL(surveyEvents, OnSurveySort(2));
    NMLISTVIEW click{};
    click.hdr = {List(), static_cast<UINT_PTR>(SurveyListId), LVN_COLUMNCLICK};
    click.iSubItem = 2;
    SendMessageW(survey.Handle(), WM_NOTIFY, SurveyListId, reinterpret_cast<LPARAM>(&click));

    EXPECT_CALL(surveyEvents, OnSurveyCommand(SurveyCommand::Copy));
    SendMessageW(survey.Control(SurveyCopyId), BM_CLICK, 0, 0);
    EXPECT_CALL(surveyEvents, OnSurveyClosed());
    survey.Close();
    EXPECT_EQ(survey.Handle(), nullptr);
}

} // namespace
} // namespace psm
