// main_window_layout_test.cpp - the main window's layout arithmetic by itself: the edges at 800 and
// 801 pixels, rows spread for tall controls, labels never cut, the minimum snap, column widths.
#include "app/frame/main_window_layout.h"

#include <gtest/gtest.h>

#include "app/fonts/dpi_arithmetic.h"
#include "app/frame/main_window_template.h"

namespace {

/// The template at 2 pixels per dialog unit across and 2 down; every control needs nothing.
LayoutInput TemplateInput(int cx, int cy)
{
    LayoutInput input;
    input.clientWidth = cx;
    input.clientHeight = cy;
    input.templateClient = {kTemplateWidth * 2, kTemplateHeight * 2};
    input.horizontalGap = 4;
    input.verticalGap = 4;
    for (const TemplateControl& control : MainWindowTemplate()) {
        input.controls.push_back(
            {control.id, {control.x * 2, control.y * 2, control.width * 2, control.height * 2}, {}});
    }
    return input;
}

void Need(LayoutInput& input, int id, LayoutSize size)
{
    for (ControlGeometry& control : input.controls) {
        if (control.id == id) {
            control.needed = size;
        }
    }
}

LayoutRect At(const std::vector<PlacedControl>& placed, int id)
{
    for (const PlacedControl& control : placed) {
        if (control.id == id) {
            return control.rect;
        }
    }
    ADD_FAILURE() << "no control " << id;
    return {};
}

TEST(MainWindowLayout, HorizontalEdgesFollowHalfTheWidth)
{
    const struct {
        int cx;
        int fieldsEnd, rightLabels, combosEnd, buttonsEnd;
    } rows[] = {{800, 400, 405, 795, 795}, {801, 400, 405, 795, 796}, {0, 275, 280, 545, 545}};
    for (const auto& row : rows) {
        const auto placed = PlaceControls(TemplateInput(row.cx, 600));
        for (const int id : {ctl::kServer, ctl::kBaseDn, ctl::kPreselection}) {
            EXPECT_EQ(At(placed, id).Right(), row.fieldsEnd) << row.cx << " " << id;
        }
        for (const int id : {ctl::kPortLabel, ctl::kSearchAttributeLabel, ctl::kResultAttributeLabel}) {
            EXPECT_EQ(At(placed, id).x, row.rightLabels) << row.cx << " " << id;
        }
        // the port field and the combo boxes after the widest label (76 units)
        EXPECT_EQ(At(placed, ctl::kPort).x, row.fieldsEnd + 152 + 5);
        for (const int id : {ctl::kSearchAttribute, ctl::kResultAttribute}) {
            EXPECT_EQ(At(placed, id).Right(), row.combosEnd) << row.cx << " " << id;
        }
        for (const int id : {ctl::kSearch, ctl::kDetails}) {
            EXPECT_EQ(At(placed, id).Right(), row.buttonsEnd) << row.cx << " " << id;
        }
    }
    const auto placed = PlaceControls(TemplateInput(800, 600));
    EXPECT_EQ(At(placed, ctl::kSearchString), (LayoutRect{112, 178, 576, 24}));
    EXPECT_EQ(At(placed, ctl::kBanner), (LayoutRect{0, 0, 800, 49}));
    // the list keeps its template top, takes the rest of the height but one pixel
    EXPECT_EQ(At(placed, ctl::kResultList), (LayoutRect{112, 206, 576, 600 - 206 - 1}));
}

TEST(MainWindowLayout, TallControlsSpreadTheRowsApart)
{
    LayoutInput input = TemplateInput(800, 600);
    for (const int id : {ctl::kServer, ctl::kPort, ctl::kBaseDn, ctl::kPreselection, ctl::kSearchString}) {
        Need(input, id, {0, 38});
    }
    for (const int id : {ctl::kSearchAttribute, ctl::kResultAttribute}) {
        Need(input, id, {0, 34});
    }
    Need(input, ctl::kSearch, {90, 34});
    Need(input, ctl::kServerLabel, {80, 17});
    Need(input, ctl::kBanner, {533, 42});
    const auto placed = PlaceControls(input);

    EXPECT_EQ(At(placed, ctl::kServer).y, 54);  // the template's 27 units, below the banner
    EXPECT_EQ(At(placed, ctl::kBanner).height, 49);
    EXPECT_EQ(At(placed, ctl::kServerLabel).y, 54 + (38 - 17) / 2);
    EXPECT_EQ(At(placed, ctl::kBaseDn).y, 54 + 38 + 4);
    EXPECT_EQ(At(placed, ctl::kResultAttribute).y, 54 + 38 + 4 + 2);  // centred on the row
    EXPECT_EQ(At(placed, ctl::kResultAttribute).height, 34);          // the closed box, not the list
    EXPECT_GE(At(placed, ctl::kSearchString).y, At(placed, ctl::kSwap).Bottom() + 4);
    EXPECT_GE(At(placed, ctl::kDetails).y, At(placed, ctl::kSearch).Bottom() + 4);
    EXPECT_GE(At(placed, ctl::kResultList).y, At(placed, ctl::kSearchString).Bottom() + 4);
    EXPECT_EQ(At(placed, ctl::kResultList).Bottom(), 599);
}

TEST(MainWindowLayout, FieldsStartAfterLabelsThatNeedMoreRoom)
{
    LayoutInput input = TemplateInput(800, 600);
    Need(input, ctl::kBaseDnLabel, {180, 17});
    Need(input, ctl::kResultAttributeLabel, {200, 17});
    Need(input, ctl::kResultLabel, {130, 17});
    Need(input, ctl::kPort, {70, 34});
    Need(input, ctl::kDetails, {140, 28});
    const auto placed = PlaceControls(input);
    EXPECT_EQ(At(placed, ctl::kBaseDnLabel).width, 180);
    EXPECT_EQ(At(placed, ctl::kServer).x, 6 + 180 + 4);
    EXPECT_EQ(At(placed, ctl::kServer).Right(), 400);
    EXPECT_EQ(At(placed, ctl::kPort), (LayoutRect{400 + 200 + 5, 54, 70, 34}));
    EXPECT_EQ(At(placed, ctl::kSearchAttribute).x, 605);
    EXPECT_EQ(At(placed, ctl::kSearchAttribute).Right(), 795);
    const LayoutRect list = At(placed, ctl::kResultList);
    EXPECT_EQ(list.x, 8 + 130 + 4);
    EXPECT_LE(list.Right() + 4, At(placed, ctl::kDetails).x);  // never under the wider button
    // one button column: the wider text widens both, and the search string ends where the list does
    EXPECT_EQ(At(placed, ctl::kSearch).x, At(placed, ctl::kDetails).x);
    EXPECT_EQ(At(placed, ctl::kSearch).width, 140);
    EXPECT_EQ(At(placed, ctl::kSearchString).Right(), list.Right());
}

TEST(MainWindowLayout, DefaultSizeKeepsTheTemplateListHeight)
{
    LayoutInput input = TemplateInput(0, 0);
    EXPECT_EQ(DefaultClientSize(input), (LayoutSize{706, 410}));
    Need(input, ctl::kSearchString, {0, 60});
    const LayoutSize size = DefaultClientSize(input);
    EXPECT_EQ(size.width, 706);
    EXPECT_GT(size.height, 410);
}

TEST(MainWindowLayout, MinimumGrowsOnlyWhereTheListWouldNotShowItsRows)
{
    LayoutInput input = TemplateInput(540, 310);  // the client area of the smallest window
    const LayoutSize frame{10, 80};
    EXPECT_EQ(MinimumWindowSize(input, 60, frame), kMinimumWindowSize);
    const int listTop = At(PlaceControls(input), ctl::kResultList).y;
    EXPECT_EQ(MinimumWindowSize(input, 400, frame).height, listTop + 400 + 1 + 80);
    Need(input, ctl::kSearchString, {0, 60});  // taller fields push the list, and the minimum, down
    EXPECT_GT(MinimumWindowSize(input, 300, frame).height,
              MinimumWindowSize(TemplateInput(540, 310), 300, frame).height);
    EXPECT_EQ(MinimumWindowSize(input, 300, frame).width, kMinimumWindowSize.width);
}

TEST(MainWindowLayout, ColumnsShareTheListWidthAtEachResolution)
{
    EXPECT_EQ(ColumnWidth(700, 3, ScaleForDpi(20, 96)), 226);
    EXPECT_EQ(ColumnWidth(700, 3, ScaleForDpi(20, 120)), 225);
    EXPECT_EQ(ColumnWidth(700, 0, 20), 0);
}

TEST(DpiArithmetic, ScalesOnlyAboveTheDesignResolution)
{
    EXPECT_EQ(ScaleForDpi(20, 72), 20);
    EXPECT_EQ(ScaleForDpi(20, 96), 20);
    EXPECT_EQ(ScaleForDpi(20, 144), 30);
    EXPECT_EQ(ScaleForDpi(20, 120), 25);
    EXPECT_EQ(ScaledWindowSize(100, 40, 96), std::nullopt);
    ASSERT_TRUE(ScaledWindowSize(100, 40, 144).has_value());
    EXPECT_EQ(ScaledWindowSize(100, 40, 144)->width, 150);
    EXPECT_EQ(ScaledWindowSize(100, 40, 144)->height, 60);
    EXPECT_EQ(ScaledWindowSize(100, 1, 97), std::nullopt);  // one side would not change
}

}  // namespace
