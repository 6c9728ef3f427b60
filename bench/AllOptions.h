#pragma once

#include "core/CommandLine.h"

namespace mivo::testing {
class MainWindowDriver;
}

namespace mivo::bench {

// The longest command line the window makes: every check box ticked, each group on the choice start-up
// gives it, and every number field holding the highest value its rule allows.
[[nodiscard]] OptionSnapshot everythingTicked();

// Puts the window's controls into the state everythingTicked() describes, through the widgets.
void tickEverything(const testing::MainWindowDriver& driver);

} // namespace mivo::bench
