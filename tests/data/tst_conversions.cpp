#include "data/conversions.h"

#include "testmain.h"

#include <QTest>

#include <cmath>

using namespace parlog;

class TestConversions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wholeNumbers_data();
    void wholeNumbers();
    void int32Range();
    void numbers();
    void sixteenBitArithmetic();
    void roundingHalves();
    void typedDates_data();
    void typedDates();
    void everyMonthName();
    void dateFormats();
    void storedDates();
    void valueTexts();
};

void TestConversions::wholeNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // INT_MIN: fails
    const int fails = std::numeric_limits<int>::min();
    QTest::newRow("digit") << "4" << 4;
    QTest::newRow("blanks around") << "  7 " << 7;
    QTest::newRow("tab") << "\t7" << 7;
    QTest::newRow("plus") << "+5" << 5;
    QTest::newRow("minus") << "-3" << -3;
    QTest::newRow("half down to even") << "12.5" << 12;
    QTest::newRow("half up to even") << "13.5" << 14;
    QTest::newRow("below half") << "12.4" << 12;
    QTest::newRow("above half") << "12.6" << 13;
    QTest::newRow("negative half") << "-2.5" << -2;
    QTest::newRow("negative half odd") << "-3.5" << -4;
    QTest::newRow("zero point five") << "0.5" << 0;
    QTest::newRow("one point five") << "1.5" << 2;
    QTest::newRow("leading point") << ".7" << 1;
    QTest::newRow("trailing point") << "4." << 4;
    QTest::newRow("exponent") << "1e2" << 100;
    QTest::newRow("max") << "32767" << 32767;
    QTest::newRow("min") << "-32768" << -32768;
    QTest::newRow("max plus fraction below half") << "32767.4" << 32767;
    QTest::newRow("rounds out of range") << "32767.5" << fails;
    QTest::newRow("min minus half to even") << "-32768.5" << -32768;
    QTest::newRow("overflow") << "32768" << fails;
    QTest::newRow("underflow") << "-32769" << fails;
    QTest::newRow("empty") << "" << fails;
    QTest::newRow("blank") << "   " << fails;
    QTest::newRow("letter") << "a" << fails;
    QTest::newRow("digit and letter") << "4a" << fails;
    QTest::newRow("inner blank") << "1 2" << fails;
    QTest::newRow("sign alone") << "-" << fails;
    QTest::newRow("two points") << "1.2.3" << fails;
    QTest::newRow("comma") << "1,5" << fails;
    QTest::newRow("hex") << "&h10" << fails;
    QTest::newRow("infinity") << "1e999" << fails;
}

void TestConversions::wholeNumbers()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    const auto value = toInt16(text);
    if (expected == std::numeric_limits<int>::min()) {
        QVERIFY2(!value, qPrintable(QString::number(value.value_or(0))));
    } else {
        QVERIFY(value);
        QCOMPARE(int(*value), expected);
    }
}

void TestConversions::int32Range()
{
    QCOMPARE(toInt32(QStringLiteral("32768")).value(), 32768);
    QCOMPARE(toInt32(QStringLiteral("2147483647")).value(), 2147483647);
    QCOMPARE(toInt32(QStringLiteral("-2147483648")).value(), -2147483647 - 1);
    QVERIFY(!toInt32(QStringLiteral("2147483648")));
    QVERIFY(!toInt32(QStringLiteral("2147483647.5")));
    QCOMPARE(toInt32(QStringLiteral("4.5")).value(), 4);
    QCOMPARE(toInt32(QStringLiteral("5.5")).value(), 6);
    QVERIFY(!toInt32(QString()));
}

void TestConversions::numbers()
{
    QCOMPARE(toNumber(QStringLiteral(" 12.5 ")).value(), 12.5);
    QCOMPARE(toNumber(QStringLiteral("-0.25")).value(), -0.25);
    QCOMPARE(toNumber(QStringLiteral("4.")).value(), 4.0);
    QVERIFY(!toNumber(QStringLiteral("")));
    QVERIFY(!toNumber(QStringLiteral("12,5")));
    QVERIFY(!toNumber(QStringLiteral("twelve")));
    QVERIFY(!toNumber(QStringLiteral("nan")));
    QVERIFY(!toNumber(QStringLiteral("inf")));
    QVERIFY(!toNumber(QStringLiteral("1.2.3")));
    QVERIFY(!toNumber(QStringLiteral("-")));
    // Plain decimals are read by hand; to the last bit what the full parse reads.
    for (const char* text : {"2.05486725663717", "0.1", "-0.3", "+71.2", "123456789012345",
                             "1234567890123456", ".5", "99999.9999999999", "0.000000000000001"})
        QVERIFY2(toNumber(QString::fromLatin1(text)).value() == QByteArray(text).toDouble(), text);
    QVERIFY(std::signbit(toNumber(QStringLiteral("-0")).value()));
}

void TestConversions::sixteenBitArithmetic()
{
    QCOMPARE(add16(30000, 2767).value(), std::int16_t(32767));
    QVERIFY(!add16(30000, 2768));
    QVERIFY(!add16(-30000, -2769));
    QCOMPARE(subtract16(-32767, 1).value(), std::int16_t(-32768));
    QVERIFY(!subtract16(-32768, 1));
    QVERIFY(!subtract16(0, -32768));
}

void TestConversions::roundingHalves()
{
    QCOMPARE(roundHalfEven(36.5).value(), 36);
    QCOMPARE(roundHalfEven(37.5).value(), 38);
    QCOMPARE(roundHalfEven(-0.5).value(), 0);
    QCOMPARE(roundHalfEven(-1.5).value(), -2);
    QCOMPARE(roundHalfEven(2.4999).value(), 2);
    QVERIFY(!roundHalfEven(std::numeric_limits<double>::quiet_NaN()));
    QVERIFY(!roundHalfEven(std::numeric_limits<double>::infinity()));
}

void TestConversions::typedDates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected"); // invalid: refused
    const QDate march5(2004, 3, 5);
    QTest::newRow("d-mmm-yy") << "5-Mar-04" << march5;
    QTest::newRow("blanks") << "5 Mar 04" << march5;
    QTest::newRow("hint with double blanks") << "21 Feb  04" << QDate(2004, 2, 21);
    QTest::newRow("upper case, four digits") << "05-MAR-2004" << march5;
    QTest::newRow("slashes") << "5/3/2004" << march5;
    QTest::newRow("points") << "5.3.04" << march5;
    QTest::newRow("full month") << "5 March 2004" << march5;
    QTest::newRow("iso") << "2004-03-05" << march5;
    QTest::newRow("card form") << "5.Mar.04" << march5;
    QTest::newRow("list form") << "5.Mar2004" << march5;
    QTest::newRow("month first") << "March 5, 2004" << march5;
    QTest::newRow("surrounding blanks") << "  5-Mar-04 " << march5;
    QTest::newRow("year 00") << "1-Jan-00" << QDate(2000, 1, 1);
    QTest::newRow("year 29") << "1-Jan-29" << QDate(2029, 1, 1);
    QTest::newRow("year 30") << "1-Jan-30" << QDate(1930, 1, 1);
    QTest::newRow("year 99") << "31-Dec-99" << QDate(1999, 12, 31);
    QTest::newRow("leap day") << "29-Feb-04" << QDate(2004, 2, 29);
    QTest::newRow("leap day 2000") << "29/2/2000" << QDate(2000, 2, 29);
    QTest::newRow("no leap day 2003") << "29-Feb-03" << QDate();
    QTest::newRow("no leap day 1900") << "29-Feb-1900" << QDate();
    QTest::newRow("31 Feb") << "31-Feb-04" << QDate();
    QTest::newRow("31 Apr") << "31-Apr-04" << QDate();
    QTest::newRow("day 0") << "0-Mar-04" << QDate();
    QTest::newRow("day 32") << "32-Jan-04" << QDate();
    QTest::newRow("month 13") << "5/13/2004" << QDate();
    QTest::newRow("three-digit year") << "5-Mar-204" << QDate();
    QTest::newRow("unknown month") << "5-Mxr-04" << QDate();
    QTest::newRow("two letters") << "5-Ma-04" << QDate();
    QTest::newRow("empty") << "" << QDate();
    QTest::newRow("words") << "yesterday" << QDate();
    QTest::newRow("quote") << "5-Mar-04'" << QDate();
    QTest::newRow("sql") << "5-Mar-04' or '1'='1" << QDate();
    QTest::newRow("two parts") << "5-Mar" << QDate();
    QTest::newRow("four parts") << "5-Mar-04-1" << QDate();
}

void TestConversions::typedDates()
{
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    const auto d = toDate(text);
    if (!expected.isValid()) {
        QVERIFY2(!d, qPrintable(d.value_or(QDate()).toString(Qt::ISODate)));
    } else {
        QVERIFY(d);
        QCOMPARE(*d, expected);
    }
}

void TestConversions::everyMonthName()
{
    const QStringList shortNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QStringList longNames{"January",   "February", "March",    "April",
                                "May",       "June",     "July",     "August",
                                "September", "October",  "November", "December"};
    for (int m = 1; m <= 12; ++m) {
        const QDate d(2004, m, 1);
        QCOMPARE(formatDate(d, DateFormat::Short),
                 QStringLiteral("1-%1-04").arg(shortNames[m - 1]));
        QCOMPARE(toDate(QStringLiteral("1-%1-04").arg(shortNames[m - 1])).value(), d);
        QCOMPARE(toDate(QStringLiteral("1 %1 2004").arg(longNames[m - 1])).value(), d);
        QCOMPARE(toDate(QStringLiteral("1-%1-04").arg(shortNames[m - 1].toUpper())).value(), d);
        QCOMPARE(toDate(QStringLiteral("1-%1-04").arg(shortNames[m - 1].toLower())).value(), d);
        QVERIFY(formatDate(d, DateFormat::Long).contains(longNames[m - 1]));
    }
    QCOMPARE(toDate(QStringLiteral("1 Sept 2004")).value(), QDate(2004, 9, 1));
}

void TestConversions::dateFormats()
{
    const QDate d(2004, 3, 5);
    QCOMPARE(formatDate(d, DateFormat::Short), QStringLiteral("5-Mar-04"));
    QCOMPARE(formatDate(d, DateFormat::ShortPadded), QStringLiteral("05-Mar-04"));
    QCOMPARE(formatDate(d, DateFormat::DottedShort), QStringLiteral("5.Mar.04"));
    QCOMPARE(formatDate(d, DateFormat::DottedLong), QStringLiteral("5.Mar2004"));
    QCOMPARE(formatDate(d, DateFormat::Long), QStringLiteral("5 March 2004"));
    QCOMPARE(formatDate(QDate(2026, 12, 19), DateFormat::Short), QStringLiteral("19-Dec-26"));
    QCOMPARE(formatDate(QDate(2000, 1, 9), DateFormat::Short), QStringLiteral("9-Jan-00"));
    QCOMPARE(formatDate(QDate(1999, 10, 31), DateFormat::ShortPadded), QStringLiteral("31-Oct-99"));
    QCOMPARE(formatDate(QDate(), DateFormat::Short), QString());
    // Every short form reads back as the same day.
    for (QDate day(2003, 12, 25); day < QDate(2004, 3, 10); day = day.addDays(1)) {
        for (auto f : {DateFormat::Short, DateFormat::ShortPadded, DateFormat::DottedShort,
                       DateFormat::DottedLong})
            QCOMPARE(toDate(formatDate(day, f)).value(), day);
    }
}

void TestConversions::storedDates()
{
    QCOMPARE(toStoredDate(QStringLiteral("5-Mar-04")).value(), QStringLiteral("2004-03-05"));
    QVERIFY(!toStoredDate(QStringLiteral("31-Feb-04")));
    // The stored text is Qt's ISO text, at the edges of four-digit years and beyond them.
    for (const QDate day : {QDate(999, 12, 31), QDate(1000, 1, 1), QDate(2004, 10, 9),
                            QDate(9999, 12, 31), QDate(10000, 1, 1), QDate()})
        QCOMPARE(isoDate(day), day.toString(Qt::ISODate));
    QCOMPARE(formatStoredDate(QStringLiteral("2004-03-05"), DateFormat::DottedShort),
             QStringLiteral("5.Mar.04"));
    QCOMPARE(formatStoredDate(QDate(2004, 3, 5), DateFormat::DottedLong),
             QStringLiteral("5.Mar2004"));
    QCOMPARE(formatStoredDate(QVariant(), DateFormat::Short), QString());
    QCOMPARE(formatStoredDate(QStringLiteral("not a date"), DateFormat::Short),
             QStringLiteral("not a date"));
}

void TestConversions::valueTexts()
{
    QCOMPARE(valueText(QVariant()), QString());
    QCOMPARE(valueText(QVariant(4.0)), QStringLiteral("4"));
    QCOMPARE(valueText(QVariant(4.5)), QStringLiteral("4.5"));
    QCOMPARE(valueText(QVariant(-3)), QStringLiteral("-3"));
    QCOMPARE(valueText(QVariant(QStringLiteral("O'Brien"))), QStringLiteral("O'Brien"));
}

PARLOG_TEST(TestConversions)
#include "tst_conversions.moc"
