#pragma once
// Readable QCOMPARE failures for twips values.
#include "Twips.h"

#include <QTest>

inline char* toString(const TwipsRect& r) {
    return QTest::toString(QStringLiteral("TwipsRect(%1, %2, %3 x %4)")
                               .arg(r.left)
                               .arg(r.top)
                               .arg(r.width)
                               .arg(r.height));
}

inline char* toString(const TwipsSize& s) {
    return QTest::toString(QStringLiteral("TwipsSize(%1 x %2)").arg(s.width).arg(s.height));
}

inline char* toString(const TwipsPoint& p) {
    return QTest::toString(QStringLiteral("TwipsPoint(%1, %2)").arg(p.x).arg(p.y));
}
