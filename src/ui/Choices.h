#pragma once

#include "core/ProgramTexts.h"

#include <QObject>
#include <QString>

#include <optional>

namespace mivo {

// What the user chose that more than one window shows or uses: the two programs' paths, the ROM, the
// command line the main window shows, and the two tray preferences. Windows show these values and
// change them here; the start restores them and the end stores them from here, so a save never has to
// ask a window. Each value says when it changed.
class Choices : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    [[nodiscard]] const QString& zsnesPath() const { return m_zsnesPath; }
    // The shown line starts again from the bare path whenever the path is set, even to the path it
    // already holds: loading the File Paths window again sets the path, and with it the line, once more.
    void setZsnesPath(const QString& path);

    [[nodiscard]] const QString& romulusPath() const { return m_romulusPath; }
    void setRomulusPath(const QString& path);

    // No ROM chosen is no value at all; its placeholder text is only how the window says so.
    [[nodiscard]] const std::optional<QString>& rom() const { return m_rom; }
    void setRom(const std::optional<QString>& rom);

    // The command line as shown, which Run/Play starts as it stands.
    [[nodiscard]] const QString& shownLine() const { return m_shownLine; }
    void setShownLine(const QString& line);

    // The tray check boxes' values as stored: 0 clear, 1 ticked, 2 greyed.
    [[nodiscard]] int minimizeToTray() const { return m_minimizeToTray; }
    void setMinimizeToTray(int value);
    [[nodiscard]] int iconInTray() const { return m_iconInTray; }
    void setIconInTray(int value);

signals:
    void zsnesPathChanged(const QString& path);
    void romulusPathChanged(const QString& path);
    void romChanged(const std::optional<QString>& rom);
    void shownLineChanged(const QString& line);
    void minimizeToTrayChanged(int value);
    void iconInTrayChanged(int value);

private:
    QString m_zsnesPath;
    QString m_romulusPath = QString::fromLatin1(texts::kRomulusFieldStartText);
    std::optional<QString> m_rom;
    QString m_shownLine = QString::fromLatin1(texts::kZsnesPlaceholder);
    int m_minimizeToTray = 1;
    int m_iconInTray = 1;
};

} // namespace mivo
