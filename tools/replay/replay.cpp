// SPDX-License-Identifier: MIT
#include "replay.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cstdint>
#include <istream>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/game/form1.h"
#include "core/game/keyboard_aim.h"
#include "core/numeric/decimal_text.h"
#include "core/runtime/form_state.h"
#include "core/runtime/message_box.h"
#include "core/runtime/program_exit.h"
#include "core/runtime/random_source.h"
#include "dump_format.h"

namespace vorl {
namespace {

constexpr std::string_view kBlanks = " \t";

// Prints every box the game shows; the box counts as closed at once.
class PrintingMessageBox final : public MessageBox {
  public:
    explicit PrintingMessageBox(std::ostream& out) : out_(out) {}
    void show(const std::string& text) override { writeMessageBox(out_, text); }

  private:
    std::ostream& out_;
};

// The end of the program: prints `exit`; the reader stops after this line.
class PrintingProgramExit final : public ProgramExit {
  public:
    explicit PrintingProgramExit(std::ostream& out) : out_(out) {}
    void endProgram() override {
        writeExit(out_);
        ended = true;
    }
    bool ended = false;

  private:
    std::ostream& out_;
};

// A script line that cannot be carried out; the message becomes the reason.
struct LineError {
    std::string reason;
};

// The longest part of a token an error message repeats, in characters.
constexpr std::size_t kEchoedCharacters = 40;

// The length of the UTF-8 character at the start of text, or 0 when it is
// not one (a stray byte, an overlong form, a surrogate, past U+10FFFF), or
// is a control character from U+0080 to U+009F, which a terminal may obey,
// or one that is invisible or turns the writing direction of what follows.
std::size_t printableUtf8Length(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0u) != 0x80u) {
            return 0;
        }
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool hidden = (code >= 0x200B && code <= 0x200F) || (code >= 0x202A && code <= 0x202E) ||
                        (code >= 0x2066 && code <= 0x2069) || code == 0xFEFF;
    if (code < smallest[length] || code <= 0x9F || (code >= 0xD800 && code <= 0xDFFF) ||
        code > 0x10FFFF || hidden) {
        return 0;
    }
    return length;
}

// A token as an error message repeats it: harmless to a terminal, and
// short (see the README).
std::string echo(std::string_view token) {
    std::string text;
    std::size_t characters = 0;
    std::size_t pos = 0;
    for (; pos < token.size() && characters < kEchoedCharacters; ++characters) {
        const auto byte = static_cast<unsigned char>(token[pos]);
        if (byte >= 0x20 && byte < 0x7F) {
            if (byte == '\\') {
                text += '\\';
            }
            text += token[pos++];
        } else if (const std::size_t length = printableUtf8Length(token.substr(pos))) {
            text.append(token, pos, length);
            pos += length;
        } else {
            constexpr char kHex[] = "0123456789ABCDEF";
            text += "\\x";
            text += kHex[byte >> 4];
            text += kHex[byte & 0xFu];
            ++pos;
        }
    }
    if (pos < token.size()) {
        text += "...";
    }
    return text;
}

std::string quoted(std::string_view token) {
    return "'" + echo(token) + "'";
}

std::vector<std::string_view> splitBlanks(std::string_view line) {
    std::vector<std::string_view> tokens;
    std::size_t pos = 0;
    while ((pos = line.find_first_not_of(kBlanks, pos)) != std::string_view::npos) {
        const std::size_t end = std::min(line.find_first_of(kBlanks, pos), line.size());
        tokens.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    return tokens;
}

// Every number may start with a '+', which changes nothing; a second sign
// after it makes the token unreadable.
std::string_view withoutPlus(std::string_view token) {
    if (!token.empty() && token.front() == '+') {
        token.remove_prefix(1);
        if (!token.empty() && (token.front() == '-' || token.front() == '+')) {
            return {};  // read as nothing, so refused
        }
    }
    return token;
}

template <typename Int>
Int parseInteger(std::string_view token, const char* what) {
    const std::string_view digits = withoutPlus(token);
    Int value{};
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        throw LineError{std::string("bad ") + what + " " + quoted(token)};
    }
    return value;
}

// The nearest 32-bit float to a decimal number, when that float is finite;
// a number too small for any float is the nearer zero, sign kept.
float parseFloat(std::string_view token) {
    const std::string_view number = withoutPlus(token);
    const DecimalRead<float> read = readDecimal<float>(number);
    const bool usable = read.status == DecimalStatus::Ok ||
                        (read.status == DecimalStatus::OutOfRange && read.value == 0);
    if (number.empty() || !usable || read.length != number.size()) {
        throw LineError{"bad number " + quoted(token)};
    }
    return read.value;
}

// A decimal with at most four decimals, taken exactly.
Fixed parseFixed(std::string_view token) {
    const std::string bad = "bad velocity " + quoted(token);
    std::string_view rest = withoutPlus(token);
    const bool negative = !rest.empty() && rest.front() == '-';
    if (negative) {
        rest.remove_prefix(1);
    }
    const std::size_t point = rest.find('.');
    const std::string_view whole = rest.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : rest.substr(point + 1);
    const auto allDigits = [](std::string_view s) {
        return s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if ((whole.empty() && fraction.empty()) || !allDigits(whole) || !allDigits(fraction) ||
        fraction.size() > 4) {
        throw LineError{bad};
    }
    // Accumulate the magnitude negatively so that the int64 minimum fits.
    std::int64_t units = 0;
    std::string digits =
        std::string(whole) + std::string(fraction) + std::string(4 - fraction.size(), '0');
    for (char digit : digits) {
        if (units < (std::numeric_limits<std::int64_t>::min() + (digit - '0')) / 10) {
            throw LineError{bad + ": out of range"};
        }
        units = units * 10 - (digit - '0');
    }
    if (!negative) {
        if (units == std::numeric_limits<std::int64_t>::min()) {
            throw LineError{bad + ": out of range"};
        }
        units = -units;
    }
    return Fixed::fromUnits(units);
}

Colour parseColour(std::string_view token) {
    const std::string_view number = withoutPlus(token);
    if (number.size() > 2 && number[0] == '0' && (number[1] == 'x' || number[1] == 'X')) {
        std::uint32_t value = 0;
        const std::string_view hex = number.substr(2);
        const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
        if (error != std::errc() || end != hex.data() + hex.size()) {
            throw LineError{"bad colour " + quoted(token)};
        }
        return value;
    }
    return parseInteger<std::uint32_t>(token, "colour");
}

bool parseFlag(std::string_view token) {
    if (token == "0" || token == "1") {
        return token == "1";
    }
    throw LineError{"bad flag " + quoted(token) + " (0 or 1)"};
}

class Replay {
  public:
    Replay(std::ostream& out, std::uint64_t maxTicks)
        : ticksLeft_(maxTicks),
          out_(out),
          messageBox_(out),
          programExit_(out),
          form_(messageBox_, random_, programExit_) {
        form_.Form_Load();
    }

    bool ended() const { return programExit_.ended; }

    // Carries out one script line, which is neither blank nor a comment;
    // throws LineError when it cannot.
    void run(std::string_view line) {
        const std::vector<std::string_view> tokens = splitBlanks(line);
        assert(!tokens.empty());
        const std::string_view command = tokens[0];
        if (command == "move") {
            expectCount(tokens, 3, "move X Y");
            // Both read before either is kept: a bad Y must not leave a new X.
            const float x = parseFloat(tokens[1]);
            const float y = parseFloat(tokens[2]);
            pointerX_ = x;
            pointerY_ = y;
            form_.Form_MouseMove(0, 0, pointerX_, pointerY_);
        } else if (command == "down") {
            expectCount(tokens, 1, "down");
            form_.Form_MouseDown(1, 0, pointerX_, pointerY_);
        } else if (command == "tick") {
            if (tokens.size() > 2) {
                throw LineError{"usage: tick [N]"};
            }
            const std::uint64_t n =
                tokens.size() == 2 ? parseInteger<std::uint64_t>(tokens[1], "tick count") : 1;
            if (n > ticksLeft_) {
                throw LineError{"tick " + std::to_string(n) + " is over the " +
                                std::to_string(ticksLeft_) + " ticks left to this run"};
            }
            ticksLeft_ -= n;
            for (std::uint64_t i = 0; i < n; ++i) {
                form_.Timer1_Timer();
            }
        } else if (command == "click") {
            expectCount(tokens, 2, "click MENU");
            if (!form_.runMenuCommand(tokens[1])) {
                throw LineError{"unknown menu item " + quoted(tokens[1])};
            }
        } else if (command == "call") {
            expectCount(tokens, 2, "call PROC");
            if (!form_.callProcedure(tokens[1])) {
                throw LineError{"unknown procedure " + quoted(tokens[1])};
            }
        } else if (command == "seed") {
            expectCount(tokens, 2, "seed N");
            random_.seed(parseInteger<std::uint32_t>(tokens[1], "seed"));
        } else if (command == "set") {
            set(line, tokens);
        } else if (command == "key") {
            expectCount(tokens, 2, "key NAME");
            const std::optional<AimKeyStroke> stroke = aimKeyFromName(tokens[1]);
            if (!stroke) {
                throw LineError{"unknown key " + quoted(tokens[1])};
            }
            aim_.press(*stroke);
        } else if (command == "dump") {
            expectCount(tokens, 1, "dump");
            writeDump(out_, form_);
        } else if (command == "save") {
            expectCount(tokens, 1, "save");
            form_.saveState(saved_);
            anySaved_ = true;
        } else if (command == "load") {
            expectCount(tokens, 1, "load");
            load();
        } else {
            throw LineError{"unknown command " + quoted(command)};
        }
    }

  private:
    static void expectCount(const std::vector<std::string_view>& tokens, std::size_t count,
                            const char* usage) {
        if (tokens.size() != count) {
            throw LineError{std::string("usage: ") + usage};
        }
    }

    // Read as 64 bits whatever the width of size_t, so that every target
    // calls a long index out of range rather than unreadable.
    static std::size_t index(std::string_view token, std::size_t count) {
        const auto i = parseInteger<std::uint64_t>(token, "index");
        if (i >= count) {
            throw LineError{"index " + echo(token) + " out of range"};
        }
        return static_cast<std::size_t>(i);
    }

    void set(std::string_view line, const std::vector<std::string_view>& tokens) {
        if (tokens.size() < 2) {
            throw LineError{"usage: set WHAT ..."};
        }
        const std::string_view what = tokens[1];
        if (what == "ball") {
            expectCount(tokens, 5, "set ball I PROP V");
            setShape(form_.ball[index(tokens[2], form_.ball.size())], tokens[3], tokens[4], true);
        } else if (what == "pocket") {
            expectCount(tokens, 5, "set pocket I PROP V");
            setShape(form_.Pcoket[index(tokens[2], form_.Pcoket.size())], tokens[3], tokens[4],
                     false);
        } else if (what == "border") {
            expectCount(tokens, 4, "set border PROP V");
            if (tokens[2] == "FillColor") {
                throw LineError{"unknown border property 'FillColor'"};
            }
            setShape(form_.shpBorder, tokens[2], tokens[3], false);
        } else if (what == "vel") {
            expectCount(tokens, 5, "set vel I VX VY");
            BallVelocity& v = form_.ballVel[index(tokens[2], form_.ballVel.size())];
            const Fixed vx = parseFixed(tokens[3]);
            v.vy = parseFixed(tokens[4]);
            v.vx = vx;
        } else if (what == "var") {
            expectCount(tokens, 4, "set var NAME V");
            variable(tokens[2]) = parseInteger<std::int16_t>(tokens[3], "16-bit value");
        } else if (what == "caption") {
            setCaption(line, tokens);
        } else {
            throw LineError{"unknown set target " + quoted(what)};
        }
    }

    static void setShape(ShapeControl& shape, std::string_view prop, std::string_view value,
                         bool isBall) {
        if (prop == "Left") {
            shape.Left = parseFloat(value);
        } else if (prop == "Top") {
            shape.Top = parseFloat(value);
        } else if (prop == "Width") {
            shape.Width = parseFloat(value);
        } else if (prop == "Height") {
            shape.Height = parseFloat(value);
        } else if (prop == "FillColor") {
            shape.FillColor = parseColour(value);
        } else if (isBall && prop == "Visible") {
            shape.Visible = parseFlag(value);
        } else if (isBall && prop == "BorderColor") {
            shape.BorderColor = parseColour(value);
        } else {
            throw LineError{"unknown property " + quoted(prop)};
        }
    }

    std::int16_t& variable(std::string_view name) {
        std::int16_t* found = nullptr;
        Form1::visitModuleVariables([&](std::string_view variableName, auto member) {
            if (variableName == name) {
                found = &(form_.*member);
            }
        });
        if (found == nullptr) {
            throw LineError{"unknown variable " + quoted(name)};
        }
        return *found;
    }

    // Puts the table and the random source back as the last `save` left
    // them; the pointer stays where it is.
    void load() {
        if (!anySaved_) {
            throw LineError{"nothing saved to load"};
        }
        std::string why;
        if (!form_.loadState(saved_.bytes(), &why)) {
            throw LineError{"state refused: " + why};
        }
    }

    LabelControl* countLabel(std::string_view name) {
        if (name == "lblP1BC")
            return &form_.lblP1BC;
        if (name == "lblP2BC")
            return &form_.lblP2BC;
        if (name == "lblP1CC")
            return &form_.lblP1CC;
        if (name == "lblP2CC")
            return &form_.lblP2CC;
        return nullptr;
    }

    // The caption is the rest of the line after the label's name and one blank.
    void setCaption(std::string_view line, const std::vector<std::string_view>& tokens) {
        if (tokens.size() < 3) {
            throw LineError{"usage: set caption LABEL TEXT"};
        }
        LabelControl* label = countLabel(tokens[2]);
        if (label == nullptr) {
            throw LineError{"unknown label " + quoted(tokens[2])};
        }
        assert(tokens[2].data() >= line.data() &&
               tokens[2].data() + tokens[2].size() <= line.data() + line.size());
        const std::size_t nameEnd =
            static_cast<std::size_t>(tokens[2].data() - line.data()) + tokens[2].size();
        std::string_view text = line.substr(nameEnd);
        if (!text.empty()) {
            text.remove_prefix(1);
        }
        label->Caption = std::string(text);
    }

    std::uint64_t ticksLeft_;
    std::ostream& out_;
    PrintingMessageBox messageBox_;
    PrintingProgramExit programExit_;
    SeededRandom random_;
    Form1 form_;
    KeyboardAim aim_{form_, form_};
    float pointerX_ = 0;
    float pointerY_ = 0;
    FormState saved_;
    bool anySaved_ = false;
};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Reads the next line, without its end: LF, CR or CRLF, as editors on every
// system write them. False when the input holds no more.
bool readLine(std::istream& in, std::string& line) {
    using Traits = std::istream::traits_type;
    line.clear();
    std::streambuf* buffer = in.rdbuf();
    if (buffer == nullptr) {
        return false;
    }
    for (;;) {
        const Traits::int_type c = buffer->sbumpc();
        if (Traits::eq_int_type(c, Traits::eof())) {
            in.setstate(std::ios::eofbit);
            return !line.empty();
        }
        if (c == '\n') {
            return true;
        }
        if (c == '\r') {
            if (buffer->sgetc() == '\n') {
                buffer->sbumpc();
            }
            return true;
        }
        line += Traits::to_char_type(c);
    }
}

}  // namespace

int runReplay(std::istream& in, std::ostream& out, std::ostream& err) {
    return runReplay(in, out, err, ReplayLimits{});
}

int runReplay(std::istream& in, std::ostream& out, std::ostream& err, ReplayLimits limits) {
    Replay replay(out, limits.maxTicks);
    bool anyError = false;
    std::string line;
    for (std::uint64_t lineNumber = 1; readLine(in, line); ++lineNumber) {
        // An editor's byte-order mark is no part of the first command.
        if (lineNumber == 1 && line.rfind(kByteOrderMark, 0) == 0) {
            line.erase(0, kByteOrderMark.size());
        }
        const std::size_t first = line.find_first_not_of(kBlanks);
        if (first == std::string::npos || line[first] == '#') {
            continue;
        }
        try {
            replay.run(line);
        } catch (const LineError& e) {
            out.flush();
            err << "error: line " << lineNumber << ": " << e.reason << '\n';
            anyError = true;
        }
        if (replay.ended()) {
            break;
        }
    }
    return anyError ? 1 : 0;
}

}  // namespace vorl
