#pragma once

#include <QString>

namespace mivo {

// `object` given its designed name, the one the window's description knows it by; no user sees it.
template <typename T> T* named(T* object, const QString& name) {
    object->setObjectName(name);
    return object;
}

} // namespace mivo
