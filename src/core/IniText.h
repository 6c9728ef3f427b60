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
//
// Only the one section the program owns is decoded; of the rest, only where its lines end is looked at,
// so that a big file of other sections costs little more than its bytes.
class IniText {
public:
    // `section` is the one that is read and written; empty for the keys before any heading.
    explicit IniText(QByteArray text = {}, QString section = {});

    // The text as it was given.
    [[nodiscard]] const QByteArray& bytes() const { return m_text; }
    // False where QSettings, asked for the keys of the section, reports a format error: a section heading
    // left open anywhere, or a line of that section that is neither a key nor a comment; also when a
    // quote or a backslash is left open at the end, which would swallow whatever a save adds there.
    [[nodiscard]] bool wellFormed() const;
    // The keys directly in the section that hold text, with their texts; the last of a key read twice
    // counts, as for QSettings.
    [[nodiscard]] QMap<QString, QString> texts() const;
    // This text with `values` set in the section: a key that holds the same text already is left alone,
    // one that holds another value gets the new one in its own line, a new key joins the section before
    // the first key that sorts after it (so that a sorted section stays sorted), and a section the text
    // lacks is added at the end.
    [[nodiscard]] QByteArray withTexts(const QMap<QString, QString>& values) const;

private:
    struct Entry {
        QString key; // as QSettings names it: '/' where it holds a group
        int heading; // which of the section's headings it stands under, counted from 0
        qsizetype lineStart;
        qsizetype valueStart;        // the first byte after '='
        qsizetype valueEnd;          // where the line (the value with its continuations) ends
        std::optional<QString> text; // nothing when the value is no text: a list, a rectangle...
    };
    [[nodiscard]] static bool isDirectKey(const Entry& entry);

    void parse();

    QByteArray m_text;
    QString m_section;
    QList<Entry> m_entries;      // the section's keys only
    int m_headings = 0;          // how often the section's heading appears
    qsizetype m_sectionEnd = -1; // the end of its last heading's or last line's line; -1 when it is absent
    bool m_keysOnly = true;      // no line in the section but keys and comments
    bool m_headingsClosed = true;
    bool m_openAtEnd = false;
};

} // namespace mivo
