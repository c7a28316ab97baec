#pragma once

#include "ui/forms.h"

#include <QChart>
#include <QWidget>

namespace parlog {

// A chart drawn in the desktop's light or dark, before its series are added.
inline void followTheme(const QWidget* window, QChart* chart)
{
    chart->setTheme(forms::darkTheme(window) ? QChart::ChartThemeDark : QChart::ChartThemeLight);
}

} // namespace parlog
