#include "platform/QtSettingsStore.h"

#include "core/SettingsKeys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QVariant>

#include <optional>

namespace mivo {

namespace {

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

} // namespace

QtSettingsStore::QtSettingsStore(QString filePath)
    : m_filePath(std::move(filePath))
    , m_settings(openFile()) {}

QtSettingsStore::~QtSettingsStore() = default;

std::unique_ptr<QSettings> QtSettingsStore::openFile() const {
    auto settings = std::make_unique<QSettings>(m_filePath, QSettings::IniFormat);
    settings->beginGroup(QLatin1StringView(settings::kSection));
    return settings;
}

QString QtSettingsStore::text(const QString& key, const QString& fallback) const {
    return asText(m_settings->value(key)).value_or(fallback);
}

void QtSettingsStore::setText(const QString& key, const QString& value) {
    m_settings->setValue(key, value);
}

void QtSettingsStore::flush() {
    m_settings->sync();
    // QSettings writes over a file it could not parse (that only gives FormatError), but not over
    // one it cannot open: a file it may not read or write, or a folder in the file's place. Such a
    // file is kept beside the new one instead of costing the user the values just chosen.
    if (m_settings->status() != QSettings::AccessError || !moveUnusableFileAside())
        return;
    QVariantMap values;
    for (const QString& key : m_settings->childKeys())
        values.insert(key, m_settings->value(key));
    // A fresh QSettings, because the old one would go on reporting its first error forever.
    m_settings = openFile();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        m_settings->setValue(it.key(), it.value());
    m_settings->sync();
}

bool QtSettingsStore::moveUnusableFileAside() const {
    const QFileInfo file(m_filePath);
    if (!file.isFile())
        return false; // a folder or nothing at all: nothing of the user's to keep, nothing to free
    const QString asidePath = m_filePath + QStringLiteral(".corrupt");
    QFile::remove(asidePath);
    return QFile::rename(m_filePath, asidePath);
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
