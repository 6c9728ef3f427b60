#pragma once

namespace mivo::bench {

class Report;

// "Run/Play" on the real program starter: the time from the press to the started program's main, and
// what a thousand presses leave behind in zombies and resident memory.
void measureRunPlay(Report& report);

} // namespace mivo::bench
