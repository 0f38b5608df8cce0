// SPDX-License-Identifier: MIT
#include "core/game/form1.h"

#include <cstddef>
#include <utility>

namespace vorl {
namespace {

constexpr float kClientWidthTwips = 19080;
constexpr float kClientHeightTwips = 10680;

// "VORL" in the byte order of the machines the game runs on, so a state
// written in the other order is refused too.
constexpr std::uint32_t kStateMark = 0x4C524F56;
// One more whenever the fields or their order change.
constexpr std::uint32_t kStateVersion = 1;

// 64-bit FNV-1a: the same on every target, unlike std::hash.
std::uint64_t fingerprintOf(std::string_view bytes) {
    std::uint64_t hash = 0xCBF29CE484222325u;
    for (const char c : bytes) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3u;
    }
    return hash;
}

// How each kind of field goes out and comes back; the non-templates first,
// so that the templates' element loops find them.
void write(FormState& state, const BallVelocity& v) {
    state.add(v.vx.units());
    state.add(v.vy.units());
}
void write(FormState& state, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        state.add(item);
    }
}
template <typename Field>
void write(FormState& state, const Field& field) {
    state.add(field);
}
template <typename Field, std::size_t N>
void write(FormState& state, const std::array<Field, N>& fields) {
    for (const Field& field : fields) {
        write(state, field);
    }
}

// Every 64-bit count of units is a velocity the game's saturating sums take.
bool read(FormStateReader& in, BallVelocity& v) {
    std::int64_t vx = 0;
    std::int64_t vy = 0;
    if (!(in.read(vx) && in.read(vy))) {
        return false;
    }
    v = BallVelocity{Fixed::fromUnits(vx), Fixed::fromUnits(vy)};
    return true;
}
// The menu tree must have this form's shape: as many items at the top too.
bool read(FormStateReader& in, std::vector<MenuItem>& items) {
    for (MenuItem& item : items) {
        if (!in.read(item)) {
            return false;
        }
    }
    return true;
}
template <typename Field>
bool read(FormStateReader& in, Field& field) {
    return in.read(field);
}
template <typename Field, std::size_t N>
bool read(FormStateReader& in, std::array<Field, N>& fields) {
    for (Field& field : fields) {
        if (!read(in, field)) {
            return false;
        }
    }
    return true;
}

// Why the module variables hold what no game could reach, or null: the
// counters only count up from 0, a player is 1 or 2 (0 before the load
// handler) and the flags are 0 or 1.
const char* outOfDomain(const Form1& f) {
    if (f.p1Clicks < 0 || f.p2Clicks < 0 || f.ballsSunk < 0) {
        return "a negative count";
    }
    if (f.curPlayer < 0 || f.curPlayer > 2) {
        return "no such player";
    }
    if ((f.shotActive != 0 && f.shotActive != 1) || (f.helpShown != 0 && f.helpShown != 1)) {
        return "a flag that is neither 0 nor 1";
    }
    return nullptr;
}

}  // namespace

Form1::Form1(MessageBox& messageBox, RandomSource& random, ProgramExit& programExit)
    : messageBox_(messageBox), random_(random), programExit_(programExit) {
    initializeLayout();
}

void Form1::Form_Load() {
    curPlayer = 1;
}

bool Form1::callProcedure(std::string_view name) {
    using Procedure = void (Form1::*)();
    static constexpr std::pair<std::string_view, Procedure> kProcedures[] = {
        {"CheckCushions", &Form1::CheckCushions},
        {"CheckCollisions", &Form1::CheckCollisions},
        {"CheckCueBallSunk", &Form1::CheckCueBallSunk},
        {"CheckBallsSunk", &Form1::CheckBallsSunk},
        {"CheckWinner", &Form1::CheckWinner},
        {"NewGame", &Form1::NewGame},
    };
    for (const auto& [procedureName, procedure] : kProcedures) {
        if (procedureName == name) {
            (this->*procedure)();
            return true;
        }
    }
    return false;
}

std::string Form1::caption() const {
    return "Darvo's Vorl Hall";
}
std::string Form1::applicationTitle() const {
    return "Vorl";
}
float Form1::clientWidth() const {
    return kClientWidthTwips;
}
float Form1::clientHeight() const {
    return kClientHeightTwips;
}
Colour Form1::backColour() const {
    return COLOR_MENU;
}

void Form1::saveFields(FormState& state) const {
    visitFields([&](std::string_view, auto member) { write(state, this->*member); });
}

// The opening layout's fields, from controls to menus, as this build writes
// them: a state from a build with another layout is refused by it.
std::uint64_t Form1::layoutFingerprint() const {
    static const std::uint64_t fingerprint = [this] {
        const Form1 opening(messageBox_, random_, programExit_);
        FormState fields;
        opening.saveFields(fields);
        return fingerprintOf(fields.bytes());
    }();
    return fingerprint;
}

bool Form1::saveState(FormState& state) const {
    state.clear();
    state.add(kStateMark);
    state.add(kStateVersion);
    state.add(layoutFingerprint());
    saveFields(state);
    state.add(random_.state());
    return true;
}

// Everything is read into a fresh form first and taken over only when the
// whole state has been read and checked.
bool Form1::loadState(std::string_view bytes, std::string* why) {
    FormStateReader in(bytes);
    Form1 loaded(messageBox_, random_, programExit_);
    std::uint32_t randomState = 0;
    in.expect(kStateMark, "a saved game");
    in.expect(kStateVersion, "a state of this version");
    in.expect(layoutFingerprint(), "a state of this build's layout");
    visitFields([&](std::string_view, auto member) { read(in, loaded.*member); });
    in.read(randomState);
    if (in.ok() && !in.atEnd()) {
        in.fail("bytes after the end of the state");
    }
    if (const char* reason = outOfDomain(loaded); in.ok() && reason != nullptr) {
        in.fail(reason);
    }
    if (!in.ok()) {
        if (why != nullptr) {
            *why = in.error();
        }
        return false;
    }
    visitFields([&](std::string_view, auto member) { this->*member = std::move(loaded.*member); });
    random_.restore(randomState);
    return true;
}

}  // namespace vorl
