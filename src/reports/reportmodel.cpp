#include "reports/reportmodel.h"

#include <QHash>
#include <QRegularExpression>

namespace parlog::report {

const Band* Layout::band(BandKind kind) const
{
    for (const Band& b : bands)
        if (b.kind == kind)
            return &b;
    return nullptr;
}

Band* Layout::bandNamed(const QString& bandName)
{
    for (Band& b : bands)
        if (b.name.compare(bandName, Qt::CaseInsensitive) == 0)
            return &b;
    return nullptr;
}

Item* Layout::item(const QString& bandName, const QString& itemName)
{
    Band* b = bandNamed(bandName);
    if (!b)
        return nullptr;
    for (Item& i : b->items)
        if (i.name.compare(itemName, Qt::CaseInsensitive) == 0)
            return &i;
    return nullptr;
}

const Item* Layout::item(const QString& bandName, const QString& itemName) const
{
    return const_cast<Layout*>(this)->item(bandName, itemName);
}

QStringList fieldColumns(const Layout& layout, bool childRows)
{
    QStringList columns;
    for (const Band& b : layout.bands)
        for (const Item& i : b.items)
            if (i.kind == Item::Kind::Field && !i.dataField.isEmpty() &&
                (!childRows || !i.dataMember.isEmpty()) && !i.dataField.startsWith(u'{') &&
                !columns.contains(i.dataField, Qt::CaseInsensitive))
                columns << i.dataField;
    return columns;
}

namespace {

QString captionOf(const Layout& layout, const Band& home, const Item& field)
{
    const auto overlap = [](const QRect& a, const QRect& b) {
        return qMin(a.right(), b.right()) - qMax(a.left(), b.left());
    };
    // A caption, not a title (large type) nor a value filled in when printed.
    const auto usable = [](const Item& i) {
        return i.kind == Item::Kind::Label && !i.filled && !i.caption.trimmed().isEmpty() &&
               !i.caption.startsWith(u'%') && !i.caption.contains(u'{') && i.font.points < 11;
    };
    const auto clean = [](QString caption) {
        caption = caption.trimmed();
        while (caption.endsWith(u':'))
            caption.chop(1);
        return caption.trimmed();
    };
    // The label that leads the field on its line, as a card prints "Player: Adams".
    const Item* left = nullptr;
    for (const Item& i : home.items)
        if (usable(i) && i.rect.right() <= field.rect.left() + 15 &&
            i.rect.top() < field.rect.bottom() && i.rect.bottom() > field.rect.top() &&
            (!left || i.rect.right() > left->rect.right()))
            left = &i;
    if (left)
        return clean(left->caption);
    // Else the heading over its column.
    for (const BandKind kind : {BandKind::PageHeader, BandKind::GroupHeader}) {
        const Item* best = nullptr;
        int bestOverlap = 0;
        for (const Band& b : layout.bands) {
            if (b.kind != kind)
                continue;
            for (const Item& i : b.items) {
                // A heading that covers at least half of the field is its own.
                const int o = usable(i) ? overlap(i.rect, field.rect) : 0;
                if (o > bestOverlap && 2 * o >= field.rect.width()) {
                    best = &i;
                    bestOverlap = o;
                }
            }
        }
        if (best)
            return clean(best->caption);
    }
    return {};
}

// A hole's strokes, ticks and detail are printed in a grid of hole numbers and columns
// headed Score, G, F, P, X and B, and an address in lines under one heading: one caption
// says both, in the words a card file is read with.
QString gridCaption(const QString& column)
{
    static const QRegularExpression numbered(
        QStringLiteral("^(hole|h|green|fairway|p|x|b|courseadd|address)(\\d+)$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = numbered.match(column);
    if (!m.hasMatch())
        return {};
    static const QHash<QString, QString> words{
        {QStringLiteral("green"), QStringLiteral("Green")},
        {QStringLiteral("fairway"), QStringLiteral("Fairway")},
        {QStringLiteral("p"), QStringLiteral("Putts")},
        {QStringLiteral("x"), QStringLiteral("Penalties")},
        {QStringLiteral("b"), QStringLiteral("Bunker")},
        {QStringLiteral("courseadd"), QStringLiteral("Address")},
        {QStringLiteral("address"), QStringLiteral("Address")}};
    return QStringLiteral("%1 %2").arg(words.value(m.captured(1).toLower(), QStringLiteral("Hole")),
                                       m.captured(2));
}

} // namespace

QStringList fieldCaptions(const Layout& layout, const QStringList& columns)
{
    QStringList captions;
    QHash<QString, int> seen;
    for (const QString& column : columns) {
        QString caption = gridCaption(column);
        for (const Band& b : layout.bands)
            for (const Item& i : b.items)
                if (caption.isEmpty() && i.kind == Item::Kind::Field &&
                    i.dataField.compare(column, Qt::CaseInsensitive) == 0)
                    caption = captionOf(layout, b, i);
        if (caption.isEmpty() && !column.isEmpty())
            caption = column.front().toUpper() + column.mid(1);
        const int n = ++seen[caption.toLower()];
        captions << (n == 1 ? caption : QStringLiteral("%1 %2").arg(caption).arg(n));
    }
    return captions;
}

Item label(const QString& name, const QString& caption, QRect rect, FontSpec f, Align align)
{
    Item i;
    i.kind = Item::Kind::Label;
    i.name = name;
    i.caption = caption;
    i.rect = rect;
    i.font = f;
    i.align = align;
    return i;
}

Item field(const QString& name, const QString& column, QRect rect, FontSpec f, Align align,
           Format format)
{
    Item i;
    i.kind = Item::Kind::Field;
    i.name = name;
    i.dataField = column;
    i.rect = rect;
    i.font = f;
    i.align = align;
    i.format = format;
    return i;
}

Item hline(const QString& name, int left, int top, int length)
{
    Item i;
    i.kind = Item::Kind::Line;
    i.name = name;
    i.rect = QRect(left, top, length, 0);
    return i;
}

Item picture(const QString& name, const QString& resource, QRect rect)
{
    Item i;
    i.kind = Item::Kind::Picture;
    i.name = name;
    i.picture = resource;
    i.rect = rect;
    return i;
}

FontSpec font(double points, bool bold, bool italic, const QString& family)
{
    FontSpec f;
    f.family = family;
    f.points = points;
    f.bold = bold;
    f.italic = italic;
    return f;
}

} // namespace parlog::report
