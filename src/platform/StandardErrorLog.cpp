#include "platform/StandardErrorLog.h"

#include <QString>

#include <cstdio>

namespace mivo {

void StandardErrorLog::write(const QString& line) {
    std::fputs(qPrintable(line + u'\n'), stderr);
    std::fflush(stderr);
}

} // namespace mivo
