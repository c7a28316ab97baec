#pragma once

#include <QString>

namespace parlog::tools {

struct SampleSizes {
    quint32 seed = 2004;
    int players = 24;
    int courses = 8;
    int rounds = 600;
    int years = 6; // rounds spread over this many years up to today
};

// Fills a new data file with plausible players, courses, divisions and rounds.
// Returns an error text, empty on success.
QString writeSampleDatabase(const QString& path, const SampleSizes& sizes);

} // namespace parlog::tools
