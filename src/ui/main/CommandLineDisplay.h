#pragma once

#include <QLabel>

namespace mivo {

// The line that shows the emulator's command line, exactly as it stands, in a place of fixed width that cuts
// off what does not fit. It is still there to be read whole: selected with the mouse or the keyboard (Tab
// reaches it) and copied, and, while it is cut, its tooltip holds the whole line. What a screen reader reads
// is its text alone.
class CommandLineDisplay : public QLabel {
    Q_OBJECT

public:
    CommandLineDisplay(const QString& text, QWidget* parent);

    // Whether the line is wider than its place.
    [[nodiscard]] bool isCut() const;

protected:
    bool event(QEvent* event) override;
};

} // namespace mivo
