// Each test file is an executable of its own: this runs the test classes it registers.
#include "testmain.h"

#include <QApplication>
#include <QList>
#include <QStandardPaths>
#include <QMetaMethod>
#include <QTest>

#include <utility>

namespace parlog::test {

namespace {
QList<std::pair<const char*, TestFactory>>& tests()
{
    static QList<std::pair<const char*, TestFactory>> list;
    return list;
}
} // namespace

int registerTest(const char* name, TestFactory factory)
{
    tests().append({name, std::move(factory)});
    return int(tests().size());
}

} // namespace parlog::test

namespace {
QtMessageHandler g_previous = nullptr;

// The offscreen platform says so whenever a window is shown; it tells us nothing.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")) ||
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    if (g_previous)
        g_previous(type, context, message);
}
} // namespace

namespace {

// The test functions a class offers, as QTest names them.
QStringList functionsOf(const QObject& object)
{
    QStringList names;
    const QMetaObject* meta = object.metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod m = meta->method(i);
        if (m.methodType() == QMetaMethod::Slot && m.access() == QMetaMethod::Private)
            names << QString::fromLatin1(m.name());
    }
    return names;
}

// QTest's options that take a value of their own.
bool takesValue(const QByteArray& option)
{
    static const QList<QByteArray> options{
        "-o",           "-maxwarnings", "-eventdelay", "-keydelay",     "-mousedelay",
        "-seed",        "-iterations",  "-median",     "-minimumvalue", "-minimumtotal",
        "-perfcounter", "-platform"};
    return options.contains(option);
}

} // namespace

// Names on the command line go to the class that has them: "TestCrash" runs a class,
// "savesSurviveAKill" or "TestCrash::savesSurviveAKill" one function of it. Options
// go to every class that runs. No names: every class, every function.
int main(int argc, char* argv[])
{
    g_previous = qInstallMessageHandler(quietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // Settings and data folders of the tests' own, never the user's.
    QStandardPaths::setTestModeEnabled(true);

    QList<QByteArray> options;
    QList<QByteArray> names;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a.startsWith('-')) {
            options << a;
            if (takesValue(a) && i + 1 < argc)
                options << QByteArray(argv[++i]);
        } else {
            names << a;
        }
    }
    int failed = 0;
    int ran = 0;
    for (const auto& [className, factory] : parlog::test::tests()) {
        auto object = factory();
        const QStringList functions = functionsOf(*object);
        QList<QByteArray> mine;
        bool wholeClass = names.isEmpty();
        for (const QByteArray& name : std::as_const(names)) {
            const qsizetype colons = name.indexOf("::");
            const QByteArray owner = colons < 0 ? QByteArray() : name.left(colons);
            const QByteArray function = colons < 0 ? name : name.mid(colons + 2);
            if (colons < 0 && name == className) {
                wholeClass = true;
            } else if ((owner.isEmpty() || owner == className) &&
                       functions.contains(QString::fromLatin1(function.split(':').first()))) {
                mine << function;
            }
        }
        if (!wholeClass && mine.isEmpty())
            continue;
        QList<QByteArray> args{QByteArray(argv[0])};
        args << options;
        if (!wholeClass)
            args << mine;
        QList<char*> pointers;
        for (QByteArray& a : args)
            pointers << a.data();
        ++ran;
        if (QTest::qExec(object.get(), int(pointers.size()), pointers.data()) != 0)
            ++failed;
    }
    if (ran == 0 && !names.isEmpty()) {
        qWarning("No test class has a function of that name.");
        return 1;
    }
    return failed == 0 ? 0 : 1;
}
