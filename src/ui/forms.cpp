#include "ui/forms.h"

#include "ui/inputhelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QBoxLayout>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace parlog::forms {

namespace {
template <typename T> T* named(T* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}
} // namespace

QLabel* label(QWidget* parent, const QString& name, const QString& text)
{
    auto* l = named(new QLabel(text, parent), name);
    // Labels may show names as stored or typed: never read them as markup.
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLineEdit* box(QWidget* parent, const QString& name, int characters)
{
    auto* b = named(new QLineEdit(parent), name);
    if (characters > 0)
        fitCharacters(b, characters);
    return b;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& text)
{
    auto* b = named(new QPushButton(text, parent), name);
    b->setAutoDefault(false);
    return b;
}

QComboBox* picker(QWidget* parent, const QString& name)
{
    auto* combo = named(new QComboBox(parent), name);
    preparePicker(combo);
    return combo;
}

QCheckBox* tick(QWidget* parent, const QString& name, const QString& text)
{
    return named(new QCheckBox(text, parent), name);
}

QFrame* rule(QWidget* parent, const QString& name)
{
    auto* f = named(new QFrame(parent), name);
    f->setFrameShape(QFrame::HLine);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

QTableView* lines(QWidget* parent, const QString& name, QAbstractItemModel* model)
{
    auto* view = named(new QTableView(parent), name);
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->hide();
    view->setWordWrap(false);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 8);
    return view;
}

void fitCharacters(QWidget* widget, int characters)
{
    // The digits and the box's own margins and frame.
    const int text = widget->fontMetrics().horizontalAdvance(QString(characters, u'0'));
    widget->setFixedWidth(text + widget->fontMetrics().averageCharWidth() * 2 + 12);
}

QHBoxLayout* row(const QList<QWidget*>& widgets, bool left)
{
    auto* layout = new QHBoxLayout;
    if (!left)
        layout->addStretch(1);
    for (QWidget* w : widgets)
        layout->addWidget(w);
    if (left)
        layout->addStretch(1);
    return layout;
}

QHBoxLayout* line(const QList<QWidget*>& widgets)
{
    return row(widgets, true);
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
