#pragma once

#include <QByteArrayView>

// Every byte of `kept` stands in `text`, in the same order: what a save must leave of a file it
// writes its values into.
inline bool keptInOrder(QByteArrayView kept, QByteArrayView text) {
    qsizetype at = 0;
    for (const char c : kept) {
        while (at < text.size() && text[at] != c)
            ++at;
        if (at++ == text.size())
            return false;
    }
    return true;
}
