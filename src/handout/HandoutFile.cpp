#include "HandoutFile.h"

#include "XlsxWorkbook.h"

HandoutFileWriter::HandoutFileWriter() = default;

HandoutFileWriter::~HandoutFileWriter() {
    abort();
}

WriteOutcome HandoutFileWriter::open(const QString& path, HandoutFormat format,
                                     HandoutColumns columns) {
    abort();
    m_format = format;
    m_columns = columns;
    if (format == HandoutFormat::Xlsx) {
        m_workbook = std::make_unique<XlsxWorkbook>(columns);
        if (m_workbook->errorNumber() != 0)
            return failed(ErrnoOutcome(m_workbook->errorNumber()));
        // The workbook is stored whole on commit, after room is set aside for it.
        return m_file.open(path, ByteFileStream::kHoldUntilCommit);
    }
    if (const WriteOutcome opened = m_file.open(path); !opened.ok())
        return opened;
    return m_file.append(HandoutHeaderText(format, columns).toUtf8());
}

WriteOutcome HandoutFileWriter::add(const HandoutRow& row) {
    if (!m_file.isOpen())
        return m_file.notOpen();
    if (m_workbook) {
        if (!m_workbook->addRow(row))
            return failed(ErrnoOutcome(m_workbook->errorNumber()));
        return {};
    }
    return m_file.append(HandoutRowText(m_format, m_columns, row).toUtf8());
}

WriteOutcome HandoutFileWriter::commit() {
    if (!m_file.isOpen())
        return m_file.notOpen();
    if (m_workbook) {
        std::optional<QByteArray> bytes = m_workbook->finish();
        if (!bytes)
            return failed(ErrnoOutcome(m_workbook->errorNumber()));
        if (const WriteOutcome added = m_file.append(*bytes); !added.ok())
            return added;
    }
    return m_file.commit();
}

void HandoutFileWriter::abort() {
    m_file.abort();
    m_workbook.reset();
}

WriteOutcome HandoutFileWriter::failed(const WriteOutcome& outcome) {
    m_workbook.reset();
    return m_file.fail(outcome);
}

WriteOutcome WriteHandoutFile(const QString& path, HandoutFormat format, HandoutColumns columns,
                              const QList<HandoutRow>& rows) {
    HandoutFileWriter writer;
    if (const WriteOutcome opened = writer.open(path, format, columns); !opened.ok())
        return opened;
    for (const HandoutRow& row : rows) {
        if (const WriteOutcome added = writer.add(row); !added.ok())
            return added;
    }
    return writer.commit();
}
