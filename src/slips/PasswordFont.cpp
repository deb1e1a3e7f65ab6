#include "PasswordFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

#include <algorithm>
#include <cstdlib>

namespace {

// Characters that must not look alike. In these groups each needs a shape of its own: scaled
// to the same box, two of them must still differ in at least the given share of the box. A plain
// bar for I, l and | differs in none of it; a backslash drawn as a yen sign differs from the yen
// sign in a tenth, where a true backslash differs in a third.
struct ShapeGroup {
    QString characters;
    double minimumDifference;
};
const ShapeGroup kOwnShapes[] = {
    {QStringLiteral("1lI|"), 0.05}, {QStringLiteral("\\\u00A5"), 0.2}, {QStringLiteral("`'"), 0.2}};
// Zero and O are ovals in most faces and differ by their width: distinct outlines suffice.
const QString kOwnOutlines = QStringLiteral("0Oo");
constexpr int kShapeBox = 24;

// The glyph drawn to fill a small square, in grey levels.
QImage ShapeOf(const QPainterPath& outline) {
    QImage image(kShapeBox, kShapeBox, QImage::Format_Grayscale8);
    image.fill(0);
    const QRectF bounds = outline.boundingRect();
    if (bounds.isEmpty())
        return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(kShapeBox / bounds.width(), kShapeBox / bounds.height());
    painter.translate(-bounds.topLeft());
    painter.fillPath(outline, Qt::white);
    return image;
}

double ShapeDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < kShapeBox; ++y) {
        const uchar* lineA = a.constScanLine(y);
        const uchar* lineB = b.constScanLine(y);
        for (int x = 0; x < kShapeBox; ++x)
            sum += std::abs(int(lineA[x]) - int(lineB[x]));
    }
    return sum / (kShapeBox * kShapeBox * 255.0);
}

// Every printable ASCII character is as wide as every other.
bool FixedPitch(const QRawFont& raw) {
    QString ascii;
    for (char16_t c = 0x21; c < 0x7F; ++c)
        ascii += QChar(c);
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(raw.glyphIndexesForString(ascii));
    return std::all_of(advances.cbegin(), advances.cend(),
                       [&](const QPointF& a) { return qFuzzyCompare(a.x(), advances[0].x()); });
}

} // namespace

const QStringList& PasswordFontCandidates() {
    static const QStringList candidates = {QStringLiteral("BIZ UDGothic"),
                                           QStringLiteral("VL Gothic"), QStringLiteral("MigMix 1M"),
                                           QStringLiteral("DejaVu Sans Mono")};
    return candidates;
}

QString ChoosePasswordFamily(const QStringList& candidates,
                             const std::function<bool(const QString& family)>& usable) {
    for (const QString& family : candidates) {
        if (usable(family))
            return family;
    }
    return QString();
}

bool DrawsLookAlikesApart(const QString& family) {
    if (!QFontDatabase::hasFamily(family))
        return false;
    QFont font(family);
    font.setPixelSize(64);
    // Without this the font database would quietly fill in from another face.
    font.setStyleStrategy(QFont::NoFontMerging);
    if (QFontInfo(font).family() != family)
        return false;
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid() || !FixedPitch(raw))
        return false;
    const auto outlines = [&](const QString& group) {
        QList<QPainterPath> paths;
        for (const quint32 glyph : raw.glyphIndexesForString(group)) {
            if (glyph == 0)
                return QList<QPainterPath>(); // the face lacks the character
            paths.append(raw.pathForGlyph(glyph));
        }
        return paths;
    };
    const QList<QPainterPath> ovals = outlines(kOwnOutlines);
    if (ovals.isEmpty() || ovals[0] == ovals[1] || ovals[0] == ovals[2] || ovals[1] == ovals[2])
        return false;
    for (const ShapeGroup& group : kOwnShapes) {
        QList<QImage> shapes;
        for (const QPainterPath& outline : outlines(group.characters))
            shapes.append(ShapeOf(outline));
        if (shapes.size() != group.characters.size())
            return false;
        for (qsizetype a = 0; a < shapes.size(); ++a) {
            for (qsizetype b = a + 1; b < shapes.size(); ++b) {
                if (ShapeDifference(shapes[a], shapes[b]) < group.minimumDifference)
                    return false;
            }
        }
    }
    return true;
}

QFont PasswordFont(qreal points) {
    static const QString family =
        ChoosePasswordFamily(PasswordFontCandidates(), &DrawsLookAlikesApart);
    QFont font =
        family.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : QFont(family);
    font.setPointSizeF(points);
    font.setStyleHint(QFont::Monospace);
    return font;
}
