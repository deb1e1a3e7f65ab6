#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// Searching the help pages' own text. Qt Help's full-text index splits words at spaces and
// punctuation, so a Japanese word inside a sentence (「保存」 in 「…を保存します」) is never a
// word of its own there; this search looks for the text itself, as a reader would.
struct HelpPage {
    QUrl url;
    QString title;
    QString text; // the page as plain text
};

struct HelpPageHit {
    QUrl url;
    QString title;
    int matches = 0; // how often the words occur on the page
};

// The pages that hold every word of the query (words split at white space), most matches
// first, pages with as many in their order. Letters match whatever their case or width
// (「ＪＩＳ」 finds "JIS"). An empty query finds nothing.
QList<HelpPageHit> FindInHelpPages(const QList<HelpPage>& pages, const QString& query);
