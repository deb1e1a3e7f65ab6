#include "UnicodeText.h"

#include <unicode/brkiter.h>
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

#include <memory>

namespace {

icu::UnicodeString Alias(QStringView text) {
    // Read-only alias: ICU reads the QString's own UTF-16 units without a copy.
    return icu::UnicodeString(false, reinterpret_cast<const UChar*>(text.utf16()),
                              int32_t(text.size()));
}

// One break iterator per thread, made once: making one loads the rules.
icu::BreakIterator* CharacterBreaks() {
    thread_local const std::unique_ptr<icu::BreakIterator> breaks = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> made(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        return U_SUCCESS(status) ? std::move(made) : nullptr;
    }();
    return breaks.get();
}

QString Normalized(const QString& text, const icu::Normalizer2* normalizer) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString source = Alias(text);
    if (!normalizer || normalizer->isNormalized(source, status) || U_FAILURE(status))
        return text;
    status = U_ZERO_ERROR;
    const icu::UnicodeString result = normalizer->normalize(source, status);
    if (U_FAILURE(status))
        return text;
    return QString(reinterpret_cast<const QChar*>(result.getBuffer()), result.length());
}

} // namespace

QList<qsizetype> GraphemeEnds(QStringView text) {
    QList<qsizetype> ends;
    icu::BreakIterator* breaks = CharacterBreaks();
    if (!breaks) { // no rules: each unit its own, which never joins what should stay apart
        for (qsizetype i = 1; i <= text.size(); ++i)
            ends.append(i);
        return ends;
    }
    const icu::UnicodeString source = Alias(text); // the iterator keeps a reference to it
    breaks->setText(source);
    breaks->first();
    for (int32_t end = breaks->next(); end != icu::BreakIterator::DONE; end = breaks->next())
        ends.append(end);
    return ends;
}

QString ComposedText(const QString& text) {
    UErrorCode status = U_ZERO_ERROR;
    return Normalized(text, icu::Normalizer2::getNFCInstance(status));
}

QString CompatibilityComposedText(const QString& text) {
    UErrorCode status = U_ZERO_ERROR;
    return Normalized(text, icu::Normalizer2::getNFKCInstance(status));
}
