#pragma once

#include <QString>
#include <QStringList>

namespace parlog {

// What the program was asked for on its command line.
struct CommandLine {
    enum class Action {
        Run,
        Help,
        Version,
        SmokeTest,
        CopyRegister,
        RestoreRounds,
        Import,
        Export,
        Publish,
        Error
    };
    Action action = Action::Run;
    QString database; // --database: another register than the usual one
    QString source;   // --copy-register SOURCE TARGET, --restore-rounds BACKUP TARGET,
                      // --import FILE KIND, --export FILE KIND
    QString target;   // for --import and --export, what the file holds: players; for
                      // --publish, what is published: handicaps, results or merit
    QString name;     // --publish results NAME FILE, --publish merit SEASON FILE
    QString error; // for Action::Error: what was wrong, for the user
};

CommandLine parseCommandLine(const QStringList& arguments);

// The text --help prints.
QString usageText();

} // namespace parlog
