#pragma once

#include "base/application.h"
#include "app/windows.h"
#include "data/connection.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QQueue>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "execon.h"

namespace parlog::test {



// Records every message and answers questions from a queue (Yes when it runs dry).
class ScriptedPrompter : public Prompter {
public:
    struct Message {
        QString text;
        QString caption;
        bool question = false;
        bool defaultNo = false;
    };

    void inform(const QString& text, const QString& caption) override
    {
        messages.append({text, caption, false});
    }
    bool ask(const QString& text, const QString& caption, Default byDefault) override
    {
        messages.append({text, caption, true, byDefault == Default::No});
        // What happens elsewhere while the user reads the question.
        if (whileAsked)
            std::exchange(whileAsked, nullptr)();
        return answers.isEmpty() ? true : answers.dequeue();
    }
    QStringList texts() const
    {
        QStringList list;
        for (const auto& m : messages)
            list << m.text;
        return list;
    }
    QString last() const { return messages.isEmpty() ? QString() : messages.last().text; }

    QList<Message> messages;
    QQueue<bool> answers;
    std::function<void()> whileAsked;
};

class RecordingLauncher : public Launcher {
public:
    bool start(const QString& program, const QStringList& arguments) override
    {
        started << (QStringList{program} + arguments);
        return result;
    }
    bool open(const QString& path) override
    {
        opened << path;
        return result;
    }
    QList<QStringList> started;
    QStringList opened;
    bool result = true;
};

// Says carry on, or stop once it has been asked stopAfter times.
class ScriptedProgress : public Progress {
public:
    explicit ScriptedProgress(int* asked, int stopAfter)
        : m_asked(asked)
        , m_stopAfter(stopAfter)
    {
    }
    bool carryOn(long long, long long) override
    {
        return m_stopAfter < 0 || ++*m_asked <= m_stopAfter;
    }

private:
    int* m_asked;
    int m_stopAfter;
};

// A program on a folder of its own, with today pinned and message boxes scripted.
class Fixture {
public:
    explicit Fixture(QDate today = QDate(2004, 3, 5)) { start(today); }
    // For a test class whose cases share it: each case starts it in init() and stops it in
    // cleanup().
    struct NotStarted {};
    explicit Fixture(NotStarted) {}
    ~Fixture() { stop(); }

    // A program afresh, on a new folder.
    void start(QDate today = QDate(2004, 3, 5))
    {
        stop();
        folder = QTemporaryDir();
        progressTexts.clear();
        progressAsked = 0;
        stopAfter = -1;
        prompter = std::make_shared<ScriptedPrompter>();
        launcher = std::make_shared<RecordingLauncher>();
        m_today = today;
        Services services;
        services.programFolder = folder.path();
        services.prompter = prompter;
        services.launcher = launcher;
        services.today = [this] { return m_today; };
        services.progress = [this](const QString& text) -> std::unique_ptr<Progress> {
            progressTexts << text;
            return std::make_unique<ScriptedProgress>(&progressAsked, stopAfter);
        };
        app = std::make_unique<Application>(std::move(services));
        registerWindows(*app);
    }
    void stop()
    {
        if (!app)
            return;
        app.reset();
        settle();
    }

    QString path(const QString& name) const { return QDir(folder.path()).filePath(name); }
    QString dataFile() const { return app->dataFile(); }

    // Runs statements on a connection of the test's own; fails the test on error.
    bool sql(const QString& statement, const QVariantList& values = {})
    {
        Connection c(dataFile());
        if (const Status opened = c.open(); !opened) {
            qWarning("%s", qPrintable(opened.error()));
            return false;
        }
        if (!c.run(statement, values).ok()) {
            qWarning("%s: %s", qPrintable(statement), qPrintable(c.lastError().text()));
            return false;
        }
        return true;
    }

    // The rows of a query as lists of values.
    QList<QVariantList> rows(const QString& statement, const QVariantList& values = {})
    {
        QList<QVariantList> result;
        Connection c(dataFile());
        if (!c.open())
            return result;
        Statement q = c.run(statement, values);
        if (!q.ok())
            return result;
        while (q.next()) {
            QVariantList row;
            for (int i = 0; i < q.record().count(); ++i)
                row << q.value(i);
            result << row;
        }
        return result;
    }
    QVariant value(const QString& statement, const QVariantList& values = {})
    {
        const auto r = rows(statement, values);
        return r.isEmpty() || r.first().isEmpty() ? QVariant() : r.first().first();
    }

    void setToday(QDate d) { m_today = d; }

    // Puts something that is not a Parlog database where the data file is; the real
    // one, if there is one, waits aside for restoreDataFile().
    void spoilDataFile(int bytes = 2048)
    {
        const QString aside = path(QStringLiteral("aside.mdb"));
        QFile::remove(aside);
        QFile::rename(dataFile(), aside);
        QFile junk(dataFile());
        if (junk.open(QIODevice::WriteOnly))
            junk.write(QByteArray(bytes, 'j'));
    }
    void restoreDataFile()
    {
        QFile::remove(dataFile());
        QFile::rename(path(QStringLiteral("aside.mdb")), dataFile());
    }

    // Damages the data file as a failing disk would: rows first, then pages scribbled
    // over in the middle of the file.
    bool damageDataFile()
    {
        for (int i = 0; i < 40; ++i)
            if (!sql(QStringLiteral("INSERT INTO score(playerID, comment) VALUES (?, ?)"),
                     {QStringLiteral("P%1").arg(i), QString(2000, QLatin1Char('x'))}))
                return false;
        QFile file(dataFile());
        if (!file.open(QIODevice::ReadWrite) || !file.seek(file.size() / 2))
            return false;
        return file.write(QByteArray(8192, '\xA5')) == 8192;
    }

    static void settle()
    {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    QTemporaryDir folder;
    // Long actions: their words, how often they asked to go on, and when to say stop
    // (-1: never).
    QStringList progressTexts;
    int progressAsked = 0;
    int stopAfter = -1;
    std::shared_ptr<ScriptedPrompter> prompter;
    std::shared_ptr<RecordingLauncher> launcher;
    std::unique_ptr<Application> app;

private:
    QDate m_today;
};

// Scribbles over the start of one leaf page of the rounds, as a failing disk does: the
// rows before it read, the page itself does not. The page chosen holds none of the first
// rows a report by net or by date reads, so that reading fails part of the way through.
// False when this SQLite has no dbstat table to find the page by.
inline bool damageARoundsPage(const QString& path)
{
    QList<qint64> pages;
    QSet<qint64> early;
    int pageSize = 4096;
    {
        Connection c(path);
        if (!c.open())
            return false;
        Statement q = c.run(QStringLiteral("SELECT pageno FROM dbstat WHERE name = 'score' AND "
                                           "pagetype = 'leaf' ORDER BY pageno"));
        while (q.ok() && q.next())
            pages << q.value(0).toLongLong();
        for (const char* order : {"net", "strdate"}) {
            Statement first = c.run(QStringLiteral("SELECT rowid FROM score ORDER BY %1 "
                                                   "NULLS FIRST, rowid LIMIT 300")
                                        .arg(QLatin1String(order)));
            while (first.ok() && first.next())
                early.insert(first.value(0).toLongLong());
        }
        Statement size = c.run(QStringLiteral("PRAGMA page_size"));
        if (size.ok() && size.next())
            pageSize = size.value(0).toInt();
    }
    QFile file(path);
    if (pages.size() < 50 || !file.open(QIODevice::ReadWrite))
        return false;
    const auto varint = [](const uchar* at, int* used) {
        qint64 value = 0;
        for (int i = 0; i < 9; ++i) {
            if (i == 8) {
                *used = 9;
                return (value << 8) | at[i];
            }
            value = (value << 7) | (at[i] & 0x7f);
            if (!(at[i] & 0x80)) {
                *used = i + 1;
                return value;
            }
        }
        return value;
    };
    for (qsizetype i = 40; i < pages.size(); ++i) {
        if (!file.seek((pages[i] - 1) * pageSize))
            return false;
        const QByteArray bytes = file.read(pageSize);
        const auto* page = reinterpret_cast<const uchar*>(bytes.constData());
        if (bytes.size() != pageSize || page[0] != 0x0d)
            continue;
        const int cells = (page[3] << 8) | page[4];
        bool holdsAnEarlyRow = false;
        for (int cell = 0; cell < cells && !holdsAnEarlyRow; ++cell) {
            const int at = (page[8 + 2 * cell] << 8) | page[9 + 2 * cell];
            int used = 0;
            (void)varint(page + at, &used); // the payload's length
            int keyUsed = 0;
            holdsAnEarlyRow = early.contains(varint(page + at + used, &keyUsed));
        }
        if (!holdsAnEarlyRow)
            return file.seek((pages[i] - 1) * pageSize) &&
                   file.write(QByteArray(16, '\xA5')) == 16;
    }
    return false;
}

// Picks an entry of a picker as the user does from its list; false when the list
// has no such entry.
[[nodiscard]] inline bool pick(QComboBox* combo, const QString& text)
{
    const int i = combo ? combo->findText(text) : -1;
    if (i < 0) {
        qWarning("no entry %s to pick", qPrintable(text));
        return false;
    }
    combo->setCurrentIndex(i);
    Q_EMIT combo->activated(i);
    return true;
}

// The name of the widget that has the focus.
inline QString focusName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

// Each key goes where the focus is, as a person's keystrokes do; false when nothing
// has the focus to take a key.
[[nodiscard]] inline bool typeKeys(const QString& keys)
{
    for (QChar c : keys) {
        QWidget* target = QApplication::focusWidget();
        if (!target)
            return false;
        QTest::keyClick(target, c.toLatin1());
    }
    return true;
}

inline QStringList itemsOf(const QComboBox* combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

template <typename T> T* child(QWidget* window, const QString& name)
{
    T* found = window ? window->findChild<T*>(name) : nullptr;
    if (!found)
        qWarning("no %s in %s", qPrintable(name), window ? qPrintable(window->objectName()) : "-");
    return found;
}

// A window shown through the registry, its controls found by name. Tests check
// shown() before they drive it.
struct Driver {
    Driver(Fixture& f, const QString& name)
        : fixture(f)
        , window(f.app->show(name))
        , m_shown(window && QTest::qWaitForWindowExposed(window))
    {
    }
    bool shown() const { return m_shown; }
    QLineEdit* box(const QString& name) const { return child<QLineEdit>(window, name); }
    QComboBox* combo(const QString& name) const { return child<QComboBox>(window, name); }
    QCheckBox* tick(const QString& name) const { return child<QCheckBox>(window, name); }
    QPushButton* button(const QString& name) const { return child<QPushButton>(window, name); }
    QWidget* widget(const QString& name) const { return child<QWidget>(window, name); }
    void click(const QString& name) const
    {
        QTest::mouseClick(child<QAbstractButton>(window, name), Qt::LeftButton);
    }
    QString focus() const { return focusName(); }

    Fixture& fixture;
    QWidget* window = nullptr;

private:
    bool m_shown = false;
};

// Before each test of a class: a register seeded by the test file, with its window open;
// let go after the test.
template <typename Window> struct Seeded {
    [[nodiscard]] bool start(bool (*seed)(Fixture&))
    {
        fixture = std::make_unique<Fixture>();
        if (!seed(*fixture))
            return false;
        window = std::make_unique<Window>(*fixture);
        return window->shown();
    }
    void stop()
    {
        window.reset();
        fixture.reset();
    }
    std::unique_ptr<Fixture> fixture;
    std::unique_ptr<Window> window;
};

// A window shown and active, as the user has it in front.
inline QWidget* inFront(Fixture& f, const QString& name)
{
    QWidget* window = f.app->show(name);
    if (!window)
        return nullptr;
    window->activateWindow();
    return QTest::qWaitForWindowActive(window) ? window : nullptr;
}

inline void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* popup = QApplication::activePopupWidget();
    QTest::keyClick(popup ? (popup->focusWidget() ? popup->focusWidget() : popup)
                          : QApplication::focusWidget(),
                    key, modifiers);
}

// Opens a list, goes to the entry that starts with the letter, and takes it.
inline void pickByKey(char letter)
{
    press(Qt::Key_Down, Qt::AltModifier);
    press(Qt::Key(Qt::Key_A + (letter - 'A')));
    press(Qt::Key_Return);
}

} // namespace parlog::test
