#pragma once

namespace mivo::bench {

class Report;

// "View Syntax" with every option ticked: the composition alone, and the press through the real window.
void measureViewSyntax(Report& report);

} // namespace mivo::bench
