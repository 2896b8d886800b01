#pragma once

class QWidget;

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

// Lets window events run until `window`, just shown, is on the screen and
// painted, for a second at most, so that it shows while the program blocks.
void ProcessEventsUntilPainted(QWidget* window);

} // namespace tavex
