// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the game's state reader, as a stored game from
// outside may be. Beyond what the sanitizers catch, it checks that a refused
// state leaves the form exactly as it was and says why, and that an accepted
// one saves back to the very same bytes and plays on.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/game/form1.h"
#include "core/runtime/form_state.h"
#include "core/runtime/message_box.h"
#include "core/runtime/program_exit.h"
#include "core/runtime/random_source.h"

namespace {

// The fuzz build compiles the core alone, without the tests' doubles.
class QuietBox final : public vorl::MessageBox {
  public:
    void show(const std::string&) override {}
};
class NoExit final : public vorl::ProgramExit {
  public:
    void endProgram() override {}
};

// Ticks an accepted state plays, so that the sanitizers see the game run on it.
constexpr int kTicksAfterLoading = 8;

void fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s%s\n", what, detail.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QuietBox box;
    NoExit programExit;
    vorl::SeededRandom random(7);
    vorl::Form1 form(box, random, programExit);
    form.Form_Load();
    form.Form_MouseMove(0, 0, 9000, 2000);
    form.Form_MouseDown(1, 0, 9000, 2000);
    vorl::FormState before;
    vorl::FormState after;
    form.saveState(before);

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string why;
    const bool loaded = form.loadState(bytes, &why);
    form.saveState(after);
    if (!loaded) {
        if (why.empty()) {
            fail("a state refused without a reason", "");
        }
        if (!(after == before)) {
            fail("a refused state changed the form: ", why);
        }
        return 0;
    }
    if (after.bytes() != bytes) {
        fail("an accepted state saves back to other bytes", "");
    }
    for (int tick = 0; tick < kTicksAfterLoading; ++tick) {
        form.Timer1_Timer();
    }
    return 0;
}
