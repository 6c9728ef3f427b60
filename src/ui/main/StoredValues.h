#pragma once

#include <QString>

#include <functional>
#include <span>

namespace mivo {

class Choices;
class SettingsStore;

// One value Mivo keeps between runs: its key, and how the choices holding it while Mivo runs give and
// take it as text. What they hold before the restore is the value's default.
struct StoredValue {
    const char* key;
    std::function<QString()> current;
    // Takes what was stored; a text the value cannot hold leaves it as it is.
    std::function<void(const QString&)> restore;
};

// A check box's value stored as its digits: 0, 1, or 2 for greyed.
[[nodiscard]] StoredValue storedCheckValue(const char* key, Choices& choices, int (Choices::*value)() const,
                                           void (Choices::*setValue)(int));

// Start-up: every value in the table's order, each read with its control's current value as the default
// and set at once, so that a value's reaction may change what a later row reads.
void restoreValues(const SettingsStore& store, std::span<const StoredValue> values);
// The end: every value in the table's order.
void writeValues(SettingsStore& store, std::span<const StoredValue> values);

} // namespace mivo
