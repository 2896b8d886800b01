#pragma once

#include "app/main_window.h"

#include <cassert>
#include <cstdio>

namespace tavex {

// Checks the main window's invariants when a command or a focus step ends,
// in every build with asserts on. Not while a file is being opened: Open
// replaces the model before it creates the panels for it.
class CommandEnd final {
public:
    explicit CommandEnd(const MainWindow& window) : window_(window) {}
    ~CommandEnd()
    {
#ifndef NDEBUG
        if (window_.session().isOpening)
            return;
        const std::string broken = window_.BrokenInvariant();
        if (!broken.empty())
            std::fprintf(stderr, "tavex: broken invariant: %s\n", broken.c_str());
        assert(broken.empty());
#endif
    }
    CommandEnd(const CommandEnd&) = delete;
    CommandEnd& operator=(const CommandEnd&) = delete;

private:
    [[maybe_unused]] const MainWindow& window_;
};

} // namespace tavex
