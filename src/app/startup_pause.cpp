#include "app/startup_pause.h"

#include <thread>

namespace tavex {

bool StartupPauseOver(std::chrono::system_clock::time_point t0, std::chrono::system_clock::time_point now)
{
    using std::chrono::floor;
    using std::chrono::seconds;
    return floor<seconds>(now) - floor<seconds>(t0) > seconds(2);
}

void WaitStartupPause(std::chrono::system_clock::time_point t0)
{
    while (!StartupPauseOver(t0, std::chrono::system_clock::now()))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

} // namespace tavex
