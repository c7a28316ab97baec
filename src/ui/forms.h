#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace parlog::forms {

// Controls placed the way the windows are drawn: at fixed positions, each carrying
// its name as objectName.
QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& where);
QLineEdit* box(QWidget* parent, const QString& name, const QRect& where);
QPushButton* button(QWidget* parent, const QString& name, const QString& text, const QRect& where);
QComboBox* picker(QWidget* parent, const QString& name, const QRect& where);
QCheckBox* tick(QWidget* parent, const QString& name, const QRect& where);
QFrame* frame(QWidget* parent, const QString& name, const QRect& where);
QFrame* rule(QWidget* parent, const QString& name, const QRect& where);

// Makes Tab walk the widgets in this order.
void focusOrder(const QList<QWidget*>& widgets);

// Makes a label bold, and larger by the given points.
void embolden(QLabel* label, qreal extraPoints = 0);

} // namespace parlog::forms
