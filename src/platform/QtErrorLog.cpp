#include "platform/QtErrorLog.h"

#include <QString>

#include <cstdio>

namespace mivo {

void QtErrorLog::write(const QString& line) {
    std::fputs(qPrintable(line + u'\n'), stderr);
    std::fflush(stderr);
}

} // namespace mivo
