#include "masterdata/teeholeswindow.h"

#include "base/application.h"
#include "base/windowcontexts.h"
#include "base/windownames.h"
#include "data/conversions.h"
#include "masterdata/coursepar.h"
#include "ui/forms.h"
#include "ui/inputhelpers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace parlog {

using namespace forms;

TeeHolesWindow::TeeHolesWindow(Application& app)
    : Window(app, windows::kTeeHoles, QStringLiteral("Holes of the Tee"))
{
    setFixedSize(560, 250);
    label(this, QStringLiteral("tee"), QString(), {12, 10, 536, 22});
    label(this, QStringLiteral("hint"),
          QStringLiteral("Leave a box empty where the course's par or stroke index stands."),
          {12, 32, 536, 22});
    QList<QWidget*> order;
    for (int row = 0; row < 2; ++row) {
        const int y = 66 + row * 76;
        auto* caption = label(this, QStringLiteral("holes%1").arg(row + 1),
                              row == 0 ? QStringLiteral("Holes 1-9") : QStringLiteral("Holes 10-18"),
                              {12, y, 100, 20});
        embolden(caption);
        label(this, QStringLiteral("parCaption%1").arg(row + 1), QStringLiteral("Par"),
              {12, y + 22, 40, 22});
        label(this, QStringLiteral("siCaption%1").arg(row + 1), QStringLiteral("SI"),
              {12, y + 48, 40, 22});
        for (int k = 0; k < 9; ++k) {
            const int h = row * 9 + k;
            const int x = 56 + k * 54;
            auto* n = label(this, QStringLiteral("hole%1").arg(h + 1), QString::number(h + 1),
                            {x, y, 44, 20});
            n->setAlignment(Qt::AlignCenter);
            par[h] = box(this, QStringLiteral("par%1").arg(h + 1), {x, y + 22, 44, 22});
            si[h] = box(this, QStringLiteral("SI%1").arg(h + 1), {x, y + 48, 44, 22});
            for (QLineEdit* b : {par[h], si[h]}) {
                b->setAlignment(Qt::AlignCenter);
                selectAllOnFocus(b);
            }
        }
    }
    for (QLineEdit* b : par)
        order << b;
    for (QLineEdit* b : si)
        order << b;
    auto* ok = button(this, QStringLiteral("ok"), QStringLiteral("OK"), {356, 212, 92, 28});
    auto* cancel =
        button(this, QStringLiteral("cancel"), QStringLiteral("Cancel"), {456, 212, 92, 28});
    connect(ok, &QPushButton::clicked, this, &TeeHolesWindow::ok_Click);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    order << ok << cancel;
    focusOrder(order);
    setDefaultButton(ok);
}

void TeeHolesWindow::form_load()
{
    if (const auto* given = context<TeeHolesContext>()) {
        findChild<QLabel*>(QStringLiteral("tee"))
            ->setText(QStringLiteral("The holes of the tee %1").arg(given->tee));
        for (int h = 0; h < 18; ++h) {
            par[h]->setText(given->pars[h]);
            si[h]->setText(given->strokeIndexes[h]);
        }
    }
    par[0]->setFocus();
}

void TeeHolesWindow::ok_Click()
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
