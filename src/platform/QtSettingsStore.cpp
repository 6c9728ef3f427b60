#include "platform/QtSettingsStore.h"

#include "core/IniText.h"
#include "core/SettingsKeys.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace mivo {

namespace {

QString systemMessage(int errorNumber) {
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

// `errorNumber` is what the system said last while the lock was tried, the likely reason it could not be
// made: QLockFile keeps no reason of its own.
QString lockProblem(const QLockFile& lock, const QString& lockPath, int errorNumber) {
    if (lock.error() == QLockFile::LockFailedError)
        return QStringLiteral("its lock file %1 is held by another program").arg(lockPath);
    const QString problem = QStringLiteral("its lock file %1 cannot be made").arg(lockPath);
    return errorNumber == 0 ? problem : problem + QStringLiteral(": ") + systemMessage(errorNumber);
}

// Written straight to the descriptor, so that a failure comes with the system's own reason.
std::optional<QString> writeAll(int descriptor, QByteArrayView bytes) {
    while (!bytes.isEmpty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), static_cast<std::size_t>(bytes.size()));
        if (written == -1) {
            if (errno == EINTR)
                continue;
            return systemMessage(errno);
        }
        bytes = bytes.sliced(written);
    }
    if (::fsync(descriptor) != 0)
        return systemMessage(errno);
    return std::nullopt;
}

// A rename is durable only once the folder holding it is; a folder that cannot be synced still holds
// the new file, so that is no reason to call the save failed.
void syncFolder(const QString& folder) {
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor != -1) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

QString section() {
    return QLatin1StringView(settings::kSection);
}

} // namespace

QtSettingsStore::QtSettingsStore(QString filePath, std::chrono::milliseconds lockWait)
    : m_filePath(std::move(filePath))
    , m_lockWait(lockWait) {
    if (!QFileInfo(m_filePath).isFile())
        return;
    QFile file(m_filePath);
    m_file = IniText(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), section());
    m_values = m_file.texts();
    m_unreadableAtStart = !m_file.wellFormed() || file.error() != QFileDevice::NoError;
}

QString QtSettingsStore::text(const QString& key, const QString& fallback) const {
    return m_values.value(key, fallback);
}

void QtSettingsStore::setText(const QString& key, const QString& value) {
    m_values.insert(key, value);
}

std::optional<SaveFailure> QtSettingsStore::save() {
    const QString folder = QFileInfo(m_filePath).absolutePath();
    if (!QDir().mkpath(folder))
        return SaveFailure{m_filePath, systemMessage(errno)};
    // Another Mivo saving at the same moment waits for this one; one that never lets go (a lock left by
    // another user, a folder in its place) costs this save, never the end of the program.
    const QString lockPath = m_filePath + QStringLiteral(".lock");
    QLockFile lock(lockPath);
    errno = 0;
    if (!lock.tryLock(static_cast<int>(m_lockWait.count())))
        return SaveFailure{m_filePath, lockProblem(lock, lockPath, errno)};
    auto failure = write();
    if (!failure)
        syncFolder(folder);
    return failure;
}

std::optional<SaveFailure> QtSettingsStore::write() {
    // Written to a new file beside the old one; until the rename the old file is untouched, and a new
    // file that was not completely written is removed when `file` goes.
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly))
        return SaveFailure{m_filePath, file.errorString()};
    // What could not be read is kept aside as it was, not carried on into the new file.
    const QByteArray text = (m_unreadableAtStart ? IniText({}, section()) : m_file).withTexts(m_values);
    if (const auto reason = writeAll(file.handle(), text))
        return SaveFailure{m_filePath, *reason};
    const QString asidePath = m_filePath + QStringLiteral(".corrupt");
    const QByteArray aside = QFile::encodeName(asidePath);
    const QByteArray current = QFile::encodeName(m_filePath);
    if (m_unreadableAtStart && std::rename(current.constData(), aside.constData()) != 0)
        return SaveFailure{m_filePath, systemMessage(errno)};
    if (!file.commit()) {
        if (m_unreadableAtStart)
            std::rename(aside.constData(), current.constData());
        return SaveFailure{m_filePath, file.errorString()};
    }
    m_unreadableAtStart = false;
    m_file = IniText(text, section());
    return std::nullopt;
}

QString settingsFilePath(const QString& applicationName) {
    const QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return configHome + u'/' + applicationName + u'/' + applicationName + QStringLiteral(".conf");
}

QString applicationNameFromExecutable(const QString& executablePath) {
    const QFileInfo executable(executablePath);
    const QString name = executable.completeBaseName();
    // A name that is nothing but an extension (".mivo") would otherwise leave no name at all.
    return name.isEmpty() ? executable.fileName() : name;
}

} // namespace mivo
