#pragma once

#include "platform/SettingsStore.h"

#include <QString>

#include <memory>

class QSettings;

namespace mivo {

// Mivo's four values in an INI file of their own, in the one section the program uses.
class QtSettingsStore final : public SettingsStore {
public:
    explicit QtSettingsStore(QString filePath);
    ~QtSettingsStore() override;

    QtSettingsStore(const QtSettingsStore&) = delete;
    QtSettingsStore& operator=(const QtSettingsStore&) = delete;

    [[nodiscard]] QString text(const QString& key, const QString& fallback) const override;
    void setText(const QString& key, const QString& value) override;
    void flush() override;

private:
    [[nodiscard]] std::unique_ptr<QSettings> openFile() const;
    [[nodiscard]] bool moveUnusableFileAside() const;

    QString m_filePath;
    std::unique_ptr<QSettings> m_settings;
};

// Where the settings of a program with this name live for the current user; XDG_CONFIG_HOME is
// honoured.
[[nodiscard]] QString settingsFilePath(const QString& applicationName);

// The name the program goes by: its file name without folder and without the last extension, so
// that a renamed copy keeps settings of its own.
[[nodiscard]] QString applicationNameFromExecutable(const QString& executablePath);

} // namespace mivo
