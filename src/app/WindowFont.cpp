#include "WindowFont.h"

#include <QApplication>
#include <QFont>

void InstallFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
}

QFont FormFont() {
    return QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9);
}

void InstallApplicationFont() {
    QApplication::setFont(FormFont()); // also replaces the platform's per-class menu fonts
}
