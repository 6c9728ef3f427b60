#pragma once

#include "core/IniText.h"
#include "platform/SettingsStore.h"

#include <QMap>
#include <QString>

#include <chrono>
#include <optional>
#include <sys/types.h>

namespace mivo {

// Mivo's four values in an INI file of their own, in the one section the program uses; whatever else the
// file holds is written back as it was read. The file is read once, when the store is made; a save writes
// the whole file anew beside the old one and puts it in the old one's place only once it is completely on
// disk.
class QtSettingsStore final : public SettingsStore {
public:
    // `lockWait` bounds how long a save waits for another program to let go of the file.
    explicit QtSettingsStore(QString filePath, std::chrono::milliseconds lockWait = std::chrono::seconds(2));

    [[nodiscard]] QString text(const QString& key, const QString& fallback) const override;
    void setText(const QString& key, const QString& value) override;
    [[nodiscard]] std::optional<SaveFailure> save() override;

private:
    [[nodiscard]] std::optional<SaveFailure> write();
    [[nodiscard]] bool stillTheUnreadableFile() const;

    // Which file could not be read at the start, so that a save sets aside that one and no other.
    struct FileIdentity {
        dev_t device;
        ino_t inode;
        bool wholeRead; // its bytes are known, and must also be the same
    };

    QString m_filePath;
    std::chrono::milliseconds m_lockWait;
    IniText m_file;                  // the file as read, or as last saved
    QMap<QString, QString> m_values; // the section's texts, as read and as set since
    // A file that was there at the start but could not be read: the first save keeps it beside the new
    // one, as the user's to look into, if it is still there.
    std::optional<FileIdentity> m_unreadableAtStart;
};

// Where the settings of a program with this name live for the current user; XDG_CONFIG_HOME is
// honoured.
[[nodiscard]] QString settingsFilePath(const QString& applicationName);

// The name the program goes by: its file name without folder and without the last extension, so
// that a renamed copy keeps settings of its own.
[[nodiscard]] QString applicationNameFromExecutable(const QString& executablePath);

} // namespace mivo
