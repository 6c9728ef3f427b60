#include "ui/main/StoredValues.h"

#include "platform/SettingsStore.h"
#include "ui/Choices.h"

namespace mivo {

StoredValue storedCheckValue(const char* key, Choices& choices, int (Choices::*value)() const,
                             void (Choices::*setValue)(int)) {
    return {key, [&choices, value] { return QString::number((choices.*value)()); },
            [&choices, setValue](const QString& text) {
                bool isNumber = false;
                const int stored = text.toInt(&isNumber);
                if (isNumber && stored >= 0 && stored <= 2)
                    (choices.*setValue)(stored);
            }};
}

void restoreValues(const SettingsStore& store, std::span<const StoredValue> values) {
    for (const StoredValue& value : values)
        value.restore(store.text(QLatin1StringView(value.key), value.current()));
}

void writeValues(SettingsStore& store, std::span<const StoredValue> values) {
    for (const StoredValue& value : values)
        store.setText(QLatin1StringView(value.key), value.current());
}

} // namespace mivo
