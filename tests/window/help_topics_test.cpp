// The help file's topic parser and search folding, on small hand-written inputs.
#include <QTemporaryDir>
#include <QtTest>

#include "support/TestFiles.h"
#include "lookup/HelpTopics.h"

using Ranges = QList<std::pair<qsizetype, qsizetype>>;

class HelpTopicsTest : public QObject {
  Q_OBJECT

 private slots:
  void titlesOfTopics_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("two topics") << u8s("<h1>甲</h1><p>一</p>\n<h1>乙</h1><p>二</p>") << QStringList{u8s("甲"), u8s("乙")};
    QTest::newRow("text before first heading belongs to none") << u8s("<p>前</p>\n<h1>甲</h1>") << QStringList{u8s("甲")};
    QTest::newRow("heading inside comment ignored") << u8s("<!-- <h1>隠</h1> -->\n<h1>甲</h1>") << QStringList{u8s("甲")};
    QTest::newRow("unclosed comment hides the rest") << u8s("<h1>甲</h1><!-- <h1>乙</h1>") << QStringList{u8s("甲")};
    QTest::newRow("upper case with attributes") << u8s("<H1 id=\"a\">甲</H1 >") << QStringList{u8s("甲")};
    QTest::newRow("h2 and h10 start no topic") << u8s("<h1>甲</h1><h2>小</h2><h10>x</h10>") << QStringList{u8s("甲")};
    QTest::newRow("inline tags and references in title") << u8s("<h1>R&amp;D <b>太</b>字</h1>") << QStringList{u8s("R&D 太字")};
    QTest::newRow("unclosed heading ends at line end") << u8s("<h1>甲\n<p>本文</p>") << QStringList{u8s("甲")};
    QTest::newRow("white space in title made single") << u8s("<h1>\n  甲   乙 \n</h1>") << QStringList{u8s("甲 乙")};
    QTest::newRow("no heading gives no topic") << u8s("<p>本文だけ</p>") << QStringList{};
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
    const QList<HelpTopic> topics = ParseHelpTopics(u8s("<!-- c -->\n<h1>甲</h1>\n<p>一</p>\n\n<h1>乙</h1><p>二</p>\n"));
    QCOMPARE(topics.size(), 2);
    QCOMPARE(topics[0].html, u8s("<h1>甲</h1>\n<p>一</p>"));
    QCOMPARE(topics[1].html, u8s("<h1>乙</h1><p>二</p>"));
  }

  void plainText_data() {
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("text");
    QTest::newRow("inline tags join, block tags separate") << u8s("<p>郵便<b>番号</b></p><p>検索</p>") << u8s("郵便番号 検索");
    QTest::newRow("named references") << u8s("a&lt;b&gt;c &amp; &quot;d&quot; &apos;e&apos;") << u8s("a<b>c & \"d\" 'e'");
    QTest::newRow("numeric references") << u8s("&#65;&#x42;&#x1F600;") << QString::fromUcs4(U"AB\U0001F600");
    QTest::newRow("no-break space") << u8s("x&nbsp;y") << u8s("x y");
    QTest::newRow("bad references") << u8s("&unknown; &#0; &#xD800; &#x110000;") << QString::fromUcs4(U"&unknown; \uFFFD \uFFFD \uFFFD");
    QTest::newRow("list items") << u8s("<ul><li>一</li><li>二</li></ul>") << u8s("一 二");
    QTest::newRow("line ends and tabs") << u8s("line\nbreak  and\ttab") << u8s("line break and tab");
    QTest::newRow("link text kept") << u8s("<a href=\"https://x/\">頁</a>です") << u8s("頁です");
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
    QTest::newRow("full width and case") << u8s("ＡｂC") << u8s("abc") << QList<qsizetype>{0, 1, 2};
    QTest::newRow("full-width digits and hyphen") << u8s("１６０－００２３") << u8s("160-0023") << QList<qsizetype>{0, 1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("half-width katakana") << u8s("ｶﾅ") << u8s("カナ") << QList<qsizetype>{0, 1};
    QTest::newRow("one sign to two characters") << u8s("㍻x") << u8s("平成x") << QList<qsizetype>{0, 0, 1};
    QTest::newRow("surrogate pair") << QString::fromUcs4(U"x\U0001D400y") << u8s("xay") << QList<qsizetype>{0, 1, 3};
    QTest::newRow("ideographic space") << u8s("　") << u8s(" ") << QList<qsizetype>{0};
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
    QCOMPARE(QueryWords(u8s("  ＫＥＮ　all\tＣＳＶ ")), (QStringList{"ken", "all", "csv"}));
    QCOMPARE(QueryWords(u8s(" 　 ")), QStringList{});
  }

  void topicMatchesEveryWordInTitleOrBody() {
    const HelpTopic topic = ParseHelpTopics(u8s("<h1>データ</h1><p>KEN_ALL.CSV を取り込む</p>")).value(0);
    QVERIFY(TopicMatches(topic, QueryWords(u8s("ken_all"))));
    QVERIFY(TopicMatches(topic, QueryWords(u8s("ＫＥＮ＿ＡＬＬ"))));
    QVERIFY(TopicMatches(topic, QueryWords(u8s("データ 取り込む"))));
    QVERIFY(!TopicMatches(topic, QueryWords(u8s("データ 削除"))));
    QVERIFY(!TopicMatches(topic, QueryWords(u8s("b"))));  // the <b> of markup is no text
    QVERIFY(TopicMatches(topic, {}));
  }

  void findWords_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("query");
    QTest::addColumn<Ranges>("ranges");
    QTest::newRow("every occurrence, any case") << u8s("KEN_ALL.CSV と ken_all") << u8s("ken_all") << Ranges{{0, 7}, {14, 21}};
    QTest::newRow("full-width text, half-width word") << u8s("ＫＥＮです") << u8s("ken") << Ranges{{0, 3}};
    QTest::newRow("two words sorted by place") << u8s("甲乙甲") << u8s("乙 甲") << Ranges{{0, 1}, {1, 2}, {2, 3}};
    QTest::newRow("match inside a folded sign") << u8s("㍻元年") << u8s("成元") << Ranges{{0, 2}};
    QTest::newRow("match ending on a surrogate pair") << QString::fromUcs4(U"a\U0001D400b") << u8s("aa") << Ranges{{0, 3}};
    QTest::newRow("no match") << u8s("甲乙") << u8s("丙") << Ranges{};
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

 private:
  static QString u8s(const char* utf8) { return QString::fromUtf8(utf8); }
};

QTEST_GUILESS_MAIN(HelpTopicsTest)
#include "help_topics_test.moc"
