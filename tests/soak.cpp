// SPDX-License-Identifier: MIT
// vorl-soak: a long session of random play in the sanitizer build. Both
// players stroke from random pointer positions, and now and then someone opens
// a menu (every item but File > Exit). The table is checked after every tick
// and the live heap is watched for growth. Usage: vorl-soak [TICKS [SEED]];
// 5.5 million ticks, the default, is a day of play at 64 ticks a second.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/game/form1.h"
#include "core/runtime/random_source.h"
#include "support/doubles.h"
#include "support/table_check.h"

// The address sanitizer's count of bytes malloc'd and not yet freed; freed
// blocks waiting in its quarantine do not count, unlike in the resident size.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();

namespace vorl {
namespace {

constexpr std::string_view kWinnerPrefix = " Player ";

// Every menu item without a submenu, in menu order, File > Exit left out.
void addPlayableItems(const std::vector<MenuItem>& items, std::vector<std::string>& out) {
    for (const MenuItem& item : items) {
        if (item.Items.empty() && item.Name != "mnuExit") {
            out.push_back(item.Name);
        }
        addPlayableItems(item.Items, out);
    }
}

long residentKiB() {
    long pages = 0;
    long resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return resident * 4;
}

struct Tallies {
    long strokes = 0;
    long ignoredPresses = 0;
    long racksWon = 0;
    long resets = 0;
    long menuClicks = 0;
    long boxes = 0;
};

int soak(long ticks, std::uint32_t seed) {
    testing::RecordingMessageBox messages;
    SeededRandom random(seed);
    testing::RecordingProgramExit programExit;
    Form1 form(messages, random, programExit);
    form.Form_Load();
    testing::RackRecord rack;
    Tallies tallies;

    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> onTable(-2000, 21000);
    std::uniform_real_distribution<float> anywhere(-1e30f, 1e30f);
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> thinking(0, 120);
    std::vector<std::string> menuItems;
    addPlayableItems(form.menuBar(), menuItems);
    std::uniform_int_distribution<std::size_t> menuItem(0, menuItems.size() - 1);
    int waitTicks = 0;

    // The heap is measured once the first rack or two have come and gone.
    const long warmUp = ticks / 10;
    const long sampleEvery = 65536;
    std::size_t heapAtWarmUp = 0;
    std::size_t heapMax = 0;
    long rssAtWarmUp = 0;
    long rssMax = 0;
    // Printed first so that the output's buffer is in the heap before any sample.
    std::printf("soak of %ld ticks, seed %u\n", ticks, seed);
    const auto start = std::chrono::steady_clock::now();

    for (long tick = 1; tick <= ticks; ++tick) {
        // The players: a pointer that wanders, a stroke after some thought.
        if (percent(rng) < 5) {
            const bool wild = percent(rng) == 0;
            form.Form_MouseMove(0, 0, wild ? anywhere(rng) : onTable(rng),
                                wild ? anywhere(rng) : onTable(rng));
        }
        if (form.shotActive == 0 && --waitTicks <= 0) {
            form.Form_MouseDown(1, 0, 0, 0);
            ++tallies.strokes;
            waitTicks = thinking(rng);
        } else if (form.shotActive != 0 && percent(rng) == 0) {
            form.Form_MouseDown(1, 0, 0, 0);  // ignored mid-shot
            ++tallies.ignoredPresses;
        }
        if (std::uniform_int_distribution<int>(0, 999)(rng) == 0) {
            const std::string_view item = menuItems[menuItem(rng)];
            form.runMenuCommand(item);
            ++tallies.menuClicks;
            if (item == "mnuReset") {
                rack.newRack();
                ++tallies.resets;
            }
        }

        form.Timer1_Timer();
        if (programExit.requests != 0) {
            std::fprintf(stderr, "tick %ld: the game asked to end, but nobody chose File > Exit\n",
                         tick);
            return 1;
        }
        // The boxes are forgotten once seen, so that they hold no heap.
        if (!messages.shown.empty() &&
            std::string_view(messages.shown.back()).substr(0, kWinnerPrefix.size()) ==
                kWinnerPrefix) {
            rack.newRack();
            ++tallies.racksWon;
        }
        tallies.boxes += static_cast<long>(messages.shown.size());
        messages.shown.clear();
        const std::string fault = testing::tableFault(form, rack);
        if (!fault.empty()) {
            std::fprintf(stderr, "tick %ld: %s\n", tick, fault.c_str());
            return 1;
        }
        rack.note(form);

        if (tick % sampleEvery == 0 || tick == warmUp || tick == ticks) {
            const std::size_t heap = __sanitizer_get_current_allocated_bytes();
            const long rss = residentKiB();
            if (tick <= warmUp) {
                heapAtWarmUp = heap;
                rssAtWarmUp = rss;
            } else {
                heapMax = std::max(heapMax, heap);
                rssMax = std::max(rssMax, rss);
            }
            std::printf("tick %ld: heap %zu B, resident %ld KiB\n", tick, heap, rss);
        }
    }

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "%ld ticks in %.1f s: %ld strokes (%ld presses mid-shot), %ld racks won, %ld resets, "
        "%ld menu clicks, %ld boxes\n",
        ticks, seconds, tallies.strokes, tallies.ignoredPresses, tallies.racksWon, tallies.resets,
        tallies.menuClicks, tallies.boxes);
    std::printf("heap after warm-up %zu B, largest since %zu B; resident %ld KiB, then %ld KiB\n",
                heapAtWarmUp, heapMax, rssAtWarmUp, rssMax);
    // The game allocates nothing that lives on: its texts fit in their
    // strings' own storage. A little slack covers the library's buffers.
    constexpr std::size_t kHeapSlack = 64 * 1024;
    if (heapMax > heapAtWarmUp + kHeapSlack) {
        std::fprintf(stderr, "the heap grew by %zu bytes after the warm-up\n",
                     heapMax - heapAtWarmUp);
        return 1;
    }
    return 0;
}

}  // namespace
}  // namespace vorl

int main(int argc, char** argv) {
    const long ticks = argc > 1 ? std::atol(argv[1]) : 5'500'000;
    const auto seed = static_cast<std::uint32_t>(argc > 2 ? std::atol(argv[2]) : 20261208);
    if (ticks < 10) {
        std::fprintf(stderr, "usage: vorl-soak [TICKS [SEED]] (at least 10 ticks)\n");
        return 2;
    }
    return vorl::soak(ticks, seed);
}
