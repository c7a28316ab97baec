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

#include <QBoxLayout>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
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
    createShared(QStringLiteral("Show All"));
    auto* find = label(this, QStringLiteral("Label1"), QStringLiteral("Find Course"));
    embolden(find);
    names->setMinimumWidth(fontMetrics().averageCharWidth() * 30);

    // The course's name and address, captions beside them; its buttons to the right.
    auto* details = new QGridLayout;
    details->addWidget(find, 0, 0);
    details->addWidget(names, 0, 1);
    const auto field = [&](const char* name, const char* caption, int row) {
        details->addWidget(
            label(this, QStringLiteral("Label%1").arg(row + 2), QString::fromLatin1(caption)),
            row + 1, 0);
        auto* b = box(this, QString::fromLatin1(name));
        details->addWidget(b, row + 1, 1);
        return b;
    };
    courseName = field("CourseName", "CourseName", 0);
    street = field("CourseAdd1", "Street", 1);
    town = field("CourseAdd2", "Town", 2);
    county = field("CourseAdd3", "County", 3);
    telephone = field("CourseTel", "Telephone", 4);
    auto* buttons = new QGridLayout;
    buttons->addWidget(newButton, 0, 0);
    buttons->addWidget(deleteButton, 0, 1);
    buttons->addWidget(editButton, 1, 0);
    buttons->addWidget(listButton, 1, 1);
    buttons->addWidget(saveButton, 2, 0);
    buttons->addWidget(closeButton, 2, 1);
    buttons->setRowStretch(3, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(details, 1);
    top->addSpacing(12);
    top->addLayout(buttons);

    // The holes in three columns of six, each its par and stroke index.
    auto* parsCaption = label(this, QStringLiteral("Label7"),
                              QStringLiteral("Add the par  for each hole (optional)"));
    embolden(parsCaption);
    auto* siHint = label(this, QStringLiteral("LabelSI"),
                         QStringLiteral("SI: stroke index, 1 to 18 (optional)"));
    auto* holesBox = new QFrame(this);
    holesBox->setObjectName(QStringLiteral("Shape1"));
    holesBox->setFrameShape(QFrame::Box);
    auto* holes = new QGridLayout(holesBox);
    for (int h = 0; h < 18; ++h) {
        const int column = (h / 6) * 4;
        const int row = h % 6;
        auto* l = label(this, QStringLiteral("LabelPar%1").arg(h + 1),
                        h == 4 ? QStringLiteral("PAR  Hole 5")
                               : QStringLiteral("PAR Hole %1").arg(h + 1));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        par[h] = box(this, QStringLiteral("Text%1").arg(kParBox[h]), 4);
        par[h]->setAlignment(Qt::AlignCenter);
        selectAllOnFocus(par[h]);
        connect(par[h], &QLineEdit::textChanged, this, [this, h] { parChanged(h + 1); });
        si[h] = box(this, QStringLiteral("SI%1").arg(h + 1), 2);
        si[h]->setAlignment(Qt::AlignCenter);
        si[h]->setToolTip(QStringLiteral("Stroke index of hole %1: 1 for the hardest hole to "
                                         "score on, 18 for the easiest; each once")
                              .arg(h + 1));
        selectAllOnFocus(si[h]);
        holes->addWidget(l, row, column);
        holes->addWidget(par[h], row, column + 1);
        holes->addWidget(si[h], row, column + 2);
        holes->setColumnMinimumWidth(column + 3, 16);
    }
    auto* total = label(this, QStringLiteral("Label8"), QStringLiteral("Course Par"));
    total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    embolden(total);
    coursePar = box(this, QStringLiteral("Text56"), 4);
    coursePar->setAlignment(Qt::AlignCenter);
    holes->addWidget(total, 6, 8);
    holes->addWidget(coursePar, 6, 9);

    // The tees of the course, a row each.
    auto* teesCaption = label(this, QStringLiteral("LabelTees"), QStringLiteral("Tees"));
    embolden(teesCaption);
    tees = new CellTable(0, 7, this);
    tees->setObjectName(QStringLiteral("tees"));
    tees->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Rated for"),
                                     QStringLiteral("Course Rating"),
                                     QStringLiteral("Slope Rating"), QStringLiteral("Par"),
                                     QStringLiteral("Front nine"), QStringLiteral("Back nine")});
    for (int c : {5, 6})
        tees->horizontalHeaderItem(c)->setToolTip(
            QStringLiteral("The nine's own Course Rating, Slope Rating and par, as 35.6 / 121 / "
                           "36, for nine-hole competitions"));
    tees->verticalHeader()->hide();
    tees->setSelectionBehavior(QAbstractItemView::SelectRows);
    tees->setSelectionMode(QAbstractItemView::SingleSelection);
    tees->horizontalHeader()->setStretchLastSection(true);
    tees->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tees->setMinimumHeight(fontMetrics().height() * 7);
    auto* addTee = button(this, QStringLiteral("addTee"), QStringLiteral("Add Tee"));
    auto* removeTee = button(this, QStringLiteral("removeTee"), QStringLiteral("Remove Tee"));
    auto* teeHoles = button(this, QStringLiteral("teeHoles"), QStringLiteral("Tee's Holes..."));
    teeHoles->setToolTip(QStringLiteral("The pars and stroke indexes of a tee that has its own, "
                                        "as a women's tee may"));
    connect(addTee, &QPushButton::clicked, this, &CoursesWindow::addTee);
    connect(removeTee, &QPushButton::clicked, this, &CoursesWindow::removeTee);
    connect(teeHoles, &QPushButton::clicked, this, &CoursesWindow::editTeeHoles);
    auto* teeButtons = new QVBoxLayout;
    teeButtons->addWidget(addTee);
    teeButtons->addWidget(removeTee);
    teeButtons->addWidget(teeHoles);
    teeButtons->addStretch(1);
    auto* teesRow = new QHBoxLayout;
    teesRow->addWidget(tees, 1);
    teesRow->addLayout(teeButtons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    auto* holesHeading = new QHBoxLayout;
    holesHeading->addWidget(parsCaption);
    holesHeading->addStretch(1);
    holesHeading->addWidget(siHint);
    layout->addLayout(holesHeading);
    layout->addWidget(holesBox);
    layout->addWidget(teesCaption);
    layout->addLayout(teesRow, 1);

    // The boxes in reading order, the par of every hole before the buttons.
    QList<QWidget*> order{names, courseName, street, town, county, telephone};
    for (QLineEdit* b : par)
        order << b;
    order << coursePar;
    for (QLineEdit* b : si)
        order << b;
    order << tees << addTee << removeTee << teeHoles << newButton << deleteButton << editButton
          << listButton << saveButton << closeButton;
    focusOrder(order);
}

std::array<QString, 18> CoursesWindow::parTexts() const
{
    std::array<QString, 18> texts;
    for (int h = 0; h < 18; ++h)
        texts[h] = par[h]->text();
    return texts;
}

void CoursesWindow::parChanged(int hole)
{
    if (const auto total = parlog::coursePar(parTexts()))
        coursePar->setText(QString::number(*total));
    if (hole < 18)
        moveFocus(par[hole]);
}

void CoursesWindow::loadRow(const Record& row)
{
    const Course c = Course::from(row);
    courseName->setText(c.name);
    street->setText(c.address1);
    town->setText(c.address2);
    county->setText(c.address3);
    telephone->setText(c.telephone);
    // Each par written moves the focus along; the stored course par comes last.
    for (int h = 0; h < 18; ++h)
        par[h]->setText(shown(c.pars[h]));
    coursePar->setText(shown(c.par));
    for (int h = 0; h < 18; ++h)
        si[h]->setText(shown(c.strokeIndexes[h]));
    tees->setRowCount(0);
    if (c.id == 0)
        return;
    const auto list = data().tees(c.id);
    if (!list) {
        app().inform(list.error());
        return;
    }
    for (const Tee& tee : *list)
        addTeeRow(tee);
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
    const QStringList texts{tee.name,
                            tee.ratedFor,
                            tee.courseRating ? QString::number(*tee.courseRating, 'f', 1)
                                             : QString(),
                            shown(tee.slopeRating),
                            shown(tee.par),
                            nineText(tee.front),
                            nineText(tee.back)};
    for (int c = 0; c < 7; ++c)
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

void CoursesWindow::addTee()
{
    Tee tee;
    tee.ratedFor = QStringLiteral("Men");
    addTeeRow(tee);
    const int row = tees->rowCount() - 1;
    tees->setCurrentCell(row, 0);
    tees->setFocus();
    tees->editItem(tees->item(row, 0));
}

void CoursesWindow::removeTee()
{
    const int row = tees->currentRow();
    if (row < 0) {
        app().inform(QStringLiteral("Choose the tee in the list first, then press Remove Tee."));
        return;
    }
    tees->removeRow(row);
}

void CoursesWindow::editTeeHoles()
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
                            textOf(tees, row, 3), textOf(tees, row, 4), textOf(tees, row, 5),
                            textOf(tees, row, 6)},
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

Result<Saved> CoursesWindow::store(registers::EditMode mode, qint64 key, const Record& values,
                                   const Record& asRead)
{
    const auto list = teeValues(values.value(QStringLiteral("coursepar")).toDouble());
    if (!list)
        return Failure{list.error() + QStringLiteral(". Correct it, then press Save.")};
    return data().saveCourse(mode, key, values, *list, asRead);
}

void CoursesWindow::clearBoxes(bool adding)
{
    if (adding)
        courseName->clear();
    else
        courseName->setText(QStringLiteral(" "));
    for (QLineEdit* b : {street, town, county, telephone})
        b->setText(QStringLiteral(" "));
    const QString value = adding ? QStringLiteral("0") : QString();
    for (QLineEdit* b : par)
        b->setText(value);
    coursePar->setText(value);
    for (QLineEdit* b : si)
        b->clear();
    tees->setRowCount(0);
}

Result<Record> CoursesWindow::rowValues()
{
    Course c;
    if (Status read = readPars(parTexts(), coursePar->text(), c); !read)
        return Failure{read.error()};
    std::array<QString, 18> indexes;
    for (int h = 0; h < 18; ++h)
        indexes[h] = si[h]->text();
    if (Status read = readStrokeIndexes(indexes, c.strokeIndexes); !read)
        return Failure{read.error()};
    c.name = courseName->text();
    c.address1 = street->text();
    c.address2 = town->text();
    c.address3 = county->text();
    c.telephone = telephone->text();
    return c.record();
}

} // namespace parlog
