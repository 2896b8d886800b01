#pragma once

// Who made the program, as its title bar, about window and warnings say.
namespace tavex {

inline constexpr char kMakerWebAddress[] = "www.tavex.example";
inline constexpr char kMakerNoticeLine1[] = "Copyright (C) 2026 The Tavex developers";
inline constexpr char kMakerNoticeLine2[] = "Free to use, copy and share";

} // namespace tavex
