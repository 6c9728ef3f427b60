#pragma once

#include <QString>
#include <QStringList>

namespace mivo {

// What a file dialog offers to show, in Qt's own terms.
struct FileFilter {
    QStringList nameFilters; // Qt's "Description (patterns)"; none: every file
    QString selected;        // the entry shown at opening; empty: the first

    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// Reads a filter as Mivo's windows were designed with it, "Description|patterns|Description|patterns|",
// with `shownDescription` naming the entry to open on. Each entry ends in the patterns Qt matches with,
// so the dialog must hide those details to show the descriptions exactly as written. "*.*" stands for
// every file, as it does on Windows, also for names without a dot. A description left without patterns
// is dropped.
[[nodiscard]] FileFilter designedFileFilter(const QString& pipeFilter, const QString& shownDescription = {});

} // namespace mivo
