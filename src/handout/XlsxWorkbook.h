#pragma once

#include "HandoutFormat.h"

#include <QByteArray>
#include <memory>
#include <optional>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// A handed-out list as a workbook, through libxlsxwriter: one sheet named パスワード, a header row
// (account, password, hash as the columns are there), every cell text (the cells carry the "@"
// text format, and strings are written as strings, never as formulas), so "=", "+", "-", "@" and
// leading zeros stay as drawn; each column as wide as its longest entry.
//
// The library writes a file itself. It writes here into a file in memory (memfd) that has no name
// on any disk, and finish() hands back its bytes, which the caller stores through its own writer.
// Its temporary files of rows go to a file system in memory where there is one.
class XlsxWorkbook {
public:
    // A sheet holds 1,048,576 rows, the header one of them.
    static constexpr qint64 kMaxRows = 1048575;
    // The most characters a cell holds.
    static constexpr qsizetype kMaxCellCharacters = 32767;

    explicit XlsxWorkbook(HandoutColumns columns);
    ~XlsxWorkbook();
    XlsxWorkbook(const XlsxWorkbook&) = delete;
    XlsxWorkbook& operator=(const XlsxWorkbook&) = delete;

    // False (with errorNumber()) once the workbook cannot take the row.
    bool addRow(const HandoutRow& row);
    // The finished file; nothing, with errorNumber(), when the library failed.
    std::optional<QByteArray> finish();
    int errorNumber() const { return m_errorNumber; }

private:
    bool writeCell(int column, const QString& text);
    bool failed(int number);

    HandoutColumns m_columns;
    QByteArray m_temporaryDirectory;
    int m_memoryFd = -1;
    lxw_workbook* m_workbook = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_text = nullptr;
    qint64 m_row = 0;
    int m_widths[3] = {0, 0, 0}; // in character cells, a wide character counting two
    int m_errorNumber = 0;
};
