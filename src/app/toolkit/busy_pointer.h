#pragma once

namespace tavex {

// Shows the busy pointer over the program's windows while it lives.
class BusyPointer final {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

void Beep();

// Lets the window events that are waiting run once, so that a window just
// shown gets painted before the program blocks.
void ProcessPendingEvents();

} // namespace tavex
