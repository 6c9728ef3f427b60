#pragma once

namespace mivo::bench {

class Report;

// Whole-process start-up, from just before the fork to the first painted frame, of Mivo against a
// bare window; both on the platform plugin the benchmark itself runs on.
void measureStartUp(Report& report);

} // namespace mivo::bench
