#include "LinkCaption.h"

QString LinkCaption(const QString& target) {
    return QString(target).replace(QLatin1Char('&'), QLatin1String("&&"));
}

QString LinkTarget(const QString& caption) {
    return QString(caption).replace(QLatin1String("&&"), QLatin1String("&"));
}
