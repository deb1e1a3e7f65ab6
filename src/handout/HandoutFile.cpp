#include "HandoutFile.h"

#include "XlsxWorkbook.h"

#include <cerrno>

namespace {
// Text is handed to the file whenever this much has gathered.
constexpr qsizetype kFlushBytes = 1 << 20;
} // namespace

HandoutFileWriter::HandoutFileWriter() = default;

HandoutFileWriter::~HandoutFileWriter() {
    abort();
}

WriteOutcome HandoutFileWriter::open(const QString& path, HandoutFormat format,
                                     HandoutColumns columns) {
    abort();
    m_format = format;
    m_columns = columns;
    m_failure = {};
    if (format == HandoutFormat::Xlsx) {
        m_workbook = std::make_unique<XlsxWorkbook>(columns);
        if (m_workbook->errorNumber() != 0)
            return failed(ErrnoOutcome(m_workbook->errorNumber()));
    }
    const WriteOutcome opened = m_target.open(path);
    if (!opened.ok())
        return failed(opened);
    m_open = true;
    m_bytes = HandoutHeaderText(format, columns).toUtf8();
    return {};
}

WriteOutcome HandoutFileWriter::add(const HandoutRow& row) {
    if (!m_open)
        return m_failure.ok() ? ErrnoOutcome(EBADF) : m_failure;
    if (m_workbook) {
        if (!m_workbook->addRow(row))
            return failed(ErrnoOutcome(m_workbook->errorNumber()));
        return {};
    }
    m_bytes += HandoutRowText(m_format, m_columns, row).toUtf8();
    return m_bytes.size() >= kFlushBytes ? flush() : WriteOutcome{};
}

WriteOutcome HandoutFileWriter::commit() {
    if (!m_open)
        return m_failure.ok() ? ErrnoOutcome(EBADF) : m_failure;
    if (m_workbook) {
        std::optional<QByteArray> bytes = m_workbook->finish();
        if (!bytes)
            return failed(ErrnoOutcome(m_workbook->errorNumber()));
        m_bytes = std::move(*bytes);
        if (const WriteOutcome room = m_target.reserve(m_bytes.size()); !room.ok())
            return failed(room);
    }
    if (const WriteOutcome written = flush(); !written.ok())
        return written;
    m_open = false;
    const WriteOutcome outcome = m_target.commit();
    if (!outcome.ok())
        m_failure = outcome;
    return outcome;
}

void HandoutFileWriter::abort() {
    m_target.abort();
    m_workbook.reset();
    m_bytes.clear();
    m_open = false;
}

WriteOutcome HandoutFileWriter::flush() {
    const WriteOutcome outcome = m_target.write(m_bytes);
    m_bytes.clear();
    return outcome.ok() ? outcome : failed(outcome);
}

WriteOutcome HandoutFileWriter::failed(const WriteOutcome& outcome) {
    abort();
    m_failure = outcome;
    return outcome;
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
