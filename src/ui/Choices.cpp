#include "ui/Choices.h"

namespace mivo {
namespace {

// Sets `value` and tells `changed` only when it changed, so a window showing it can set it back
// without an endless echo.
template <typename T, typename Signal>
void update(Choices& choices, T& member, const T& value, Signal changed) {
    if (member == value)
        return;
    member = value;
    emit(choices.*changed)(member);
}

} // namespace

void Choices::setZsnesPath(const QString& path) {
    update(*this, m_zsnesPath, path, &Choices::zsnesPathChanged);
    setShownLine(path);
}

void Choices::setRomulusPath(const QString& path) {
    update(*this, m_romulusPath, path, &Choices::romulusPathChanged);
}

void Choices::setRom(const std::optional<QString>& rom) {
    update(*this, m_rom, rom, &Choices::romChanged);
}

void Choices::setShownLine(const QString& line) {
    update(*this, m_shownLine, line, &Choices::shownLineChanged);
}

void Choices::setMinimizeToTray(int value) {
    update(*this, m_minimizeToTray, value, &Choices::minimizeToTrayChanged);
}

void Choices::setIconInTray(int value) {
    update(*this, m_iconInTray, value, &Choices::iconInTrayChanged);
}

} // namespace mivo
