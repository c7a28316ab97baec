#include "masterdata/courseswindow.h"

#include "base/application.h"
#include "base/windownames.h"
#include "base/windowcontexts.h"
#include "data/conversions.h"
#include "data/courses.h"
#include "data/records.h"
#include "masterdata/coursepar.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"
#include "ui/tables.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>

namespace parlog {

using namespace forms;

namespace {
// The boxes were numbered as they were drawn: hole 6's box is Text28, hole 7's Text32.
constexpr int kParBox[18] = {18, 20, 22, 24, 26, 28, 32, 34, 36,
                             38, 40, 42, 44, 46, 48, 50, 52, 54};

} // namespace

CoursesWindow::CoursesWindow(Application& app)
    : RegisterWindow(app, {windows::kCourses, QStringLiteral("Courses"), registers::courses(),
                           QStringLiteral("course"), windows::kCourseList})
{
    setFixedSize(620, 640);
    createShared(QStringLiteral("Show All"));
    embolden(
        label(this, QStringLiteral("Label1"), QStringLiteral("Find Course"), {12, 12, 100, 24}));
    Combo1->setGeometry(116, 12, 260, 24);

    const auto field = [&](const char* name, const char* caption, int row) {
        const int y = 52 + row * 32;
        label(this, QStringLiteral("Label%1").arg(row + 2), QString::fromLatin1(caption),
              {12, y, 100, 24});
        return box(this, QString::fromLatin1(name), {116, y, 260, 24});
    };
    CourseName = field("CourseName", "CourseName", 0);
    CourseAdd1 = field("CourseAdd1", "Street", 1);
    CourseAdd2 = field("CourseAdd2", "Town", 2);
    CourseAdd3 = field("CourseAdd3", "County", 3);
    CourseTel = field("CourseTel", "Telephone", 4);

    Command11->setGeometry(400, 52, 96, 28);
    Command13->setGeometry(504, 52, 96, 28);
    Command1->setGeometry(400, 88, 96, 28);
    Command28->setGeometry(504, 88, 96, 28);
    Command12->setGeometry(400, 124, 96, 28);
    Command10->setGeometry(504, 124, 96, 28);

    embolden(label(this, QStringLiteral("Label7"),
                   QStringLiteral("Add the par  for each hole (optional)"), {12, 218, 300, 22}));
    frame(this, QStringLiteral("Shape1"), {8, 242, 604, 220});
    for (int h = 0; h < 18; ++h) {
        const int x = 16 + (h / 6) * 200;
        const int y = 252 + (h % 6) * 30;
        auto* l =
            label(this, QStringLiteral("LabelPar%1").arg(h + 1),
                  h == 4 ? QStringLiteral("PAR  Hole 5") : QStringLiteral("PAR Hole %1").arg(h + 1),
                  {x, y, 90, 24});
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        par[h] = box(this, QStringLiteral("Text%1").arg(kParBox[h]), {x + 96, y, 50, 24});
        par[h]->setAlignment(Qt::AlignCenter);
        selectAllOnFocus(par[h]);
        connect(par[h], &QLineEdit::textChanged, this, [this, h] { Par_Change(h + 1); });
        si[h] = box(this, QStringLiteral("SI%1").arg(h + 1), {x + 152, y, 36, 24});
        si[h]->setAlignment(Qt::AlignCenter);
        si[h]->setToolTip(QStringLiteral("Stroke index of hole %1: 1 for the hardest hole to "
                                         "score on, 18 for the easiest; each once")
                              .arg(h + 1));
        selectAllOnFocus(si[h]);
    }
    auto* siHint = label(this, QStringLiteral("LabelSI"),
                         QStringLiteral("SI: stroke index, 1 to 18 (optional)"),
                         {330, 218, 282, 22});
    siHint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* total =
        label(this, QStringLiteral("Label8"), QStringLiteral("Course Par"), {416, 432, 90, 24});
    total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    embolden(total);
    Text56 = box(this, QStringLiteral("Text56"), {512, 432, 50, 24});
    Text56->setAlignment(Qt::AlignCenter);

    // The tees of the course, a row each.
    embolden(label(this, QStringLiteral("LabelTees"), QStringLiteral("Tees"), {12, 472, 100, 22}));
    tees = new CellTable(0, 5, this);
    tees->setObjectName(QStringLiteral("tees"));
    tees->setGeometry(12, 496, 476, 132);
    tees->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Rated for"),
                                     QStringLiteral("Course Rating"),
                                     QStringLiteral("Slope Rating"), QStringLiteral("Par")});
    tees->verticalHeader()->hide();
    tees->setSelectionBehavior(QAbstractItemView::SelectRows);
    tees->setSelectionMode(QAbstractItemView::SingleSelection);
    const int widths[5] = {120, 90, 96, 90, 60};
    for (int c = 0; c < 5; ++c)
        tees->setColumnWidth(c, widths[c]);
    auto* addTee =
        button(this, QStringLiteral("addTee"), QStringLiteral("Add Tee"), {500, 496, 112, 28});
    auto* removeTee = button(this, QStringLiteral("removeTee"), QStringLiteral("Remove Tee"),
                             {500, 530, 112, 28});
    auto* teeHoles = button(this, QStringLiteral("teeHoles"), QStringLiteral("Tee's Holes..."),
                            {500, 564, 112, 28});
    teeHoles->setToolTip(QStringLiteral("The pars and stroke indexes of a tee that has its own, "
                                        "as a women's tee may"));
    connect(addTee, &QPushButton::clicked, this, &CoursesWindow::addTee_Click);
    connect(removeTee, &QPushButton::clicked, this, &CoursesWindow::removeTee_Click);
    connect(teeHoles, &QPushButton::clicked, this, &CoursesWindow::teeHoles_Click);

    // The boxes in reading order, the par of every hole before the buttons.
    QList<QWidget*> order{Combo1, CourseName, CourseAdd1, CourseAdd2, CourseAdd3, CourseTel};
    for (QLineEdit* b : par)
        order << b;
    order << Text56;
    for (QLineEdit* b : si)
        order << b;
    order << tees << addTee << removeTee << teeHoles << Command11 << Command13 << Command1
          << Command28 << Command12 << Command10;
    focusOrder(order);
}

std::array<QString, 18> CoursesWindow::parTexts() const
{
    std::array<QString, 18> texts;
    for (int h = 0; h < 18; ++h)
        texts[h] = par[h]->text();
    return texts;
}

void CoursesWindow::Par_Change(int hole)
{
    if (const auto total = coursePar(parTexts()))
        Text56->setText(QString::number(*total));
    if (hole < 18)
        moveFocus(par[hole]);
}

void CoursesWindow::loadRow(const Record& row)
{
    const Course c = Course::from(row);
    CourseName->setText(c.name);
    CourseAdd1->setText(c.address1);
    CourseAdd2->setText(c.address2);
    CourseAdd3->setText(c.address3);
    CourseTel->setText(c.telephone);
    // Each par written moves the focus along; the stored course par comes last.
    for (int h = 0; h < 18; ++h)
        par[h]->setText(shown(c.pars[h]));
    Text56->setText(shown(c.par));
    for (int h = 0; h < 18; ++h)
        si[h]->setText(shown(c.strokeIndexes[h]));
    tees->setRowCount(0);
    if (c.id == 0)
        return;
    if (auto connection = app().openConnection()) {
        const auto list = courses::tees(*connection, c.id);
        if (!list) {
            app().inform(list.error());
            return;
        }
        for (const Tee& tee : *list)
            addTeeRow(tee);
    }
}

namespace {

enum TeeRole { kTeeKey = Qt::UserRole, kTeePars, kTeeIndexes };

QString textOf(const QTableWidget* table, int row, int column)
{
    if (column == 1)
        if (auto* box = qobject_cast<QComboBox*>(table->cellWidget(row, 1)))
            return box->currentText();
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

void CoursesWindow::addTeeRow(const Tee& tee)
{
    const int row = tees->rowCount();
    tees->insertRow(row);
    const QStringList texts{tee.name, tee.ratedFor,
                            tee.courseRating ? QString::number(*tee.courseRating, 'f', 1)
                                             : QString(),
                            shown(tee.slopeRating), shown(tee.par)};
    for (int c = 0; c < 5; ++c)
        if (c != 1)
            tees->setItem(row, c, new QTableWidgetItem(texts[c]));
    auto* rated = new QComboBox;
    rated->setObjectName(QStringLiteral("ratedFor%1").arg(row + 1));
    rated->addItems({QStringLiteral("Men"), QStringLiteral("Women")});
    rated->setCurrentIndex(tee.ratedFor == u"Women" ? 1 : 0);
    tees->placeCellWidget(row, 1, rated);
    QStringList pars;
    QStringList indexes;
    for (int h = 0; h < 18; ++h) {
        pars << shown(tee.pars[h]);
        indexes << shown(tee.strokeIndexes[h]);
    }
    QTableWidgetItem* first = tees->item(row, 0);
    first->setData(kTeeKey, tee.id);
    first->setData(kTeePars, pars);
    first->setData(kTeeIndexes, indexes);
}

void CoursesWindow::addTee_Click()
{
    Tee tee;
    tee.ratedFor = QStringLiteral("Men");
    addTeeRow(tee);
    const int row = tees->rowCount() - 1;
    tees->setCurrentCell(row, 0);
    tees->setFocus();
    tees->editItem(tees->item(row, 0));
}

void CoursesWindow::removeTee_Click()
{
    const int row = tees->currentRow();
    if (row < 0) {
        app().inform(QStringLiteral("Choose the tee in the list first, then press Remove Tee."));
        return;
    }
    tees->removeRow(row);
}

void CoursesWindow::teeHoles_Click()
{
    const int row = tees->currentRow();
    if (row < 0) {
        app().inform(QStringLiteral("Choose the tee in the list first, then press Tee's Holes."));
        return;
    }
    QTableWidgetItem* first = tees->item(row, 0);
    TeeHolesContext given;
    given.tee = QStringLiteral("%1 (%2)").arg(first->text(), textOf(tees, row, 1));
    const QStringList pars = first->data(kTeePars).toStringList();
    const QStringList indexes = first->data(kTeeIndexes).toStringList();
    for (int h = 0; h < 18; ++h) {
        given.pars[h] = pars.value(h);
        given.strokeIndexes[h] = indexes.value(h);
    }
    // The row is found again by its item: rows above it may go meanwhile.
    given.done = [table = QPointer<QTableWidget>(tees), first](const std::array<QString, 18>& p,
                                                               const std::array<QString, 18>& i) {
        if (!table || table->row(first) < 0)
            return;
        first->setData(kTeePars, QStringList(p.begin(), p.end()));
        first->setData(kTeeIndexes, QStringList(i.begin(), i.end()));
    };
    app().show(windows::kTeeHoles, given);
}

Result<QList<Tee>> CoursesWindow::teeValues(double coursePar) const
{
    QList<Tee> list;
    for (int row = 0; row < tees->rowCount(); ++row) {
        auto tee = readTee({textOf(tees, row, 0), textOf(tees, row, 1), textOf(tees, row, 2),
                            textOf(tees, row, 3), textOf(tees, row, 4)},
                           coursePar);
        if (!tee)
            return Failure{tee.error()};
        const QTableWidgetItem* first = tees->item(row, 0);
        tee->id = first ? first->data(kTeeKey).toLongLong() : 0;
        const QStringList pars = first ? first->data(kTeePars).toStringList() : QStringList();
        std::array<QString, 18> indexes;
        const QStringList given = first ? first->data(kTeeIndexes).toStringList() : QStringList();
        for (int h = 0; h < 18; ++h) {
            indexes[h] = given.value(h);
            if (const auto par = toNumber(pars.value(h)))
                tee->pars[h] = *par;
        }
        if (Status read = readStrokeIndexes(indexes, tee->strokeIndexes); !read)
            return Failure{QStringLiteral("the tee %1: %2").arg(tee->name, read.error())};
        list << *tee;
    }
    return list;
}

Result<Saved> CoursesWindow::store(Connection& connection, registers::EditMode mode, qint64 key,
                                   const Record& values, const Record& asRead)
{
    const auto list = teeValues(values.value(QStringLiteral("coursepar")).toDouble());
    if (!list)
        return Failure{list.error() + QStringLiteral(". Correct it, then press Save.")};
    return courses::save(connection, mode, key, values, *list, asRead);
}

Result<Rows> CoursesWindow::listRows(Connection& connection)
{
    return courses::listed(connection);
}

void CoursesWindow::clearBoxes(bool adding)
{
    if (adding)
        CourseName->clear();
    else
        CourseName->setText(QStringLiteral(" "));
    for (QLineEdit* b : {CourseAdd1, CourseAdd2, CourseAdd3, CourseTel})
        b->setText(QStringLiteral(" "));
    const QString value = adding ? QStringLiteral("0") : QString();
    for (QLineEdit* b : par)
        b->setText(value);
    Text56->setText(value);
    for (QLineEdit* b : si)
        b->clear();
    tees->setRowCount(0);
}

Result<Record> CoursesWindow::rowValues()
{
    Course c;
    if (Status read = readPars(parTexts(), Text56->text(), c); !read)
        return Failure{read.error()};
    std::array<QString, 18> indexes;
    for (int h = 0; h < 18; ++h)
        indexes[h] = si[h]->text();
    if (Status read = readStrokeIndexes(indexes, c.strokeIndexes); !read)
        return Failure{read.error()};
    c.name = CourseName->text();
    c.address1 = CourseAdd1->text();
    c.address2 = CourseAdd2->text();
    c.address3 = CourseAdd3->text();
    c.telephone = CourseTel->text();
    return c.record();
}

} // namespace parlog
