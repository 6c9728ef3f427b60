#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>

namespace mivo {

// A settings file's text in QSettings' INI dialect: read as QSettings reads it, and written back with
// only the values that were changed, so that whatever else the file holds (comments, other sections,
// other keys, the quoting another tool chose) stays as it was.
class IniText {
public:
    explicit IniText(QByteArray text = {});

    // False where QSettings, asked for the keys of `section`, reports a format error: a section heading
    // left open anywhere, or a line of that section that is neither a key nor a comment; also when a
    // quote or a backslash is left open at the end, which would swallow whatever a save adds there.
    [[nodiscard]] bool wellFormed(const QString& section) const;
    // The keys directly in `section` that hold text, with their texts; the last of a key read twice
    // counts, as for QSettings.
    [[nodiscard]] QMap<QString, QString> texts(const QString& section) const;
    // This text with `values` set in `section`: a key that holds the same text already is left alone,
    // one that holds another value gets the new one in its own line, a new key joins the section before
    // the first key that sorts after it (so that a sorted section stays sorted), and a section the text
    // lacks is added at the end.
    [[nodiscard]] QByteArray withTexts(const QString& section, const QMap<QString, QString>& values) const;

private:
    struct Entry {
        QString key;       // as QSettings names it: '/' where it holds a group
        qsizetype section; // the heading it stands under
        qsizetype lineStart;
        qsizetype valueStart;        // the first byte after '='
        qsizetype valueEnd;          // where the line (the value with its continuations) ends
        std::optional<QString> text; // nothing when the value is no text: a list, a rectangle...
    };
    [[nodiscard]] bool inSection(const Entry& entry, const QString& section) const;

    struct Section {
        QString path;         // empty for the keys before any heading
        qsizetype end;        // the end of its heading's or its last key's line
        bool keysOnly = true; // no line but keys and comments
    };

    void parse();

    QByteArray m_text;
    QList<Entry> m_entries;
    QList<Section> m_sections;
    bool m_headingsClosed = true;
    bool m_openAtEnd = false;
};

} // namespace mivo
