#pragma once

#include <chrono>

namespace tavex {

// The about window stays until more than two whole-second boundaries have
// passed since t0: between two and three seconds, depending on where within
// a second the pause began.
bool StartupPauseOver(std::chrono::system_clock::time_point t0, std::chrono::system_clock::time_point now);

// Blocks, without handling window events, until the pause is over.
void WaitStartupPause(std::chrono::system_clock::time_point t0);

} // namespace tavex
