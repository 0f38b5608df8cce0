// SPDX-License-Identifier: MIT
#include <string>

#include "game/form1.h"
#include "game/help_text.h"

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

struct BallLook {
    float left, top;
    Colour border;
    Colour fill;
};

// The rack points its apex at the cue ball; 0-7 are discs, 8-14 rings.
constexpr BallLook kOpeningBalls[Form1::kObjectBallCount] = {
    {4440, 3000, 0xE0E0E0, 0x00FFFF}, {3960, 2760, 0x800000, 0x800000},
    {3960, 3240, 0x0000C0, 0x0000C0}, {3600, 2520, 0x000000, 0x800080},
    {3240, 2760, 0x0040C0, 0x0080FF}, {3600, 3480, 0x000000, 0x004000},
    {3240, 2280, 0x000040, 0x000040}, {3600, 3000, 0x000000, 0x000000},
    {3240, 3240, 0x00FFFF, 0x00FFFF}, {3240, 3720, 0x800000, 0x800000},
    {2760, 2040, 0x0000C0, 0x00FFFF}, {2760, 2520, 0x800080, 0x00FFFF},
    {2760, 3000, 0x000040, 0x00FFFF}, {2760, 3480, 0x0080FF, 0x00FFFF},
    {2760, 3960, 0x004000, 0x00FFFF},
};
constexpr int kFirstRing = 8;

struct Point {
    float x, y;
};

constexpr Point kPocketCorners[Form1::kPocketCount] = {
    {10680, 600}, {480, 480}, {480, 5520}, {10560, 5520}, {5160, 360}, {5280, 5640},
};

// Centres of the fourteen diamond sights on the rail.
constexpr Point kSights[14] = {
    {600, 2040},  {600, 3240},  {600, 4560},   {2040, 600},   {4200, 600},
    {7080, 600},  {9240, 600},  {11280, 2040}, {11280, 3360}, {11280, 4680},
    {2040, 6120}, {4320, 6120}, {7080, 6120},  {9360, 6120},
};
constexpr float kSightReach = 120;

MenuItem menu(const char* name, const char* caption, std::vector<MenuItem> items = {}) {
    return MenuItem{name, caption, std::move(items)};
}

}  // namespace

void Form1::InitializeLayout() {
    shpTableLay1 = shape("shpTableLay1", -1, ShapeKind::RoundedRectangle, 600, 600, 10695, 5535);
    shpTableLay1.FillStyle = ShapeFillStyle::Solid;
    shpTableLay1.FillColor = 0x008000;
    shpTableLay1.BorderWidth = 40;
    shpTableLay1.BorderColor = 0x0040C0;
    shpTableLay1.BackColor = COLOR_MENU;

    shpBorder = shape("shpBorder", -1, ShapeKind::Rectangle, 880, 885, 10100, 4935);
    shpBorder.Visible = false;

    for (int k = 0; k < kPocketCount; ++k) {
        Pcoket[k] =
            shape("Pcoket", k, ShapeKind::Oval, kPocketCorners[k].x, kPocketCorners[k].y, 855, 735);
        Pcoket[k].FillStyle = ShapeFillStyle::Solid;
        Pcoket[k].FillColor = 0x000000;
    }

    // Each diamond is four strokes from its top and bottom tips to its sides.
    for (int d = 0; d < 14; ++d) {
        const Point c = kSights[d];
        const Point ends[4][2] = {
            {{c.x, c.y - kSightReach}, {c.x + kSightReach, c.y}},
            {{c.x, c.y + kSightReach}, {c.x + kSightReach, c.y}},
            {{c.x, c.y - kSightReach}, {c.x - kSightReach, c.y}},
            {{c.x, c.y + kSightReach}, {c.x - kSightReach, c.y}},
        };
        for (int k = 0; k < 4; ++k) {
            LineControl& line = Line[4 * d + k];
            line.Name = "Line" + std::to_string(4 * d + k + 1);
            line.X1 = ends[k][0].x;
            line.Y1 = ends[k][0].y;
            line.X2 = ends[k][1].x;
            line.Y2 = ends[k][1].y;
            line.BorderColor = COLOR_MENU;
            line.BorderWidth = 3;
        }
    }

    LineControl& headString = Line[56];
    headString.Name = "Line57";
    headString.X1 = 8280;
    headString.Y1 = 900;
    headString.X2 = 8280;
    headString.Y2 = 5820;
    headString.BorderColor = COLOR_WINDOW;

    Shape42 = shape("Shape42", -1, ShapeKind::Circle, 4440, 3120, 255, 135);
    Shape42.FillStyle = ShapeFillStyle::Solid;
    Shape42.FillColor = 0xFFFFFF;
    Shape42.BorderColor = COLOR_WINDOW;

    for (int i = 0; i < kObjectBallCount; ++i) {
        const BallLook& look = kOpeningBalls[i];
        ball[i] = shape("ball", i, ShapeKind::Circle, look.left, look.top, 375, 375);
        ball[i].BorderColor = look.border;
        ball[i].FillColor = look.fill;
        if (i < kFirstRing) {
            ball[i].FillStyle = ShapeFillStyle::Solid;
        } else {
            ball[i].FillStyle = ShapeFillStyle::Transparent;
            ball[i].BorderStyle = ShapeBorderStyle::InsideSolid;
            ball[i].BorderWidth = 7;
        }
    }
    ShapeControl& cue = ball[kCueBall];
    cue = shape("ball", kCueBall, ShapeKind::Circle, 8760, 3120, 255, 255);
    cue.BorderColor = 0xFFFFFF;
    cue.BorderWidth = 7;
    cue.FillColor = 0xFFFFFF;
    cue.FillStyle = ShapeFillStyle::Solid;

    lineCue.Name = "lineCue";
    lineCue.X1 = 12240;
    lineCue.Y1 = 1800;
    lineCue.X2 = 11880;
    lineCue.Y2 = 4560;
    lineCue.BorderColor = 0x0040C0;
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
    Image1.picture = Picture{999, 590, 0xFF0000};  // one saturated blue

    Timer1.Name = "Timer1";
    Timer1.Interval = 1;
    Timer1.Enabled = true;

    menus = {
        menu("mnuFile", "&File", {menu("mnuReset", "&Reset"), menu("mnuExit", "&Exit")}),
        menu("mnuedit", "E&dit",
             {
                 menu("mnuDiff", "Difficulty ",
                      {menu("mnuDiff0", "0"), menu("mnudiff1", "1"), menu("mnudiff2", "2"),
                       menu("mnudiff3", "3")}),
                 menu("mnuBC", "&Board Color",
                      {menu("mnuGreen", "&Green"), menu("mnuCyan", "&Cyan"),
                       menu("mnuCB", "Bl&ue")}),
                 menu("mnuBoC", "Border Color",
                      {menu("mnuBB", "Brown"), menu("mnuBCY", "Cyan"), menu("mnuBR", "Red")}),
             }),
        menu("mnuHelp", "&Help", {menu("mnuhtp", "How &To Play"), menu("mnuprog", "Pro&gramer")}),
    };
}

std::vector<ControlRef> Form1::controlsBackToFront() const {
    std::vector<ControlRef> order;
    order.reserve(100);
    order.push_back(&shpTableLay1);
    order.push_back(&Shape42);
    for (int n = 1; n <= 56; ++n) {
        order.push_back(&Line[n - 1]);
    }
    for (int i = 0; i <= 11; ++i) {
        order.push_back(&ball[i]);
    }
    // Ball 12 sits above 13 and 14 in the stack.
    order.push_back(&ball[13]);
    order.push_back(&ball[14]);
    order.push_back(&ball[12]);
    order.push_back(&ball[kCueBall]);
    order.push_back(&lblP1BC);
    order.push_back(&Line[56]);
    order.push_back(&lineCue);
    order.push_back(&lblHelp);
    order.push_back(&Pcoket[0]);
    order.push_back(&shpBorder);
    for (int k = 1; k < kPocketCount; ++k) {
        order.push_back(&Pcoket[k]);
    }
    for (const LabelControl* l :
         {&lblNamePl1, &lblP1CC, &Label18, &Label19, &lblNamePl2, &lblP2BC, &lblP2CC}) {
        order.push_back(l);
    }
    order.push_back(&Image1);
    return order;
}

}  // namespace vorl
