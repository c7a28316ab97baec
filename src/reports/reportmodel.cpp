#include "reports/reportmodel.h"

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
