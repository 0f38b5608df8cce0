// Times the tick on a busy table: the break shot followed by its roll-out,
// repeated. Prints ticks per second; the game needs 64.
#include <chrono>
#include <cstdio>

#include "game/form1.h"

namespace {

class SilentBox final : public vorl::MessageBox {
  public:
    void show(const std::string&) override {}
};

class NoExit final : public vorl::ProgramExit {
  public:
    void endProgram() override {}
};

}  // namespace

int main() {
    constexpr int kRacks = 200;
    constexpr int kTicksPerRack = 2000;
    SilentBox box;
    NoExit programExit;
    vorl::SeededRandom random(1);
    long ticks = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int rack = 0; rack < kRacks; ++rack) {
        vorl::Form1 form(box, random, programExit);
        form.Form_Load();
        form.Form_MouseMove(0, 0, 10500, 3300 + static_cast<float>(rack));
        form.Form_MouseDown(1, 0, 0, 0);
        for (int i = 0; i < kTicksPerRack; ++i) {
            form.Timer1_Timer();
        }
        ticks += kTicksPerRack;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("%ld ticks in %.3f s: %.0f ticks/s (%.2f us per tick)\n", ticks, elapsed.count(),
                ticks / elapsed.count(), 1e6 * elapsed.count() / ticks);
    return 0;
}
