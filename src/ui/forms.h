#pragma once

#include <QColor>
#include <QList>
#include <QString>

class QCheckBox;
class QComboBox;
class QFrame;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

class QAbstractItemModel;
class QTableView;

namespace parlog::forms {

// Controls for windows built with layouts: each carries its name as objectName, and
// takes the room its text needs in the font in use.
QLabel* label(QWidget* parent, const QString& name, const QString& text);
// A box; given CHARACTERS, as wide as that many digits of the font in use (a par, a
// date), else as wide as its layout makes it.
QLineEdit* box(QWidget* parent, const QString& name, int characters = 0);
QPushButton* button(QWidget* parent, const QString& name, const QString& text);
QComboBox* picker(QWidget* parent, const QString& name);
QCheckBox* tick(QWidget* parent, const QString& name, const QString& text = {});
QFrame* rule(QWidget* parent, const QString& name);
QTableView* lines(QWidget* parent, const QString& name, QAbstractItemModel* model);
// A control as wide as that many digits of the font in use, and no wider.
void fitCharacters(QWidget* widget, int characters);
// A row of controls, to the right unless LEFT, for a window's buttons.
QHBoxLayout* row(const QList<QWidget*>& widgets, bool left = false);
// Controls side by side from the left, the room after them left empty.
QHBoxLayout* line(const QList<QWidget*>& widgets);

// Makes Tab walk the widgets in this order.
void focusOrder(const QList<QWidget*>& widgets);

// Makes a label bold, and larger by the given points.
void embolden(QLabel* label, qreal extraPoints = 0);
// Whether the desktop's theme is dark: a colour of the program's own is then the light
// shade of itself, so that it stays readable.
bool darkTheme(const QWidget* widget);
// The colour as it reads on the widget's background: the colour itself on a light
// theme, a lighter shade of it on a dark one.
QColor readable(const QWidget* widget, const QColor& colour);

} // namespace parlog::forms
