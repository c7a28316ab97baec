// Makes a sample parlog.mdb: parlog-sampledb FILE [--seed N] [--players N]
// [--courses N] [--rounds N] [--years N]
#include "sampledata.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication qt(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    QTextStream err(stderr);
    QTextStream out(stdout);
    parlog::tools::SampleSizes sizes;
    QString path;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const auto number = [&](auto& target) {
            bool ok = false;
            const long long v = i + 1 < args.size() ? args[++i].toLongLong(&ok) : 0;
            if (!ok || v < 0) {
                err << "parlog-sampledb: " << a << " needs a whole number\n";
                std::exit(2);
            }
            target = static_cast<std::decay_t<decltype(target)>>(v);
        };
        if (a == u"--seed")
            number(sizes.seed);
        else if (a == u"--players")
            number(sizes.players);
        else if (a == u"--courses")
            number(sizes.courses);
        else if (a == u"--rounds")
            number(sizes.rounds);
        else if (a == u"--years")
            number(sizes.years);
        else if (!a.startsWith(u'-') && path.isEmpty())
            path = a;
        else {
            err << "usage: parlog-sampledb FILE [--seed N] [--players N] [--courses N] "
                   "[--rounds N] [--years N]\n";
            return 2;
        }
    }
    if (path.isEmpty()) {
        err << "usage: parlog-sampledb FILE [--seed N] [--players N] [--courses N] "
               "[--rounds N] [--years N]\n";
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    const QString error = parlog::tools::writeSampleDatabase(path, sizes);
    if (!error.isEmpty()) {
        err << "parlog-sampledb: " << error << "\n";
        return 1;
    }
    out << "wrote " << path << ": " << sizes.players << " players, " << sizes.courses
        << " courses, " << sizes.rounds << " rounds in " << timer.elapsed() << " ms\n";
    return 0;
}
