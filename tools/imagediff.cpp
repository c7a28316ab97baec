// Compares two folders of screenshots, or two pictures, pixel by pixel, and says which
// differ and where: parlog-imagediff BEFORE AFTER [--diff OUTDIR]
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRect>
#include <QTextStream>

namespace {

// Pixels that differ and the rectangle around them; -1 when the sizes differ.
std::pair<qint64, QRect> difference(const QImage& a, const QImage& b, QImage* marked)
{
    if (a.size() != b.size())
        return {-1, {}};
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    if (marked)
        *marked = y;
    qint64 count = 0;
    QRect box;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            if (p[col] != q[col]) {
                ++count;
                box |= QRect(col, row, 1, 1);
                if (marked)
                    marked->setPixel(col, row, qRgb(255, 0, 0));
            }
        }
    }
    return {count, box};
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream out(stdout);
    if (args.size() < 3) {
        out << "usage: parlog-imagediff BEFORE AFTER [--diff OUTDIR]\n";
        return 2;
    }
    const QString diffFolder = args.indexOf(QStringLiteral("--diff")) > 0
                                   ? args.value(args.indexOf(QStringLiteral("--diff")) + 1)
                                   : QString();
    QStringList pairs;
    const QFileInfo before(args[1]);
    if (before.isDir()) {
        for (const QString& name : QDir(args[1]).entryList({QStringLiteral("*.png")}, QDir::Files))
            pairs << name;
    } else {
        pairs << QString();
    }
    int differing = 0;
    for (const QString& name : std::as_const(pairs)) {
        const QString a = name.isEmpty() ? args[1] : QDir(args[1]).filePath(name);
        const QString b = name.isEmpty() ? args[2] : QDir(args[2]).filePath(name);
        QImage marked;
        const auto [count, box] =
            difference(QImage(a), QImage(b), diffFolder.isEmpty() ? nullptr : &marked);
        if (count == 0)
            continue;
        ++differing;
        if (count < 0) {
            out << QFileInfo(a).fileName() << ": sizes differ\n";
            continue;
        }
        out << QFileInfo(a).fileName() << ": " << count << " pixels in " << box.x() << ","
            << box.y() << " " << box.width() << "x" << box.height() << "\n";
        if (!diffFolder.isEmpty())
            marked.save(QDir(diffFolder).filePath(QFileInfo(a).fileName()));
    }
    out << pairs.size() - differing << " of " << pairs.size() << " the same\n";
    return differing == 0 ? 0 : 1;
}
