// One executable per folder runs every test class of that folder.
#include "testmain.h"

#include <QApplication>
#include <QList>
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

int main(int argc, char* argv[])
{
    g_previous = qInstallMessageHandler(quietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    int failed = 0;
    for (const auto& [name, factory] : parlog::test::tests()) {
        auto object = factory();
        if (QTest::qExec(object.get(), argc, argv) != 0)
            ++failed;
    }
    return failed == 0 ? 0 : 1;
}
