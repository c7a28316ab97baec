#include "ui/tables.h"

#include "testmain.h"

#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

using namespace parlog;

class TestTables : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aHeaderClickSortsByValue();
};

// Positions, scores and dates sort as what they are, not as text, and the first click
// on a header sorts that column up, the second down.
void TestTables::aHeaderClickSortsByValue()
{
    QStandardItemModel model(0, 3);
    const QList<QStringList> rows{{"10", "Adams", "2004-03-05"},
                                  {"2=", "brown", "2003-12-31"},
                                  {"9", "Casey", "2004-01-02"}};
    for (const QStringList& r : rows)
        model.appendRow({sortableCell(r[0]), sortableCell(r[1]),
                         sortableCell(QStringLiteral("shown ") + r[2], r[2])});
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    QTableView view;
    view.setModel(&proxy);
    sortByHeader(&view, &proxy);
    view.resize(400, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    fitColumns(&view);
    const auto column = [&](int c) {
        QStringList texts;
        for (int r = 0; r < proxy.rowCount(); ++r)
            texts << proxy.index(r, c).data().toString();
        return texts;
    };
    QCOMPARE(column(0), (QStringList{"10", "2=", "9"})); // as they came
    const auto click = [&](int c) {
        QHeaderView* header = view.horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(c) + 5, header->height() / 2));
    };
    click(0);
    QCOMPARE(column(0), (QStringList{"2=", "9", "10"}));
    click(0);
    QCOMPARE(column(0), (QStringList{"10", "9", "2="}));
    click(1);
    QCOMPARE(column(1), (QStringList{"Adams", "brown", "Casey"}));
    click(2);
    QCOMPARE(column(2).first(), QStringLiteral("shown 2003-12-31"));
    // Every column is at least as wide as what it shows.
    for (int c = 0; c < 3; ++c)
        for (const QString& text : column(c))
            QVERIFY(view.horizontalHeader()->sectionSize(c) >=
                    view.fontMetrics().horizontalAdvance(text));
}

PARLOG_TEST(TestTables)
#include "tst_tables.moc"
