#pragma once

#include "app/decimal_point.h"
#include "app/main_window.h"

#include <QTemporaryDir>
#include <QtGlobal>
#include <QWidget>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <ostream>
#include <random>
#include <string>

namespace tavex::testing {

// Plays seeded random user events on the desktop program's real windows:
// clicks anywhere on the visible controls of every window, typed text
// (counts, limits, names, numbers huge and tiny, letters, "*", nothing),
// Tab, Shift+Tab, Enter, Escape and other keys, menu entries and their
// shortcuts, and the close box; the values grid and the function window
// take their share while they are open. Every modal dialog is answered by the
// window's test hooks, so a seed replays exactly. When the main window
// closes, a fresh one takes its place.
//
// Never activated: the main window is shown and another window keeps the
// activation, as an X server without a window manager leaves it; keys go
// to the window's focus widget and Qt sends no focus events at all.
class RandomEvents final {
public:
    struct Options {
        std::uint32_t seed = 1;
        bool neverActivated = false;
        // Each event as it is played, when set (a soak writes them to a file,
        // so that a crash leaves them behind).
        std::ostream* trace = nullptr;
    };

    explicit RandomEvents(const Options& options);
    ~RandomEvents();
    RandomEvents(const RandomEvents&) = delete;
    RandomEvents& operator=(const RandomEvents&) = delete;

    // Plays up to `count` events and checks the window's invariants after
    // each. Returns an empty text, or what broke with the events that led
    // there (the last ones), the seed and the event's number.
    std::string Play(int count);

private:
    class Setting;

    void OpenWindow();
    void StartComputed();
    void KeepActivation();
    void PlayOne();
    void Note(std::string event);

    void ClickSomewhere();
    void TypeSomething();
    void PressAKey();
    void UseTheMenu();
    void CloseTheWindow();

    QWidget* FrontWindow() const;
    QWidget* KeyTarget() const;
    int Pick(int count);
    bool Chance(double p);
    template <typename Container>
    auto OneOf(const Container& items) -> decltype(items[0])
    {
        return items[static_cast<std::size_t>(Pick(static_cast<int>(items.size())))];
    }

    Options options_;
    std::mt19937 random_;
    QTemporaryDir files_;
    std::unique_ptr<Setting> setting_;
    QtMessageHandler previousHandler_;
    int previousDoubleClickInterval_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<QWidget> decoy_;
    std::deque<std::string> recent_;
    int played_ = 0;
};

} // namespace tavex::testing
