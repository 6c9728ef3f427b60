#pragma once

#include <QString>

namespace mivo {

// The per-user store of Mivo's four values, all text, in one section named after the program.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or `fallback` when the key is absent or holds something that is not text.
    [[nodiscard]] virtual QString text(const QString& key, const QString& fallback) const = 0;
    virtual void setText(const QString& key, const QString& value) = 0;
    // Puts everything set so far on disk, so that the process may end at once afterwards. A store
    // that cannot be written reports nothing: ending the program must never fail because of it.
    virtual void flush() = 0;
};

} // namespace mivo
