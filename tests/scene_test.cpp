// SPDX-License-Identifier: MIT
// The scene: controls turned into drawing primitives, and the comparison that
// decides whether a new frame is needed. Lengths below are twips in, logical
// pixels out (15 twips to the pixel).
#include <gtest/gtest.h>

#include <ostream>
#include <span>
#include <vector>

#include "core/scene/colour_hold.h"
#include "core/scene/scene.h"

namespace vorl {

void PrintTo(const Box& b, std::ostream* os) {
    *os << '(' << b.x << ", " << b.y << ", " << b.width << " x " << b.height << ')';
}

namespace {

constexpr Colour kCloth = 0x008000;

Scene sceneOf(const std::vector<ControlRef>& controls, double ratio = 1) {
    Scene scene;
    scene.build(COLOR_MENU, 19080, 10680, controls, ratio);
    return scene;
}

ShapeControl shape(ShapeKind kind, float left, float top, float width, float height) {
    ShapeControl s;
    s.Shape = kind;
    s.Left = left;
    s.Top = top;
    s.Width = width;
    s.Height = height;
    return s;
}

// Catches a solid border moved inside the edge, an inside border left on it
// (or its corners not following it in), a pen wider than the shape it
// borders, and a transparent shape that gets filled.
TEST(Scene, SolidBorderStraddlesTheEdgeInsideBorderIsInsetAndNarrowed) {
    ShapeControl solid = shape(ShapeKind::Rectangle, 150, 300, 1500, 900);  // 100 x 60 px at 10, 20
    solid.BorderWidth = 3;
    solid.FillStyle = ShapeFillStyle::Solid;
    solid.FillColor = kCloth;
    ShapeControl inside = shape(ShapeKind::RoundedRectangle, 150, 300, 1500, 900);
    inside.BorderWidth = 4;
    inside.BorderStyle = ShapeBorderStyle::InsideSolid;
    ShapeControl thin = shape(ShapeKind::Oval, 150, 300, 1500, 300);  // 20 px high
    thin.BorderWidth = 50;
    thin.BorderStyle = ShapeBorderStyle::InsideSolid;
    const Scene scene = sceneOf({&solid, &inside, &thin});
    const std::span<const Primitive> p = scene.primitives();
    ASSERT_EQ(p.size(), 4u);

    EXPECT_EQ(p[1].kind, PrimitiveKind::RoundedRectangle);
    EXPECT_EQ(p[1].box, (Box{10, 20, 100, 60}));
    EXPECT_EQ(p[1].radius, 0);
    EXPECT_EQ(p[1].pen, (Pen{true, COLOR_WINDOWTEXT, 3, PenAlignment::Centred, LineCap::Flat,
                             LineJoin::Miter}));
    EXPECT_EQ(p[1].fill, (Fill{true, kCloth}));

    EXPECT_EQ(p[2].box, (Box{12, 22, 96, 56}));  // in by half of 4
    EXPECT_DOUBLE_EQ(p[2].radius, 4);            // a tenth of 60, less 2
    EXPECT_EQ(p[2].pen.width, 4);
    EXPECT_EQ(p[2].pen.alignment, PenAlignment::Inside);
    EXPECT_FALSE(p[2].fill.present);

    EXPECT_EQ(p[3].kind, PrimitiveKind::Ellipse);
    EXPECT_EQ(p[3].pen.width, 20);  // no wider than the shorter side
    EXPECT_EQ(p[3].box, (Box{20, 30, 80, 0}));
}

// Catches a reversed or shuffled stacking order, a hidden control drawn, a
// circle stretched over its whole box, a ring filled with its stored fill,
// a missing back colour, and a line thinner than a pixel or with flat ends.
TEST(Scene, ControlsStackInOrderHiddenOnesAddNothingARingShowsTheClothThrough) {
    ShapeControl cloth = shape(ShapeKind::RoundedRectangle, 600, 600, 10695, 5535);
    cloth.FillStyle = ShapeFillStyle::Solid;
    cloth.FillColor = kCloth;
    ShapeControl hidden = shape(ShapeKind::Rectangle, 0, 0, 300, 300);
    hidden.Visible = false;
    ShapeControl ring = shape(ShapeKind::Circle, 1500, 1500, 450, 150);  // 30 x 10 px
    ring.BorderWidth = 4;
    ring.BorderStyle = ShapeBorderStyle::InsideSolid;
    ring.FillColor = 0x00FFFF;  // stored, but the fill is transparent
    LineControl line;
    line.X1 = 150;
    line.Y1 = 150;
    line.X2 = 450;
    line.Y2 = 150;
    line.BorderWidth = 0;
    const Scene scene = sceneOf({&cloth, &hidden, &ring, &line});
    const std::span<const Primitive> p = scene.primitives();
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[0].box, (Box{0, 0, 1272, 712}));
    EXPECT_EQ(p[0].fill, (Fill{true, COLOR_MENU}));
    EXPECT_FALSE(p[0].pen.present);
    EXPECT_EQ(p[1].fill, (Fill{true, kCloth}));
    EXPECT_EQ(p[2].kind, PrimitiveKind::Ellipse);
    EXPECT_EQ(p[2].box, (Box{112, 102, 6, 6}));  // a 10 px circle centred at (115, 105)
    EXPECT_FALSE(p[2].fill.present);
    EXPECT_EQ(p[3].kind, PrimitiveKind::Line);
    EXPECT_EQ(p[3].from, (Point{10, 10}));
    EXPECT_EQ(p[3].to, (Point{30, 10}));
    EXPECT_EQ(p[3].pen, (Pen{true, COLOR_WINDOWTEXT, 1, PenAlignment::Centred, LineCap::Round,
                             LineJoin::Round}));
}

// Catches a label without its back, a border not one pixel wholly inside, text
// touching the border, the wrong alignment, wrapping lost, the font or the
// front-end's default swapped, and a picture stretched to its frame.
TEST(Scene, LabelGivesBackBorderAndWrappedTextInsideItsMarginsPictureIsClipped) {
    LabelControl boxed;
    boxed.Caption = "Number of Clicks";
    boxed.Left = 300;
    boxed.Top = 150;
    boxed.Width = 1500;  // 100 x 20 px at 20, 10
    boxed.Height = 300;
    boxed.BorderStyle = LabelBorderStyle::FixedSingle;
    boxed.Alignment = LabelAlignment::Center;
    boxed.BackColor = 0x0000FF;
    boxed.ForeColor = 0x00FF00;
    boxed.Font = FontSpec{"MS Sans Serif", 13.5, 700, false, false, false, 0};
    LabelControl plain = boxed;
    plain.BorderStyle = LabelBorderStyle::None;
    plain.Alignment = LabelAlignment::LeftJustify;
    plain.Font.reset();
    PictureControl picture;
    picture.Left = 150;
    picture.Top = 150;
    picture.Width = 300;  // a 20 x 10 px frame over a 30 x 5 px picture
    picture.Height = 150;
    picture.picture = {30, 5, 0xFF0000};
    const Scene scene = sceneOf({&boxed, &plain, &picture});
    const std::span<const Primitive> p = scene.primitives();
    ASSERT_EQ(p.size(), 7u);

    EXPECT_EQ(p[1].box, (Box{20, 10, 100, 20}));
    EXPECT_EQ(p[1].fill, (Fill{true, 0x0000FF}));
    EXPECT_FALSE(p[1].pen.present);
    EXPECT_EQ(p[2].box, (Box{20.5, 10.5, 99, 19}));
    EXPECT_EQ(p[2].pen, (Pen{true, COLOR_WINDOWTEXT, 1, PenAlignment::Inside, LineCap::Flat,
                             LineJoin::Bevel}));
    EXPECT_FALSE(p[2].fill.present);
    EXPECT_EQ(p[3].kind, PrimitiveKind::Text);
    EXPECT_EQ(p[3].box, (Box{23, 11, 94, 18}));  // in by the border, then 2 px each side
    EXPECT_EQ(p[3].clip, p[3].box);
    EXPECT_EQ(p[3].text, "Number of Clicks");
    EXPECT_EQ(p[3].fill, (Fill{true, 0x00FF00}));
    EXPECT_EQ(p[3].textAlignment, TextAlignment::Centre);
    EXPECT_TRUE(p[3].wordWrap);
    EXPECT_EQ(p[3].font, boxed.Font);

    EXPECT_EQ(p[5].kind, PrimitiveKind::Text);  // no border before it
    EXPECT_EQ(p[5].box, (Box{22, 10, 96, 20}));
    EXPECT_EQ(p[5].textAlignment, TextAlignment::Left);
    EXPECT_FALSE(p[5].font.has_value());
    EXPECT_EQ(p[6].box, (Box{10, 10, 20, 5}));
    EXPECT_EQ(p[6].fill, (Fill{true, 0xFF0000}));
}

// Catches a check that repaints for every sub-eighth creep of a ball (a repaint
// every tick on a settled table), misses a move of a whole eighth of a device
// pixel or any change of colour, caption or visibility, sees changes to a
// hidden control, or ignores the pixel ratio.
TEST(Scene, LooksLikeIgnoresCreepUnderAnEighthOfADevicePixelAndNothingElse) {
    ShapeControl ball = shape(ShapeKind::Circle, 150, 300, 375, 375);
    LabelControl shown;
    shown.Caption = "1";
    LabelControl hidden;
    hidden.Visible = false;
    const std::vector<ControlRef> controls{&ball, &shown, &hidden};
    const Scene painted = sceneOf(controls);
    const Scene paintedAt2 = sceneOf(controls, 2);
    Scene current;  // rebuilt in place, as the view does on every tick
    auto now = [&](double ratio = 1) -> const Scene& {
        current.build(COLOR_MENU, 19080, 10680, controls, ratio);
        return current;
    };
    EXPECT_TRUE(now().looksLike(painted));
    EXPECT_FALSE(paintedAt2.looksLike(painted));

    hidden.Caption = "changed behind the scenes";
    EXPECT_TRUE(now().looksLike(painted));
    ball.Left = 151.8f;  // 0.12 px: under an eighth at ratio 1, over it at ratio 2
    EXPECT_TRUE(now().looksLike(painted));
    EXPECT_FALSE(now(2).looksLike(paintedAt2));
    ball.Left = 151.875f;  // exactly an eighth
    EXPECT_FALSE(now().looksLike(painted));
    ball.Left = 150;
    ball.Width = ball.Height = 390;  // grown by a pixel
    EXPECT_FALSE(now().looksLike(painted));
    ball.Width = ball.Height = 375;
    shown.Caption = "2";
    EXPECT_FALSE(now().looksLike(painted));
    shown.Caption = "1";
    ball.BorderColor = 0x00FFFF;
    EXPECT_FALSE(now().looksLike(painted));
    ball.BorderColor = COLOR_WINDOWTEXT;
    ball.Visible = false;
    EXPECT_FALSE(now().looksLike(painted));
    ball.Visible = true;
    EXPECT_TRUE(now().looksLike(painted));
}

// Catches colours still changing on every frame, positions held with them,
// the newest colours never shown when due, and other shapes given held colours.
TEST(ColourHold, ColoursChangeAtMostThreeTimesASecondWhilePositionsFollowEveryFrame) {
    ShapeControl cloth = shape(ShapeKind::Rectangle, 150, 300, 1500, 900);
    cloth.FillStyle = ShapeFillStyle::Solid;
    ColourHold hold;
    Scene scene;
    int changes = 0;
    for (int frame = 0; frame < 64; ++frame) {
        const Colour shown = frame > 0 ? scene.primitives()[1].fill.colour : 0;
        cloth.FillColor = 0x010101u * static_cast<Colour>(frame);
        cloth.Left = 150.0f + 15.0f * static_cast<float>(frame);
        scene = sceneOf({&cloth});
        hold.apply(scene, frame / 64.0);
        EXPECT_EQ(scene.primitives()[1].box.x, 10.0 + frame);
        changes += scene.primitives()[1].fill.colour != shown;
    }
    EXPECT_EQ(changes, 2);  // at 1/3 s and 2/3 s; the frame at 0 s was the first

    const double due = hold.dueAt().value();
    EXPECT_GT(due, 63 / 64.0);
    scene = sceneOf({&cloth});
    hold.apply(scene, due);
    EXPECT_EQ(scene.primitives()[1].fill.colour, cloth.FillColor);
    EXPECT_FALSE(hold.dueAt());
    cloth.FillColor = 0xABCDEF;
    ShapeControl ball = shape(ShapeKind::Circle, 0, 0, 375, 375);
    scene = sceneOf({&cloth, &ball});
    hold.apply(scene, due + 0.01);
    EXPECT_EQ(scene.primitives()[1].fill.colour, 0xABCDEFu);
}

}  // namespace
}  // namespace vorl
