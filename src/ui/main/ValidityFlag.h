#pragma once

#include "core/CommandLine.h"

#include <QObject>
#include <QString>

namespace mivo {

// The hidden verdict beside a number field. Its text reads "True" or "False" once the field has been
// checked, and its own name before that. It is never shown, so it is no widget at all: it cannot
// appear on screen or reach a screen reader.
class ValidityFlag : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString text READ text)

public:
    ValidityFlag(const QString& name, QObject* parent);

    [[nodiscard]] Validity validity() const { return m_validity; }
    void setValidity(Validity validity) { m_validity = validity; }
    [[nodiscard]] QString text() const;

private:
    Validity m_validity = Validity::Unchecked;
};

} // namespace mivo
