#include "HelpPageSearch.h"

#include <QTest>

namespace {

// Three small pages: what each holds is written out so the expected order can be read off.
QList<HelpPage> samplePages() {
    return {
        {QUrl("qthelp://h/doc/save.html"), QStringLiteral("保存"),
         QStringLiteral("名前を付けて保存します。文字コードはシフト JIS（コードページ 932）。"
                        "保存先を選びます。")},
        {QUrl("qthelp://h/doc/print.html"), QStringLiteral("印刷"),
         QStringLiteral("Ctrl+P で印刷します。ｺｰﾄﾞﾍﾟｰｼﾞは関係しません。")},
        {QUrl("qthelp://h/doc/keys.html"), QStringLiteral("ショートカットキー"),
         QStringLiteral("CTRL+S 保存、Ctrl+P 印刷、F5 開始。")},
    };
}

QStringList pageNames(const QList<HelpPageHit>& hits) {
    QStringList names;
    for (const HelpPageHit& hit : hits)
        names.append(hit.url.fileName());
    return names;
}

} // namespace

class HelpPageSearchTest : public QObject {
    Q_OBJECT
private slots:
    void finds_data();
    void finds();
};

void HelpPageSearchTest::finds_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("pages");
    const auto names = [](std::initializer_list<const char*> list) {
        QStringList out;
        for (const char* name : list)
            out.append(QString::fromLatin1(name));
        return out;
    };
    // save.html holds 保存 three times (title included), keys.html once.
    QTest::newRow("word inside sentences, most first")
        << "保存" << names({"save.html", "keys.html"});
    QTest::newRow("half-width katakana on a page")
        << "コードページ" << names({"save.html", "print.html"});
    QTest::newRow("full-width letters") << "ｊｉｓ" << names({"save.html"});
    QTest::newRow("any case, equal counts keep page order")
        << "ctrl+p" << names({"print.html", "keys.html"});
    QTest::newRow("every word must occur") << "保存 F5" << names({"keys.html"});
    QTest::newRow("title alone") << "ショートカット" << names({"keys.html"});
    QTest::newRow("nothing") << "削除" << QStringList();
    QTest::newRow("white space only") << " \t " << QStringList();
}

void HelpPageSearchTest::finds() {
    QFETCH(QString, query);
    QFETCH(QStringList, pages);
    QCOMPARE(pageNames(FindInHelpPages(samplePages(), query)), pages);
}

QTEST_GUILESS_MAIN(HelpPageSearchTest)
#include "tst_HelpPageSearch.moc"
