#pragma once

#include "ByteFileStream.h"
#include "HandoutFormat.h"
#include "WriteOutcome.h"

#include <QList>
#include <QString>
#include <memory>

class XlsxWorkbook;

// Writes a handed-out list to a file in one of the formats (csv, json, chpasswd: UTF-8 text;
// xlsx: a workbook) through the program's file writer: the old file stays whole until commit()
// succeeds, a new file is private (mode 0600); see FileTarget. Rows are added one by one; text
// reaches the file in pieces, so memory does not grow with a text list; a workbook is built in
// memory and stored on commit. Plain writes the passwords one a line, LF, UTF-8.
class HandoutFileWriter {
public:
    HandoutFileWriter();
    ~HandoutFileWriter();
    HandoutFileWriter(const HandoutFileWriter&) = delete;
    HandoutFileWriter& operator=(const HandoutFileWriter&) = delete;

    WriteOutcome open(const QString& path, HandoutFormat format, HandoutColumns columns);
    // After a failure every further call returns that failure; the file is left as abort() does.
    WriteOutcome add(const HandoutRow& row);
    WriteOutcome commit();
    void abort();

private:
    WriteOutcome failed(const WriteOutcome& outcome);

    ByteFileStream m_file;
    HandoutFormat m_format = HandoutFormat::Csv;
    HandoutColumns m_columns;
    std::unique_ptr<XlsxWorkbook> m_workbook;
};

// The whole list at once (the hand-out dialog's save).
WriteOutcome WriteHandoutFile(const QString& path, HandoutFormat format, HandoutColumns columns,
                              const QList<HandoutRow>& rows);
