#include "data/csv.h"

#include "testmain.h"

#include <QTest>

using namespace parlog;
using namespace parlog::csv;

class TestCsvRead : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void whatAFileIsWrittenIn();
    void fieldsAsRfc4180HasThem();
    void dates_data();
    void dates();
    void theOrderOfAColumnsDates();
};

void TestCsvRead::whatAFileIsWrittenIn()
{
    // Parlog's own: UTF-8 with a mark, commas.
    Dialect d = detect("\xEF\xBB\xBFName,Handicap\r\nSe\xC3\xA1n,12\r\n");
    QCOMPARE(d.encoding, Encoding::Utf8);
    QCOMPARE(d.separator, QLatin1Char(','));
    // A spreadsheet's in Windows-1252: "Ó" is the byte 0xD3, "€" 0x80; semicolons, and a
    // comma inside quotes that does not count.
    const QByteArray windows("\"O'Neill, Se\xD3n\";Hcp;Fee\r\n\"x\";12;\x80" "5\r\n");
    d = detect(windows);
    QCOMPARE(d.encoding, Encoding::Windows1252);
    QCOMPARE(d.separator, QLatin1Char(';'));
    QCOMPARE(decode(windows, d.encoding).left(14), QString::fromUtf8("\"O'Neill, SeÓn"));
    QVERIFY(decode(windows, d.encoding).contains(QString::fromUtf8("€5")));
    QCOMPARE(detect("a\tb\tc\n1\t2\t3\n").separator, QLatin1Char('\t'));
    QCOMPARE(decode("\xEF\xBB\xBFName", Encoding::Utf8), QStringLiteral("Name"));
}

void TestCsvRead::fieldsAsRfc4180HasThem()
{
    const auto table = parse(QStringLiteral("Name, Comment ,Hcp\r\n"
                                            "\"Smith, Ann\",\"said \"\"hi\"\"\",12\r\n"
                                            "\r\n"
                                            "Bea,\"two\nlines\",\n"
                                            "Cal,,3"),
                             QLatin1Char(','));
    QVERIFY(table.ok());
    QCOMPARE(table->header, (QStringList{"Name", "Comment", "Hcp"}));
    QCOMPARE(table->rows.size(), 3);
    QCOMPARE(table->rows[0], (QStringList{"Smith, Ann", "said \"hi\"", "12"}));
    QCOMPARE(table->rows[1], (QStringList{"Bea", "two\nlines", ""}));
    QCOMPARE(table->rows[2], (QStringList{"Cal", "", "3"}));
    // Lines of the file, the blank one and the quoted break counted.
    QCOMPARE(table->lines, (QList<int>{2, 4, 6}));
    const auto open = parse(QStringLiteral("a,b\n1,\"2\n3,4\n"), QLatin1Char(','));
    QVERIFY(!open.ok());
    QCOMPARE(open.error(), QStringLiteral("a quote opened on line 2 is never closed"));
}

void TestCsvRead::dates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("order");
    QTest::addColumn<QDate>("date");
    const int iso = int(DateOrder::Iso);
    const int day = int(DateOrder::DayFirst);
    const int month = int(DateOrder::MonthFirst);
    QTest::newRow("iso") << "2024-03-05" << iso << QDate(2024, 3, 5);
    QTest::newRow("day first, short year") << "5/3/24" << day << QDate(2024, 3, 5);
    QTest::newRow("month first") << "5/3/24" << month << QDate(2024, 5, 3);
    QTest::newRow("dots, long year") << "05.03.2024" << day << QDate(2024, 3, 5);
    QTest::newRow("month name") << "5 Mar 2024" << day << QDate(2024, 3, 5);
    QTest::newRow("Parlog's own print") << "05-Mar-04" << day << QDate(2004, 3, 5);
    QTest::newRow("name first") << "March 5, 2024" << day << QDate(2024, 3, 5);
    QTest::newRow("49 is 2049") << "1/1/49" << day << QDate(2049, 1, 1);
    QTest::newRow("50 is 1950") << "1/1/50" << day << QDate(1950, 1, 1);
    QTest::newRow("no 31 February") << "31/2/2024" << day << QDate();
    QTest::newRow("no 29 February 2023") << "29/02/2023" << day << QDate();
    QTest::newRow("no month 13") << "2024-13-01" << iso << QDate();
    QTest::newRow("words") << "yesterday" << day << QDate();
    QTest::newRow("iso, short parts, blanks") << " 2024-3-5 " << day << QDate(2024, 3, 5);
    QTest::newRow("iso, five-digit year") << "20240-03-05" << iso << QDate();
    QTest::newRow("iso, three-digit day") << "2024-03-005" << iso << QDate();
    QTest::newRow("iso, trailing text") << "2024-03-05x" << iso << QDate();
}

void TestCsvRead::dates()
{
    QFETCH(QString, text);
    QFETCH(int, order);
    QFETCH(QDate, date);
    QCOMPARE(readDate(text, DateOrder(order)).value_or(QDate()), date);
}

void TestCsvRead::theOrderOfAColumnsDates()
{
    QCOMPARE(detectDateOrder({"2024-03-05", "2024-12-31"}), DateOrder::Iso);
    QCOMPARE(detectDateOrder({"5/3/24", "13/1/24"}), DateOrder::DayFirst);
    QCOMPARE(detectDateOrder({"5/3/24", "1/13/24"}), DateOrder::MonthFirst);
    // Nothing says: day first, as most golf societies write them.
    QCOMPARE(detectDateOrder({"5/3/24", "1/2/24"}), DateOrder::DayFirst);
}

PARLOG_TEST(TestCsvRead)
#include "tst_csvread.moc"
