#include "ui/main/ValidityFlag.h"

namespace mivo {

ValidityFlag::ValidityFlag(const QString& name, QObject* parent)
    : QObject(parent) {
    setObjectName(name);
}

QString ValidityFlag::text() const {
    switch (m_validity) {
    case Validity::Unchecked:
        return objectName();
    case Validity::InRange:
        return QStringLiteral("True");
    case Validity::OutOfRange:
        return QStringLiteral("False");
    }
    return objectName();
}

} // namespace mivo
