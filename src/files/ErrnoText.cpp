#include "ErrnoText.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <cerrno>
#include <cstring>

namespace {

struct ErrnoWording {
    int number;
    const char* text;
};

constexpr char kContext[] = "ErrnoText";

// The wording glibc gives these numbers, marked for translation.
constexpr ErrnoWording kWordings[] = {
    {ENOENT, QT_TRANSLATE_NOOP("ErrnoText", "No such file or directory")},
    {ENOTDIR, QT_TRANSLATE_NOOP("ErrnoText", "Not a directory")},
    {EISDIR, QT_TRANSLATE_NOOP("ErrnoText", "Is a directory")},
    {EACCES, QT_TRANSLATE_NOOP("ErrnoText", "Permission denied")},
    {EPERM, QT_TRANSLATE_NOOP("ErrnoText", "Operation not permitted")},
    {EROFS, QT_TRANSLATE_NOOP("ErrnoText", "Read-only file system")},
    {ENOSPC, QT_TRANSLATE_NOOP("ErrnoText", "No space left on device")},
    {EDQUOT, QT_TRANSLATE_NOOP("ErrnoText", "Disk quota exceeded")},
    {EFBIG, QT_TRANSLATE_NOOP("ErrnoText", "File too large")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("ErrnoText", "File name too long")},
    {EIO, QT_TRANSLATE_NOOP("ErrnoText", "Input/output error")},
    {ETXTBSY, QT_TRANSLATE_NOOP("ErrnoText", "Text file busy")},
    {EBUSY, QT_TRANSLATE_NOOP("ErrnoText", "Device or resource busy")},
    {ENXIO, QT_TRANSLATE_NOOP("ErrnoText", "No such device or address")},
    {ELOOP, QT_TRANSLATE_NOOP("ErrnoText", "Too many levels of symbolic links")},
    {EMFILE, QT_TRANSLATE_NOOP("ErrnoText", "Too many open files")},
    {ENFILE, QT_TRANSLATE_NOOP("ErrnoText", "Too many open files in system")},
    {ENOMEM, QT_TRANSLATE_NOOP("ErrnoText", "Cannot allocate memory")},
};

const char* EnglishText(int number) {
    for (const ErrnoWording& wording : kWordings) {
        if (wording.number == number)
            return wording.text;
    }
    return nullptr;
}

const QString kJapaneseTranslation = QStringLiteral(":/i18n/keymill-files_ja.qm");

} // namespace

QString ErrnoText(int number) {
    if (const char* text = EnglishText(number))
        return QCoreApplication::translate(kContext, text);
    return QString::fromLocal8Bit(std::strerror(number));
}

QString JapaneseErrnoText(int number) {
    // Loaded once, on first use; read only afterwards.
    static const QTranslator* const japanese = [] {
        auto* translator = new QTranslator;
        if (!translator->load(kJapaneseTranslation))
            qWarning("the Japanese error texts are missing");
        return translator;
    }();
    const char* text = EnglishText(number);
    return text ? japanese->translate(kContext, text) : QString();
}

void InstallErrnoTranslator(const QLocale& locale) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, QStringLiteral("keymill-files"), QStringLiteral("_"),
                         QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
