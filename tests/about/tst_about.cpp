#include "about/aboutwindow.h"
#include "about/registry.h"

#include "memoryregistry.h"
#include "testmain.h"
#include "testsupport.h"

#include <QLabel>
#include <QPushButton>

using namespace parlog;
using namespace parlog::test;

namespace {

const QByteArray kFirstKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const QByteArray kSecondKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

MemoryRegistry::Value text(const QByteArray& bytes)
{
    return {Registry::kString, bytes};
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { f.start(); }
    void cleanup() { f.stop(); }
    void showsTitleAndVersion();
    void okCloses();
    void noRegistryMeansUnavailable();
    void firstKeyIsStartedUnchecked();
    void secondKeyNeedsTheFile();
    void launcherFailureMeansUnavailable();
    void keyValuesAsTheBoxReadsThem();

private:
    Fixture f{Fixture::NotStarted{}};
};

void TestAbout::showsTitleAndVersion()
{
    QWidget* about = f.app->show(QStringLiteral("frmAbout"));
    QVERIFY(about);
    QCOMPARE(about->windowTitle(), QStringLiteral("About Parlog"));
    QCOMPARE(child<QLabel>(about, QStringLiteral("lblTitle"))->text(), QStringLiteral("Parlog"));
    QCOMPARE(child<QLabel>(about, QStringLiteral("lblVersion"))->text(),
             QStringLiteral("Version 3.1.0"));
    QCOMPARE(child<QPushButton>(about, QStringLiteral("cmdOK"))->text(), QStringLiteral("OK"));
    QCOMPARE(child<QPushButton>(about, QStringLiteral("cmdSysInfo"))->text(),
             QStringLiteral("&System Info..."));
    QVERIFY(child<QLabel>(about, QStringLiteral("picIcon")));
    QVERIFY(child<QWidget>(about, QStringLiteral("Line1")));
}

void TestAbout::okCloses()
{
    QWidget* about = f.app->show(QStringLiteral("frmAbout"));
    QTest::mouseClick(child<QPushButton>(about, QStringLiteral("cmdOK")), Qt::LeftButton);
    QCOMPARE(f.app->find(QStringLiteral("frmAbout")), nullptr);
}

void TestAbout::noRegistryMeansUnavailable()
{
    // This platform: no registry at all.
    QWidget* about = f.app->show(QStringLiteral("frmAbout"));
    QTest::mouseClick(child<QPushButton>(about, QStringLiteral("cmdSysInfo")), Qt::LeftButton);
    QCOMPARE(f.prompter->texts(), QStringList{kUnavailable});
    QCOMPARE(f.prompter->messages.first().caption, QStringLiteral("Parlog"));
    QVERIFY(f.launcher->started.isEmpty());
    QVERIFY(f.app->find(QStringLiteral("frmAbout")));
}

void TestAbout::firstKeyIsStartedUnchecked()
{
    MemoryRegistry registry;
    registry.set(Registry::kLocalMachine, kFirstKey, "PATH",
                 text(QByteArrayLiteral("C:\\Tools\\msinfo32.exe\0")));
    registry.set(Registry::kLocalMachine, kSecondKey, "MSINFO", text("C:\\Other"));
    int tests = 0;
    const auto path = systemInfoPath(registry, [&](const QString&) { return ++tests, false; });
    QCOMPARE(path.value(), QStringLiteral("C:\\Tools\\msinfo32.exe"));
    QCOMPARE(tests, 0);
    QCOMPARE(registry.openKeys(), 0);
}

void TestAbout::secondKeyNeedsTheFile()
{
    MemoryRegistry registry;
    registry.set(Registry::kLocalMachine, kSecondKey, "MSINFO", text("C:\\Tools"));
    QStringList asked;
    auto path = systemInfoPath(registry, [&](const QString& p) {
        asked << p;
        return true;
    });
    QCOMPARE(path.value(), QStringLiteral("C:\\Tools\\MSINFO32.EXE"));
    QCOMPARE(asked, QStringList{QStringLiteral("C:\\Tools\\MSINFO32.EXE")});
    path = systemInfoPath(registry, [](const QString&) { return false; });
    QVERIFY(!path);
    MemoryRegistry empty;
    QVERIFY(!systemInfoPath(empty, [](const QString&) { return true; }));
    QCOMPARE(registry.openKeys(), 0);
}

void TestAbout::launcherFailureMeansUnavailable()
{
    auto registry = std::make_shared<MemoryRegistry>();
    registry->set(Registry::kLocalMachine, kFirstKey, "PATH", text("/usr/bin/msinfo"));
    Services services;
    services.programFolder = f.folder.path();
    services.prompter = f.prompter;
    services.launcher = f.launcher;
    services.registry = registry;
    Application app(std::move(services));
    registerWindows(app);
    QWidget* about = app.show(QStringLiteral("frmAbout"));
    auto* button = child<QPushButton>(about, QStringLiteral("cmdSysInfo"));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(f.launcher->started, QList<QStringList>{QStringList{"/usr/bin/msinfo"}});
    QVERIFY(f.prompter->messages.isEmpty());
    f.launcher->result = false;
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(f.prompter->texts(), QStringList{kUnavailable});
}

void TestAbout::keyValuesAsTheBoxReadsThem()
{
    MemoryRegistry registry;
    const auto root = Registry::kLocalMachine;
    registry.set(root, "K", "nul", text(QByteArrayLiteral("abc\0")));
    registry.set(root, "K", "plain", text("abc"));
    registry.set(root, "K", "dword", {Registry::kDword, QByteArrayLiteral("\x10\x2A\x00\x00")});
    registry.set(root, "K", "full", {Registry::kDword, QByteArrayLiteral("\x01\x02\x03\x04")});
    registry.set(root, "K", "binary", {3, "xyz"});
    registry.set(root, "K", "huge", text(QByteArray(2000, 'a')));
    QString value = QStringLiteral("old");
    QVERIFY(GetKeyValue(registry, root, QStringLiteral("K"), QStringLiteral("nul"), value));
    QCOMPARE(value, QStringLiteral("abc"));
    QVERIFY(GetKeyValue(registry, root, QStringLiteral("K"), QStringLiteral("plain"), value));
    QCOMPARE(value, QStringLiteral("abc"));
    // The last NUL is dropped before the bytes are read from last to first.
    value.clear();
    QVERIFY(GetKeyValue(registry, root, QStringLiteral("K"), QStringLiteral("dword"), value));
    QCOMPARE(value, QStringLiteral("&h02A10"));
    value.clear();
    QVERIFY(GetKeyValue(registry, root, QStringLiteral("K"), QStringLiteral("full"), value));
    QCOMPARE(value, QStringLiteral("&h4321"));
    value = QStringLiteral("kept");
    QVERIFY(GetKeyValue(registry, root, QStringLiteral("K"), QStringLiteral("binary"), value));
    QCOMPARE(value, QStringLiteral("kept"));
    QVERIFY(!GetKeyValue(registry, root, QStringLiteral("K"), QStringLiteral("huge"), value));
    QCOMPARE(value, QString());
    value = QStringLiteral("x");
    QVERIFY(!GetKeyValue(registry, root, QStringLiteral("K"), QStringLiteral("none"), value));
    QCOMPARE(value, QString());
    value = QStringLiteral("x");
    QVERIFY(!GetKeyValue(registry, root, QStringLiteral("Missing"), QStringLiteral("v"), value));
    QCOMPARE(value, QString());
    QCOMPARE(registry.openKeys(), 0);
}

PARLOG_TEST(TestAbout)
#include "tst_about.moc"
