#include "data/schema.h"

namespace parlog::schema {

namespace {

QList<Column> numbered(const char* prefix, Type type)
{
    QList<Column> columns;
    for (int hole = 1; hole <= 18; ++hole)
        columns.append({QLatin1String(prefix) + QString::number(hole), type});
    return columns;
}

QList<Column> columns(std::initializer_list<std::pair<const char*, Type>> list)
{
    QList<Column> result;
    for (const auto& [name, type] : list)
        result.append({QString::fromLatin1(name), type});
    return result;
}

} // namespace

QStringList Table::columnNames() const
{
    QStringList names;
    for (const Column& c : columns)
        names << c.name;
    return names;
}

const Column* Table::column(const QString& wanted) const
{
    for (const Column& c : columns)
        if (c.name.compare(wanted, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

const Table& player()
{
    static const Table t{QStringLiteral("player"), columns({{"ID", Type::Key},
                                                            {"playername", Type::Name},
                                                            {"membership", Type::Text},
                                                            {"Handicapp", Type::Text},
                                                            {"division", Type::Name},
                                                            {"address1", Type::Text},
                                                            {"address2", Type::Text},
                                                            {"address3", Type::Text},
                                                            {"postcode", Type::Text},
                                                            {"telephone", Type::Text},
                                                            {"mobile", Type::Text},
                                                            {"email", Type::Text}})};
    return t;
}

const Table& courses()
{
    static const Table t{QStringLiteral("courses"), columns({{"ID", Type::Key},
                                                             {"coursename", Type::Name},
                                                             {"courseadd1", Type::Text},
                                                             {"courseadd2", Type::Text},
                                                             {"courseadd3", Type::Text},
                                                             {"coursetel", Type::Text}}) +
                                                        numbered("hole", Type::Number) +
                                                        columns({{"coursepar", Type::Number}})};
    return t;
}

const Table& division()
{
    static const Table t{QStringLiteral("division"), columns({{"type", Type::Name}})};
    return t;
}

const Table& score()
{
    static const Table t{QStringLiteral("score"), numbered("hole", Type::Whole) +
                                                      columns({{"out", Type::Whole},
                                                               {"inn", Type::Whole},
                                                               {"gross", Type::Whole},
                                                               {"net", Type::Whole},
                                                               {"putts", Type::Whole},
                                                               {"hand", Type::Number},
                                                               {"strdate", Type::Date}}) +
                                                      numbered("green", Type::Tick) +
                                                      numbered("fairway", Type::Tick) +
                                                      columns({{"course", Type::Name},
                                                               {"playerID", Type::Name},
                                                               {"division", Type::Name},
                                                               {"compss", Type::Text},
                                                               {"comp", Type::Name},
                                                               {"comment", Type::Text}})};
    return t;
}

QList<const Table*> tables()
{
    return {&player(), &courses(), &division(), &score()};
}

const Table* table(const QString& name)
{
    for (const Table* t : tables())
        if (t->name == name)
            return t;
    return nullptr;
}

QList<Index> indexes()
{
    const auto index = [](const char* name, const char* table, QStringList columns) {
        return Index{QString::fromLatin1(name), QString::fromLatin1(table), std::move(columns)};
    };
    return {
        index("player_name", "player", {QStringLiteral("playername")}),
        index("courses_name", "courses", {QStringLiteral("coursename")}),
        index("division_type", "division", {QStringLiteral("type")}),
        index("score_player_net", "score", {QStringLiteral("playerID"), QStringLiteral("net")}),
        index("score_player_course", "score",
              {QStringLiteral("playerID"), QStringLiteral("course"), QStringLiteral("net")}),
        index("score_player_date", "score",
              {QStringLiteral("playerID"), QStringLiteral("strdate")}),
        index("score_course", "score", {QStringLiteral("course")}),
        index("score_comp", "score", {QStringLiteral("comp")}),
        index("score_date", "score", {QStringLiteral("strdate")}),
        index("score_net", "score", {QStringLiteral("net")}),
    };
}

QStringList columnNames(const QString& name)
{
    const Table* t = table(name);
    return t ? t->columnNames() : QStringList();
}

QStringList tableNames()
{
    QStringList names;
    for (const Table* t : tables())
        names << t->name;
    return names;
}

} // namespace parlog::schema
