#include "platform/QtSettingsStore.h"

#include "core/IniText.h"
#include "core/SettingsKeys.h"
#include "platform/SystemMessage.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio> // renameat2
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mivo {

namespace {

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

// Keeps the file at `path` under the first free name of `path`.corrupt, `path`.corrupt.1, ...: an
// earlier copy kept aside is never replaced. A second link leaves the file at `path` too until the new
// one takes its place; where the file system has no links, the file is renamed, never over another.
struct KeptAside {
    QByteArray name; // empty when nothing was kept
    bool renamed = false;
    std::optional<QString> failure;
};
KeptAside keepAside(const QByteArray& path) {
    for (int number = 0;; ++number) {
        const QByteArray name =
            path + ".corrupt" + (number == 0 ? QByteArray() : '.' + QByteArray::number(number));
        if (::link(path.constData(), name.constData()) == 0)
            return {name, false, std::nullopt};
        if (errno != EEXIST && errno != ENOENT &&
            ::renameat2(AT_FDCWD, path.constData(), AT_FDCWD, name.constData(), RENAME_NOREPLACE) == 0)
            return {name, true, std::nullopt};
        if (errno == ENOENT) // gone meanwhile: nothing left to keep
            return {};
        if (errno != EEXIST)
            return {QByteArray(), false, systemMessage(errno)};
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
    const bool wholeRead = file.error() == QFileDevice::NoError;
    if (m_file.wellFormed() && wholeRead)
        return;
    // A file whose identity cannot be learnt keeps the zeros, which no file has: it is not set aside.
    struct stat identity {};
    if (file.isOpen())
        ::fstat(file.handle(), &identity);
    else
        ::stat(QFile::encodeName(m_filePath).constData(), &identity);
    m_unreadableAtStart = FileIdentity{identity.st_dev, identity.st_ino, wholeRead};
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
    // Only the very file that could not be read: not one another Mivo has saved since, nor one that is
    // gone.
    KeptAside aside;
    if (stillTheUnreadableFile())
        aside = keepAside(QFile::encodeName(m_filePath));
    if (aside.failure)
        return SaveFailure{m_filePath, *aside.failure};
    if (!file.commit()) {
        const QByteArray current = QFile::encodeName(m_filePath);
        if (aside.renamed)
            ::renameat2(AT_FDCWD, aside.name.constData(), AT_FDCWD, current.constData(), RENAME_NOREPLACE);
        else if (!aside.name.isEmpty())
            ::unlink(aside.name.constData());
        return SaveFailure{m_filePath, file.errorString()};
    }
    m_unreadableAtStart.reset();
    m_file = IniText(text, section());
    return std::nullopt;
}

bool QtSettingsStore::stillTheUnreadableFile() const {
    struct stat now {};
    if (!m_unreadableAtStart || ::stat(QFile::encodeName(m_filePath).constData(), &now) != 0 ||
        now.st_dev != m_unreadableAtStart->device || now.st_ino != m_unreadableAtStart->inode)
        return false;
    QFile file(m_filePath);
    return !m_unreadableAtStart->wholeRead ||
           (file.open(QIODevice::ReadOnly) && file.readAll() == m_file.bytes());
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
