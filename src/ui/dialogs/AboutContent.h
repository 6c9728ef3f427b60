#pragma once

#include "core/Version.h"

// Who wrote Mivo and where its neighbours live on the web: everything the information windows say
// that is not a fixed caption. Kept together so that a new address is changed in one line.

namespace mivo::about {

inline constexpr char kAuthorAlias[] = "The Mivo developers";
inline constexpr char kAuthorEmail[] = "mivo@example.org";
inline constexpr const char* kAuthorWebPage = kHomePage;
inline constexpr char kThanks[] =
    "Thanks to a friend and a software company for the coding answers that made Mivo possible.";

inline constexpr char kZsnesProjectAddress[] = "https://www.zsnes.com";
inline constexpr char kSnes9xProjectAddress[] = "https://www.snes9x.com";
inline constexpr char kRomulusMakerAddress[] = "https://example.org/romulus";

} // namespace mivo::about
