#include "ui/dialogs/InformationWindowCatalog.h"

#include "core/Version.h"
#include "platform/DesktopServices.h"
#include "ui/Bold.h"
#include "ui/Named.h"
#include "ui/WindowGeometry.h"
#include "ui/dialogs/AboutContent.h"
#include "ui/dialogs/InformationWindow.h"
#include "ui/dialogs/LinkLabel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace mivo {
namespace {

using Content = std::function<void(QVBoxLayout&, QWidget&)>;

QLabel* textLabel(const QString& objectName, const QString& text, QWidget& window) {
    auto* label = named(new QLabel(text, &window), objectName);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A bold heading and, on the line below and further right, a web address shown as plain text.
void addAddressEntry(QVBoxLayout& content, QWidget& window, const QStringList& objectNames,
                     const QString& heading, const char* address) {
    content.addWidget(inBold(textLabel(objectNames[0], heading, window)));
    QLabel* addressLabel = textLabel(objectNames[1], QString::fromUtf8(address), window);
    addressLabel->setIndent(twips(360));
    content.addWidget(addressLabel);
}

std::unique_ptr<InformationWindow> makeWindow(const char* objectName, const char* title, QSize clientSize,
                                              const Content& content) {
    return std::make_unique<InformationWindow>(QString::fromLatin1(objectName), QString::fromLatin1(title),
                                               clientSize, content);
}

} // namespace

std::unique_ptr<InformationWindow> makeRomulusNotFoundWindow() {
    return makeWindow(
        "Form3", "Romulus Not Found", QSize(3705, 945), [](QVBoxLayout& content, QWidget& window) {
            QLabel* message = textLabel(QStringLiteral("Label1"),
                                        QStringLiteral("Romulus executable path not selected."), window);
            message->setAlignment(Qt::AlignCenter);
            content.addWidget(message);
        });
}

std::unique_ptr<InformationWindow> makeAboutWindow(UrlOpener& urls) {
    return makeWindow("Form2", "About", QSize(2745, 2250), [&urls](QVBoxLayout& content, QWidget& window) {
        QLabel* title =
            textLabel(QStringLiteral("Label1"),
                      QStringLiteral("%1\nWritten by: %2")
                          .arg(QLatin1StringView(kNameAndVersion), QString::fromUtf8(about::kAuthorAlias)),
                      window);
        title->setAlignment(Qt::AlignCenter);
        content.addWidget(title);

        const QString email = QString::fromUtf8(about::kAuthorEmail);
        auto* mail =
            named(new LinkLabel(email, QColor::fromRgb(0x0000FF), &window), QStringLiteral("Label3"));
        QObject::connect(mail, &LinkLabel::activated, mail,
                         [&urls, email] { urls.open(QStringLiteral("mailto:") + email); });
        content.addWidget(mail);

        const QString webPage = QString::fromUtf8(about::kAuthorWebPage);
        auto* web =
            named(new LinkLabel(webPage, QColor::fromRgb(0x0000C0), &window), QStringLiteral("Label4"));
        QObject::connect(web, &LinkLabel::activated, web, [&urls, webPage] { urls.open(webPage); });
        content.addWidget(web);

        QLabel* thanks = textLabel(QStringLiteral("Label2"), QString::fromUtf8(about::kThanks), window);
        thanks->setAlignment(Qt::AlignCenter);
        thanks->setWordWrap(true);
        content.addWidget(thanks, 1);
    });
}

std::unique_ptr<InformationWindow> makeAboutAddonsWindow() {
    return makeWindow("Form4", "About Add-ons", QSize(3825, 1290), [](QVBoxLayout& content, QWidget& window) {
        addAddressEntry(content, window, {QStringLiteral("Label1"), QStringLiteral("Label2")},
                        QStringLiteral("Romulus:"), about::kRomulusMakerAddress);
        content.addStretch();
    });
}

std::unique_ptr<InformationWindow> makeAboutEmulatorsWindow() {
    return makeWindow(
        "Form6", "About Emulators", QSize(3330, 1890), [](QVBoxLayout& content, QWidget& window) {
            addAddressEntry(content, window, {QStringLiteral("Label1"), QStringLiteral("Label3")},
                            QStringLiteral("Zsnes:"), about::kZsnesProjectAddress);
            addAddressEntry(content, window, {QStringLiteral("Label2"), QStringLiteral("Label4")},
                            QStringLiteral("Snes9x:"), about::kSnes9xProjectAddress);
            content.addStretch();
        });
}

} // namespace mivo
