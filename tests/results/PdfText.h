#pragma once

#include <QProcess>
#include <QStringList>

// Latin ligatures such as "fi" come back from the PDF as one character (U+FB01): spelled out.
inline QString WithoutLigatures(const QString& line) {
    QString out;
    for (QChar c : line)
        out += (c.unicode() >= 0xFB00 && c.unicode() <= 0xFB06)
                   ? QString(c).normalized(QString::NormalizationForm_KC)
                   : QString(c);
    return out;
}

// The text of each page of a PDF file as `pdftotext -layout` reads it, lines trimmed, blank lines
// dropped. Empty when the file cannot be read.
inline QList<QStringList> PdfPages(const QString& pdfPath) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {"-layout", "-enc", "UTF-8", pdfPath, "-"});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    QList<QStringList> pages;
    QStringList pageTexts = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
    if (!pageTexts.isEmpty() && pageTexts.last().trimmed().isEmpty())
        pageTexts.removeLast(); // pdftotext ends every page with a form feed
    for (const QString& page : pageTexts) {
        QStringList lines;
        for (const QString& line : page.split(u'\n'))
            if (!line.trimmed().isEmpty())
                lines.append(WithoutLigatures(line.trimmed()));
        pages.append(lines);
    }
    return pages;
}

// The fonts a PDF file embeds, as `pdffonts` lists them.
inline QString PdfFonts(const QString& pdfPath) {
    QProcess process;
    process.start(QStringLiteral("pdffonts"), {pdfPath});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}
