#include "masterdata/teeholeswindow.h"

#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "data/conversions.h"
#include "masterdata/coursepar.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace parlog {

using namespace forms;

TeeHolesWindow::TeeHolesWindow(Application& app)
    : Window(app, windows::kTeeHoles, QStringLiteral("Holes of the Tee"))
{
    teeName = label(this, QStringLiteral("tee"), QString());
    auto* hint =
        label(this, QStringLiteral("hint"),
              QStringLiteral("Leave a box empty where the course's par or stroke index stands."));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(teeName);
    layout->addWidget(hint);
    // Two nines, each a row of hole numbers over a row of pars and one of indexes.
    auto* grid = new QGridLayout;
    for (int nine = 0; nine < 2; ++nine) {
        const int top = nine * 4;
        auto* caption =
            label(this, QStringLiteral("holes%1").arg(nine + 1),
                  nine == 0 ? QStringLiteral("Holes 1-9") : QStringLiteral("Holes 10-18"));
        embolden(caption);
        grid->addWidget(caption, top, 0, 1, 4);
        grid->addWidget(
            label(this, QStringLiteral("parCaption%1").arg(nine + 1), QStringLiteral("Par")),
            top + 2, 0);
        grid->addWidget(
            label(this, QStringLiteral("siCaption%1").arg(nine + 1), QStringLiteral("SI")), top + 3,
            0);
        for (int k = 0; k < 9; ++k) {
            const int h = nine * 9 + k;
            auto* n = label(this, QStringLiteral("hole%1").arg(h + 1), QString::number(h + 1));
            n->setAlignment(Qt::AlignCenter);
            par[h] = box(this, QStringLiteral("par%1").arg(h + 1), 3);
            si[h] = box(this, QStringLiteral("SI%1").arg(h + 1), 3);
            for (QLineEdit* b : {par[h], si[h]}) {
                b->setAlignment(Qt::AlignCenter);
                selectAllOnFocus(b);
            }
            grid->addWidget(n, top + 1, k + 1);
            grid->addWidget(par[h], top + 2, k + 1);
            grid->addWidget(si[h], top + 3, k + 1);
        }
    }
    layout->addLayout(grid);
    auto* ok = button(this, QStringLiteral("ok"), QStringLiteral("OK"));
    auto* cancel = button(this, QStringLiteral("cancel"), QStringLiteral("Cancel"));
    layout->addLayout(row({ok, cancel}));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(ok, &QPushButton::clicked, this, &TeeHolesWindow::accept);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    QList<QWidget*> order;
    for (QLineEdit* b : par)
        order << b;
    for (QLineEdit* b : si)
        order << b;
    order << ok << cancel;
    focusOrder(order);
    setDefaultButton(ok);
}

void TeeHolesWindow::load()
{
    if (const auto* given = context<TeeHolesContext>()) {
        teeName->setText(QStringLiteral("The holes of the tee %1").arg(given->tee));
        for (int h = 0; h < 18; ++h) {
            par[h]->setText(given->pars[h]);
            si[h]->setText(given->strokeIndexes[h]);
        }
    }
    par[0]->setFocus();
}

void TeeHolesWindow::accept()
{
    std::array<QString, 18> pars;
    std::array<QString, 18> indexes;
    for (int h = 0; h < 18; ++h) {
        pars[h] = par[h]->text().trimmed();
        indexes[h] = si[h]->text().trimmed();
    }
    std::array<std::optional<int>, 18> read;
    if (Status sound = readStrokeIndexes(indexes, read); !sound) {
        app().inform(QStringLiteral("The holes were not changed: %1.").arg(sound.error()));
        return;
    }
    for (int h = 0; h < 18; ++h)
        if (!pars[h].isEmpty() && !toNumber(pars[h])) {
            app().inform(QStringLiteral("The holes were not changed: the par of hole %1 is "
                                        "\"%2\", which is not a number.")
                             .arg(h + 1)
                             .arg(pars[h]));
            par[h]->setFocus();
            return;
        }
    if (const auto* given = context<TeeHolesContext>(); given && given->done)
        given->done(pars, indexes);
    close();
}

} // namespace parlog
