#pragma once

#include <QString>

// Checks the texts of the length (mojisu) and count (seisei) boxes. One flag per failed test:
// 1 length holds a non-digit, 10 count holds a non-digit, 100 length is zero, 1000 count is
// zero. 0 means both are valid. An empty text passes every test.
qint16 ValidateCountsCode(const QString& mojisu, const QString& seisei);

// The error text for a code, or the empty text for 0.
QString ValidationMessage(qint16 code);
