// SPDX-License-Identifier: MIT
// Feeds arbitrary scripts to the replay reader and through it to the game.
// Beyond what the sanitizers catch, it checks that a rejected line changes
// nothing: the script with its rejected lines taken out must leave exactly
// the same table and print exactly the same things.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

#include "replay.h"

namespace {

// Enough for a shot to play out; keeps each input to a few milliseconds.
constexpr vorl::ReplayLimits kLimits{256};

struct Run {
    std::string out;
    std::string err;
    int code;
};

Run replay(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    const int code = vorl::runReplay(in, out, err, kLimits);
    return {out.str(), err.str(), code};
}

// The numbers of the lines reported as errors; every report must name one.
std::set<long> rejectedLines(const std::string& err) {
    std::set<long> numbers;
    std::istringstream reports(err);
    std::string report;
    constexpr std::string_view kPrefix = "error: line ";
    while (std::getline(reports, report)) {
        if (report.rfind(kPrefix, 0) != 0) {
            std::fprintf(stderr, "malformed report: %s\n", report.c_str());
            std::abort();
        }
        numbers.insert(std::strtol(report.c_str() + kPrefix.size(), nullptr, 10));
    }
    return numbers;
}

// Lines end as the reader ends them: at LF, CR or CRLF.
std::string withoutLines(const std::string& script, const std::set<long>& drop) {
    std::string kept;
    long number = 1;
    for (std::size_t start = 0; start < script.size(); ++number) {
        std::size_t end = script.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            end = script.size();
        } else {
            end += script.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        }
        if (drop.count(number) == 0) {
            kept.append(script, start, end - start);
        }
        start = end;
    }
    return kept;
}

void fail(const char* what, const Run& a, const Run& b) {
    std::fprintf(stderr, "%s\n--- with the rejected lines:\n%s%s--- without them:\n%s%s", what,
                 a.out.c_str(), a.err.c_str(), b.out.c_str(), b.err.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A final dump shows the whole table as the script left it.
    const std::string script = std::string(reinterpret_cast<const char*>(data), size) + "\ndump\n";
    const Run full = replay(script);
    const std::set<long> rejected = rejectedLines(full.err);
    if ((full.code != 0) != !rejected.empty()) {
        fail("exit code and error reports disagree", full, full);
    }
    if (rejected.empty()) {
        return 0;
    }
    const Run clean = replay(withoutLines(script, rejected));
    if (clean.code != 0 || !clean.err.empty()) {
        fail("a line accepted once is rejected on its own", full, clean);
    }
    if (clean.out != full.out) {
        fail("a rejected line changed the game", full, clean);
    }
    return 0;
}
