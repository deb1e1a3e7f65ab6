#pragma once

#include <QValidator>

// Keeps a free-text box clean on every way in (typing, pasting, dropping, setText from the
// settings file): controls and lone surrogate halves are removed, the rest stays. The line
// edit applies the cleaned text itself, so its change handler sees only clean text.
class FreeTextValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
};
