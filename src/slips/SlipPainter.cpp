#include "SlipPainter.h"

#include "FileTarget.h"
#include "PasswordFont.h"
#include "SlipLayout.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <cerrno>

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kPointsPerInch = 72;
// Texts are measured at this size, so that rounding does not matter.
constexpr double kMeasurePoints = 100;

// The face of everything but accounts and passwords: the window's own.
QFont TextFont(double points, bool bold = false) {
    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                      QStringLiteral("BIZ UDPGothic")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// One text per code point, so a character outside the BMP stays whole.
QStringList CodePoints(const QString& text) {
    QStringList points;
    points.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        points.append(text.mid(i, pair ? 2 : 1));
        i += pair ? 1 : 0;
    }
    return points;
}

class SlipCanvas {
public:
    SlipCanvas(QPainter& painter, QPaintDevice& device)
        : m_painter(painter), m_device(device), m_xScale(device.logicalDpiX() / kTwipsPerInch),
          m_yScale(device.logicalDpiY() / kTwipsPerInch),
          m_passwordMetrics(PasswordFont(kMeasurePoints), &device),
          m_cell(m_passwordMetrics.horizontalAdvance(u'0')) {}

    TwipsSize printable() const {
        return {m_device.width() / m_xScale, m_device.height() / m_yScale};
    }

    // A text's width per point of its size.
    double ems(const QFont& font, const QString& text) const {
        if (text.isEmpty())
            return 0;
        QFont big = font;
        big.setPointSizeF(kMeasurePoints);
        return QFontMetricsF(big, &m_device).horizontalAdvance(text) / pointPixels(kMeasurePoints);
    }
    double cellEms() const { return m_cell / pointPixels(kMeasurePoints); }

    CellWidths cellWidths(const QStringList& characters) const {
        CellWidths widths;
        widths.reserve(characters.size());
        for (const QString& c : characters)
            widths.push_back(m_passwordMetrics.horizontalAdvance(c) > m_cell * 1.5 ? 2 : 1);
        return widths;
    }

    QRectF device(const TwipsRect& r) const {
        return {r.left * m_xScale, r.top * m_yScale, r.width * m_xScale, r.height * m_yScale};
    }
    QPointF device(TwipsPoint p) const { return {p.x * m_xScale, p.y * m_yScale}; }

    void drawText(const TwipsRect& rect, const QFont& font, const QString& text, int flags) {
        m_painter.setFont(font);
        m_painter.drawText(device(rect), flags, text);
    }

    // A password-face text, run by run: characters that stand side by side go out as one
    // string, so a PDF reader reads the password back as typed.
    void drawCells(const CellBlock& block, const QStringList& characters,
                   const CellWidths& widths) {
        const auto left = [&](std::size_t i) {
            return block.rect.left + block.cells[i] * block.cellWidth;
        };
        const auto top = [&](std::size_t i) {
            return block.rect.top + block.lines[i] * block.lineHeight;
        };
        const double rowHeight = block.kindTop > 0 ? block.kindTop : block.lineHeight;
        m_painter.setFont(PasswordFont(block.points));
        const auto count = std::size_t(characters.size());
        for (std::size_t i = 0; i < count;) {
            std::size_t end = i + 1;
            int width = widths[i];
            while (end < count && block.lines[end] == block.lines[i] &&
                   block.cells[end] == block.cells[i] + width) {
                width += widths[end];
                ++end;
            }
            const QString run = characters.mid(qsizetype(i), qsizetype(end - i)).join(QString());
            drawRun({left(i), top(i), width * block.cellWidth, rowHeight}, run);
            i = end;
        }
        if (block.kindPoints <= 0)
            return;
        m_painter.setFont(TextFont(block.kindPoints));
        for (std::size_t i = 0; i < count; ++i) {
            const TwipsRect mark{left(i), top(i) + block.kindTop, widths[i] * block.cellWidth,
                                 block.lineHeight - block.kindTop};
            m_painter.drawText(device(mark), Qt::AlignHCenter | Qt::AlignTop,
                               CharacterKindMark(characters[qsizetype(i)].toUcs4().value(0)));
        }
    }

    void drawCutLines(const SlipPageLayout& page) {
        QPen pen(QColor(0x70, 0x70, 0x70));
        pen.setStyle(Qt::DashLine);
        pen.setWidthF(0.5 * pointPixels(1));
        m_painter.setPen(pen);
        for (const SlipPageLayout::Line& line : page.cutLines)
            m_painter.drawLine(device(line.from), device(line.to));
        m_painter.setPen(Qt::black);
    }

private:
    double pointPixels(double points) const {
        return points * m_device.logicalDpiY() / kPointsPerInch;
    }
    // One run of the password face, unwrapped and unclipped: the layout made room for it.
    void drawRun(const TwipsRect& rect, const QString& run) {
        m_painter.drawText(device(rect), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, run);
    }

    QPainter& m_painter;
    QPaintDevice& m_device;
    double m_xScale;
    double m_yScale;
    const QFontMetricsF m_passwordMetrics; // the password face at kMeasurePoints
    double m_cell;
};

} // namespace

QString SlipAccountLabel() {
    return QStringLiteral("アカウント");
}

QString SlipPasswordLabel() {
    return QStringLiteral("パスワード");
}

QString SlipDateText(const QDate& date) {
    return QStringLiteral("発行日 %1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

QString SlipPageNumberText(int page, int pages) {
    return QStringLiteral("%1 / %2").arg(page).arg(pages);
}

int SlipPageCount(qsizetype count, int slipsPerPage) {
    const SlipGrid grid = SlipGridFor(slipsPerPage);
    const qsizetype perPage = grid.columns * grid.rows;
    return int((count + perPage - 1) / perPage);
}

bool PaintSlips(QPagedPaintDevice& device, const SlipSettings& settings,
                const std::vector<SlipEntry>& entries) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    SlipCanvas canvas(painter, device);
    const SlipPageLayout page = ComputeSlipPage(canvas.printable(), settings.slipsPerPage);
    const int pages = SlipPageCount(qsizetype(entries.size()), settings.slipsPerPage);
    const QString date = SlipDateText(settings.issueDate);

    SlipMeasures common;
    common.titleEms = canvas.ems(TextFont(1, true), settings.title);
    common.dateEms = canvas.ems(TextFont(1), date);
    common.labelEms = std::max(canvas.ems(TextFont(1), SlipAccountLabel()),
                               canvas.ems(TextFont(1), SlipPasswordLabel()));
    common.noteEms = canvas.ems(TextFont(1), settings.note);
    common.cellEms = canvas.cellEms();
    common.kindEms = canvas.ems(TextFont(1), QStringLiteral("大"));
    common.groupsOfFour = settings.groupsOfFour;
    common.kinds = settings.kinds;

    const std::size_t perPage = page.slips.size();
    for (std::size_t at = 0; at < entries.size(); ++at) {
        const std::size_t onPage = at % perPage;
        if (onPage == 0) {
            if (at > 0 && !device.newPage())
                return false;
            canvas.drawCutLines(page);
            canvas.drawText(page.pageNumber, TextFont(page.pageNumberPoints),
                            SlipPageNumberText(int(at / perPage) + 1, pages), Qt::AlignHCenter);
        }
        const SlipEntry& entry = entries[at];
        const QStringList account = CodePoints(entry.account);
        const QStringList password = CodePoints(entry.password);
        SlipMeasures measures = common;
        measures.account = canvas.cellWidths(account);
        measures.password = canvas.cellWidths(password);
        const SlipLayout slip = ComputeSlip(page.slips[onPage], measures);

        const int wrapped = Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere;
        canvas.drawText(slip.title.rect, TextFont(slip.title.points, true), settings.title,
                        wrapped);
        canvas.drawText(slip.date.rect, TextFont(slip.date.points), date,
                        Qt::AlignRight | Qt::AlignTop);
        if (!entry.numbered)
            canvas.drawText(slip.accountLabel.rect, TextFont(slip.accountLabel.points),
                            SlipAccountLabel(), Qt::AlignLeft | Qt::AlignTop);
        canvas.drawCells(slip.account, account, measures.account);
        canvas.drawText(slip.passwordLabel.rect, TextFont(slip.passwordLabel.points),
                        SlipPasswordLabel(), Qt::AlignLeft | Qt::AlignTop);
        canvas.drawCells(slip.password, password, measures.password);
        if (slip.note.lines > 0)
            canvas.drawText(slip.note.rect, TextFont(slip.note.points), settings.note, wrapped);
    }
    return painter.end();
}

QByteArray SlipsPdf(const SlipSettings& settings, const std::vector<SlipEntry>& entries,
                    const QPageSize& pageSize) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(pageSize);
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        writer.setTitle(settings.title);
        writer.setCreator(QStringLiteral("キーミル"));
        if (!PaintSlips(writer, settings, entries))
            return QByteArray();
    }
    return buffer.data();
}

WriteOutcome WriteSlipsPdf(const QString& path, const SlipSettings& settings,
                           const std::vector<SlipEntry>& entries, const QPageSize& pageSize) {
    const QByteArray pdf = SlipsPdf(settings, entries, pageSize);
    if (pdf.isEmpty())
        return ErrnoOutcome(EIO);
    FileTarget target;
    WriteOutcome outcome = target.open(path);
    if (outcome.ok())
        outcome = target.write(pdf);
    if (outcome.ok())
        outcome = target.commit();
    return outcome; // a failed step leaves no file, and an old one as it was
}
