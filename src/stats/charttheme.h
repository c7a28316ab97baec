#pragma once

#include "ui/forms.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsScene>
#include <QPainter>
#include <QSvgGenerator>
#include <QWidget>

namespace parlog {

// A chart drawn in the desktop's light or dark, before its series are added.
inline void followTheme(const QWidget* window, QChart* chart)
{
    chart->setTheme(forms::darkTheme(window) ? QChart::ChartThemeDark : QChart::ChartThemeLight);
}

// The chart as the view shows it, drawn again as a picture at PATH for a printed page;
// gives PATH.
inline QString chartPicture(QChartView* view, const QString& path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(view->size());
    svg.setViewBox(QRect(QPoint(0, 0), view->size()));
    QPainter painter(&svg);
    view->chart()->scene()->render(&painter, QRectF(QPointF(0, 0), view->size()),
                                   view->chart()->sceneBoundingRect());
    return path;
}

} // namespace parlog
