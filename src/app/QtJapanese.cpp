#include "QtJapanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QString QtTranslationsDir() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

int InstallQtJapanese(QCoreApplication& app, const QString& folder) {
    int installed = 0;
    for (const char* catalogue : {"qtbase_ja", "qt_help_ja"}) {
        // Owned by the application, so the texts last as long as any window does.
        auto* translator = new QTranslator(&app);
        if (translator->load(QString::fromLatin1(catalogue), folder) &&
            QCoreApplication::installTranslator(translator)) {
            ++installed;
            continue;
        }
        delete translator; // the program goes on in Qt's English
    }
    return installed;
}
