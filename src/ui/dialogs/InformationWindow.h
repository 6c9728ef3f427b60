#pragma once

#include <QDialog>
#include <QSize>

#include <functional>

class QPushButton;
class QVBoxLayout;

namespace mivo {

// What every small information window of Mivo has in common: a window of its own with a title and a
// close box but no minimise or maximise button, a fixed size, centred on the screen, and an "&Ok"
// button at the bottom that closes it, as Escape does. Return presses "&Ok" unless the focused control
// uses the key itself. The window is no modal dialog: it deletes itself when closed.
class InformationWindow : public QDialog {
    Q_OBJECT

public:
    // `clientSize` is in twips. `buildContent` fills the part above "&Ok" and parents what it makes
    // to `window`.
    InformationWindow(const QString& objectName, const QString& title, QSize clientSize,
                      const std::function<void(QVBoxLayout& content, QWidget& window)>& buildContent);

    [[nodiscard]] QPushButton& okButton() const { return *m_ok; }

    // Every way of closing ends here: "&Ok", Return, Escape and the close box.
    void done(int result) override;

signals:
    // The window has agreed to close and is about to disappear; it is still on the screen.
    void closing();

private:
    void shrinkFontUntilContentFits();
    [[nodiscard]] bool contentFits() const;

    QPushButton* m_ok;
};

} // namespace mivo
