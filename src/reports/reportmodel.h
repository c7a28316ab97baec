#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

namespace parlog::report {

// Positions and sizes are in twips, 1440 to the inch, from the top left of the band.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kTwipsPerPoint = 20;

enum class BandKind {
    ReportHeader,
    PageHeader,
    GroupHeader,
    Detail,
    GroupFooter,
    PageFooter,
    ReportFooter
};

enum class Align { Left, Center, Right };

enum class Format {
    General,     // the value as it stands; ISO dates as d-mmm-yy, whole numbers without ".0"
    DottedShort, // d.MMM.yy  5.Mar.04
    DottedLong,  // d.MMMyyyy 5.Mar2004
    YesNo,       // "x" for a set flag, nothing for a clear or empty one
    Whole,       // a number to the nearest whole, halves upward: a course handicap
    Index,       // a Handicap Index to a tenth, a plus index as "+1.2"
    Counted,     // a count, blank when none: a hole's penalty strokes
};

struct FontSpec {
    QString family = QStringLiteral("Arial");
    double points = 8.25;
    bool bold = false;
    bool italic = false;
};

struct Item {
    enum class Kind { Label, Field, Line, Picture };
    Kind kind = Kind::Label;
    QString name;
    QRect rect;          // a line runs along the top of its rect, or down its left for width 0
    QString caption;     // labels; "%D" prints the run date in the long form
    bool filled = false; // a label whose caption came from a parameter: a value
    QString dataField;   // fields: the column, matched ignoring case
    QString dataMember;  // fields: "work" reads the child rows of a grouped source
    FontSpec font;
    Align align = Align::Left;
    Format format = Format::General;
    QString picture; // pictures: an SVG's resource or file path ("{name}": a parameter)
};

struct Band {
    QString name; // Section1, Section2 ...
    BandKind kind = BandKind::Detail;
    int height = 0;
    QList<Item> items;
};

struct Layout {
    QString name;    // DataReport1 ...
    QString caption; // the report window's caption
    int width = 0;
    QList<Band> bands;
    // It prints members' addresses or telephone numbers: a file of it is the owner's alone.
    bool contactDetails = false;
    // Printed across the page: a knock-out's bracket.
    bool landscape = false;

    const Band* band(BandKind kind) const;
    Band* bandNamed(const QString& name);
    Item* item(const QString& bandName, const QString& itemName);
    const Item* item(const QString& bandName, const QString& itemName) const;
};

// The columns a layout's fields print, each once, in the order they are drawn; a
// field bound through a parameter is left out.
// childRows: only the fields that read the child rows of a grouped source.
QStringList fieldColumns(const Layout& layout, bool childRows = false);
// The caption the report prints for each column: the heading over its field, or the
// label beside it; the column's name where it has none. Repeated captions are
// numbered (Address, Address 2), so that a spreadsheet's headers stay apart.
QStringList fieldCaptions(const Layout& layout, const QStringList& columns);

// Small builders that keep the layouts readable.
Item label(const QString& name, const QString& caption, QRect rect, FontSpec font = {},
           Align align = Align::Left);
Item field(const QString& name, const QString& column, QRect rect, FontSpec font = {},
           Align align = Align::Left, Format format = Format::General);
Item hline(const QString& name, int left, int top, int length);
Item picture(const QString& name, const QString& resource, QRect rect);
FontSpec font(double points, bool bold = false, bool italic = false,
              const QString& family = QStringLiteral("Arial"));

} // namespace parlog::report
