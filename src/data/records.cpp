#include "data/records.h"

#include "data/conversions.h"
#include "golf/rules.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace parlog {

namespace {

QVariant find(const Record& record, const QString& column)
{
    if (const auto it = record.constFind(column); it != record.constEnd())
        return *it;
    // Engines give names back as they fold them.
    for (auto it = record.constBegin(); it != record.constEnd(); ++it)
        if (it.key().compare(column, Qt::CaseInsensitive) == 0)
            return *it;
    return {};
}

QString text(const Record& r, const char* column)
{
    return valueText(find(r, QLatin1String(column)));
}

std::optional<double> number(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return std::nullopt;
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

std::optional<int> whole(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return std::nullopt;
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

template <typename T> QVariant stored(const std::optional<T>& value)
{
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<T>());
}

// "hole7", "si7"...: made once, as every card read or written names them all.
const QString& hole(const char* prefix, int h)
{
    static const auto names = [] {
        std::array<std::array<QString, 18>, 8> n;
        const char* prefixes[8] = {"hole", "green", "fairway", "si", "par", "P", "X", "B"};
        for (int p = 0; p < 8; ++p)
            for (int i = 0; i < 18; ++i)
                n[p][i] = QLatin1String(prefixes[p]) + QString::number(i + 1);
        return n;
    }();
    const int p = prefix[0] == 'h' ? 0 : prefix[0] == 'g' ? 1 : prefix[0] == 'f' ? 2
                  : prefix[0] == 's' ? 3 : prefix[0] == 'p' ? 4 : prefix[0] == 'P' ? 5
                  : prefix[0] == 'X' ? 6 : 7;
    return names[p][h];
}

} // namespace

Player Player::from(const Record& r)
{
    Player p;
    p.id = keyOf(r);
    p.name = text(r, "playername");
    p.membership = text(r, "membership");
    p.handicap = text(r, "Handicapp");
    p.division = text(r, "division");
    p.address1 = text(r, "address1");
    p.address2 = text(r, "address2");
    p.address3 = text(r, "address3");
    p.postcode = text(r, "postcode");
    p.telephone = text(r, "telephone");
    p.mobile = text(r, "mobile");
    p.email = text(r, "email");
    return p;
}

Record Player::record() const
{
    return {{QStringLiteral("playername"), name},     {QStringLiteral("membership"), membership},
            {QStringLiteral("Handicapp"), handicap},  {QStringLiteral("division"), division},
            {QStringLiteral("address1"), address1},   {QStringLiteral("address2"), address2},
            {QStringLiteral("address3"), address3},   {QStringLiteral("postcode"), postcode},
            {QStringLiteral("telephone"), telephone}, {QStringLiteral("mobile"), mobile},
            {QStringLiteral("email"), email}};
}

Course Course::from(const Record& r)
{
    Course c;
    c.id = keyOf(r);
    c.name = text(r, "coursename");
    c.address1 = text(r, "courseadd1");
    c.address2 = text(r, "courseadd2");
    c.address3 = text(r, "courseadd3");
    c.telephone = text(r, "coursetel");
    for (int h = 0; h < 18; ++h)
        c.pars[h] = number(find(r, hole("hole", h)));
    c.par = number(find(r, QStringLiteral("coursepar")));
    for (int h = 0; h < 18; ++h)
        c.strokeIndexes[h] = whole(find(r, hole("si", h)));
    return c;
}

Record Course::record() const
{
    Record r{{QStringLiteral("coursename"), name},
             {QStringLiteral("courseadd1"), address1},
             {QStringLiteral("courseadd2"), address2},
             {QStringLiteral("courseadd3"), address3},
             {QStringLiteral("coursetel"), telephone},
             {QStringLiteral("coursepar"), stored(par)}};
    for (int h = 0; h < 18; ++h) {
        r.insert(hole("hole", h), stored(pars[h]));
        r.insert(hole("si", h), stored(strokeIndexes[h]));
    }
    return r;
}

QString Tee::label() const
{
    QString text = QStringLiteral("%1 (%2)").arg(name, ratedFor);
    if (rated())
        text += QStringLiteral(" %1 / %2").arg(QString::number(*courseRating, 'f', 1)).arg(*slopeRating);
    return text;
}

Tee Tee::from(const Record& r)
{
    Tee t;
    t.id = keyOf(r);
    t.courseID = find(r, QStringLiteral("courseID")).toLongLong();
    t.name = text(r, "name");
    t.ratedFor = text(r, "ratedFor");
    t.courseRating = number(find(r, QStringLiteral("courseRating")));
    t.slopeRating = whole(find(r, QStringLiteral("slopeRating")));
    t.par = number(find(r, QStringLiteral("par")));
    for (int h = 0; h < 18; ++h) {
        t.strokeIndexes[h] = whole(find(r, hole("si", h)));
        t.pars[h] = number(find(r, hole("par", h)));
    }
    for (auto [nine, prefix] : {std::pair{&t.front, "front"}, std::pair{&t.back, "back"}}) {
        const QString p = QLatin1String(prefix);
        nine->courseRating = number(find(r, p + QStringLiteral("Rating")));
        nine->slopeRating = whole(find(r, p + QStringLiteral("Slope")));
        nine->par = whole(find(r, p + QStringLiteral("Par")));
    }
    return t;
}

Record Tee::record() const
{
    Record r{{QStringLiteral("courseID"), courseID},
             {QStringLiteral("name"), name},
             {QStringLiteral("ratedFor"), ratedFor},
             {QStringLiteral("courseRating"), stored(courseRating)},
             {QStringLiteral("slopeRating"), stored(slopeRating)},
             {QStringLiteral("par"), stored(par)}};
    for (int h = 0; h < 18; ++h) {
        r.insert(hole("si", h), stored(strokeIndexes[h]));
        r.insert(hole("par", h), stored(pars[h]));
    }
    for (auto [nine, prefix] : {std::pair{&front, "front"}, std::pair{&back, "back"}}) {
        const QString p = QLatin1String(prefix);
        r.insert(p + QStringLiteral("Rating"), stored(nine->courseRating));
        r.insert(p + QStringLiteral("Slope"), stored(nine->slopeRating));
        r.insert(p + QStringLiteral("Par"), stored(nine->par));
    }
    return r;
}

Round Round::from(const Record& r)
{
    QStringList columns;
    QVariantList row;
    for (auto it = r.constBegin(); it != r.constEnd(); ++it) {
        columns << it.key();
        row << *it;
    }
    return RoundReader(columns).read(row);
}

Round Round::from(const Rows& rows, qsizetype row)
{
    return RoundReader(rows.columns).read(rows.rows[row]);
}

int RoundReader::at(const char* column) const
{
    for (qsizetype i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(QLatin1String(column), Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

RoundReader::RoundReader(const QStringList& columns)
    : m_columns(columns)
{
    for (int h = 0; h < 18; ++h) {
        const QByteArray n = QByteArray::number(h + 1);
        m_holes[h] = at(("hole" + n).constData());
        m_greens[h] = at(("green" + n).constData());
        m_fairways[h] = at(("fairway" + n).constData());
        m_holePutts[h] = at(("P" + n).constData());
        m_penalties[h] = at(("X" + n).constData());
        m_bunkers[h] = at(("B" + n).constData());
    }
    m_key = at("card");
    m_out = at("out");
    m_inn = at("inn");
    m_gross = at("gross");
    m_net = at("net");
    m_putts = at("putts");
    m_hand = at("hand");
    m_date = at("strdate");
    m_course = at("course");
    m_player = at("playerID");
    m_division = at("division");
    m_scratch = at("compss");
    m_competition = at("comp");
    m_comment = at("comment");
    m_teeID = at("teeID");
    m_tee = at("tee");
    m_rating = at("courseRating");
    m_slope = at("slopeRating");
    m_teePar = at("teePar");
    m_index = at("handicapIndex");
    m_courseHandicap = at("courseHandicap");
    m_playingHandicap = at("playingHandicap");
    m_points = at("points");
    m_sidePlayers = at("sidePlayers");
}

Round RoundReader::read(const QVariantList& row) const
{
    const auto value = [&row](int i) { return i < 0 ? QVariant() : row.value(i); };
    const auto words = [&](int i) { return valueText(value(i)); };
    Round round;
    round.key = value(m_key).toLongLong();
    for (int h = 0; h < 18; ++h) {
        round.holes[h] = whole(value(m_holes[h]));
        round.greens[h] = value(m_greens[h]).toInt() != 0;
        round.fairways[h] = value(m_fairways[h]).toInt() != 0;
        round.holePutts[h] = whole(value(m_holePutts[h]));
        round.penalties[h] = whole(value(m_penalties[h]));
        if (const QVariant bunker = value(m_bunkers[h]); bunker.isValid() && !bunker.isNull())
            round.bunkers[h] = bunker.toInt() != 0;
    }
    round.out = whole(value(m_out));
    round.inn = whole(value(m_inn));
    round.gross = whole(value(m_gross));
    round.net = whole(value(m_net));
    round.putts = whole(value(m_putts));
    round.handicap = number(value(m_hand));
    round.date = words(m_date);
    round.course = words(m_course);
    round.player = words(m_player);
    round.division = words(m_division);
    round.standardScratch = words(m_scratch);
    round.competition = words(m_competition);
    round.comment = words(m_comment);
    if (const QVariant tee = value(m_teeID); !tee.isNull() && tee.isValid())
        round.teeID = tee.toLongLong();
    round.tee = words(m_tee);
    round.courseRating = number(value(m_rating));
    round.slopeRating = whole(value(m_slope));
    round.teePar = number(value(m_teePar));
    round.handicapIndex = number(value(m_index));
    round.courseHandicap = number(value(m_courseHandicap));
    round.playingHandicap = whole(value(m_playingHandicap));
    round.points = whole(value(m_points));
    round.sidePlayers = whole(value(m_sidePlayers));
    return round;
}

namespace {

// Each column a card stores, in name order, with how a round gives its value: a card
// written column by column without looking any name up.
using RoundPart = std::pair<QString, std::function<QVariant(const Round&)>>;
const std::vector<RoundPart>& roundParts()
{
    static const std::vector<RoundPart> parts = [] {
        const auto text = [](const QString& value) {
            return value.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(value);
        };
        std::vector<RoundPart> p{
            {QStringLiteral("out"), [](const Round& r) { return stored(r.out); }},
            {QStringLiteral("inn"), [](const Round& r) { return stored(r.inn); }},
            {QStringLiteral("gross"), [](const Round& r) { return stored(r.gross); }},
            {QStringLiteral("net"), [](const Round& r) { return stored(r.net); }},
            {QStringLiteral("putts"), [](const Round& r) { return stored(r.putts); }},
            {QStringLiteral("hand"), [](const Round& r) { return stored(r.handicap); }},
            {QStringLiteral("strdate"), [](const Round& r) { return QVariant(r.date); }},
            {QStringLiteral("course"), [](const Round& r) { return QVariant(r.course); }},
            {QStringLiteral("playerID"), [](const Round& r) { return QVariant(r.player); }},
            {QStringLiteral("division"), [](const Round& r) { return QVariant(r.division); }},
            {QStringLiteral("compss"), [](const Round& r) { return QVariant(r.standardScratch); }},
            {QStringLiteral("comp"), [](const Round& r) { return QVariant(r.competition); }},
            {QStringLiteral("comment"), [](const Round& r) { return QVariant(r.comment); }},
            {QStringLiteral("teeID"), [](const Round& r) { return stored(r.teeID); }},
            {QStringLiteral("tee"), [text](const Round& r) { return text(r.tee); }},
            {QStringLiteral("courseRating"), [](const Round& r) { return stored(r.courseRating); }},
            {QStringLiteral("slopeRating"), [](const Round& r) { return stored(r.slopeRating); }},
            {QStringLiteral("teePar"), [](const Round& r) { return stored(r.teePar); }},
            {QStringLiteral("handicapIndex"),
             [](const Round& r) { return stored(r.handicapIndex); }},
            {QStringLiteral("courseHandicap"),
             [](const Round& r) { return stored(r.courseHandicap); }},
            {QStringLiteral("playingHandicap"),
             [](const Round& r) { return stored(r.playingHandicap); }},
            {QStringLiteral("points"), [](const Round& r) { return stored(r.points); }},
            {QStringLiteral("sidePlayers"), [](const Round& r) { return stored(r.sidePlayers); }}};
        for (int h = 0; h < 18; ++h) {
            p.push_back({hole("hole", h), [h](const Round& r) { return stored(r.holes[h]); }});
            p.push_back({hole("green", h), [h](const Round& r) { return QVariant(int(r.greens[h])); }});
            p.push_back(
                {hole("fairway", h), [h](const Round& r) { return QVariant(int(r.fairways[h])); }});
            p.push_back({hole("P", h), [h](const Round& r) { return stored(r.holePutts[h]); }});
            p.push_back({hole("X", h), [h](const Round& r) { return stored(r.penalties[h]); }});
            p.push_back({hole("B", h), [h](const Round& r) {
                             return r.bunkers[h] ? QVariant(int(*r.bunkers[h]))
                                                 : QVariant(QMetaType::fromType<int>());
                         }});
        }
        std::sort(p.begin(), p.end(), [](const RoundPart& a, const RoundPart& b) { return a.first < b.first; });
        return p;
    }();
    return parts;
}

} // namespace

bool Round::hasHoleDetail() const
{
    return std::any_of(holePutts.cbegin(), holePutts.cend(),
                       [](const std::optional<int>& p) { return p.has_value(); });
}

const QStringList& Round::columns()
{
    static const QStringList names = [] {
        QStringList n;
        for (const RoundPart& part : roundParts())
            n << part.first;
        return n;
    }();
    return names;
}

QVariantList Round::values() const
{
    QVariantList v;
    v.reserve(qsizetype(roundParts().size()));
    for (const RoundPart& part : roundParts())
        v << part.second(*this);
    return v;
}

Record Round::record() const
{
    Record r;
    for (const RoundPart& part : roundParts())
        r.insert(r.cend(), part.first, part.second(*this));
    return r;
}

qint64 keyOf(const Record& record)
{
    return find(record, QStringLiteral("ID")).toLongLong();
}

QString shown(const std::optional<double>& value)
{
    return value ? valueText(*value) : QString();
}

QString shown(const std::optional<int>& value)
{
    return value ? QString::number(*value) : QString();
}

golf::Holes holesOf(const Course& course, const Tee* tee)
{
    golf::Holes holes;
    for (int h = 0; h < 18; ++h) {
        const std::optional<double> par = tee && tee->pars[h] ? tee->pars[h] : course.pars[h];
        const std::optional<int> index =
            tee && tee->strokeIndexes[h] ? tee->strokeIndexes[h] : course.strokeIndexes[h];
        holes.par[h] = par ? golf::roundToWhole(*par) : 0;
        holes.strokeIndex[h] = index.value_or(0);
    }
    return holes;
}

int parOf(const Course& course, const Tee* tee)
{
    if (tee && tee->par)
        return golf::roundToWhole(*tee->par);
    bool ownPars = false;
    for (int h = 0; tee && h < 18; ++h)
        ownPars |= tee->pars[h].has_value();
    if (!ownPars && course.par && *course.par > 0)
        return golf::roundToWhole(*course.par);
    int sum = 0;
    for (int par : holesOf(course, tee).par) {
        if (par <= 0)
            return 0;
        sum += par;
    }
    return sum;
}

std::optional<golf::Handicaps> handicapsFor(double handicapIndex, const Tee& tee, int par,
                                            double allowance)
{
    if (!tee.rated())
        return std::nullopt;
    return golf::handicapsFor(handicapIndex, *tee.courseRating, *tee.slopeRating, par, allowance);
}

} // namespace parlog
