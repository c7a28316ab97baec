#include "base/reportwindow.h"

#include "base/application.h"
#include "base/lateparts.h"
#include "base/windownames.h"
#include "data/rounds.h"
#include "reports/csv.h"
#include "reports/report.h"
#include "reports/reportpainter.h"
#include "reports/tabular.h"
#include "data/conversions.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QHash>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QScreen>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QShortcut>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

namespace parlog {

namespace {
constexpr double kScreenDpi = 96.0;

} // namespace

QString fileStem(const QString& words)
{
    QString stem;
    for (const QChar c : words.simplified())
        stem += c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u'\'' ? c : QChar(u'-');
    while (stem.contains(QStringLiteral("--")))
        stem.replace(QStringLiteral("--"), QStringLiteral("-"));
    while (stem.startsWith(u'-'))
        stem.remove(0, 1);
    while (stem.endsWith(u'-'))
        stem.chop(1);
    return stem.isEmpty() ? QStringLiteral("Parlog") : stem;
}

ReportWindow::ReportWindow(Application& app, const QString& name)
    : Window(app, name, report::Report(name).caption())
    , m_report(std::make_shared<const report::Report>(name))
{
    // A page's width, and as tall as a small screen leaves room for under its title bar,
    // its panel and the desktop's.
    const QRect room = QGuiApplication::primaryScreen()
                           ? QGuiApplication::primaryScreen()->availableGeometry()
                           : QRect(0, 0, 1366, 768);
    resize(qMin(900, room.width() - 40), qMin(760, room.height() - 100));
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    layout->addLayout(bar);
    const auto tool = [&](const char* name, const QString& text, const QString& tip) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        b->setAutoDefault(false);
        bar->addWidget(b);
        return b;
    };
    auto* print = tool("Print", QStringLiteral("&Print..."), QStringLiteral("Print the report"));
    auto* pdf = tool("SavePdf", QStringLiteral("Save as P&DF..."),
                     QStringLiteral("Save the report as a PDF file"));
    auto* csv = tool("SaveCsv", QStringLiteral("Save as &CSV..."),
                     QStringLiteral("Save the report's rows for a spreadsheet"));
    bar->addSpacing(16);
    m_first = tool("First", QStringLiteral("|<"), QStringLiteral("First page"));
    m_previous = tool("Previous", QStringLiteral("<"), QStringLiteral("Previous page (Page Up)"));
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("PageLabel"));
    m_pageLabel->setMinimumWidth(110);
    m_pageLabel->setAlignment(Qt::AlignCenter);
    bar->addWidget(m_pageLabel);
    m_next = tool("Next", QStringLiteral(">"), QStringLiteral("Next page (Page Down)"));
    m_last = tool("Last", QStringLiteral(">|"), QStringLiteral("Last page"));
    for (QPushButton* b : {m_first, m_previous, m_next, m_last})
        b->setMaximumWidth(36);
    bar->addSpacing(16);
    auto* zoomLabel = new QLabel(QStringLiteral("Zoom"), this);
    bar->addWidget(zoomLabel);
    m_zoomBox = new QComboBox(this);
    m_zoomBox->setObjectName(QStringLiteral("Zoom"));
    for (int percent : {50, 75, 100, 125, 150, 200})
        m_zoomBox->addItem(QStringLiteral("%1%").arg(percent), percent / 100.0);
    m_zoomBox->setCurrentIndex(2);
    bar->addWidget(m_zoomBox);
    bar->addStretch();
    auto* close = tool("Close", QStringLiteral("Close"), QStringLiteral("Close the report"));

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("Pages"));
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_sheet = new QLabel;
    m_sheet->setObjectName(QStringLiteral("Sheet"));
    m_scroll->setWidget(m_sheet);
    layout->addWidget(m_scroll, 1);

    connect(print, &QPushButton::clicked, this, &ReportWindow::print);
    connect(pdf, &QPushButton::clicked, this, &ReportWindow::saveAs);
    connect(csv, &QPushButton::clicked, this, &ReportWindow::saveAsCsv);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_first, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(m_previous, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(m_last, &QPushButton::clicked, this, [this] { showPage(pageCount() - 1); });
    connect(m_zoomBox, &QComboBox::currentIndexChanged, this,
            [this](int i) { setZoom(m_zoomBox->itemData(i).toDouble()); });

    // Keys work wherever the focus is, the scrolled page included.
    const auto key = [this](const QKeySequence& sequence, const std::function<void()>& action) {
        auto* shortcut = new QShortcut(sequence, this);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    key(QKeySequence(Qt::Key_PageDown), [this] { showPage(m_page + 1); });
    key(QKeySequence(Qt::Key_PageUp), [this] { showPage(m_page - 1); });
    for (const QKeySequence& first :
         {QKeySequence(Qt::Key_Home), QKeySequence(Qt::CTRL | Qt::Key_Home)})
        key(first, [this] { showPage(0); });
    for (const QKeySequence& last :
         {QKeySequence(Qt::Key_End), QKeySequence(Qt::CTRL | Qt::Key_End)})
        key(last, [this] { showPage(pageCount() - 1); });
    key(QKeySequence::Print, [this] { this->print(); });
    key(QKeySequence::Save, [this] { saveAs(); });
    key(QKeySequence::ZoomIn, [this] {
        m_zoomBox->setCurrentIndex(qMin(m_zoomBox->currentIndex() + 1, m_zoomBox->count() - 1));
    });
    key(QKeySequence::ZoomOut,
        [this] { m_zoomBox->setCurrentIndex(qMax(m_zoomBox->currentIndex() - 1, 0)); });
}

void ReportWindow::load()
{
    contextChanged();
}

void ReportWindow::contextChanged()
{
    if (const auto* given = context<std::shared_ptr<const report::Report>>(); given && *given)
        m_report = *given;
    reload();
}

void ReportWindow::reload()
{
    report::DataSource source = m_report->dataSource();
    if (source.failed())
        source = {};
    const report::Layout layout = m_report->layout();
    setWindowTitle(layout.caption.trimmed().isEmpty() ? layout.name : layout.caption);
    // Rows fetched as they are read are counted after the first page is on screen,
    // a slice at a time, so that the window never waits for the whole register.
    const bool countLater = source.lazy();
    m_paginator = std::make_unique<report::Paginator>(layout, std::move(source), app().today());
    m_page = 0;
    m_counting = countLater;
    render();
    if (countLater)
        QTimer::singleShot(0, this, &ReportWindow::countSomePages);
}

void ReportWindow::countSomePages()
{
    if (!m_paginator || !m_counting)
        return;
    QElapsedTimer slice;
    slice.start();
    while (slice.elapsed() < 25)
        if (!m_paginator->planAhead()) {
            m_counting = false;
            render();
            return;
        }
    if (broken())
        return;
    QTimer::singleShot(0, this, &ReportWindow::countSomePages);
}

int ReportWindow::pageCount()
{
    if (!m_paginator)
        return 0;
    if (m_counting) {
        // Asked for the whole count at once (Last, End, Print): count with progress.
        const auto progress = app().progress(QStringLiteral("Counting the pages\u2026"));
        while (m_paginator->planAhead())
            if (!progress->carryOn(m_paginator->pagesPlanned(), 0))
                return m_paginator->pagesPlanned();
        m_counting = false;
        if (broken())
            return 0;
    }
    return m_paginator->pageCount();
}

void ReportWindow::showPage(int index)
{
    if (!m_paginator)
        return;
    // Forward while still counting plans only as far as the page asked for.
    while (m_counting && index >= m_paginator->pagesPlanned() && m_paginator->planAhead()) {
    }
    index = qBound(0, index, (m_counting ? m_paginator->pagesPlanned() : pageCount()) - 1);
    if (index == m_page)
        return;
    m_page = index;
    render();
}

void ReportWindow::setZoom(double zoom)
{
    m_zoom = qBound(0.25, zoom, 4.0);
    render();
}

bool ReportWindow::broken()
{
    if (!m_paginator || m_paginator->readError().isEmpty())
        return false;
    // Pages with rows missing would pass for the whole report: none is shown.
    const QString why = m_paginator->readError();
    m_paginator.reset();
    m_counting = false;
    m_sheet->clear();
    app().inform(why);
    close();
    return true;
}

void ReportWindow::render()
{
    if (!m_paginator)
        return;
    const report::Page& page = m_paginator->page(m_page);
    if (broken())
        return;
    m_sheet->setPixmap(
        QPixmap::fromImage(report::pageImage(page, kScreenDpi * m_zoom, m_paginator->setup())));
    m_sheet->adjustSize();
    if (m_counting) {
        // Still counting: the next page may be there, and Last waits for the count.
        const bool more = m_paginator->pagesPlanned() > m_page + 1 || !m_paginator->planComplete();
        m_pageLabel->setText(QStringLiteral("Page %1 of \u2026").arg(m_page + 1));
        m_next->setEnabled(more);
        m_last->setEnabled(false);
    } else {
        const int count = pageCount();
        m_pageLabel->setText(QStringLiteral("Page %1 of %2").arg(m_page + 1).arg(count));
        m_next->setEnabled(m_page + 1 < count);
        m_last->setEnabled(m_page + 1 < count);
    }
    m_first->setEnabled(m_page > 0);
    m_previous->setEnabled(m_page > 0);
}

void ReportWindow::keyPressEvent(QKeyEvent* event)
{
    // The same keys as the shortcuts, for when the window is not the active one.
    switch (event->key()) {
    case Qt::Key_PageDown:
        showPage(m_page + 1);
        return;
    case Qt::Key_PageUp:
        showPage(m_page - 1);
        return;
    case Qt::Key_Home:
        showPage(0);
        return;
    case Qt::Key_End:
        showPage(pageCount() - 1);
        return;
    default:
        break;
    }
    Window::keyPressEvent(event);
}

bool ReportWindow::savePdf(const QString& path)
{
    if (!m_paginator)
        return false;
    const auto progress = app().progress(QStringLiteral("Saving the report as PDF\u2026"));
    if (Status written = report::writePdf(
            *m_paginator, {path, app().dataFile(), m_report->layout().contactDetails},
            progress.get());
        !written) {
        app().inform(written.error());
        return false;
    }
    return true;
}

QString ReportWindow::suggestedName() const
{
    // What the pages hold: the report, whose rounds, and the day it was made.
    QStringList words{windowTitle()};
    if (const QString player = m_report->parameter(QStringLiteral("player")); !player.isEmpty())
        words << player;
    words << app().today().toString(Qt::ISODate);
    return words.join(u' ');
}

void ReportWindow::saveAs()
{
    const QString path = askSavePath(this, SaveKind::Pdf, suggestedName());
    if (!path.isEmpty())
        savePdf(path);
}

bool ReportWindow::saveCsv(const QString& path)
{
    report::DataSource source = m_report->dataSource();
    if (source.unreadable()) {
        app().inform(source.status().error());
        return false;
    }
    if (source.failed())
        source = {};
    const auto columns = report::fieldColumns(m_report->layout(), source.grouped());
    const auto progress = app().progress(QStringLiteral("Saving the rows as CSV\u2026"));
    if (Status written = report::writeCsv(
            source, columns, {path, app().dataFile(), m_report->layout().contactDetails},
            progress.get(), report::fieldCaptions(m_report->layout(), columns),
            rounds::groupCaption(source.columns().value(0)));
        !written) {
        app().inform(written.error());
        return false;
    }
    return true;
}

void ReportWindow::saveAsCsv()
{
    const QString path = askSavePath(this, SaveKind::Csv, suggestedName());
    if (!path.isEmpty())
        saveCsv(path);
}

void ReportWindow::print()
{
    if (!m_paginator)
        return;
    QString why;
    if (const LateParts* parts = lateParts(&why))
        parts->print(*this);
    else
        app().inform(QStringLiteral("The report cannot be printed: %1 Installing Parlog again "
                                    "puts the file back; Save as PDF works without it.")
                         .arg(why));
}

QWidget* showReport(Application& app, report::Report report, ShowMode mode)
{
    const report::DataSource& source = report.dataSource();
    if (source.unreadable()) {
        app.inform(source.status().error());
        return nullptr;
    }
    // DataReport_Error: only the grouped compact list answers it.
    if (source.failed() && report.name() == windows::kGroupedCompactList) {
        app.inform(QStringLiteral("Please try a different search criteria"));
        return nullptr;
    }
    const QString name = report.name();
    QWidget* window = app.show(name, std::make_shared<const report::Report>(std::move(report)));
    if (window && mode == ShowMode::Modal)
        app.runModal(window);
    return window;
}

QString askSavePath(QWidget* parent, SaveKind kind, const QString& stem)
{
    const QString type = kind == SaveKind::Pdf   ? QStringLiteral("PDF")
                         : kind == SaveKind::Csv ? QStringLiteral("CSV")
                                                 : QStringLiteral("Web page");
    const QString suffix = kind == SaveKind::Pdf   ? QStringLiteral(".pdf")
                           : kind == SaveKind::Csv ? QStringLiteral(".csv")
                                                   : QStringLiteral(".html");
    // The folder saved into last, for the next file of the run and the next run.
    QSettings settings;
    const QString key = QStringLiteral("files/saveFolder");
    QString folder = settings.value(key).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("Save as ") + type, QDir(folder).filePath(fileStem(stem) + suffix),
        QStringLiteral("%1 files (*%2)").arg(type, suffix));
    if (!path.isEmpty())
        settings.setValue(key, QFileInfo(path).absolutePath());
    return path;
}

bool saveReport(Application& app, const report::Report& r, SaveKind kind, const QString& path,
                const QStringList& csvColumns)
{
    if (r.dataSource().unreadable()) {
        app.inform(r.dataSource().status().error());
        return false;
    }
    Status written;
    const OutputFile target{path, app.dataFile(), r.layout().contactDetails};
    if (kind == SaveKind::Pdf) {
        report::Paginator pages(r.layout(), r.dataSource(), app.today());
        written = report::writePdf(pages, target);
    } else if (kind == SaveKind::Html) {
        written = report::writeHtml(societyName(app.dataFile()),
                                    formatDate(app.today(), DateFormat::Long),
                                    {report::tableOf(r, app.today())}, target);
        if (written && !app.launcher().open(path))
            app.inform(QStringLiteral("The page is saved as %1; no browser could be opened to "
                                      "show it.")
                           .arg(QDir::toNativeSeparators(path)));
    } else {
        written = report::writeCsv(r.dataSource(), csvColumns, target, nullptr,
                                   report::fieldCaptions(r.layout(), csvColumns));
    }
    if (!written)
        app.inform(written.error());
    return written.ok();
}

void connectReportButtons(QWidget* window, Application& app, std::function<QString()> stem,
                          QPushButton* print, QPushButton* pdf, QPushButton* csv,
                          std::function<report::Report()> make, const QStringList& csvColumns)
{
    connectReportButtons(window, app, std::move(stem), print, pdf, csv, std::move(make),
                         std::function<QStringList()>([csvColumns] { return csvColumns; }));
}

void connectReportButtons(QWidget* window, Application& app, std::function<QString()> stem,
                          QPushButton* print, QPushButton* pdf, QPushButton* csv,
                          std::function<report::Report()> make,
                          std::function<QStringList()> csvColumns,
                          std::function<report::Report()> makeForCsv)
{
    // The viewer prints, saves as PDF and as CSV, with the pages to look at first.
    QObject::connect(print, &QPushButton::clicked, window,
                     [&app, make] { showReport(app, make()); });
    for (const auto& [button, kind] :
         {std::pair{pdf, SaveKind::Pdf}, std::pair{csv, SaveKind::Csv}})
        QObject::connect(button, &QPushButton::clicked, window,
                         [window, &app, stem, make, csvColumns, makeForCsv, kind = kind] {
                             const QString path = askSavePath(window, kind, stem());
                             if (path.isEmpty())
                                 return;
                             saveReport(app,
                                        kind == SaveKind::Csv && makeForCsv ? makeForCsv() : make(),
                                        kind, path, csvColumns());
                         });
}

QString societyName(const QString& registerLocation)
{
    const QString given = QSettings().value(QStringLiteral("publish/society")).toString();
    if (!given.trimmed().isEmpty())
        return given.trimmed();
    const QString name = QFileInfo(registerLocation).completeBaseName();
    return name.isEmpty() ? QStringLiteral("Parlog") : name;
}

QString askWebPagePath(QWidget* parent, const Application& app, const QString& stem)
{
    // The name on top of the page, as it was given last: Enter keeps it.
    bool given = false;
    const QString name =
        QInputDialog::getText(parent, QStringLiteral("Web page"),
                              QStringLiteral("The society's name, on top of the page:"),
                              QLineEdit::Normal, societyName(app.dataFile()), &given);
    if (!given)
        return QString();
    if (!name.trimmed().isEmpty())
        QSettings().setValue(QStringLiteral("publish/society"), name.trimmed());
    return askSavePath(parent, SaveKind::Html, stem);
}

void connectPublishButtons(QWidget* window, Application& app, std::function<QString()> stem,
                           QPushButton* copy, QPushButton* web,
                           std::function<report::Report()> make)
{
    if (copy)
        QObject::connect(copy, &QPushButton::clicked, window, [copy, &app, make] {
            const report::Report r = make();
            QGuiApplication::clipboard()->setText(
                report::plainText(report::tableOf(r, app.today())));
            QToolTip::showText(copy->mapToGlobal(QPoint(0, copy->height())),
                               QStringLiteral("Copied as text: paste it into your message, in a "
                                              "fixed-width font."),
                               copy);
        });
    if (web)
        QObject::connect(web, &QPushButton::clicked, window, [window, &app, stem, make] {
            const QString path = askWebPagePath(window, app, stem());
            if (!path.isEmpty())
                saveReport(app, make(), SaveKind::Html, path);
        });
}

} // namespace parlog
