// The help file's topic parser and search folding, on small hand-written inputs.
#include <QTemporaryDir>
#include <QTest>

#include "support/TestFiles.h"
#include "support/TestText.h"
#include "window/dialogs/HelpTopics.h"

namespace mirabo {

using Ranges = QList<std::pair<qsizetype, qsizetype>>;

class HelpTopicsTest : public QObject {
  Q_OBJECT

 private slots:
  void titlesOfTopics_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("two topics") << U("<h1>甲</h1><p>一</p>\n<h1>乙</h1><p>二</p>") << QStringList{U("甲"), U("乙")};
    QTest::newRow("text before first heading belongs to none") << U("<p>前</p>\n<h1>甲</h1>") << QStringList{U("甲")};
    QTest::newRow("heading inside comment ignored") << U("<!-- <h1>隠</h1> -->\n<h1>甲</h1>") << QStringList{U("甲")};
    QTest::newRow("unclosed comment hides the rest") << U("<h1>甲</h1><!-- <h1>乙</h1>") << QStringList{U("甲")};
    QTest::newRow("upper case with attributes") << U("<H1 id=\"a\">甲</H1 >") << QStringList{U("甲")};
    QTest::newRow("h2 and h10 start no topic") << U("<h1>甲</h1><h2>小</h2><h10>x</h10>") << QStringList{U("甲")};
    QTest::newRow("inline tags and references in title") << U("<h1>R&amp;D <b>太</b>字</h1>") << QStringList{U("R&D 太字")};
    QTest::newRow("unclosed heading ends at line end") << U("<h1>甲\n<p>本文</p>") << QStringList{U("甲")};
    QTest::newRow("white space in title made single") << U("<h1>\n  甲   乙 \n</h1>") << QStringList{U("甲 乙")};
    QTest::newRow("no heading gives no topic") << U("<p>本文だけ</p>") << QStringList{};
    QTest::newRow("empty source") << QString() << QStringList{};
  }
  void titlesOfTopics() {
    QFETCH(QString, source);
    QFETCH(QStringList, titles);
    QStringList got;
    for (const HelpTopic& topic : ParseHelpTopics(source)) got << topic.title;
    QCOMPARE(got, titles);
  }

  void topicHoldsItsOwnSectionOnly() {
    const QList<HelpTopic> topics = ParseHelpTopics(U("<!-- c -->\n<h1>甲</h1>\n<p>一</p>\n\n<h1>乙</h1><p>二</p>\n"));
    QCOMPARE(topics.size(), 2);
    QCOMPARE(topics[0].html, U("<h1>甲</h1>\n<p>一</p>"));
    QCOMPARE(topics[1].html, U("<h1>乙</h1><p>二</p>"));
  }

  void plainText_data() {
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("text");
    QTest::newRow("inline tags join, block tags separate") << U("<p>郵便<b>番号</b></p><p>検索</p>") << U("郵便番号 検索");
    QTest::newRow("named references") << U("a&lt;b&gt;c &amp; &quot;d&quot; &apos;e&apos;") << U("a<b>c & \"d\" 'e'");
    QTest::newRow("numeric references") << U("&#65;&#x42;&#x1F600;") << QString::fromUcs4(U"AB\U0001F600");
    QTest::newRow("no-break space") << U("x&nbsp;y") << U("x y");
    QTest::newRow("bad references") << U("&unknown; &#0; &#xD800; &#x110000;") << QString::fromUcs4(U"&unknown; \uFFFD \uFFFD \uFFFD");
    QTest::newRow("list items") << U("<ul><li>一</li><li>二</li></ul>") << U("一 二");
    QTest::newRow("line ends and tabs") << U("line\nbreak  and\ttab") << U("line break and tab");
    QTest::newRow("link text kept") << U("<a href=\"https://x/\">頁</a>です") << U("頁です");
  }
  void plainText() {
    QFETCH(QString, html);
    QFETCH(QString, text);
    QCOMPARE(PlainTextOf(html), text);
  }

  void foldForSearch_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folded");
    QTest::addColumn<QList<qsizetype>>("origin");
    QTest::newRow("full width and case") << U("ＡｂC") << U("abc") << QList<qsizetype>{0, 1, 2};
    QTest::newRow("full-width digits and hyphen") << U("１６０－００２３") << U("160-0023") << QList<qsizetype>{0, 1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("half-width katakana") << U("ｶﾅ") << U("カナ") << QList<qsizetype>{0, 1};
    QTest::newRow("one sign to two characters") << U("㍻x") << U("平成x") << QList<qsizetype>{0, 0, 1};
    QTest::newRow("surrogate pair") << QString::fromUcs4(U"x\U0001D400y") << U("xay") << QList<qsizetype>{0, 1, 3};
    QTest::newRow("ideographic space") << U("　") << U(" ") << QList<qsizetype>{0};
  }
  void foldForSearch() {
    QFETCH(QString, text);
    QFETCH(QString, folded);
    QFETCH(QList<qsizetype>, origin);
    QList<qsizetype> gotOrigin;
    QCOMPARE(FoldForSearch(text, &gotOrigin), folded);
    QCOMPARE(gotOrigin, origin);
  }

  void queryWordsSplitOnAnySpace() {
    QCOMPARE(QueryWords(U("  ＫＥＮ　all\tＣＳＶ ")), (QStringList{"ken", "all", "csv"}));
    QCOMPARE(QueryWords(U(" 　 ")), QStringList{});
  }

  void topicMatchesEveryWordInTitleOrBody() {
    const HelpTopic topic = ParseHelpTopics(U("<h1>データ</h1><p>KEN_ALL.CSV を取り込む</p>")).value(0);
    QVERIFY(TopicMatches(topic, QueryWords(U("ken_all"))));
    QVERIFY(TopicMatches(topic, QueryWords(U("ＫＥＮ＿ＡＬＬ"))));
    QVERIFY(TopicMatches(topic, QueryWords(U("データ 取り込む"))));
    QVERIFY(!TopicMatches(topic, QueryWords(U("データ 削除"))));
    QVERIFY(!TopicMatches(topic, QueryWords(U("b"))));  // the <b> of markup is no text
    QVERIFY(TopicMatches(topic, {}));
  }

  void findWords_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("query");
    QTest::addColumn<Ranges>("ranges");
    QTest::newRow("every occurrence, any case") << U("KEN_ALL.CSV と ken_all") << U("ken_all") << Ranges{{0, 7}, {14, 21}};
    QTest::newRow("full-width text, half-width word") << U("ＫＥＮです") << U("ken") << Ranges{{0, 3}};
    QTest::newRow("two words sorted by place") << U("甲乙甲") << U("乙 甲") << Ranges{{0, 1}, {1, 2}, {2, 3}};
    QTest::newRow("match inside a folded sign") << U("㍻元年") << U("成元") << Ranges{{0, 2}};
    QTest::newRow("match ending on a surrogate pair") << QString::fromUcs4(U"a\U0001D400b") << U("aa") << Ranges{{0, 3}};
    QTest::newRow("no match") << U("甲乙") << U("丙") << Ranges{};
  }
  void findWords() {
    QFETCH(QString, text);
    QFETCH(QString, query);
    QFETCH(Ranges, ranges);
    QCOMPARE(FindWords(text, QueryWords(query)), ranges);
  }

  void readDropsByteOrderMarkAndKeepsBadBytes() {
    QTemporaryDir dir;
    const QString path = dir.filePath("MIRABO.HLP");
    // BOM, "<h1>", 甲 (E7 94 B2), a stray FF, "</h1>"
    WriteBytes(path, Hex("EF BB BF 3C 68 31 3E E7 94 B2 FF 3C 2F 68 31 3E"));
    const std::optional<QString> source = ReadHelpSource(path);
    QVERIFY(source.has_value());
    QCOMPARE(*source, QString::fromUcs4(U"<h1>\u7532\uFFFD</h1>"));
  }

  void readFailsForMissingFileOrFolder() {
    QTemporaryDir dir;
    QVERIFY(!ReadHelpSource(dir.filePath("MIRABO.HLP")).has_value());
    QVERIFY(!ReadHelpSource(dir.path()).has_value());
  }
};

}  // namespace mirabo

QTEST_GUILESS_MAIN(mirabo::HelpTopicsTest)
#include "help_topics_test.moc"
