#pragma once

#include "app/main_window.h"

#include <cassert>
#include <cstdio>

namespace tavex {

// When a command or a focus step ends: the main window shows what the
// problem and the session now allow (UpdateCommands), and its invariants are
// checked in every build with asserts on. Not while a file is being opened:
// Open replaces the model before it creates the panels for it.
class CommandEnd final {
public:
    explicit CommandEnd(MainWindow& window) : window_(window) {}
    ~CommandEnd()
    {
        if (window_.session().isOpening)
            return;
        window_.UpdateCommands();
#ifndef NDEBUG
        const std::string broken = window_.BrokenInvariant();
        if (!broken.empty())
            std::fprintf(stderr, "tavex: broken invariant: %s\n", broken.c_str());
        assert(broken.empty());
#endif
    }
    CommandEnd(const CommandEnd&) = delete;
    CommandEnd& operator=(const CommandEnd&) = delete;

private:
    MainWindow& window_;
};

} // namespace tavex
