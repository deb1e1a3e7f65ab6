// The help pages are Japanese prose: a line break inside a sentence shows as a space between two
// Japanese characters ("…ソフトです。 パスワードに…"), which Japanese text never has.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {
// Kana, CJK ideographs and punctuation, full-width forms.
const QString kJapanese =
    QStringLiteral("[\\x{3000}-\\x{30FF}\\x{3400}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]");

// Line numbers (from 1) where white space stands between two Japanese characters. Inline tags
// (links, emphasis, key names) add no space of their own and are looked through; block tags
// (paragraphs, list items, table cells) end the text run, so white space beside them is fine.
// Preformatted text shows its line breaks as they stand, so they are meant.
QList<int> SpacesBetweenJapanese(const QString& page) {
    static const QRegularExpression preformatted(QStringLiteral("<pre\\b.*?</pre>"),
                                                 QRegularExpression::DotMatchesEverythingOption);
    QString html = page;
    for (auto it = preformatted.globalMatch(page); it.hasNext();) {
        const QRegularExpressionMatch block = it.next();
        const QString breaksOnly(block.captured().count(u'\n'), u'\n');
        html.replace(block.capturedStart(), block.capturedLength(),
                     breaksOnly.leftJustified(block.capturedLength(), u' '));
    }
    static const QRegularExpression inlineTag(
        QStringLiteral("</?(?:a|b|i|em|strong|span|code|kbd)\\b[^>]*>"));
    static const QRegularExpression space(kJapanese + QStringLiteral("(\\s+)") + kJapanese);
    // Inline tags become nothing, but the line count must stay: keep their line breaks.
    QString text;
    qsizetype from = 0;
    for (auto it = inlineTag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch tag = it.next();
        text += html.mid(from, tag.capturedStart() - from);
        text += QString(tag.captured().count(u'\n'), u'\n');
        from = tag.capturedEnd();
    }
    text += html.mid(from);
    QList<int> lines;
    for (auto it = space.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        lines << int(text.left(match.capturedStart(1)).count(u'\n')) + 1;
    }
    return lines;
}
} // namespace

class TestHelpText : public QObject {
    Q_OBJECT
private slots:
    void findsSpaces_data();
    void findsSpaces();
    void pagesHaveNone_data();
    void pagesHaveNone();
};

void TestHelpText::findsSpaces_data() {
    QTest::addColumn<QString>("html");
    QTest::addColumn<QList<int>>("lines");
    QTest::newRow("break in a sentence") << "<p>ソフトです。\nパスワード</p>" << QList<int>{1};
    QTest::newRow("space in a sentence") << "です。 パスワード" << QList<int>{1};
    QTest::newRow("break beside a link") << "を参照\n<a href=\"x.html\">保存</a>" << QList<int>{1};
    QTest::newRow("break inside emphasis") << "<b>文字数と\n生成数</b>" << QList<int>{1};
    QTest::newRow("second line") << "<p>一行目</p>\n<p>二行\n三行</p>" << QList<int>{2};
    QTest::newRow("between paragraphs") << "です。</p>\n<p>次" << QList<int>{};
    QTest::newRow("between list items") << "<li>一</li>\n<li>二</li>" << QList<int>{};
    QTest::newRow("before a key name") << "複数を、\n<span>Shift</span>" << QList<int>{};
    QTest::newRow("beside a digit") << "1 つずつ" << QList<int>{};
    QTest::newRow("preformatted lines") << "<pre>番号\n内容</pre>\n内容\n番号" << QList<int>{3};
}

void TestHelpText::findsSpaces() {
    QFETCH(QString, html);
    QFETCH(QList<int>, lines);
    QCOMPARE(SpacesBetweenJapanese(html), lines);
}

void TestHelpText::pagesHaveNone_data() {
    QTest::addColumn<QString>("path");
    const QDir pages(QStringLiteral(KEYMILL_HELP_PAGES));
    const QStringList names = pages.entryList({"*.html"}, QDir::Files, QDir::Name);
    QVERIFY(names.size() >= 10);
    for (const QString& name : names)
        QTest::newRow(qPrintable(name)) << pages.filePath(name);
}

void TestHelpText::pagesHaveNone() {
    QFETCH(QString, path);
    QFile page(path);
    QVERIFY(page.open(QIODevice::ReadOnly));
    // The lines where a sentence breaks.
    QCOMPARE(SpacesBetweenJapanese(QString::fromUtf8(page.readAll())), QList<int>{});
}

QTEST_MAIN(TestHelpText)
#include "tst_HelpText.moc"
