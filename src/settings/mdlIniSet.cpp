#include "mdlIniSet.h"

#include "IniFileEncoding.h"
#include "IniTextEdit.h"
#include "IniValueQuoting.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <optional>

namespace {
// Devices, pipes and directories are never read (nothing is read from them, so nothing is then
// written over them either): /dev/zero would never end, and renaming a file over /dev/full
// would destroy the device node.
std::optional<QString> ReadIniText(const QString& file) {
    const QFileInfo info(file);
    if (!info.exists())
        return QString();
    if (!info.isFile())
        return std::nullopt;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return std::nullopt;
    return DecodeIniFile(bytes);
}

bool HoldsLineBreakOrNul(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(u'\0'));
}

bool IsUsableName(const QString& name, QChar forbidden) {
    const QString trimmed = name.trimmed();
    return !trimmed.isEmpty() && !HoldsLineBreakOrNul(name) && !name.contains(forbidden) &&
           !trimmed.startsWith(u';') && !trimmed.startsWith(u'#') && !trimmed.startsWith(u'[');
}
} // namespace

QString ReadIniValue(const QString& section, const QString& key, const QString& file) {
    const std::optional<QString> text = ReadIniText(file);
    if (!text || text->isEmpty())
        return QString();

    const QByteArray utf8 = text->toUtf8();
    CSimpleIniA ini;
    if (ini.LoadData(utf8.constData(), size_t(utf8.size())) < 0)
        return QString();
    const char* stored =
        ini.GetValue(section.toUtf8().constData(), key.toUtf8().constData(), nullptr);
    if (!stored)
        return QString();
    return UnquoteIniValue(QString::fromUtf8(stored));
}

bool WriteIniValue(const QString& section, const QString& key, const QString& value,
                   const QString& file) {
    if (!IsUsableName(section, u']') || !IsUsableName(key, u'=') || HoldsLineBreakOrNul(value))
        return false;
    const std::optional<QString> text = ReadIniText(file);
    if (!text)
        return false; // never replace a file whose content could not be read

    const QString updated =
        SetIniValueInText(*text, section.trimmed(), key.trimmed(), QuoteIniValue(value));
    const QByteArray bytes = EncodeIniFile(updated);

    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    // Qt may report a short write (file too large, disk full) as complete; the size on disk
    // tells the truth, and a short file must never be renamed over the old one.
    if (out.write(bytes) != bytes.size() || !out.flush() || out.size() != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}
