// libFuzzer target for the settings text (docs/fuzzing.md). Beyond running clean under AddressSanitizer
// and UndefinedBehaviorSanitizer, every text Mivo would save into must:
// - come back byte for byte when given the texts it already holds;
// - read back Mivo's four values exactly, with every other key of the section as it was, and still read
//   as well formed;
// - keep every one of its bytes, in order, when only new keys are added.

#include "KeptInOrder.h"
#include "core/IniText.h"

#include <QByteArray>
#include <QMap>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

const QString kSection = QStringLiteral("settings");

// Texts a settings file could mangle, as the random-file tests use them.
QMap<QString, QString> mivoValues() {
    return {{QStringLiteral("Minimize to tray"), QStringLiteral("  /old games, 1997/\"a\" ;b; #c\\d ")},
            {QStringLiteral("Icon in tray"), QStringLiteral(" 1")},
            {QStringLiteral("zsnesfilepath"),
             QString::fromUtf16(u"/home/jürgen/zsnes\t\u00010\u0001F\U0001F3AE=")},
            {QStringLiteral("romuluspath"), QStringLiteral("@Rect(1 2 3 4), b;c #d")}};
}

void require(bool holds) {
    if (!holds)
        std::abort();
}

// `texts` without the keys of `values`.
QMap<QString, QString> others(QMap<QString, QString> texts, const QMap<QString, QString>& values) {
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        texts.remove(it.key());
    return texts;
}

void checkSaved(const QMap<QString, QString>& before, const QByteArray& saved,
                const QMap<QString, QString>& values) {
    const mivo::IniText after(saved, kSection);
    const QMap<QString, QString> texts = after.texts();
    require(after.wellFormed());
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        require(texts.value(it.key()) == it.value() && texts.contains(it.key()));
    require(others(texts, values) == others(before, values));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const mivo::IniText ours(text, kSection);
    if (!ours.wellFormed()) // Mivo saves a fresh file then, with this one kept aside
        return 0;
    const QMap<QString, QString> before = ours.texts();
    require(ours.withTexts(before) == text);

    const QMap<QString, QString> values = mivoValues();
    checkSaved(before, ours.withTexts(values), values);

    // Keys the text cannot hold: a letter it lacks, where no %-escape could spell it either.
    const QByteArray letters = "qzjxkvwQZJXKVW";
    const auto unused =
        std::find_if(letters.cbegin(), letters.cend(), [&text](char c) { return !text.contains(c); });
    if (unused == letters.cend() || text.contains('%'))
        return 0;
    const QString letter(QChar::fromLatin1(*unused));
    const QMap<QString, QString> added{{letter, QStringLiteral("a")},
                                       {letter + QStringLiteral(" 2"), QStringLiteral(" b ")},
                                       {QStringLiteral("0") + letter, QStringLiteral("c;d")},
                                       {QStringLiteral("~") + letter, QStringLiteral("@e")}};
    const QByteArray saved = ours.withTexts(added);
    checkSaved(before, saved, added);
    require(keptInOrder(text, saved));
    return 0;
}
