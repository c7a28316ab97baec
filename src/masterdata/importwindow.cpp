#include "masterdata/importwindow.h"

#include "base/application.h"
#include "base/windownames.h"
#include "data/connection.h"
#include "base/reportwindow.h"
#include "masterdata/masterdata.h"
#include "ui/forms.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTableView>
#include <QTableWidget>

namespace parlog {

using namespace forms;

namespace {

const QString kNone = QStringLiteral("(not in the file)");

} // namespace

ImportWindow::ImportWindow(Application& app)
    : Window(app, windows::kImport, QStringLiteral("Import"))
{
    auto* fileLabel = label(this, QStringLiteral("LabelFile"), QStringLiteral("File"));
    file = box(this, QStringLiteral("file"));
    file->setReadOnly(true);
    auto* choose = button(this, QStringLiteral("chooseFile"), QStringLiteral("&Choose..."));
    QLabel* kindLabel = label(this, QStringLiteral("LabelKind"), QStringLiteral("It &holds"));
    kind = picker(this, QStringLiteral("kind"));
    kind->setEditable(false);
    kind->addItem(QStringLiteral("Players"), int(importing::Kind::Players));
    kind->addItem(QStringLiteral("Courses"), int(importing::Kind::Courses));
    kind->addItem(QStringLiteral("Rounds"), int(importing::Kind::Rounds));
    QLabel* separatorLabel =
        label(this, QStringLiteral("LabelSeparator"), QStringLiteral("&Separator"));
    separator = picker(this, QStringLiteral("separator"));
    separator->setEditable(false);
    separator->addItem(QStringLiteral("Comma"), QStringLiteral(","));
    separator->addItem(QStringLiteral("Semicolon"), QStringLiteral(";"));
    separator->addItem(QStringLiteral("Tab"), QStringLiteral("\t"));
    QLabel* encodingLabel =
        label(this, QStringLiteral("LabelEncoding"), QStringLiteral("E&ncoding"));
    encoding = picker(this, QStringLiteral("encoding"));
    encoding->setEditable(false);
    encoding->addItems({QStringLiteral("UTF-8"), QStringLiteral("Windows-1252")});
    QLabel* datesLabel = label(this, QStringLiteral("LabelDates"), QStringLiteral("&Dates"));
    dates = picker(this, QStringLiteral("dates"));
    dates->setEditable(false);
    dates->addItem(QStringLiteral("As the file's dates show"), -1);
    dates->addItem(QStringLiteral("Day first: 5/3/24 is 5 March"), int(csv::DateOrder::DayFirst));
    dates->addItem(QStringLiteral("Month first: 5/3/24 is May 3"), int(csv::DateOrder::MonthFirst));

    QLabel* columnsLabel = label(this, QStringLiteral("LabelColumns"), QStringLiteral("Colu&mns"));
    columns = new QTableWidget(0, 2, this);
    columns->setObjectName(QStringLiteral("columns"));
    columns->setHorizontalHeaderLabels({QStringLiteral("Register"), QStringLiteral("File column")});
    columns->verticalHeader()->hide();
    columns->setColumnWidth(0, 120);
    columns->horizontalHeader()->setStretchLastSection(true);
    columns->setEditTriggers(QAbstractItemView::NoEditTriggers);

    QLabel* rowsLabel =
        label(this, QStringLiteral("LabelRows"), QStringLiteral("What each row &becomes"));
    m_model = new QStandardItemModel(this);
    rows = lines(this, QStringLiteral("rows"), m_model);

    allOrNothing = tick(this, QStringLiteral("allOrNothing"));
    QLabel* allOrNothingLabel =
        label(this, QStringLiteral("LabelAllOrNothing"),
              QStringLiteral("Import nothing &while any row cannot be imported"));
    status = label(this, QStringLiteral("status"), QString());
    status->setWordWrap(true);
    importButton = button(this, QStringLiteral("importButton"), QStringLiteral("&Import"));
    saveRejected =
        button(this, QStringLiteral("saveRejected"), QStringLiteral("Sa&ve rows not imported..."));
    auto* close = button(this, QStringLiteral("close"), QStringLiteral("Close"));

    // The file and how it is read along the top; its columns and its rows side by side,
    // the rows taking what the window grows by.
    auto* layout = new QVBoxLayout(this);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileLabel);
    fileRow->addWidget(file, 1);
    fileRow->addWidget(choose);
    fileRow->addSpacing(12);
    fileRow->addWidget(kindLabel);
    fileRow->addWidget(kind);
    layout->addLayout(fileRow);
    auto* readRow = new QHBoxLayout;
    for (auto [caption, control] : {std::pair<QWidget*, QWidget*>{separatorLabel, separator},
                                    {encodingLabel, encoding},
                                    {datesLabel, dates}}) {
        readRow->addWidget(caption);
        readRow->addWidget(control);
        readRow->addSpacing(12);
    }
    readRow->addStretch(1);
    layout->addLayout(readRow);
    auto* tables = new QGridLayout;
    tables->addWidget(columnsLabel, 0, 0);
    tables->addWidget(columns, 1, 0);
    tables->addWidget(rowsLabel, 0, 1);
    tables->addWidget(rows, 1, 1);
    tables->setColumnStretch(1, 1);
    columns->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    layout->addLayout(tables, 1);
    auto* tickRow = new QHBoxLayout;
    tickRow->addWidget(allOrNothing);
    tickRow->addWidget(allOrNothingLabel, 1);
    layout->addLayout(tickRow);
    layout->addWidget(status);
    layout->addLayout(row({importButton, saveRejected, close}));
    resize(fontMetrics().averageCharWidth() * 130, fontMetrics().height() * 36);
    importButton->setEnabled(false);
    saveRejected->setEnabled(false);
    // Each label's key takes the keyboard to what it names.
    kindLabel->setBuddy(kind);
    separatorLabel->setBuddy(separator);
    encodingLabel->setBuddy(encoding);
    datesLabel->setBuddy(dates);
    columnsLabel->setBuddy(columns);
    rowsLabel->setBuddy(rows);
    allOrNothingLabel->setBuddy(allOrNothing);

    connect(choose, &QPushButton::clicked, this, &ImportWindow::chooseFile);
    connect(separator, &QComboBox::activated, this, &ImportWindow::rereadFile);
    connect(kind, &QComboBox::activated, this, &ImportWindow::rereadFile);
    connect(encoding, &QComboBox::activated, this, &ImportWindow::rereadFile);
    connect(dates, &QComboBox::activated, this, &ImportWindow::refresh);
    connect(importButton, &QPushButton::clicked, this, &ImportWindow::importRows);
    connect(saveRejected, &QPushButton::clicked, this, [this] {
        const QString path = askSavePath(this, SaveKind::Csv, QStringLiteral("not imported"));
        if (!path.isEmpty())
            saveNotImported(path);
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    focusOrder({choose, kind, separator, encoding, dates, columns, rows, allOrNothing, importButton,
                saveRejected, close});
}

void ImportWindow::load()
{
    status->setText(QStringLiteral("Choose a CSV file: a spreadsheet saved as CSV, or a file "
                                   "Parlog or another program wrote."));
}

void ImportWindow::chooseFile()
{
    QSettings settings;
    const QString key = QStringLiteral("files/importFolder");
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Import"), settings.value(key, QDir::homePath()).toString(),
        QStringLiteral("CSV files (*.csv *.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    settings.setValue(key, QFileInfo(path).absolutePath());
    openFile(path);
}

bool ImportWindow::openFile(const QString& path)
{
    const auto opened = importing::open(path, chosenKind());
    if (!opened) {
        app().inform(QStringLiteral("The file cannot be imported: %1").arg(opened.error()));
        return false;
    }
    m_opened = *opened;
    file->setText(QDir::toNativeSeparators(path));
    separator->setCurrentIndex(
        std::max(0, separator->findData(QString(opened->dialect.separator))));
    encoding->setCurrentIndex(opened->dialect.encoding == csv::Encoding::Utf8 ? 0 : 1);
    fillColumns();
    refresh();
    return true;
}

void ImportWindow::rereadFile()
{
    if (!m_opened)
        return;
    csv::Dialect dialect;
    dialect.separator = separator->currentData().toString().front();
    dialect.encoding =
        encoding->currentIndex() == 0 ? csv::Encoding::Utf8 : csv::Encoding::Windows1252;
    const auto read = importing::reread(*m_opened, dialect, chosenKind());
    if (!read) {
        status->setText(read.error());
        return;
    }
    m_opened = *read;
    fillColumns();
    refresh();
}

void ImportWindow::fillColumns()
{
    // Only a file of cards has dates to read.
    dates->setEnabled(chosenKind() == importing::Kind::Rounds);
    const QList<importing::Field> fields = importing::fieldsOf(chosenKind());
    columns->setRowCount(int(fields.size()));
    for (int f = 0; f < fields.size(); ++f) {
        columns->setItem(f, 0, new QTableWidgetItem(fields[f].caption));
        auto* choice = new QComboBox(columns);
        choice->setObjectName(QStringLiteral("column_") + fields[f].column);
        choice->addItem(kNone, -1);
        for (int c = 0; c < m_opened->header.size(); ++c)
            choice->addItem(m_opened->header[c], c);
        choice->setCurrentIndex(std::max(0, choice->findData(m_opened->columns.value(f, -1))));
        connect(choice, &QComboBox::activated, this, &ImportWindow::refresh);
        columns->setCellWidget(f, 1, choice);
    }
}

importing::Opened ImportWindow::assigned() const
{
    importing::Opened o = *m_opened;
    o.columns = chosenColumns();
    if (const int order = dates->currentData().toInt(); order >= 0)
        o.dates = csv::DateOrder(order);
    return o;
}

importing::Kind ImportWindow::chosenKind() const
{
    return importing::Kind(kind->currentData().toInt());
}

QList<int> ImportWindow::chosenColumns() const
{
    QList<int> chosen;
    for (int f = 0; f < columns->rowCount(); ++f) {
        const auto* choice = qobject_cast<QComboBox*>(columns->cellWidget(f, 1));
        chosen << (choice ? choice->currentData().toInt() : -1);
    }
    return chosen;
}

void ImportWindow::refresh()
{
    m_preview.reset();
    m_model->clear();
    importButton->setEnabled(false);
    saveRejected->setEnabled(false);
    if (!m_opened)
        return;
    const QList<int> chosen = chosenColumns();
    if (const QString missing = importing::missingColumns(chosenKind(), chosen, m_opened->header);
        !missing.isEmpty()) {
        status->setText(QStringLiteral("Choose the file's column for each name: %1.").arg(missing));
        return;
    }
    const auto progress = app().progress(QStringLiteral("Reading the file\u2026"));
    const auto seen =
        MasterData(app().registerInUse()).preview(chosenKind(), assigned(), progress.get());
    if (!seen) {
        app().inform(seen.error());
        return;
    }
    m_preview = *seen;
    const QList<importing::Field> fields = importing::fieldsOf(chosenKind());
    QStringList headings{QStringLiteral("Line"), QStringLiteral("Becomes")};
    for (const importing::Field& f : fields)
        headings << f.caption;
    m_model->setHorizontalHeaderLabels(headings);
    for (const importing::Row& row : std::as_const(m_preview->rows)) {
        const QString becomes = row.outcome == importing::Row::Outcome::Stored ? row.becomes
                                : row.outcome == importing::Row::Outcome::AlreadyThere
                                    ? QStringLiteral("already there")
                                    : QStringLiteral("not imported: ") + row.why;
        QList<QStandardItem*> items{new QStandardItem(QString::number(row.line)),
                                    new QStandardItem(becomes)};
        for (const QString& value : row.values)
            items << new QStandardItem(value);
        items[1]->setToolTip(becomes);
        if (row.outcome == importing::Row::Outcome::NotStored)
            items[1]->setForeground(forms::readable(this, QColor(0xb0, 0x20, 0x20)));
        m_model->appendRow(items);
    }
    rows->setColumnWidth(0, 44);
    // Why a row is not imported, or how its handicap was found, read without its tooltip.
    rows->resizeColumnToContents(1);
    rows->setColumnWidth(1, qBound(220, rows->columnWidth(1), 480));
    QString counts = QStringLiteral("%1 to import, %2 already there, %3 that cannot be imported.")
                         .arg(m_preview->toStore)
                         .arg(m_preview->alreadyThere)
                         .arg(m_preview->notStored);
    const int all = m_preview->toStore + m_preview->alreadyThere + m_preview->notStored;
    if (m_preview->rows.size() < all)
        counts +=
            QStringLiteral(" The first rows are shown, and the first that cannot be imported.");
    if (chosenKind() == importing::Kind::Rounds)
        counts += m_preview->dates == csv::DateOrder::Iso ? QStringLiteral(" Dates are ISO.")
                  : m_preview->dates == csv::DateOrder::MonthFirst
                      ? QStringLiteral(" Dates are read month first.")
                      : QStringLiteral(" Dates are read day first.");
    status->setText(counts);
    importButton->setEnabled(m_preview->toStore > 0);
    saveRejected->setEnabled(m_preview->notStored > 0);
}

void ImportWindow::importRows()
{
    if (!m_preview)
        return;
    const auto progress = app().progress(QStringLiteral("Importing\u2026"));
    const auto done =
        MasterData(app().registerInUse())
            .import(chosenKind(), assigned(), allOrNothing->isChecked(), progress.get());
    if (!done) {
        QString why = done.error();
        why[0] = why[0].toUpper();
        app().inform(why + QLatin1Char('.'));
        return;
    }
    app().inform(importing::summaryText(*done) + QLatin1Char('.'));
    refresh();
}

bool ImportWindow::saveNotImported(const QString& path)
{
    if (!m_opened || !m_preview)
        return false;
    if (Status written =
            MasterData(app().registerInUse()).writeNotImported(chosenKind(), assigned(), path);
        !written) {
        app().inform(QStringLiteral("The rows were not saved: %1").arg(written.error()));
        return false;
    }
    return true;
}

} // namespace parlog
