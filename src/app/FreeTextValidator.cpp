#include "FreeTextValidator.h"

#include "FreeTextFilter.h"

QValidator::State FreeTextValidator::validate(QString& input, int& pos) const {
    FilteredFreeText clean = FilterFreeText(input, pos);
    input = std::move(clean.text);
    pos = clean.cursor;
    return Acceptable;
}

void FreeTextValidator::fixup(QString& input) const {
    input = FilterFreeText(input, 0).text;
}
