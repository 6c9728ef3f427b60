#pragma once

#include <QString>

#include <cstring>

namespace mivo {

// The system's own words for `errorNumber`, as it would tell them to the user.
inline QString systemMessage(int errorNumber) {
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

} // namespace mivo
