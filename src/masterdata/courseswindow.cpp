#include "masterdata/courseswindow.h"

#include "base/application.h"
#include "base/windownames.h"
#include "data/conversions.h"
#include "data/records.h"
#include "masterdata/coursepar.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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
    setFixedSize(620, 470);
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
    }
    auto* total =
        label(this, QStringLiteral("Label8"), QStringLiteral("Course Par"), {416, 432, 90, 24});
    total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    embolden(total);
    Text56 = box(this, QStringLiteral("Text56"), {512, 432, 50, 24});
    Text56->setAlignment(Qt::AlignCenter);

    // The boxes in reading order, the par of every hole before the buttons.
    QList<QWidget*> order{Combo1, CourseName, CourseAdd1, CourseAdd2, CourseAdd3, CourseTel};
    for (QLineEdit* b : par)
        order << b;
    order << Text56 << Command11 << Command13 << Command1 << Command28 << Command12 << Command10;
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
}

Result<Record> CoursesWindow::rowValues()
{
    Course c;
    if (Status read = readPars(parTexts(), Text56->text(), c); !read)
        return Failure{read.error()};
    c.name = CourseName->text();
    c.address1 = CourseAdd1->text();
    c.address2 = CourseAdd2->text();
    c.address3 = CourseAdd3->text();
    c.telephone = CourseTel->text();
    return c.record();
}

} // namespace parlog
