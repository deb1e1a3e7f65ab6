#include "SlipLayout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr double kTwipsPerPoint = 20;
constexpr double kLineFactor = 1.25; // line height per point of font size
constexpr double kFrameInset = 20;   // keeps the cut lines' width inside the printable area
constexpr double kPadding = 200;     // between a cut line and the slip's content
constexpr double kRowGap = 100;
constexpr double kLabelGap = 160;
constexpr double kFooterPoints = 9;

// Preferred and smallest one-line sizes, in points, before the slip as a whole shrinks.
constexpr double kTitlePoints = 13, kTitleMinPoints = 8;
constexpr double kDatePoints = 9;
constexpr double kLabelPoints = 10;
constexpr double kNotePoints = 10;
constexpr double kAccountPoints = 15, kAccountMinPoints = 8;
constexpr double kPasswordPoints = 20, kPasswordMinPoints = 9;
// The kind mark under a character takes at most this share of the character's cell.
constexpr double kKindShare = 0.9;

double LineHeight(double points) {
    return points * kLineFactor * kTwipsPerPoint;
}

// Lines a proportional text needs at a width: a line broken anywhere leaves less than one
// character (at most one em) unused, so each line is counted as one em shorter.
int TextLines(double ems, double points, double width) {
    const double usable = width - points * kTwipsPerPoint;
    if (ems <= 0)
        return 1;
    if (usable <= 0)
        return std::max(1, int(std::ceil(ems))); // a character a line, as good as it gets
    return std::max(1, int(std::ceil(ems * points * kTwipsPerPoint / usable)));
}

// Shrinks a text towards `minPoints` to keep it on one line, then wraps it at `minPoints`.
double OneLineOrMinimum(double ems, double points, double minPoints, double width) {
    if (ems <= 0 || ems * points * kTwipsPerPoint <= width)
        return points;
    return std::max(minPoints, width / (ems * kTwipsPerPoint));
}

int TotalCells(const CellWidths& widths, int group) {
    const int cells = std::accumulate(widths.begin(), widths.end(), 0);
    const int gaps = group > 0 && !widths.empty() ? (int(widths.size()) - 1) / group : 0;
    return cells + gaps;
}

CellBlock SetCells(const CellWidths& widths, const SlipMeasures& m, double points, double minPoints,
                   double width, bool isPassword) {
    // Groups and kinds are the password's; an account reads as one word.
    const int group = isPassword && m.groupsOfFour ? 4 : 0;
    const bool withKinds = isPassword && m.kinds;
    const double oneLine = std::max(1, TotalCells(widths, group)) * m.cellEms * kTwipsPerPoint;
    CellBlock block;
    block.points = std::min(points, std::max(minPoints, width / oneLine));
    block.cellWidth = m.cellEms * block.points * kTwipsPerPoint;
    const int perLine = std::max(1, int(std::floor(width / block.cellWidth + 1e-9)));
    CellFlow flow = FlowCells(widths, perLine, group);
    block.lines = std::move(flow.lines);
    block.cells = std::move(flow.cells);
    block.lineCount = std::max(1, flow.lineCount);
    block.lineHeight = LineHeight(block.points);
    if (withKinds) {
        block.kindPoints = block.cellWidth * kKindShare / (m.kindEms * kTwipsPerPoint);
        block.kindTop = block.lineHeight;
        block.lineHeight += LineHeight(block.kindPoints);
    }
    block.rect.width = std::min(width, flow.widestLine * block.cellWidth);
    block.rect.height = block.lineCount * block.lineHeight;
    return block;
}

// The slip with every size multiplied by `scale`.
SlipLayout LayOut(const TwipsRect& slip, const SlipMeasures& m, double scale) {
    SlipLayout s;
    s.slip = slip;
    const double padding = std::min(kPadding, std::min(slip.width, slip.height) / 8);
    s.inner = {slip.left + padding, slip.top + padding, std::max(0.0, slip.width - 2 * padding),
               std::max(0.0, slip.height - 2 * padding)};
    const TwipsRect& in = s.inner;
    double y = in.top;

    // Title at the left, the date at the right of the first row.
    s.date.points = kDatePoints * scale;
    s.date.lines = 1;
    s.date.rect.width = std::min(in.width / 2, m.dateEms * s.date.points * kTwipsPerPoint);
    const double titleWidth = std::max(0.0, in.width - s.date.rect.width - kLabelGap * scale);
    s.title.points =
        OneLineOrMinimum(m.titleEms, kTitlePoints * scale, kTitleMinPoints * scale, titleWidth);
    s.title.lines = TextLines(m.titleEms, s.title.points, titleWidth);
    s.title.rect = {in.left, y, titleWidth, s.title.lines * LineHeight(s.title.points)};
    s.date.rect.left = in.left + in.width - s.date.rect.width;
    s.date.rect.top = y;
    s.date.rect.height = LineHeight(s.date.points);
    y += std::max(s.title.rect.height, s.date.rect.height) + kRowGap * scale;

    // The two rows of label and value share the label column.
    const double labelPoints = kLabelPoints * scale;
    const double labelWidth = std::min(in.width / 3, m.labelEms * labelPoints * kTwipsPerPoint);
    const double valueLeft = in.left + labelWidth + (labelWidth > 0 ? kLabelGap * scale : 0);
    const double valueWidth = std::max(0.0, in.left + in.width - valueLeft);
    const auto row = [&](SlipTextBlock& label, CellBlock& value, const CellWidths& widths,
                         double points, double minPoints, bool isPassword) {
        value = SetCells(widths, m, points * scale, minPoints * scale, valueWidth, isPassword);
        value.rect.left = valueLeft;
        value.rect.top = y;
        label.points = labelPoints;
        label.lines = 1;
        // The label stands on the baseline row of the value's first line.
        const double labelHeight = LineHeight(labelPoints);
        const double firstLine = LineHeight(value.points);
        label.rect = {in.left, y + std::max(0.0, firstLine - labelHeight) * 0.75, labelWidth,
                      labelHeight};
        y += std::max(value.rect.height, label.rect.top + labelHeight - y) + kRowGap * scale;
    };
    row(s.accountLabel, s.account, m.account, kAccountPoints, kAccountMinPoints, false);
    row(s.passwordLabel, s.password, m.password, kPasswordPoints, kPasswordMinPoints, true);

    s.note.points = kNotePoints * scale;
    s.note.lines = m.noteEms > 0 ? TextLines(m.noteEms, s.note.points, in.width) : 0;
    s.note.rect = {in.left, y, in.width, s.note.lines * LineHeight(s.note.points)};

    // Room to spare: the note goes to the foot of the slip, and the two rows share out the rest
    // of the space evenly.
    const double spare = in.top + in.height - (s.note.rect.top + s.note.rect.height);
    if (spare > 0) {
        for (TwipsRect* rect : {&s.accountLabel.rect, &s.account.rect})
            rect->top += spare / 3;
        for (TwipsRect* rect : {&s.passwordLabel.rect, &s.password.rect})
            rect->top += spare * 2 / 3;
        s.note.rect.top += spare;
    }
    return s;
}

double Bottom(const SlipLayout& s) {
    return s.note.lines > 0 ? s.note.rect.top + s.note.rect.height
                            : s.password.rect.top + s.password.rect.height;
}

} // namespace

bool IsSlipsPerPage(int slipsPerPage) {
    return slipsPerPage == 8 || slipsPerPage == 10 || slipsPerPage == 12;
}

SlipGrid SlipGridFor(int slipsPerPage) {
    return {2, IsSlipsPerPage(slipsPerPage) ? slipsPerPage / 2 : 5};
}

SlipPageLayout ComputeSlipPage(TwipsSize printable, int slipsPerPage) {
    const SlipGrid grid = SlipGridFor(slipsPerPage);
    SlipPageLayout page;
    page.pageNumberPoints = kFooterPoints;
    const double footer = LineHeight(kFooterPoints) + kRowGap;
    const double left = kFrameInset, top = kFrameInset;
    const double width = std::max(0.0, printable.width - 2 * kFrameInset);
    const double height = std::max(0.0, printable.height - 2 * kFrameInset - footer);
    const double slipWidth = width / grid.columns, slipHeight = height / grid.rows;
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c)
            page.slips.push_back(
                {left + c * slipWidth, top + r * slipHeight, slipWidth, slipHeight});
    for (int c = 0; c <= grid.columns; ++c)
        page.cutLines.push_back(
            {{left + c * slipWidth, top}, {left + c * slipWidth, top + height}});
    for (int r = 0; r <= grid.rows; ++r)
        page.cutLines.push_back(
            {{left, top + r * slipHeight}, {left + width, top + r * slipHeight}});
    page.pageNumber = {left, top + height + kRowGap, width, LineHeight(kFooterPoints)};
    return page;
}

SlipLayout ComputeSlip(const TwipsRect& slip, const SlipMeasures& measures) {
    // Shrink the whole slip in small steps until its last row ends inside it.
    double scale = 1;
    SlipLayout s = LayOut(slip, measures, scale);
    for (int step = 0; step < 400 && Bottom(s) > s.inner.top + s.inner.height; ++step) {
        scale *= 0.95;
        s = LayOut(slip, measures, scale);
    }
    return s;
}

CellFlow FlowCells(const CellWidths& widths, int cellsPerLine, int group) {
    CellFlow flow;
    flow.lines.reserve(widths.size());
    flow.cells.reserve(widths.size());
    if (widths.empty())
        return flow;
    cellsPerLine = std::max(1, cellsPerLine);
    int line = 0, cell = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const bool groupStart = group > 0 && i % group == 0;
        if (groupStart && i > 0 && cell > 0) {
            // The gap before the group, or the group on a new line when it would be split.
            const std::size_t end = std::min(widths.size(), i + group);
            const int groupCells = std::accumulate(widths.begin() + i, widths.begin() + end, 0);
            if (groupCells <= cellsPerLine && cell + 1 + groupCells > cellsPerLine) {
                ++line;
                cell = 0;
            } else {
                cell += 1;
            }
        }
        if (cell > 0 && cell + widths[i] > cellsPerLine) {
            ++line;
            cell = 0;
        }
        flow.lines.push_back(line);
        flow.cells.push_back(cell);
        cell += widths[i];
        flow.widestLine = std::max(flow.widestLine, cell);
    }
    flow.lineCount = line + 1;
    return flow;
}
