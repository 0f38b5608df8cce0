#pragma once

#include <string>
#include <vector>

#include "game/form1.h"
#include "platform/message_box.h"
#include "platform/program_exit.h"
#include "platform/random_source.h"

namespace vorl::testing {

// Records the texts of the boxes the game shows; each counts as closed at once.
class RecordingMessageBox final : public MessageBox {
  public:
    void show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

// Counts the requests to end the program.
class RecordingProgramExit final : public ProgramExit {
  public:
    void endProgram() override { ++requests; }
    int requests = 0;
};

// A window with its services, loaded as at start-up.
struct Game {
    RecordingMessageBox messages;
    SeededRandom random{12345};
    RecordingProgramExit programExit;
    Form1 form{messages, random, programExit};

    Game() { form.Form_Load(); }
};

inline Fixed units(std::int64_t n) {
    return Fixed::fromUnits(n);
}

}  // namespace vorl::testing
