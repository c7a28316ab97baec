#include "data/records.h"

#include "data/conversions.h"

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

QString hole(const char* prefix, int h)
{
    return QLatin1String(prefix) + QString::number(h + 1);
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
    return r;
}

Round Round::from(const Record& r)
{
    Round round;
    round.key = find(r, QStringLiteral("card")).toLongLong();
    for (int h = 0; h < 18; ++h) {
        round.holes[h] = whole(find(r, hole("hole", h)));
        round.greens[h] = find(r, hole("green", h)).toInt() != 0;
        round.fairways[h] = find(r, hole("fairway", h)).toInt() != 0;
    }
    round.out = whole(find(r, QStringLiteral("out")));
    round.inn = whole(find(r, QStringLiteral("inn")));
    round.gross = whole(find(r, QStringLiteral("gross")));
    round.net = whole(find(r, QStringLiteral("net")));
    round.putts = whole(find(r, QStringLiteral("putts")));
    round.handicap = number(find(r, QStringLiteral("hand")));
    round.date = text(r, "strdate");
    round.course = text(r, "course");
    round.player = text(r, "playerID");
    round.division = text(r, "division");
    round.standardScratch = text(r, "compss");
    round.competition = text(r, "comp");
    round.comment = text(r, "comment");
    if (const QVariant tee = find(r, QStringLiteral("teeID")); !tee.isNull() && tee.isValid())
        round.teeID = tee.toLongLong();
    round.tee = text(r, "tee");
    round.courseRating = number(find(r, QStringLiteral("courseRating")));
    round.slopeRating = whole(find(r, QStringLiteral("slopeRating")));
    round.teePar = number(find(r, QStringLiteral("teePar")));
    round.handicapIndex = number(find(r, QStringLiteral("handicapIndex")));
    round.courseHandicap = number(find(r, QStringLiteral("courseHandicap")));
    round.playingHandicap = whole(find(r, QStringLiteral("playingHandicap")));
    round.points = whole(find(r, QStringLiteral("points")));
    return round;
}

Round Round::from(const Rows& rows, qsizetype row)
{
    Record r;
    for (qsizetype i = 0; i < rows.columns.size(); ++i)
        r.insert(rows.columns[i], rows.rows[row].value(i));
    return from(r);
}

Record Round::record() const
{
    Record r{{QStringLiteral("out"), stored(out)},
             {QStringLiteral("inn"), stored(inn)},
             {QStringLiteral("gross"), stored(gross)},
             {QStringLiteral("net"), stored(net)},
             {QStringLiteral("putts"), stored(putts)},
             {QStringLiteral("hand"), stored(handicap)},
             {QStringLiteral("strdate"), date},
             {QStringLiteral("course"), course},
             {QStringLiteral("playerID"), player},
             {QStringLiteral("division"), division},
             {QStringLiteral("compss"), standardScratch},
             {QStringLiteral("comp"), competition},
             {QStringLiteral("comment"), comment},
             {QStringLiteral("teeID"), stored(teeID)},
             {QStringLiteral("tee"), tee.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : tee},
             {QStringLiteral("courseRating"), stored(courseRating)},
             {QStringLiteral("slopeRating"), stored(slopeRating)},
             {QStringLiteral("teePar"), stored(teePar)},
             {QStringLiteral("handicapIndex"), stored(handicapIndex)},
             {QStringLiteral("courseHandicap"), stored(courseHandicap)},
             {QStringLiteral("playingHandicap"), stored(playingHandicap)},
             {QStringLiteral("points"), stored(points)}};
    for (int h = 0; h < 18; ++h) {
        r.insert(hole("hole", h), stored(holes[h]));
        r.insert(hole("green", h), int(greens[h]));
        r.insert(hole("fairway", h), int(fairways[h]));
    }
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

} // namespace parlog
