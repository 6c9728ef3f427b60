#pragma once

#include <QString>

#include <optional>

namespace mivo {

// Why the values could not be saved: the file, and the system's reason.
struct SaveFailure {
    QString file;
    QString reason;

    friend bool operator==(const SaveFailure&, const SaveFailure&) = default;
};

// The per-user store of Mivo's four values, all text, in one section named after the program.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or `fallback` when the key is absent or holds something that is not text.
    [[nodiscard]] virtual QString text(const QString& key, const QString& fallback) const = 0;
    virtual void setText(const QString& key, const QString& value) = 0;
    // Puts everything set so far on disk, so that the process may end at once afterwards. The stored
    // file is replaced only by a completely written one: when saving fails, the file stays exactly as
    // it was, and the failure is returned. Saving never waits long on anything outside Mivo.
    [[nodiscard]] virtual std::optional<SaveFailure> save() = 0;
};

} // namespace mivo
