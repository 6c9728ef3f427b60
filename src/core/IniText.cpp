#include "core/IniText.h"

#include <QStringDecoder>

#include <algorithm>

namespace mivo {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The digit's value in `base` (8 or 16), or -1 when it is no digit there.
int digitValue(char c, int base) {
    const char lower = static_cast<char>(c | 0x20);
    const int value = c >= '0' && c <= '9' ? c - '0' : lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
    return value < base ? value : -1;
}

// One line as QSettings sees it: a quoted value and a backslash before the line's end carry it on over
// the next line break, and a ';' outside quotes ends it (the rest is a comment).
struct Line {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype equals = -1;  // the first '=' outside quotes
    bool openAtEnd = false; // a quote or an escape not closed before the text's end
};

std::optional<Line> nextLine(QByteArrayView text, qsizetype& at) {
    Line line{at, at, -1};
    while (line.start < text.size() && isBlank(text[line.start]))
        ++line.start;
    bool quoted = false;
    qsizetype i = line.start;
    while (i < text.size()) {
        const char c = text[i++];
        if (c == '=' && !quoted && line.equals == -1) {
            line.equals = i - 1;
        } else if ((c == '\n' || c == '\r' || c == ';') && !quoted && i > line.start + 1) {
            --i;
            break;
        } else if (c == ';' && i == line.start + 1) { // a comment line, with the blanks after it
            while (i < text.size() && text[i] != '\n' && text[i] != '\r')
                ++i;
            while (i < text.size() && isBlank(text[i]))
                ++i;
            line.start = i;
        } else if (c == '\\' && i < text.size()) {
            const char escaped = text[i++];
            if (i < text.size() &&
                ((escaped == '\n' && text[i] == '\r') || (escaped == '\r' && text[i] == '\n')))
                ++i;
            line.openAtEnd = i == text.size() && (escaped == '\n' || escaped == '\r');
        } else if (c == '\\') {
            line.openAtEnd = true;
        } else if (c == '"') {
            quoted = !quoted;
        }
    }
    at = i;
    line.end = i;
    line.openAtEnd = line.openAtEnd || quoted;
    if (line.end == line.start)
        return std::nullopt;
    return line;
}

// Keys and headings: '\' stands for '/', and %XX or %UXXXX for the character of that code.
QString unescapedKey(QByteArrayView bytes) {
    const QString decoded = QString::fromUtf8(bytes);
    QString key;
    for (qsizetype i = 0; i < decoded.size();) {
        const QChar c = decoded[i];
        const qsizetype digits = i + 1 < decoded.size() && decoded[i + 1] == u'U' ? 4 : 2;
        const qsizetype first = i + 1 + (digits == 4 ? 1 : 0);
        bool ok = false;
        const ushort code = c == u'%' && first + digits <= decoded.size()
                                ? decoded.sliced(first, digits).toUShort(&ok, 16)
                                : 0;
        if (ok) {
            key += QChar(code);
            i = first + digits;
        } else {
            key += c == u'\\' ? u'/' : c;
            ++i;
        }
    }
    return key;
}

void chopBlanks(QString& text, qsizetype limit) {
    while (text.size() > limit && (text.back() == u' ' || text.back() == u'\t'))
        text.chop(1);
}

// A value with its quotes and backslash escapes taken away, or nothing when a ',' outside quotes makes
// it a list. Blanks at the ends count only inside quotes or when written as escapes.
std::optional<QString> unescapedValue(QByteArrayView raw) {
    static constexpr std::pair<char, char16_t> kEscapes[] = {
        {'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},  {'r', '\r'}, {'t', '\t'},
        {'v', '\v'}, {'"', '"'},  {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text;
    bool quoted = false;
    bool anyQuotes = false;
    qsizetype keepFrom = 0; // blanks before this were escaped or quoted
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t'))
            ++i;
        keepFrom = text.size();
    };
    skipBlanks();
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '\\') {
            if (++i == raw.size())
                return text;
            const char escaped = raw[i++];
            const auto* simple =
                std::find_if(std::begin(kEscapes), std::end(kEscapes),
                             [escaped](const auto& entry) { return entry.first == escaped; });
            const bool hex = escaped == 'x' && i < raw.size() && digitValue(raw[i], 16) >= 0;
            const bool octal = escaped >= '0' && escaped <= '7';
            if (simple != std::end(kEscapes)) {
                text += QChar(simple->second);
            } else if (hex || octal) {
                const int base = hex ? 16 : 8;
                char16_t code = hex ? 0 : static_cast<char16_t>(escaped - '0');
                for (; i < raw.size() && digitValue(raw[i], base) >= 0; ++i)
                    code = static_cast<char16_t>(code * base + digitValue(raw[i], base));
                text += QChar(code);
                if (i == raw.size())
                    return text;
            } else if ((escaped == '\n' || escaped == '\r') && i < raw.size() &&
                       (raw[i] == '\n' || raw[i] == '\r') && raw[i] != escaped) {
                ++i;
            }
            keepFrom = text.size();
        } else if (c == '"') {
            ++i;
            anyQuotes = true;
            quoted = !quoted;
            if (!quoted)
                skipBlanks();
        } else if (c == ',' && !quoted) {
            return std::nullopt;
        } else {
            qsizetype end = i + 1;
            while (end < raw.size() && raw[end] != '\\' && raw[end] != '"' && raw[end] != ',')
                ++end;
            text += utf8(raw.sliced(i, end - i));
            i = end;
        }
    }
    if (!anyQuotes)
        chopBlanks(text, keepFrom);
    return text;
}

// The number of arguments QSettings finds in a typed value such as "@Rect(1 2 3 4)".
qsizetype argumentCount(const QString& value) {
    const QString arguments = value.sliced(value.indexOf(u'('));
    return arguments.count(u' ') + arguments.count(u')');
}

// QSettings' reading of a value's text: "@@" stands for one '@', and a typed form holds a value that
// is no text, except bytes that are valid UTF-8 (how a path lands there when another tool wrote it).
std::optional<QString> valueText(QByteArrayView raw) {
    auto text = unescapedValue(raw);
    if (!text || !text->startsWith(u'@'))
        return text;
    if (text->endsWith(u')')) {
        if (text->startsWith(QLatin1StringView("@ByteArray("))) {
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            QString decoded = decoder(text->sliced(11).chopped(1).toLatin1());
            return decoder.hasError() ? std::nullopt : std::optional(decoded);
        }
        if (text->startsWith(QLatin1StringView("@String(")))
            return text->sliced(8).chopped(1);
        if (text->startsWith(QLatin1StringView("@Variant(")) ||
            text->startsWith(QLatin1StringView("@DateTime(")) || *text == QLatin1StringView("@Invalid()") ||
            (text->startsWith(QLatin1StringView("@Rect(")) && argumentCount(*text) == 4) ||
            (text->startsWith(QLatin1StringView("@Size(")) && argumentCount(*text) == 2) ||
            (text->startsWith(QLatin1StringView("@Point(")) && argumentCount(*text) == 2))
            return std::nullopt;
    }
    return text->startsWith(QLatin1StringView("@@")) ? text->sliced(1) : *text;
}

// Keys as QSettings writes them: anything but letters, digits and "_-." as %XX. Mivo writes only its own
// keys and section, which are ASCII.
QByteArray escapedKey(const QString& key) {
    return key.toLatin1().toPercentEncoding({}, "~");
}

// Values in UTF-8, with backslash escapes for quotes, backslashes and control characters, in double
// quotes wherever blanks at an end or a separator would otherwise be lost or misread, and with a leading
// '@' doubled so that no text is taken for a typed value such as @Rect(...).
QByteArray escapedValue(const QString& value) {
    QString escaped = value.startsWith(u'@') ? QStringLiteral("@") : QString();
    bool needsQuotes = false;
    bool hexEscapeBefore = false; // a hex digit right after \xN would be read as part of it
    for (const QChar c : value) {
        const char16_t code = c.unicode();
        needsQuotes = needsQuotes || code == ';' || code == ',' || code == '=' || code == '#';
        if (c == u'"' || c == u'\\') {
            escaped += u'\\';
            escaped += c;
        } else if (code < 0x20 || (hexEscapeBefore && code < 0x80 && digitValue(char(code), 16) >= 0)) {
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

// Where the line after the physical line holding `at` starts, or -1 when that line ends the text without
// a line break. A new line goes there, not before that break: a comment after a value stays with its
// line, and a backslash before a lone '\r' does not take the new line's '\n' for a continuation.
qsizetype nextLineStart(QByteArrayView text, qsizetype at) {
    while (at < text.size() && text[at] != '\n' && text[at] != '\r')
        ++at;
    if (at == text.size())
        return -1;
    return at + (text.sliced(at).startsWith("\r\n") ? 2 : 1);
}

} // namespace

IniText::IniText(QByteArray text, QString section)
    : m_text(std::move(text))
    , m_section(std::move(section)) {
    parse();
}

void IniText::parse() {
    const QByteArrayView text(m_text);
    qsizetype at = text.startsWith("\xef\xbb\xbf") ? 3 : 0;
    bool inSection = m_section.isEmpty(); // the keys before any heading
    if (inSection) {
        m_headings = 1;
        m_sectionEnd = at;
    }
    while (const auto line = nextLine(text, at)) {
        const QByteArrayView content = text.sliced(line->start, line->end - line->start);
        m_openAtEnd = line->openAtEnd;
        if (content.startsWith('[')) {
            const qsizetype close = content.indexOf(']');
            m_headingsClosed = m_headingsClosed && close != -1;
            // A heading is escaped as a key is. QSettings takes "[General]" for the keys outside any
            // group, which Mivo never reads, so here it is simply a section of that name.
            inSection =
                unescapedKey(content.sliced(1, (close == -1 ? content.size() : close) - 1).trimmed()) ==
                m_section;
            if (inSection) {
                ++m_headings;
                m_sectionEnd = line->end;
            }
            continue;
        }
        if (!inSection)
            continue;
        m_sectionEnd = line->end;
        if (line->equals == -1) {
            m_keysOnly = m_keysOnly && content.startsWith(';');
            continue;
        }
        m_entries.append({unescapedKey(text.sliced(line->start, line->equals - line->start).trimmed()),
                          m_headings - 1, line->start, line->equals + 1, line->end,
                          valueText(text.sliced(line->equals + 1, line->end - line->equals - 1))});
    }
}

// QSettings reads only the keys right under the section's own headings; "a\b" is a key of a group.
bool IniText::isDirectKey(const Entry& entry) {
    return !entry.key.isEmpty() && !entry.key.contains(u'/');
}

bool IniText::wellFormed() const {
    return m_headingsClosed && !m_openAtEnd && m_keysOnly;
}

QMap<QString, QString> IniText::texts() const {
    QMap<QString, QString> texts;
    for (const Entry& entry : m_entries) {
        if (!isDirectKey(entry))
            continue;
        if (entry.text)
            texts.insert(entry.key, *entry.text);
        else
            texts.remove(entry.key);
    }
    return texts;
}

QByteArray IniText::withTexts(const QMap<QString, QString>& values) const {
    struct Edit {
        qsizetype from;
        qsizetype to;
        QByteArray bytes;
    };
    QList<Edit> edits;
    QMap<qsizetype, QByteArray> insertions;
    const QMap<QString, QString> before = texts();
    const qsizetype afterSection = m_headings == 0 ? -1 : nextLineStart(m_text, m_sectionEnd);
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (before.contains(it.key()) && before.value(it.key()) == it.value())
            continue;
        const QByteArray line = escapedKey(it.key()) + '=' + escapedValue(it.value());
        const auto entry = std::find_if(m_entries.crbegin(), m_entries.crend(), [&](const Entry& candidate) {
            return isDirectKey(candidate) && candidate.key == it.key();
        });
        const auto next = std::find_if(m_entries.cbegin(), m_entries.cend(), [&](const Entry& candidate) {
            return candidate.heading == m_headings - 1 && candidate.key > it.key();
        });
        if (entry != m_entries.crend())
            edits.append({entry->valueStart, entry->valueEnd, line.sliced(line.indexOf('=') + 1)});
        else if (next != m_entries.cend())
            insertions[next->lineStart] += line + '\n';
        else if (m_headings == 0)
            insertions[m_text.size()] += line + '\n';
        else if (afterSection == -1)
            insertions[m_text.size()] += '\n' + line;
        else
            insertions[afterSection] += line + '\n';
    }
    if (m_headings == 0 && insertions.contains(m_text.size())) {
        const QByteArray lineBreak = m_text.isEmpty() || m_text.endsWith('\n') ? "" : "\n";
        insertions[m_text.size()].prepend(lineBreak + '[' + escapedKey(m_section) + "]\n");
    }
    // A new line at the end of a value's line comes after that value, however long either is.
    for (auto it = insertions.cbegin(); it != insertions.cend(); ++it)
        edits.append({it.key(), it.key(), it.value()});
    std::stable_sort(edits.begin(), edits.end(),
                     [](const Edit& a, const Edit& b) { return a.from < b.from; });
    QByteArray text;
    qsizetype kept = 0;
    for (const Edit& edit : edits) {
        text += QByteArrayView(m_text).sliced(kept, edit.from - kept);
        text += edit.bytes;
        kept = edit.to;
    }
    text += QByteArrayView(m_text).sliced(kept);
    return text;
}

} // namespace mivo
