#include "masterdata/coursepar.h"

#include "data/conversions.h"
#include "golf/rules.h"
#include "golf/whs.h"

#include <limits>

namespace parlog {

std::optional<std::int32_t> coursePar(const std::array<QString, 18>& pars)
{
    std::int64_t total = 0;
    for (const QString& text : pars) {
        const auto par = toInt32(text);
        if (!par)
            return std::nullopt;
        total += *par;
        if (total < std::numeric_limits<std::int32_t>::min() ||
            total > std::numeric_limits<std::int32_t>::max())
            return std::nullopt;
    }
    return static_cast<std::int32_t>(total);
}

Status readPars(const std::array<QString, 18>& pars, const QString& total, Course& into)
{
    const auto refuse = [](const QString& box, const QString& text) {
        return Failure{
            QStringLiteral("the %1 is %2")
                .arg(box, text.trimmed().isEmpty()
                              ? QStringLiteral("empty")
                              : QStringLiteral("\"%1\", which is not a number").arg(text))};
    };
    for (int h = 0; h < 18; ++h) {
        const auto par = toNumber(pars[h]);
        if (!par)
            return refuse(QStringLiteral("par of hole %1").arg(h + 1), pars[h]);
        into.pars[h] = *par;
    }
    const auto par = toNumber(total);
    if (!par)
        return refuse(QStringLiteral("Course Par"), total);
    into.par = *par;
    return {};
}

Status readStrokeIndexes(const std::array<QString, 18>& texts,
                         std::array<std::optional<int>, 18>& into)
{
    bool any = false;
    for (const QString& text : texts)
        any |= !text.trimmed().isEmpty();
    into.fill(std::nullopt);
    if (!any)
        return {};
    std::array<int, 19> holeOf{};
    for (int h = 0; h < 18; ++h) {
        const QString text = texts[h].trimmed();
        bool whole = false;
        const int index = text.toInt(&whole);
        if (!whole || index < 1 || index > 18)
            return Failure{QStringLiteral("the stroke index of hole %1 is %2: give each hole one "
                                          "of 1 to 18, or leave them all empty")
                               .arg(h + 1)
                               .arg(text.isEmpty() ? QStringLiteral("empty")
                                                   : QStringLiteral("\"%1\"").arg(text))};
        if (holeOf[index] != 0)
            return Failure{QStringLiteral("stroke index %1 is given to holes %2 and %3: each "
                                          "index goes to one hole")
                               .arg(index)
                               .arg(holeOf[index])
                               .arg(h + 1)};
        holeOf[index] = h + 1;
        into[h] = index;
    }
    return {};
}

QString nineText(const Tee::Nine& nine)
{
    if (!nine.rated())
        return QString();
    return QStringLiteral("%1 / %2 / %3")
        .arg(QString::number(*nine.courseRating, 'f', 1))
        .arg(*nine.slopeRating)
        .arg(*nine.par);
}

namespace {

// "35.6 / 121 / 36": a nine's rating, slope and par, or why not.
Result<Tee::Nine> readNine(const QString& text)
{
    Tee::Nine nine;
    if (text.trimmed().isEmpty())
        return nine;
    const QStringList parts = text.split(QLatin1Char('/'));
    const auto refuse = [&text] {
        return Failure{QStringLiteral("\"%1\" is not a nine's course rating, slope rating and "
                                      "par, as 35.6 / 121 / 36")
                           .arg(text.trimmed())};
    };
    if (parts.size() != 3)
        return refuse();
    const double rating = toNumber(parts[0].trimmed()).value_or(0);
    bool slopeWhole = false;
    bool parWhole = false;
    const int slope = parts[1].trimmed().toInt(&slopeWhole);
    const int par = parts[2].trimmed().toInt(&parWhole);
    if (rating <= 0 || !slopeWhole || !parWhole || slope < 55 || slope > 155 || par < 27 ||
        par > 45 || !whs::ratingsHold(rating, slope, par))
        return refuse();
    nine.courseRating = golf::roundHalfUp(rating, 1);
    nine.slopeRating = slope;
    nine.par = par;
    return nine;
}

} // namespace

Result<Tee> readTee(const TeeTexts& texts, double coursePar)
{
    Tee tee;
    tee.name = texts.name.trimmed();
    const QString who = tee.name.isEmpty() ? QStringLiteral("a tee") : tee.name;
    const auto refuse = [&](const QString& why) {
        return Failure{QStringLiteral("the tee %1 %2").arg(who, why)};
    };
    if (tee.name.isEmpty())
        return Failure{QStringLiteral("a tee has no name")};
    const QString rated = texts.ratedFor.trimmed().toLower();
    if (rated == u"men" || rated == u"m")
        tee.ratedFor = QStringLiteral("Men");
    else if (rated == u"women" || rated == u"w" || rated == u"ladies")
        tee.ratedFor = QStringLiteral("Women");
    else
        return refuse(
            QStringLiteral("is rated for \"%1\": choose Men or Women").arg(texts.ratedFor));
    const QString ratingText = texts.courseRating.trimmed();
    const QString slopeText = texts.slopeRating.trimmed();
    if (ratingText.isEmpty() != slopeText.isEmpty())
        return refuse(QStringLiteral("has a %1 but no %2: give both, or neither for a tee that "
                                     "is not rated")
                          .arg(ratingText.isEmpty() ? QStringLiteral("slope rating")
                                                    : QStringLiteral("course rating"),
                               ratingText.isEmpty() ? QStringLiteral("course rating")
                                                    : QStringLiteral("slope rating")));
    if (!ratingText.isEmpty()) {
        const auto rating = toNumber(ratingText);
        if (!rating || *rating < 30 || *rating > 90)
            return refuse(QStringLiteral("has a course rating of \"%1\": give the rating as "
                                         "published, such as 71.2")
                              .arg(ratingText));
        tee.courseRating = golf::roundHalfUp(*rating, 1);
        bool whole = false;
        const int slope = slopeText.toInt(&whole);
        if (!whole || slope < 55 || slope > 155)
            return refuse(QStringLiteral("has a slope rating of \"%1\": a slope rating is a "
                                         "whole number from 55 to 155")
                              .arg(slopeText));
        tee.slopeRating = slope;
    }
    if (!texts.par.trimmed().isEmpty()) {
        const auto par = toNumber(texts.par);
        if (!par || *par <= 0)
            return refuse(
                QStringLiteral("has a par of \"%1\", which is not a number").arg(texts.par));
        tee.par = *par;
    }
    const double par = tee.par.value_or(coursePar);
    if (tee.rated() && !whs::ratingsHold(*tee.courseRating, *tee.slopeRating, par))
        return refuse(QStringLiteral("has a course rating of %1 on a par of %2: a course rating "
                                     "is within %3 strokes of the tee's par")
                          .arg(*tee.courseRating)
                          .arg(par)
                          .arg(whs::kRatingFromPar));
    const auto front = readNine(texts.front);
    if (!front)
        return refuse(QStringLiteral("has for its front nine %1").arg(front.error()));
    const auto back = readNine(texts.back);
    if (!back)
        return refuse(QStringLiteral("has for its back nine %1").arg(back.error()));
    tee.front = *front;
    tee.back = *back;
    return tee;
}

} // namespace parlog
