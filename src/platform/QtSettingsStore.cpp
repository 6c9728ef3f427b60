#include "platform/QtSettingsStore.h"

#include "core/SettingsKeys.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QVariant>

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

bool isHexDigit(char16_t code) {
    return (code >= '0' && code <= '9') || (code >= 'a' && code <= 'f') || (code >= 'A' && code <= 'F');
}

bool isPlainKeyCharacter(char16_t code) {
    return (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9') ||
           code == '_' || code == '-' || code == '.';
}

// QSettings reads an @ByteArray(...) value back as bytes; those still count as text when they are
// valid UTF-8, which is how a path lands there when another tool wrote the file.
std::optional<QString> asText(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QByteArray: {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString decoded = decoder(value.toByteArray());
        if (decoder.hasError())
            return std::nullopt;
        return decoded;
    }
    default:
        return std::nullopt;
    }
}

// The file is written in QSettings' own INI dialect, so that QSettings reads back exactly the texts that
// were set: in keys, anything but letters, digits and "_-." as %XX; values in UTF-8, with backslash escapes
// for quotes, backslashes and control characters, in double quotes wherever blanks at an end or a
// separator would otherwise be lost or misread, and with a leading '@' doubled so that no text is taken
// for a typed value such as @Rect(...).
QByteArray iniKey(const QString& key) {
    QByteArray escaped;
    for (const QChar c : key) {
        const char16_t code = c.unicode();
        if (isPlainKeyCharacter(code))
            escaped += static_cast<char>(code);
        else if (code <= 0xFF)
            escaped += '%' + QByteArray::number(code, 16).toUpper().rightJustified(2, '0');
        else
            escaped += "%U" + QByteArray::number(code, 16).toUpper().rightJustified(4, '0');
    }
    return escaped;
}

QByteArray iniValue(const QString& value) {
    QString escaped = value.startsWith(u'@') ? QStringLiteral("@") : QString();
    bool needsQuotes = false;
    bool hexEscapeBefore = false; // a hex digit right after \xN would be read as part of it
    for (const QChar c : value) {
        const char16_t code = c.unicode();
        needsQuotes = needsQuotes || code == ';' || code == ',' || code == '=' || code == '#';
        if (c == u'"' || c == u'\\') {
            escaped += u'\\';
            escaped += c;
        } else if (code < 0x20 || (hexEscapeBefore && isHexDigit(code))) {
            escaped += QStringLiteral("\\x") + QString::number(code, 16);
            hexEscapeBefore = true;
            continue;
        } else {
            escaped += c;
        }
        hexEscapeBefore = false;
    }
    if (needsQuotes || escaped.startsWith(u' ') || escaped.endsWith(u' '))
        escaped = u'"' + escaped + u'"';
    return escaped.toUtf8();
}

QByteArray iniSection(const QMap<QString, QString>& values) {
    QByteArray text = '[' + QByteArray(settings::kSection) + "]\n";
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        text += iniKey(it.key()) + '=' + iniValue(it.value()) + '\n';
    return text;
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
        if (written < 0 && errno != EINTR)
            return systemMessage(errno);
        bytes = bytes.sliced(std::max<qsizetype>(written, 0));
    }
    if (::fsync(descriptor) != 0)
        return systemMessage(errno);
    return std::nullopt;
}

// A rename is durable only once the folder holding it is; a folder that cannot be synced still holds
// the new file, so that is no reason to call the save failed.
void syncFolder(const QString& folder) {
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

} // namespace

QtSettingsStore::QtSettingsStore(QString filePath, std::chrono::milliseconds lockWait)
    : m_filePath(std::move(filePath))
    , m_lockWait(lockWait) {
    QSettings file(m_filePath, QSettings::IniFormat);
    file.beginGroup(QLatin1StringView(settings::kSection));
    for (const QString& key : file.childKeys()) {
        if (const auto value = asText(file.value(key)))
            m_values.insert(key, *value);
    }
    m_unreadableAtStart = file.status() != QSettings::NoError && QFileInfo(m_filePath).isFile();
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
    if (const auto reason = writeAll(file.handle(), iniSection(m_values)))
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
