#include "ui/inputhelpers.h"
#include "ui/prompter.h"

#include "testmain.h"

#include <QComboBox>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

using namespace parlog;

namespace {

// A picker as the player and course windows have it: Click loads the entry.
struct Picker {
    Picker(const QStringList& items)
    {
        auto* layout = new QVBoxLayout(&window);
        combo = new QComboBox(&window);
        other = new QLineEdit(&window);
        layout->addWidget(combo);
        layout->addWidget(other);
        preparePicker(combo);
        combo->addItems(items);
        combo->setCurrentIndex(-1);
        combo->setEditText(QString());
        onKeyUp(combo, [this](int key) {
            typeAhead(combo, key, [this](int index) { loaded << combo->itemText(index); });
        });
        window.show();
        combo->setFocus();
    }
    QString selected() const { return combo->lineEdit()->selectedText(); }
    int caret() const { return combo->lineEdit()->cursorPosition(); }

    QWidget window;
    QComboBox* combo;
    QLineEdit* other;
    QStringList loaded;
};

} // namespace

class TestInputHelpers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void selectAllOnFocusReplacesTheOldValue();
    void selectAllLeavesAnEmptyBoxAlone();
    void typeAheadNarrowsLetterByLetter();
    void typeAheadIgnoresCaseAndShowsTheItemsOwnCapitals();
    void typeAheadWithoutMatch();
    void keysThatAreNotLettersDoNotSearch();
    void emptyListAndEmptyBox();
    void comboBoxHasNoCompleterOfItsOwn();
    void typedTextLeftIsNotAPick();
    void messageBoxesShowPlainTextAndTheirDefault();
};

void TestInputHelpers::selectAllOnFocusReplacesTheOldValue()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* first = new QLineEdit(&window);
    auto* box = new QLineEdit(QStringLiteral("4"), &window);
    layout->addWidget(first);
    layout->addWidget(box);
    selectAllOnFocus(box);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    first->setFocus();
    box->setCursorPosition(1);
    box->setFocus(Qt::OtherFocusReason);
    QCOMPARE(box->selectedText(), QStringLiteral("4"));
    QTest::keyClick(box, Qt::Key_5);
    QCOMPARE(box->text(), QStringLiteral("5"));

    // Tab and a mouse click select too.
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Tab);
    QVERIFY(box->hasFocus());
    QCOMPARE(box->selectedText(), QStringLiteral("5"));
    first->setFocus();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(2, box->height() / 2));
    QTRY_COMPARE(box->selectedText(), QStringLiteral("5"));
}

void TestInputHelpers::selectAllLeavesAnEmptyBoxAlone()
{
    QLineEdit box;
    SelectAllText(&box);
    QVERIFY(!box.hasSelectedText());
    QCOMPARE(box.cursorPosition(), 0);
    SelectAllText(nullptr); // must not fail
    box.setText(QStringLiteral("12.5"));
    box.setCursorPosition(2);
    SelectAllText(&box);
    QCOMPARE(box.selectionStart(), 0);
    QCOMPARE(box.selectedText(), QStringLiteral("12.5"));
}

void TestInputHelpers::typeAheadNarrowsLetterByLetter()
{
    Picker p({QStringLiteral("Adams"), QStringLiteral("Brown"), QStringLiteral("Browning")});
    QTest::keyClick(p.combo, Qt::Key_B);
    QCOMPARE(p.combo->currentIndex(), 1);
    QCOMPARE(p.loaded, QStringList{QStringLiteral("Brown")});
    QCOMPARE(p.combo->currentText(), QStringLiteral("Brown"));
    QCOMPARE(p.selected(), QStringLiteral("rown"));

    for (auto key : {Qt::Key_R, Qt::Key_O, Qt::Key_W, Qt::Key_N}) {
        QTest::keyClick(p.combo, key);
        QCOMPARE(p.combo->currentIndex(), 1);
        QCOMPARE(p.combo->currentText(), QStringLiteral("Brown"));
    }
    QCOMPARE(p.loaded.size(), 5);
    QCOMPARE(p.selected(), QString());

    QTest::keyClick(p.combo, Qt::Key_I);
    QCOMPARE(p.combo->currentIndex(), 2);
    QCOMPARE(p.loaded.last(), QStringLiteral("Browning"));
    QCOMPARE(p.combo->currentText(), QStringLiteral("Browning"));
    QCOMPARE(p.selected(), QStringLiteral("ng"));
}

void TestInputHelpers::typeAheadIgnoresCaseAndShowsTheItemsOwnCapitals()
{
    Picker p({QStringLiteral("Adams"), QStringLiteral("Brown"), QStringLiteral("Browning")});
    QTest::keyClicks(p.combo, QStringLiteral("br"));
    QCOMPARE(p.combo->currentText(), QStringLiteral("Brown"));
    QCOMPARE(p.selected(), QStringLiteral("own"));
    QCOMPARE(p.combo->lineEdit()->selectionStart(), 2);
    // Shift makes no difference to the key code.
    Picker q({QStringLiteral("Adams"), QStringLiteral("Brown")});
    QTest::keyClick(q.combo, Qt::Key_A, Qt::ShiftModifier);
    QCOMPARE(q.combo->currentText(), QStringLiteral("Adams"));
    QCOMPARE(q.selected(), QStringLiteral("dams"));
}

void TestInputHelpers::typeAheadWithoutMatch()
{
    Picker p({QStringLiteral("Adams"), QStringLiteral("Brown"), QStringLiteral("Browning")});
    QTest::keyClicks(p.combo, QStringLiteral("Zz"));
    QCOMPARE(p.loaded, QStringList());
    QCOMPARE(p.combo->currentIndex(), -1);
    QCOMPARE(p.combo->currentText(), QStringLiteral("Zz"));
    QCOMPARE(p.selected(), QString());
    QCOMPARE(p.caret(), 2);

    // An item shorter than the typed text never matches.
    Picker q({QStringLiteral("Bro"), QStringLiteral("Brown")});
    QTest::keyClicks(q.combo, QStringLiteral("brow"));
    QCOMPARE(q.combo->currentText(), QStringLiteral("Brown"));
    QCOMPARE(q.combo->currentIndex(), 1);
}

void TestInputHelpers::keysThatAreNotLettersDoNotSearch()
{
    Picker p({QStringLiteral("Adams"), QStringLiteral("Brown"), QStringLiteral("Browning")});
    QTest::keyClick(p.combo, Qt::Key_B);
    QCOMPARE(p.selected(), QStringLiteral("rown"));
    const int loads = int(p.loaded.size());
    QTest::keyClick(p.combo, Qt::Key_Backspace);
    QCOMPARE(p.combo->currentText(), QStringLiteral("B"));
    QCOMPARE(int(p.loaded.size()), loads);
    QTest::keyClick(p.combo, Qt::Key_2);
    QTest::keyClick(p.combo, Qt::Key_Space);
    QCOMPARE(p.combo->currentText(), QStringLiteral("B2 "));
    QCOMPARE(int(p.loaded.size()), loads);
    // The next letter searches again from the box's text.
    QTest::keyClick(p.combo, Qt::Key_X);
    QCOMPARE(p.combo->currentText(), QStringLiteral("B2 x"));
    QCOMPARE(int(p.loaded.size()), loads);
}

void TestInputHelpers::emptyListAndEmptyBox()
{
    Picker empty({});
    QTest::keyClick(empty.combo, Qt::Key_Q);
    QCOMPARE(empty.combo->currentText(), QStringLiteral("q"));
    QCOMPARE(empty.loaded, QStringList());

    // A letter released while the box is empty picks the first item, all highlighted.
    Picker p({QStringLiteral("Adams"), QStringLiteral("Brown")});
    typeAhead(p.combo, Qt::Key_K, [&](int i) { p.loaded << p.combo->itemText(i); });
    QCOMPARE(p.loaded, QStringList{QStringLiteral("Adams")});
    QCOMPARE(p.combo->currentText(), QStringLiteral("Adams"));
    QCOMPARE(p.selected(), QStringLiteral("Adams"));
}

void TestInputHelpers::comboBoxHasNoCompleterOfItsOwn()
{
    Picker p({QStringLiteral("Adams"), QStringLiteral("Brown")});
    QCOMPARE(p.combo->completer(), nullptr);
    QCOMPARE(p.combo->insertPolicy(), QComboBox::NoInsert);
    QTest::keyClicks(p.combo, QStringLiteral("zed"));
    QTest::keyClick(p.combo, Qt::Key_Return);
    QCOMPARE(p.combo->count(), 2);
}

void TestInputHelpers::typedTextLeftIsNotAPick()
{
    Picker p({QStringLiteral("Adams"), QStringLiteral("Brown")});
    int activations = 0;
    QObject::connect(p.combo, &QComboBox::activated, [&] { ++activations; });
    p.combo->setEditText(QStringLiteral("Brown"));
    p.other->setFocus();
    QTest::keyClick(p.combo, Qt::Key_Return);
    QCOMPARE(activations, 0);
    // Choosing from the list still is.
    QTest::keyClick(p.combo, Qt::Key_Down);
    QCOMPARE(activations, 1);
}

PARLOG_TEST(TestInputHelpers)
void TestInputHelpers::messageBoxesShowPlainTextAndTheirDefault()
{
    // Reads the box as the user would see it, then presses Enter.
    struct Seen {
        Qt::TextFormat format = Qt::AutoText;
        QString text;
        QString defaultButton;
        QPoint centre;
    };
    const auto answerWithEnter = [](Seen* seen) {
        QTimer::singleShot(0, [seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen->format = box->textFormat();
            seen->text = box->text();
            seen->defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
            seen->centre = box->geometry().center();
            QTest::keyClick(box, Qt::Key_Return);
        });
    };
    // The window the message speaks for, away from the middle of the screen.
    QWidget window;
    window.setGeometry(40, 60, 640, 420);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    MessageBoxPrompter boxes;
    Prompter& prompter = boxes;
    const QString markup = QStringLiteral("<b>x</b> is not a date");
    Seen seen;
    answerWithEnter(&seen);
    prompter.inform(markup, QStringLiteral("Parlog"));
    QCOMPARE(seen.format, Qt::PlainText);
    QCOMPARE(seen.text, markup);
    QVERIFY2((seen.centre - window.geometry().center()).manhattanLength() <= 4,
             qPrintable(QStringLiteral("%1,%2").arg(seen.centre.x()).arg(seen.centre.y())));
    answerWithEnter(&seen);
    QVERIFY(!prompter.ask(markup, QStringLiteral("Delete"), Prompter::Default::No));
    QCOMPARE(seen.format, Qt::PlainText);
    QVERIFY(seen.defaultButton.contains(QStringLiteral("No")));
    answerWithEnter(&seen);
    QVERIFY(prompter.ask(markup, QStringLiteral("Save")));
}

#include "tst_inputhelpers.moc"
