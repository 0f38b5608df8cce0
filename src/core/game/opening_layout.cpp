// SPDX-License-Identifier: MIT
#include <string>

#include "core/game/form1.h"
#include "core/game/help_text.h"
#include "core/game/table_facts.h"

namespace vorl {
namespace {

ShapeControl shape(const char* name, int index, ShapeKind kind, float left, float top, float width,
                   float height) {
    ShapeControl s;
    s.Name = name;
    s.Index = index;
    s.Shape = kind;
    s.Left = left;
    s.Top = top;
    s.Width = width;
    s.Height = height;
    return s;
}

LabelControl label(const char* name, const char* caption, float left, float top, float width,
                   float height, LabelAlignment alignment) {
    LabelControl l;
    l.Name = name;
    l.Caption = caption;
    l.Left = left;
    l.Top = top;
    l.Width = width;
    l.Height = height;
    l.BorderStyle = LabelBorderStyle::FixedSingle;
    l.Alignment = alignment;
    return l;
}

// The colours of the opening rack that tell no ball apart: the rim of a solid
// disc, and the fill of a ring, which its transparent centre never shows.
constexpr Colour kSolidRims[Form1::kFirstRing] = {
    table::kLightGrey, table::kNavy,  table::kDarkRed, table::kBlack,
    table::kBrown,     table::kBlack, table::kMaroon,  table::kBlack,
};
constexpr Colour kRingFills[table::kRingCount] = {
    table::kYellow, table::kNavy,   table::kYellow, table::kYellow,
    table::kYellow, table::kYellow, table::kYellow,
};

struct Point {
    float x, y;
};

constexpr Point kPocketCorners[Form1::kPocketCount] = {
    {10680, 600}, {480, 480}, {480, 5520}, {10560, 5520}, {5160, 360}, {5280, 5640},
};

// Centres of the fourteen diamond sights on the rail.
constexpr Point kSights[Form1::kSightCount] = {
    {600, 2040},  {600, 3240},  {600, 4560},   {2040, 600},   {4200, 600},
    {7080, 600},  {9240, 600},  {11280, 2040}, {11280, 3360}, {11280, 4680},
    {2040, 6120}, {4320, 6120}, {7080, 6120},  {9360, 6120},
};
constexpr float kSightReach = 120;

}  // namespace

void Form1::initializeLayout() {
    shpTableLay1 = shape("shpTableLay1", -1, ShapeKind::RoundedRectangle, 600, 600, 10695, 5535);
    shpTableLay1.FillStyle = ShapeFillStyle::Solid;
    shpTableLay1.FillColor = table::kCloth;
    shpTableLay1.BorderWidth = 40;
    shpTableLay1.BorderColor = table::kRail;
    shpTableLay1.BackColor = COLOR_MENU;

    shpBorder = shape("shpBorder", -1, ShapeKind::Rectangle, 880, 885, 10100, 4935);
    shpBorder.Visible = false;

    for (int k = 0; k < kPocketCount; ++k) {
        Pcoket[k] =
            shape("Pcoket", k, ShapeKind::Oval, kPocketCorners[k].x, kPocketCorners[k].y, 855, 735);
        Pcoket[k].FillStyle = ShapeFillStyle::Solid;
        Pcoket[k].FillColor = table::kPocket;
    }

    // Each diamond is four strokes from its top and bottom tips to its sides.
    for (int d = 0; d < kSightCount; ++d) {
        const Point c = kSights[d];
        const Point ends[kLinesPerSight][2] = {
            {{c.x, c.y - kSightReach}, {c.x + kSightReach, c.y}},
            {{c.x, c.y + kSightReach}, {c.x + kSightReach, c.y}},
            {{c.x, c.y - kSightReach}, {c.x - kSightReach, c.y}},
            {{c.x, c.y + kSightReach}, {c.x - kSightReach, c.y}},
        };
        for (int k = 0; k < kLinesPerSight; ++k) {
            const int n = kLinesPerSight * d + k;
            LineControl& line = Line[n];
            line.Name = "Line" + std::to_string(n + 1);
            line.X1 = ends[k][0].x;
            line.Y1 = ends[k][0].y;
            line.X2 = ends[k][1].x;
            line.Y2 = ends[k][1].y;
            line.BorderColor = COLOR_MENU;
            line.BorderWidth = 3;
        }
    }

    LineControl& headString = Line[kHeadStringLine];
    headString.Name = "Line57";
    headString.X1 = 8280;
    headString.Y1 = 900;
    headString.X2 = 8280;
    headString.Y2 = 5820;
    headString.BorderColor = COLOR_WINDOW;

    Shape42 = shape("Shape42", -1, ShapeKind::Circle, 4440, 3120, 255, 135);
    Shape42.FillStyle = ShapeFillStyle::Solid;
    Shape42.FillColor = table::kWhite;
    Shape42.BorderColor = COLOR_WINDOW;

    for (int i = 0; i < kObjectBallCount; ++i) {
        const table::Spot spot = table::kRackSpots[i];
        ball[i] = shape("ball", i, ShapeKind::Circle, spot.left, spot.top, 375, 375);
        if (i < kFirstRing) {
            ball[i].BorderColor = kSolidRims[i];
            ball[i].FillColor = table::kSolidColours[i];
            ball[i].FillStyle = ShapeFillStyle::Solid;
        } else {
            ball[i].BorderColor = table::kOpeningRingColours[i - kFirstRing];
            ball[i].FillColor = kRingFills[i - kFirstRing];
            ball[i].FillStyle = ShapeFillStyle::Transparent;
            ball[i].BorderStyle = ShapeBorderStyle::InsideSolid;
            ball[i].BorderWidth = 7;
        }
    }
    ShapeControl& cue = ball[kCueBall];
    cue = shape("ball", kCueBall, ShapeKind::Circle, table::kOpeningCueBallSpot.left,
                table::kOpeningCueBallSpot.top, 255, 255);
    cue.BorderColor = table::kWhite;
    cue.BorderWidth = 7;
    cue.FillColor = table::kWhite;
    cue.FillStyle = ShapeFillStyle::Solid;

    lineCue.Name = "lineCue";
    lineCue.X1 = 12240;
    lineCue.Y1 = 1800;
    lineCue.X2 = 11880;
    lineCue.Y2 = 4560;
    lineCue.BorderColor = table::kOpeningCueLine;
    lineCue.BorderWidth = 2;

    const auto centred = LabelAlignment::Center;
    const auto left = LabelAlignment::LeftJustify;
    Label18 = label("Label18", "Balls Sunk", 2280, 7800, 2175, 255, centred);
    Label19 = label("Label19", "Number of Clicks", 4680, 7800, 2175, 255, centred);
    lblNamePl1 = label("lblNamePl1", "Player 1", 720, 8280, 1335, 375, centred);
    lblP1BC = label("lblP1BC", "", 2280, 8280, 2175, 375, left);
    lblP1CC = label("lblP1CC", "", 4680, 8280, 2175, 375, left);
    lblNamePl2 = label("lblNamePl2", "Player 2", 720, 8880, 1335, 375, centred);
    lblP2BC = label("lblP2BC", "", 2280, 8880, 2175, 375, left);
    lblP2CC = label("lblP2CC", "", 4680, 8880, 2175, 375, left);

    lblHelp = label("lblHelp", kHelpText, 12600, 1320, 5055, 5535, left);
    lblHelp.BorderStyle = LabelBorderStyle::None;
    lblHelp.Visible = false;
    lblHelp.Font = FontSpec{"MS Sans Serif", 13.5, 400, false, false, false, 0};

    Image1.Name = "Image1";
    Image1.Left = 14040;
    Image1.Top = 10680;
    Image1.Width = 14985;
    Image1.Height = 8850;
    Image1.picture = Picture{999, 590, table::kBlue};  // one saturated blue

    Timer1.Name = "Timer1";
    Timer1.Interval = 1;
    Timer1.Enabled = true;

    menus = menuTree();
}

}  // namespace vorl
