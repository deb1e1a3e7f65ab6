#pragma once
// Where everything of a page of hand-out slips goes, as arithmetic in twips: the grid of slips
// with its cut lines inside the printable area, the page number below it, and inside each slip
// the title and date, the account, the password (optionally in groups of four and with a line
// naming each character's kind under it) and the note. Texts that do not fit shrink, then wrap;
// when the slip is still too short, the whole slip shrinks until it fits. Nothing is measured
// here: the caller gives the widths of its texts per point of font size.
#include "Twips.h"

#include <vector>

// How the slips of a page stand: 8 are 2 x 4, 10 are 2 x 5, 12 are 2 x 6.
struct SlipGrid {
    int columns = 2;
    int rows = 5;
};
bool IsSlipsPerPage(int slipsPerPage);
// 8, 10 or 12; any other count is laid out as 10.
SlipGrid SlipGridFor(int slipsPerPage);

// The page: the printable area (its origin is the painter's origin) and the cut lines.
struct SlipPageLayout {
    std::vector<TwipsRect> slips; // row by row, left to right
    // Every cut line, from (x1, y1) to (x2, y2): the outer frame and the lines between slips.
    struct Line {
        TwipsPoint from, to;
    };
    std::vector<Line> cutLines;
    TwipsRect pageNumber; // centred under the slips
    double pageNumberPoints = 0;
};
SlipPageLayout ComputeSlipPage(TwipsSize printable, int slipsPerPage);

// A text in the password face, whose every character takes one cell (half-width) or two.
using CellWidths = std::vector<int>;

// The widths of one slip's texts, in points per point of font size (a text 12 pt wide at 10 pt
// gives 1.2); the face of passwords and accounts is fixed pitch, one cell `cellEms` wide.
struct SlipMeasures {
    double titleEms = 0;
    double dateEms = 0;
    double labelEms = 0; // the wider of the two row labels
    double noteEms = 0;
    double cellEms = 0.5;
    double kindEms = 1; // one kind mark (大, 小, ...)
    CellWidths account;
    CellWidths password;
    bool groupsOfFour = false;
    bool kinds = false;
};

// A text set at a size on one or more lines.
struct SlipTextBlock {
    TwipsRect rect;
    double points = 0;
    int lines = 0;
};

// A password-face text set cell by cell: character i stands on line lines[i] from cell
// cells[i] (gaps between groups are empty cells).
struct CellBlock {
    TwipsRect rect;
    double points = 0;
    double cellWidth = 0;  // twips
    double lineHeight = 0; // twips: the character row plus the kind row, if any
    double kindPoints = 0; // 0 without the kinds line
    double kindTop = 0;    // twips below a line's top where its kind row starts
    std::vector<int> lines;
    std::vector<int> cells;
    int lineCount = 0;
};

struct SlipLayout {
    TwipsRect slip;  // the cut rectangle
    TwipsRect inner; // inside the padding; everything below lies in it
    SlipTextBlock title;
    SlipTextBlock date;
    SlipTextBlock accountLabel;
    CellBlock account;
    SlipTextBlock passwordLabel;
    CellBlock password;
    SlipTextBlock note;
};
SlipLayout ComputeSlip(const TwipsRect& slip, const SlipMeasures& measures);

// Flows characters of the given widths onto lines of `cellsPerLine` cells (at least one
// character a line). With `group` > 0 an empty cell follows every group of that many
// characters, except at a line's end, and a group that fits on a line is not split.
struct CellFlow {
    std::vector<int> lines;
    std::vector<int> cells;
    int lineCount = 0;
    int widestLine = 0; // in cells
};
CellFlow FlowCells(const CellWidths& widths, int cellsPerLine, int group);
