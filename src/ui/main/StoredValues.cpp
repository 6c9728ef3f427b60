#include "ui/main/StoredValues.h"

#include "platform/SettingsStore.h"
#include "ui/main/CheckValue.h"

namespace mivo {

StoredValue storedCheckBox(const char* key, QCheckBox& box) {
    return {key, [&box] { return QString::number(checkValue(box)); },
            [&box](const QString& text) {
                bool isNumber = false;
                const int value = text.toInt(&isNumber);
                if (isNumber && value >= 0 && value <= 2)
                    setCheckValue(box, value);
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
