#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace parlog {

class Application;
class ReportWindow;

// The chart windows and the print dialog, built apart from the program: Qt Charts and Qt
// Print Support add about a tenth to every start, so the program loads them the first time
// a chart window opens or a report is printed.
struct LateParts {
    // A chart window by its name ("graph", "putts", "season", "handicapRecord").
    QWidget* (*window)(Application& app, const QString& name);
    // The print dialog for the report on screen, and the printing.
    void (*print)(ReportWindow& report);
};

// The file they are built into, beside the program or in its library folder.
inline constexpr char kLatePartsFile[] = "parlog-charts-printing.so";

// The parts: linked into this program (the tests and tools), or loaded from the first of
// FOLDERS that holds the file, or nullptr with WHY saying what was tried.
const LateParts* lateParts(QString* why = nullptr);
const LateParts* lateParts(const QStringList& folders, QString* why);

// Where the program looks: beside itself, then where the package installs them.
QStringList latePartsFolders();

// Opens the chart window NAME, or says why it cannot be opened.
QWidget* lateWindow(Application& app, const QString& name);

} // namespace parlog
