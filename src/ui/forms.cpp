#include "ui/forms.h"

#include "ui/inputhelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace parlog::forms {

namespace {
template <typename T> T* place(T* widget, const QString& name, const QRect& where)
{
    widget->setObjectName(name);
    widget->setGeometry(where);
    return widget;
}
} // namespace

QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& where)
{
    auto* l = place(new QLabel(text, parent), name, where);
    // Labels may show names as stored or typed: never read them as markup.
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLineEdit* box(QWidget* parent, const QString& name, const QRect& where)
{
    return place(new QLineEdit(parent), name, where);
}

QPushButton* button(QWidget* parent, const QString& name, const QString& text, const QRect& where)
{
    auto* b = place(new QPushButton(text, parent), name, where);
    b->setAutoDefault(false);
    return b;
}

QComboBox* picker(QWidget* parent, const QString& name, const QRect& where)
{
    auto* combo = place(new QComboBox(parent), name, where);
    preparePicker(combo);
    return combo;
}

QTableView* lines(QWidget* parent, const QString& name, const QRect& where,
                  QAbstractItemModel* model)
{
    auto* view = place(new QTableView(parent), name, where);
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->hide();
    view->setWordWrap(false);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 8);
    return view;
}

QCheckBox* tick(QWidget* parent, const QString& name, const QRect& where)
{
    return place(new QCheckBox(parent), name, where);
}

QFrame* frame(QWidget* parent, const QString& name, const QRect& where)
{
    auto* f = place(new QFrame(parent), name, where);
    f->setFrameShape(QFrame::Box);
    f->setFrameShadow(QFrame::Plain);
    f->lower();
    return f;
}

QFrame* rule(QWidget* parent, const QString& name, const QRect& where)
{
    auto* f = place(new QFrame(parent), name, where);
    f->setFrameShape(where.width() >= where.height() ? QFrame::HLine : QFrame::VLine);
    f->setFrameShadow(QFrame::Plain);
    return f;
}

void focusOrder(const QList<QWidget*>& widgets)
{
    for (qsizetype i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

bool darkTheme(const QWidget* widget)
{
    return widget->palette().color(QPalette::Window).lightness() < 128;
}

QColor readable(const QWidget* widget, const QColor& colour)
{
    return darkTheme(widget) ? colour.lighter(190) : colour;
}

void embolden(QLabel* label, qreal extraPoints)
{
    QFont font = label->font();
    font.setBold(true);
    if (extraPoints != 0)
        font.setPointSizeF(font.pointSizeF() + extraPoints);
    label->setFont(font);
}

} // namespace parlog::forms
