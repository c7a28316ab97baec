// A bare Qt program: a SQLite file opened, a main window with a menu shown, ended once
// it has painted. The benchmark times Parlog's first window beside it.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {
class QuitAtFirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            // Ended at once: what a user waits for is the paint, not the tidying up after.
            QTimer::singleShot(0, qApp, [] {
                std::fflush(nullptr);
                std::_Exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_painted = false;
};
} // namespace

int main(int argc, char* argv[])
{
    QApplication qt(argc, argv);
    QuitAtFirstPaint quit;
    qt.installEventFilter(&quit);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    if (!db.open())
        return 1;
    QSqlQuery q(QStringLiteral("SELECT count(*) FROM sqlite_master"), db);
    QMainWindow window;
    for (const char* menu : {"&File", "&Rounds", "&Statistics", "&Help"})
        window.menuBar()->addMenu(QString::fromLatin1(menu))->addAction(QStringLiteral("Open"));
    window.setCentralWidget(new QLabel(QStringLiteral("Parlog")));
    window.resize(635, 481);
    window.show();
    return QApplication::exec();
}
