#include "app/commandline.h"

namespace parlog {

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    const auto fail = [&line](const QString& why) {
        line.action = CommandLine::Action::Error;
        line.error = why;
        return line;
    };
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"--help" || a == u"-h") {
            line.action = CommandLine::Action::Help;
            return line;
        }
        if (a == u"--version" || a == u"-v") {
            line.action = CommandLine::Action::Version;
            return line;
        }
        if (a == u"--smoke-test") {
            line.action = CommandLine::Action::SmokeTest;
        } else if (a == u"--copy-register" || a == u"--restore-rounds") {
            if (i + 2 >= arguments.size())
                return fail(QStringLiteral("%1 needs the register to copy from and the one to "
                                           "copy into.")
                                .arg(a));
            line.action = a == u"--copy-register" ? CommandLine::Action::CopyRegister
                                                  : CommandLine::Action::RestoreRounds;
            line.source = arguments[++i];
            line.target = arguments[++i];
        } else if (a == u"--import" || a == u"--export") {
            const bool import = a == u"--import";
            if (i + 2 >= arguments.size())
                return fail(QStringLiteral("%1 needs the file and what it holds (players, "
                                           "courses or rounds).")
                                .arg(a));
            line.action = import ? CommandLine::Action::Import : CommandLine::Action::Export;
            line.source = arguments[++i];
            line.target = arguments[++i];
            if (line.target != u"players" && line.target != u"courses" &&
                line.target != u"rounds")
                return fail(QStringLiteral("%1 %2 players, courses or rounds; \"%3\" "
                                           "is not one of them.")
                                .arg(a, import ? QStringLiteral("reads") : QStringLiteral("writes"),
                                     line.target));
        } else if (a == u"--publish") {
            if (i + 1 >= arguments.size())
                return fail(QStringLiteral("--publish needs what to publish (handicaps, results "
                                           "or merit) and the web page to write."));
            line.action = CommandLine::Action::Publish;
            line.target = arguments[++i];
            const bool named = line.target == u"results" || line.target == u"merit";
            if (!named && line.target != u"handicaps")
                return fail(QStringLiteral("--publish writes handicaps, results or merit; \"%1\" "
                                           "is not one of them.")
                                .arg(line.target));
            if (i + (named ? 2 : 1) >= arguments.size())
                return fail(named ? QStringLiteral("--publish %1 needs the %2's name and the web "
                                                   "page to write.")
                                        .arg(line.target, line.target == u"results"
                                                              ? QStringLiteral("competition")
                                                              : QStringLiteral("season"))
                                  : QStringLiteral("--publish handicaps needs the web page to "
                                                   "write."));
            if (named)
                line.name = arguments[++i];
            line.source = arguments[++i];
        } else if (a == u"--database" || a.startsWith(u"--database=")) {
            QString value;
            if (a == u"--database") {
                if (i + 1 >= arguments.size())
                    return fail(QStringLiteral("--database needs the register to open."));
                value = arguments[++i];
            } else {
                value = a.mid(int(qstrlen("--database=")));
            }
            if (value.isEmpty())
                return fail(QStringLiteral("--database needs the register to open."));
            line.database = value;
        } else if (a.startsWith(u'-')) {
            return fail(QStringLiteral("Unknown option %1.").arg(a));
        } else {
            return fail(QStringLiteral("Unexpected argument %1.").arg(a));
        }
    }
    return line;
}

QString usageText()
{
    return QStringLiteral(
        "Usage: parlog [--database FILE|URL]\n"
        "       parlog --copy-register SOURCE TARGET\n"
        "       parlog --restore-rounds BACKUP TARGET\n"
        "       parlog --import FILE players|courses|rounds [--database FILE|URL]\n"
        "       parlog --export FILE players|courses|rounds [--database FILE|URL]\n"
        "       parlog --publish handicaps FILE.html [--database FILE|URL]\n"
        "       parlog --publish results COMPETITION FILE.html [--database FILE|URL]\n"
        "       parlog --publish merit SEASON FILE.html [--database FILE|URL]\n"
        "A golf register for a golfer or a small golf society.\n"
        "\n"
        "Options:\n"
        "  --database FILE  open this register instead of the usual one\n"
        "                   (another society's, or a backup to look at), or a club's\n"
        "                   register on a server: postgresql://USER@HOST:PORT/DBNAME\n"
        "  --copy-register SOURCE TARGET\n"
        "                   copy a whole register, file or server, into a new file or an\n"
        "                   empty database; prints the rows of each table\n"
        "  --restore-rounds BACKUP TARGET\n"
        "                   add the rounds of a backup (the copy made before a deletion)\n"
        "                   that the register does not hold already\n"
        "  --import FILE players|courses|rounds\n"
        "                   add the players, courses or rounds of a CSV file to the register,\n"
        "                   after a copy of it; those already there are left as they\n"
        "                   are; prints what was imported, and why any row was not;\n"
        "                   on a terminal, counts the rows read and stored as it goes\n"
        "  --export FILE players|courses|rounds\n"
        "                   write every player, course (a line a tee) or round of the\n"
        "                   register to a CSV file, every column, as --import reads it\n"
        "  --publish handicaps|results NAME|merit SEASON FILE.html\n"
        "                   write the handicap list, a competition's latest results or a\n"
        "                   season's order of merit as one web page; nothing is written\n"
        "                   and the exit is not 0 when the name is not known\n"
        "  --smoke-test     start, open the register, show the menu and quit\n"
        "  -h, --help       show this text\n"
        "  -v, --version    show the version\n"
        "\n"
        "Without --database, the register is parlog.mdb beside the program when that\n"
        "folder can be written or already holds one, else parlog.mdb in the user's\n"
        "data folder (~/.local/share/Parlog).\n");
}

} // namespace parlog
