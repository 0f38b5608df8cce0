// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/game/keyboard_aim.h"
#include "qt/form_view.h"
#include "qt/form_window.h"
#include "qt/qt_message_box.h"
#include "qt/tick_timer.h"
#include "support/game.h"

namespace {

using namespace std::chrono_literals;
using vorl::Form1;
using vorl::FormView;
using vorl::FormWindow;
using vorl::kTickPeriod;
using vorl::TickTimer;
using vorl::testing::RecordingForm;

// One QApplication for the whole run, on the offscreen platform unless told otherwise.
class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[16] = "frontend_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

void runEventLoop(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until `done` holds; false if it still does not after
// `limit`. Tests wait for what should happen rather than count what happened
// in a fixed time, so a busy machine only makes them slower; the limit is
// there for a game that has really stopped.
bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 4s) {
    return QTest::qWaitFor(done, static_cast<int>(limit.count()));
}

void sendMouse(QWidget* view, QEvent::Type type, QPointF pixel, Qt::MouseButton button,
               Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, pixel, view->mapToGlobal(pixel), button, held, modifiers);
    QCoreApplication::sendEvent(view, &event);
}

// The menu tree as indented, quoted captions, one per line.
void dumpMenu(const QList<QAction*>& actions, int depth, std::string& out) {
    for (const QAction* action : actions) {
        out += std::string(2 * depth, ' ') + '"' + action->text().toStdString() + "\"\n";
        if (QMenu* submenu = action->menu()) {
            dumpMenu(submenu->actions(), depth + 1, out);
        }
    }
}

std::vector<QAction*> leafActions(const QList<QAction*>& actions) {
    std::vector<QAction*> leaves;
    for (QAction* action : actions) {
        if (QMenu* submenu = action->menu()) {
            const auto inner = leafActions(submenu->actions());
            leaves.insert(leaves.end(), inner.begin(), inner.end());
        } else {
            leaves.push_back(action);
        }
    }
    return leaves;
}

// ---------------------------------------------------------------- the window

// Catches a wrong caption, or a client area off by a border or menu bar (that
// the window may be resized is e2e.fit's to check).
TEST(FormWindow, ShowsTheCaptionAndAClientAreaOf1272By712) {
    vorl::testing::Game game;
    FormWindow window(game.form);
    window.show();
    EXPECT_EQ(window.windowTitle().toStdString(), "Darvo's Vorl Hall");
    EXPECT_EQ(window.view()->size(), QSize(1272, 712));
    EXPECT_TRUE(window.windowIcon().isNull());
}

// Catches captions altered (ampersands, the trailing space), items lost or misplaced,
// and shortcuts or check marks added.
TEST(FormWindow, MenuBarCarriesTheMenuTreeCaptionsVerbatim) {
    vorl::testing::Game game;
    FormWindow window(game.form);
    std::string tree;
    dumpMenu(window.menuBar()->actions(), 0, tree);
    EXPECT_EQ(tree,
              "\"&File\"\n  \"&Reset\"\n  \"&Exit\"\n"
              "\"E&dit\"\n  \"Difficulty \"\n    \"0\"\n    \"1\"\n    \"2\"\n    \"3\"\n"
              "  \"&Board Color\"\n    \"&Green\"\n    \"&Cyan\"\n    \"Bl&ue\"\n"
              "  \"Border Color\"\n    \"Brown\"\n    \"Cyan\"\n    \"Red\"\n"
              "\"&Help\"\n  \"How &To Play\"\n  \"Pro&gramer\"\n");
    for (const QAction* action : window.findChildren<QAction*>()) {
        EXPECT_TRUE(action->shortcut().isEmpty()) << action->text().toStdString();
        EXPECT_FALSE(action->isCheckable()) << action->text().toStdString();
    }
}

// Catches a command wired to the wrong item, to its caption instead of its name, or not at all.
TEST(FormWindow, EveryMenuCommandReachesTheFormByName) {
    vorl::testing::Game game;
    RecordingForm form;
    form.menus = game.form.menuBar();
    FormWindow window(form);
    for (QAction* leaf : leafActions(window.menuBar()->actions())) {
        leaf->trigger();
    }
    EXPECT_EQ(form.clicks,
              (std::vector<std::string>{"mnuReset", "mnuExit", "mnuDiff0", "mnudiff1", "mnudiff2",
                                        "mnudiff3", "mnuGreen", "mnuCyan", "mnuCB", "mnuBB",
                                        "mnuBCY", "mnuBR", "mnuhtp", "mnuprog"}));
}

// ---------------------------------------------------------------- pointer input

// Catches pixels not scaled to twips, rounded positions, and wrong button or modifier bits.
TEST(FormView, PointerEventsReachTheFormInTwipsWithButtonAndKeyBits) {
    RecordingForm form;
    FormView view(form);
    EXPECT_TRUE(view.hasMouseTracking());
    sendMouse(&view, QEvent::MouseMove, {10.5, 20.25}, Qt::NoButton,
              Qt::LeftButton | Qt::MiddleButton, Qt::ShiftModifier | Qt::AltModifier);
    // A press reports the button pressed, not the others already held.
    sendMouse(&view, QEvent::MouseButtonPress, {3, 4}, Qt::RightButton,
              Qt::LeftButton | Qt::RightButton, Qt::ControlModifier);
    ASSERT_EQ(form.moves.size(), 1u);
    EXPECT_EQ(form.moves[0].button, 5);
    EXPECT_EQ(form.moves[0].shift, 5);
    EXPECT_EQ(form.moves[0].x, 157.5f);
    EXPECT_EQ(form.moves[0].y, 303.75f);
    ASSERT_EQ(form.downs.size(), 1u);
    EXPECT_EQ(form.downs[0].button, 2);
    EXPECT_EQ(form.downs[0].shift, 2);
    EXPECT_EQ(form.downs[0].x, 45.0f);
    EXPECT_EQ(form.downs[0].y, 60.0f);
}

// Catches a view that does not hand moves and presses to the game at all.
TEST(FormView, MoveLeftOfTheCueBallThenPressStrikesItToTheRight) {
    vorl::testing::Game game;
    FormWindow window(game.form);
    window.show();
    sendMouse(window.view(), QEvent::MouseMove, {500, 216.5}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(game.form.lineCue.X2, 7500.0f);
    EXPECT_EQ(game.form.lineCue.Y2, 3247.5f);
    sendMouse(window.view(), QEvent::MouseButtonPress, {500, 216.5}, Qt::LeftButton,
              Qt::LeftButton);
    EXPECT_GT(game.form.ballVel[Form1::kCueBall].vx, vorl::Fixed());
    EXPECT_FALSE(game.form.lineCue.Visible);
    EXPECT_EQ(game.form.shotActive, 1);
}

// Catches a table without the keys when the window opens, arrows that do not
// aim, a lost strike, and Alt+arrow (the menus' and the desktop's) taken for aim.
TEST(FormView, HasTheKeysFromTheStartArrowsAimAndSpaceStrikes) {
    vorl::testing::Game game;
    FormWindow window(game.form);
    vorl::KeyboardAim aim(game.form, game.form);
    window.view()->setKeyboardAim(&aim);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(QApplication::focusWidget(), window.view());
    const float x2 = game.form.lineCue.X2;
    QTest::keyClick(window.view(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(game.form.lineCue.X2, x2);
    QTest::keyClick(window.view(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_NE(game.form.lineCue.X2, x2);
    EXPECT_TRUE(window.view()->accessibleDescription().startsWith("Aim: "));
    QTest::keyClick(window.view(), Qt::Key_Space);
    EXPECT_EQ(game.form.shotActive, 1);
}

// Catches the last ball's colours painted on every frame when the player
// asked for less flashing, or held back when not asked.
TEST(FormView, WithLessFlashingTheClothChangesColourAtMostThreeTimesASecond) {
    for (const bool reduce : {false, true}) {
        vorl::testing::Game game;
        for (int i = 1; i < Form1::kObjectBallCount; ++i) {
            game.form.ball[i].Visible = false;
        }
        game.form.ballsSunk = 14;
        FormWindow window(game.form);
        double seconds = 0;
        if (reduce) {
            window.view()->reduceFlashing([&seconds] { return seconds; });
        }
        window.show();
        int changes = -1;  // the first frame is no change
        QColor cloth;
        for (int frame = 0; frame < 64; ++frame, seconds += 1.0 / 64) {
            game.form.timer();
            window.view()->refresh();
            const QColor painted = window.view()->grab().toImage().pixelColor(400, 133);
            changes += painted != cloth;
            cloth = painted;
        }
        EXPECT_EQ(changes, reduce ? 2 : 63) << "at 1/3 s and 2/3 s, or on every frame";
    }
}

// ---------------------------------------------------------------- drawing

// The opening table after one tick, drawn by the view. Pixels are logical
// pixels: twips / 15.
class RenderedTable : public ::testing::Test {
  protected:
    void SetUp() override {
        game_.form.timer();
        window_.show();
        image_ = window_.view()->grab().toImage();
    }
    std::string at(int x, int y) const { return image_.pixelColor(x, y).name().toStdString(); }
    std::string palette(QPalette::ColorRole role) const {
        return window_.view()->palette().color(role).name().toStdString();
    }

    vorl::testing::Game game_;
    FormWindow window_{game_.form};
    QImage image_;
};

// Catches a rail drawn wholly inside or outside the bed, at the wrong width, or a missing cloth.
TEST_F(RenderedTable, ClothFillsTheBedAndTheRailStraddlesItsEdge) {
    EXPECT_EQ(at(400, 133), "#008000");                 // cloth
    EXPECT_EQ(at(50, 180), "#c04000");                  // rail inside the bed's edge at x 40
    EXPECT_EQ(at(25, 180), "#c04000");                  // rail outside it
    EXPECT_EQ(at(400, 25), "#c04000");                  // top rail, outside the edge at y 40
    EXPECT_EQ(at(15, 180), palette(QPalette::Window));  // beyond the rail's outer edge at x 20
    EXPECT_EQ(at(400, 15), palette(QPalette::Window));
    EXPECT_EQ(at(58, 200), "#c04000");  // the hidden playing-area outline is not drawn
}

// Catches pockets drawn under the bed, and sights not in the menu colour.
TEST_F(RenderedTable, PocketsAreBlackAndSightsTakeTheMenuColour) {
    EXPECT_EQ(at(372, 48), "#000000");                  // top middle pocket
    EXPECT_EQ(at(44, 212), palette(QPalette::Window));  // left rail sight at (40, 216)
}

// Catches a missing fill and a reversed stacking order (the foot spot would show over ball 0).
TEST_F(RenderedTable, SolidBallShowsItsFillOverTheFootSpot) {
    EXPECT_EQ(at(308, 212), "#ffff00");  // ball 0's centre
    EXPECT_EQ(at(304, 212), "#ffff00");  // the foot spot's centre, under ball 0
}

// Catches a ring filled with its stored fill, or its border centred on the edge.
TEST_F(RenderedTable, RingBallShowsTheClothThroughItsHole) {
    EXPECT_EQ(at(228, 228), "#008000");  // ball 8's centre
    EXPECT_EQ(at(221, 228), "#ffff00");  // inner part of the 7-pixel ring
    EXPECT_EQ(at(218, 228), "#ffff00");
}

// Catches the cue ball's 7-pixel rim kept inside its 17-pixel square, and hard
// (unantialiased or pixel-snapped) edges.
TEST_F(RenderedTable, CueBallRimStraddlesItsEdgeWithASoftBoundary) {
    EXPECT_EQ(at(592, 216), "#ffffff");               // centre
    EXPECT_EQ(at(602, 216), "#ffffff");               // outside the square, inside the rim
    EXPECT_EQ(at(606, 216), "#008000");               // beyond the rim
    const QColor edge = image_.pixelColor(604, 216);  // half covered: the rim ends at 604.5
    EXPECT_GT(edge.red(), 60);
    EXPECT_LT(edge.red(), 200);
}

// Catches the turn colour not drawn, a missing border, or the other label painted too.
TEST_F(RenderedTable, CurrentPlayersNameLabelIsRedWithABorder) {
    EXPECT_EQ(at(50, 574), "#ff0000");
    EXPECT_EQ(at(48, 574), palette(QPalette::WindowText));
    EXPECT_EQ(at(50, 614), palette(QPalette::Button));
}

// Catches a circle drawn as an ellipse filling its rectangle, positions snapped to whole
// pixels, and a picture stretched to its frame or not clipped by it.
TEST(ScenePainter, CircleSitsCentredBarSitsBetweenPixelsPictureKeepsItsSize) {
    vorl::ShapeControl circle;
    circle.Shape = vorl::ShapeKind::Circle;
    circle.Left = 150;
    circle.Top = 600;
    circle.Width = 450;  // 30 x 10 pixels: a 10-pixel circle in the middle
    circle.Height = 150;
    circle.FillStyle = vorl::ShapeFillStyle::Solid;
    circle.FillColor = 0x0000FF;
    circle.BorderWidth = 0;
    vorl::ShapeControl bar = circle;  // one pixel wide, from x 10.5 to 11.5
    bar.Shape = vorl::ShapeKind::Rectangle;
    bar.Left = 157.5;
    bar.Top = 900;
    bar.Width = 15;
    vorl::PictureControl picture;
    picture.Left = 150;
    picture.Top = 150;
    picture.Width = 300;  // a 20 x 10 frame over a 30 x 5 picture
    picture.Height = 150;
    picture.picture = {30, 5, 0xFF0000};
    RecordingForm form;
    form.controls = {&circle, &bar, &picture};
    FormView view(form);
    const QImage image = view.grab().toImage();
    const QString background = view.palette().color(QPalette::Window).name();

    EXPECT_EQ(image.pixelColor(25, 45).name(), "#ff0000");
    EXPECT_EQ(image.pixelColor(12, 45).name(), background);
    for (const int x : {10, 11}) {  // each pixel half covered
        EXPECT_GT(image.pixelColor(x, 65).red(), image.pixelColor(x, 65).blue() + 20);
        EXPECT_LT(image.pixelColor(x, 65).red(), 255);
    }
    EXPECT_EQ(image.pixelColor(25, 12).name(), "#0000ff");
    EXPECT_EQ(image.pixelColor(35, 12).name(), background);  // beyond the frame
    EXPECT_EQ(image.pixelColor(25, 17).name(), background);  // below the picture
}

// ---------------------------------------------------------------- repainting

class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

// Catches a view that repaints on every tick of a table at rest, a timer that
// ticks on over it (the cost of an idle game), one that a press does not
// start again, or a view that stops repainting a rolling ball.
TEST(FormView, TicksRepaintOnlyWhenTheTableChanged) {
    vorl::testing::Game game;
    game.form.timer();  // the first tick fills in the score labels
    TickTimer ticker(game.form);
    FormWindow window(ticker.form());
    ticker.drawIn(*window.view());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    runEventLoop(50ms);
    PaintCounter counter;
    window.view()->installEventFilter(&counter);
    int ticks = 0;
    QObject::connect(&ticker, &TickTimer::ticked, [&ticks] { ++ticks; });
    ticker.start();
    ASSERT_TRUE(waitUntil([&] { return ticker.asleep(); }));
    EXPECT_EQ(ticks, 1);  // at rest from the first: its stroke counts were filled in above
    EXPECT_EQ(counter.paints, 0);
    ticker.form().mouseDown(1, 0, 0, 0);  // strikes along the opening line
    EXPECT_TRUE(waitUntil([&] { return counter.paints >= 5; }));
}

// ---------------------------------------------------------------- the timer

// Catches a timer that never fires, does not reach the game, or runs ahead of 64 a second.
// (A busy machine makes it late, never early.)
TEST(TickTimer, DrivesTheGameNoFasterThanSixtyFourTicksASecond) {
    vorl::testing::Game game;
    game.form.ballVel[Form1::kCueBall].vx = vorl::testing::units(500000);  // 50 twips a tick
    const float startLeft = game.form.ball[Form1::kCueBall].Left;
    TickTimer ticker(game.form);
    QElapsedTimer clock;
    int ticks = 0;
    std::chrono::nanoseconds sixteenthTick{0};
    QObject::connect(&ticker, &TickTimer::ticked, [&] {
        if (++ticks == 16) {
            sixteenthTick = std::chrono::nanoseconds{clock.nsecsElapsed()};
        }
    });
    clock.start();
    ticker.start();
    ASSERT_TRUE(waitUntil([&] { return ticks >= 16; }));
    EXPECT_GT(game.form.ball[Form1::kCueBall].Left, startLeft);
    EXPECT_GE(sixteenthTick, 16 * kTickPeriod - 1ms);  // due at 250 ms
}

// Catches a repeating timer, or one armed before the tick, firing inside a modal box's loop.
TEST(TickTimer, NestedEventLoopInsideATickNeverStartsAnotherTick) {
    RecordingForm form;
    int calls = 0, depth = 0, deepest = 0;
    form.onTimer = [&] {
        ++calls;
        deepest = std::max(deepest, ++depth);
        runEventLoop(100ms);
        --depth;
    };
    TickTimer ticker(form);
    ticker.start();
    EXPECT_TRUE(waitUntil([&] { return calls >= 2; }));
    EXPECT_EQ(deepest, 1);
}

// Catches a missing guard: even a timer re-armed during a tick must not start a second one.
TEST(TickTimer, TimerArmedDuringATickStillDoesNotReenter) {
    RecordingForm form;
    TickTimer ticker(form);
    int calls = 0, depth = 0, deepest = 0;
    form.onTimer = [&] {
        deepest = std::max(deepest, ++depth);
        if (++calls == 1) {
            ticker.start();
        }
        runEventLoop(60ms);
        --depth;
    };
    ticker.start();
    EXPECT_TRUE(waitUntil([&] { return calls >= 2; }));
    EXPECT_EQ(deepest, 1);
}

// Catches an exception that reaches Qt's event loop (which cannot carry one),
// goes unreported or is reported twice, or leaves the timer stuck or unarmed.
TEST(TickTimer, WhatATickOrACommandThrowsGoesToStderrOnceAndTheGameGoesOn) {
    RecordingForm inner;
    int calls = 0;
    inner.onTimer = [&calls] {
        if (++calls == 1) {
            throw std::runtime_error("a broken tick");
        }
    };
    inner.onMenuClick = [] { throw std::logic_error("a broken command"); };
    TickTimer ticker(inner);
    ::testing::internal::CaptureStderr();
    ticker.start();
    QTimer::singleShot(0, [&ticker] { ticker.form().menuClick("mnuBroken"); });
    EXPECT_NO_THROW(EXPECT_TRUE(waitUntil([&] { return calls >= 3; })));
    const std::string errors = ::testing::internal::GetCapturedStderr();
    // Each reported once, and nothing after them.
    EXPECT_EQ(errors.substr(std::min(errors.find("vorl: "), errors.size())),
              "vorl: error: a broken command\nvorl: error: a broken tick\n");
}

// ---------------------------------------------------------------- menus by keyboard

// Pixels in the help panel's frame that differ from the window's background.
int inkInHelpPanel(const QImage& image, const QColor& background) {
    int ink = 0;
    for (int y = 88; y < 88 + 369; ++y) {
        for (int x = 840; x < 840 + 337; ++x) {
            ink += image.pixelColor(x, y) != background ? 1 : 0;
        }
    }
    return ink;
}

void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::activePopupWidget();
    ASSERT_NE(target, nullptr) << "no menu open for key " << key;
    QTest::keyClick(target, key, modifiers);
}

// Catches access keys that never reach the menus, items without a marked key
// that a letter cannot choose, and a view not repainted after a command.
TEST(MenuKeyboard, AccessKeysRecolourTheTableAndShowTheHelpPanel) {
    vorl::testing::Game game;
    FormWindow window(game.form);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const QColor background = window.view()->palette().color(QPalette::Window);
    ASSERT_EQ(inkInHelpPanel(window.view()->grab().toImage(), background), 0);

    QTest::keyClick(&window, Qt::Key_D, Qt::AltModifier);  // Edit
    pressKey(Qt::Key_B);                                   // &Board Color
    pressKey(Qt::Key_C);                                   // &Cyan
    QTest::keyClick(&window, Qt::Key_D, Qt::AltModifier);
    pressKey(Qt::Key_Down);  // from Difficulty to Board Color, then Border Color
    pressKey(Qt::Key_Down);
    pressKey(Qt::Key_Right);
    pressKey(Qt::Key_R);  // Red, by its first letter
    QTest::keyClick(&window, Qt::Key_H, Qt::AltModifier);
    pressKey(Qt::Key_T);  // How &To Play
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    const QImage image = window.view()->grab().toImage();
    EXPECT_EQ(image.pixelColor(400, 133).name().toStdString(), "#00ffff");  // cloth
    EXPECT_EQ(image.pixelColor(25, 180).name().toStdString(), "#ff0000");   // rail
    EXPECT_EQ(image.pixelColor(228, 228).name().toStdString(), "#00ffff");  // through a ring
    EXPECT_GT(inkInHelpPanel(image, background), 2000);                     // its text
    EXPECT_EQ(game.form.helpShown, 1);
}

// Catches a letter shared by items without a marked key that always picks the
// first of them, never wraps round, or runs a command instead of moving on.
TEST(MenuKeyboard, SharedFirstLetterMovesTheHighlightInTurnAndAUniqueOneChooses) {
    RecordingForm form;
    form.menus = {{"mnuPick",
                   "&Pick",
                   {{"mnuCherry", "Cherry", {}},
                    {"mnuAlpha", "Alpha", {}},
                    {"mnuApple", "apple", {}},
                    {"mnuAvocado", "Avocado", {}}}}};
    FormWindow window(form);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    std::string highlighted;
    for (int press = 0; press < 4; ++press) {
        pressKey(Qt::Key_A);
        const QAction* active = menu->activeAction();
        highlighted += (active ? active->text().toStdString() : "(none)") + " ";
    }
    EXPECT_EQ(highlighted, "Alpha apple Avocado Alpha ");
    EXPECT_TRUE(form.clicks.empty());
    EXPECT_EQ(QApplication::activePopupWidget(), menu);
    pressKey(Qt::Key_C);
    EXPECT_EQ(form.clicks, std::vector<std::string>{"mnuCherry"});
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

// ---------------------------------------------------------------- message box

// Catches a box without the form's title, with an icon or extra buttons, one
// that does not block until closed, and one that belongs to whichever window
// has the focus (or to none, when another application has it) rather than to
// the game's.
TEST(QtMessageBox, ShowsAModalBoxOfTheGamesWindowWithItsTitleTheTextAndOnlyOk) {
    RecordingForm form;
    FormWindow window(form);
    window.show();
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    vorl::QtMessageBox messageBox;
    messageBox.attach(window);

    QString title, text;
    bool modal = false;
    QWidget* owner = nullptr;
    QMessageBox::Icon icon = QMessageBox::Critical;
    QMessageBox::StandardButtons buttons;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                owner = box->parentWidget();
                title = box->windowTitle();
                text = box->text();
                icon = box->icon();
                buttons = box->standardButtons();
                modal = box->isModal();
                box->button(QMessageBox::Ok)->click();
            }
        }
    });
    QTimer::singleShot(5000, [] { QApplication::closeAllWindows(); });  // never hang
    messageBox.show(" By : Darvo 'Quenly' Morvane");
    EXPECT_EQ(owner, &window);
    EXPECT_EQ(title.toStdString(), "Fake title");
    EXPECT_EQ(text.toStdString(), " By : Darvo 'Quenly' Morvane");
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_TRUE(modal);
}

// Catches ticks or pointer events that slip into the game through the credit
// box's own event loop, a timer that runs on meanwhile, one that stays
// stopped once the box is closed, and a burst of ticks after it is closed.
TEST(QtMessageBox, GamePausesWhileTheCreditBoxIsOpenAndGoesOnAfter) {
    vorl::testing::GameWith<vorl::QtMessageBox, vorl::SeededRandom> qtGame;
    Form1& game = qtGame.form;
    game.ballVel[Form1::kCueBall].vx = vorl::testing::units(100000);  // rolling, 10 twips a tick
    TickTimer ticker(game);
    vorl::Form& form = ticker.form();
    int ticks = 0;
    QObject::connect(&ticker, &TickTimer::ticked, [&ticks] { ++ticks; });
    float openedAt = 0, closingAt = 0;
    int ticksWhileOpen = -1;
    QTimer::singleShot(50, [&] {
        openedAt = game.ball[Form1::kCueBall].Left;
        // Inside the box's loop the first tick finds the game held: at rest.
        waitUntil([&] { return ticker.asleep(); });
        const int before = ticks;
        runEventLoop(100ms);
        form.mouseDown(1, 0, 0, 0);
        closingAt = game.ball[Form1::kCueBall].Left;
        ticksWhileOpen = ticks - before;
        if (auto* open = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            open->button(QMessageBox::Ok)->click();
        }
    });
    QTimer::singleShot(5000, [] { QApplication::closeAllWindows(); });  // never hang
    ticker.start();
    form.menuClick("mnuprog");
    EXPECT_EQ(closingAt, openedAt);
    EXPECT_EQ(game.p1Clicks, 0);   // the press was dropped
    EXPECT_EQ(ticksWhileOpen, 0);  // the timer stopped
    const float closedAt = game.ball[Form1::kCueBall].Left;
    const int ticksAtClose = ticks;
    QElapsedTimer sinceClose;
    sinceClose.start();
    runEventLoop(100ms);
    // No catching up: about the ticks due since the box closed (one of them
    // may have been due, and a little late, as it closed).
    const auto due = std::chrono::nanoseconds{sinceClose.nsecsElapsed()} / kTickPeriod;
    EXPECT_LE(ticks - ticksAtClose, due + 2);
    EXPECT_TRUE(waitUntil([&] { return game.ball[Form1::kCueBall].Left > closedAt; }));
}

// The game on its tick driver (not started) in a shown window, with Qt's own boxes.
struct GameInAWindow {
    GameInAWindow() {
        qtGame.messages.attach(window);
        ticker.drawIn(*window.view());
        window.show();
    }
    vorl::testing::GameWith<vorl::QtMessageBox, vorl::SeededRandom> qtGame;
    TickTimer ticker{qtGame.form};
    vorl::Form& form = ticker.form();
    FormWindow window{form};
};

// Catches a cue line left where the pointer was when a box opened: moved
// while the credit box was open, the pointer is where the line ends once the
// box is closed. Not moved, the line stays as it was, its start stale.
TEST(QtMessageBox, APointerMovedWhileTheBoxWasOpenAimsTheCueLineOnceItCloses) {
    GameInAWindow shown;
    Form1& game = shown.qtGame.form;
    vorl::Form& form = shown.form;
    FormWindow& window = shown.window;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto pointTo = [&window](int x, int y) {
        QCursor::setPos(window.view()->mapToGlobal(QPoint(x, y)));
        QCoreApplication::processEvents();
    };
    const auto closeBox = [] {
        if (auto* open = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            open->button(QMessageBox::Ok)->click();
        }
    };
    QTimer::singleShot(5000, [] { QApplication::closeAllWindows(); });  // never hang
    pointTo(400, 300);
    ASSERT_EQ(game.lineCue.X2, 400 * 15);

    float endWhileOpen = 0;
    QTimer::singleShot(50, [&] {
        pointTo(500, 350);
        endWhileOpen = game.lineCue.X2;
        closeBox();
    });
    form.menuClick("mnuprog");
    EXPECT_EQ(endWhileOpen, 400 * 15);  // the game heard nothing while the box was open
    EXPECT_EQ(game.lineCue.X2, 500 * 15);
    EXPECT_EQ(game.lineCue.Y2, 350 * 15);

    const float start = game.lineCue.X1;
    game.ball[Form1::kCueBall].Left += 1000;  // as if it had rolled on
    QTimer::singleShot(50, closeBox);
    form.menuClick("mnuprog");
    EXPECT_EQ(game.lineCue.X1, start);
    EXPECT_EQ(game.lineCue.X2, 500 * 15);
}

// Catches ticks that reach the game under the winner's box (balls roll on,
// stroke counts refresh, a second box opens) and a new rack that is not set
// up, or not drawn, once the box is closed.
TEST(QtMessageBox, WinnersBoxHoldsTheGameAndTheNewRackFollowsItsClosing) {
    GameInAWindow shown;
    Form1& game = shown.qtGame.form;
    FormWindow& window = shown.window;
    // Player 2 has more balls; the last object ball lies over the top-left
    // pocket and drops on the first tick; the cue ball is rolling.
    vorl::testing::lastBallOverPocket(game, "6", "8");
    game.ballVel[Form1::kCueBall].vx = vorl::testing::units(100000);
    TickTimer& ticker = shown.ticker;
    int ticks = 0;
    QObject::connect(&ticker, &TickTimer::ticked, [&ticks] { ++ticks; });
    const auto ball0Drawn = [&window] {
        return window.view()->grab().toImage().pixelColor(316, 212).name() == "#ffff00";
    };

    int boxes = 0, ticksWhileOpen = -1, ticksAtClose = -1;
    std::string title, text, strokesAtOpen, strokesAtClose;
    float cueAtOpen = 0, cueAtClose = 0;
    bool rackDrawnWhileOpen = true;
    QTimer::singleShot(100, [&] {
        auto* open = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (open == nullptr) {
            return;
        }
        ++boxes;
        title = open->windowTitle().toStdString();
        text = open->text().toStdString();
        cueAtOpen = game.ball[Form1::kCueBall].Left;
        strokesAtOpen = game.lblP1CC.Caption;
        game.p1Clicks = 9;  // a tick would show it
        const int before = ticks;
        runEventLoop(250ms);
        ticksWhileOpen = ticks - before;
        cueAtClose = game.ball[Form1::kCueBall].Left;
        strokesAtClose = game.lblP1CC.Caption;
        rackDrawnWhileOpen = ball0Drawn();
        ticksAtClose = ticks;
        open->button(QMessageBox::Ok)->click();
    });
    QTimer::singleShot(5000, [] { QApplication::closeAllWindows(); });  // never hang
    ticker.start();
    // The ticks go on with the new rack until it is at rest.
    EXPECT_TRUE(waitUntil([&] { return ticksAtClose >= 0 && ticker.asleep(); }));

    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(title, "Vorl");
    EXPECT_EQ(text, " Player 2 Wins, NOW bugger Off");
    EXPECT_EQ(ticksWhileOpen, 0);  // the box opened inside a tick: none is armed
    EXPECT_EQ(cueAtClose, cueAtOpen);
    EXPECT_EQ(strokesAtClose, strokesAtOpen);
    EXPECT_FALSE(rackDrawnWhileOpen);
    // Closed: the new rack is set up, drawn, and the ticks go on with it.
    EXPECT_EQ(game.ballsSunk, 0);
    EXPECT_EQ(game.lblP2BC.Caption, "");
    for (int i = 0; i < Form1::kObjectBallCount; ++i) {
        EXPECT_TRUE(game.ball[i].Visible) << i;
    }
    EXPECT_EQ(game.lblP1CC.Caption, std::to_string(game.p1Clicks));
    EXPECT_TRUE(ball0Drawn());
}

}  // namespace
