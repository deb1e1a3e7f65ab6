#include "XlsxWorkbook.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The width a spreadsheet gives `text`, in the width of a digit: wide (East Asian) characters take
// two.
int DisplayWidth(const QString& text) {
    int width = 0;
    for (const QChar c : text) {
        if (c.isLowSurrogate())
            continue;
        const char16_t u = c.unicode();
        const bool wide = (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) ||
                          (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF) ||
                          (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60) ||
                          (u >= 0xFFE0 && u <= 0xFFE6) || c.isHighSurrogate();
        width += wide ? 2 : 1;
    }
    return width;
}

// Where the library keeps its temporary files of rows, which hold the passwords: a file system in
// memory, the user's own (XDG_RUNTIME_DIR) before the shared one; the system's default else.
QByteArray MemoryDirectory() {
    for (QByteArray directory : {qgetenv("XDG_RUNTIME_DIR"), QByteArray("/dev/shm")}) {
        struct stat info {};
        if (!directory.isEmpty() && ::stat(directory.constData(), &info) == 0 &&
            S_ISDIR(info.st_mode) && ::access(directory.constData(), W_OK | X_OK) == 0)
            return directory;
    }
    return QByteArray();
}

int ErrorNumberOf(lxw_error error) {
    switch (error) {
    case LXW_NO_ERROR:
        return 0;
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return ENOMEM;
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE:
        return ERANGE;
    default:
        return errno != 0 ? errno : EIO;
    }
}

} // namespace

XlsxWorkbook::XlsxWorkbook(HandoutColumns columns) : m_columns(columns) {
    m_memoryFd = ::memfd_create("keymill-xlsx", MFD_CLOEXEC);
    if (m_memoryFd < 0) {
        m_errorNumber = errno;
        return;
    }
    const QByteArray path = "/proc/self/fd/" + QByteArray::number(m_memoryFd);
    // Rows go out as they come, their strings inline: a shared-string table would sort every
    // password, each one different, and cost most of the time.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    m_temporaryDirectory = MemoryDirectory();
    if (!m_temporaryDirectory.isEmpty())
        options.tmpdir = m_temporaryDirectory.data();
    m_workbook = workbook_new_opt(path.constData(), &options);
    if (!m_workbook) {
        m_errorNumber = ENOMEM;
        return;
    }
    m_sheet = workbook_add_worksheet(m_workbook, "パスワード");
    m_text = workbook_add_format(m_workbook);
    if (!m_sheet || !m_text) {
        m_errorNumber = ENOMEM;
        return;
    }
    format_set_num_format(m_text, "@");
    // Names of the columns, as the csv file has them; the header stays in view while scrolling.
    HandoutRow header{QStringLiteral("account"), QStringLiteral("password"),
                      QStringLiteral("hash")};
    addRow(header);
    worksheet_freeze_panes(m_sheet, 1, 0);
}

XlsxWorkbook::~XlsxWorkbook() {
    // Closing is the one way to let go of everything the library holds (lxw_workbook_free
    // leaves the temporary file of the rows open); the file it writes goes with the memory file.
    if (m_workbook)
        workbook_close(m_workbook);
    if (m_memoryFd >= 0)
        ::close(m_memoryFd);
}

bool XlsxWorkbook::failed(int number) {
    if (m_errorNumber == 0)
        m_errorNumber = number;
    return false;
}

bool XlsxWorkbook::writeCell(int column, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const lxw_error error = worksheet_write_string(m_sheet, lxw_row_t(m_row), lxw_col_t(column),
                                                   utf8.constData(), m_text);
    if (error != LXW_NO_ERROR)
        return failed(ErrorNumberOf(error));
    m_widths[column] = std::max(m_widths[column], DisplayWidth(text));
    return true;
}

bool XlsxWorkbook::addRow(const HandoutRow& row) {
    if (m_errorNumber != 0 || !m_sheet)
        return false;
    if (m_row > kMaxRows)
        return failed(EFBIG);
    int column = 0;
    if (m_columns.account && !writeCell(column++, row.account))
        return false;
    if (!writeCell(column++, row.password))
        return false;
    if (m_columns.hash && !writeCell(column, row.hash))
        return false;
    ++m_row;
    return true;
}

std::optional<QByteArray> XlsxWorkbook::finish() {
    if (m_errorNumber != 0 || !m_workbook)
        return std::nullopt;
    const int columns = 1 + int(m_columns.account) + int(m_columns.hash);
    for (int column = 0; column < columns; ++column) {
        // A little room beside the longest entry, within the 255 a column may be.
        const double width = std::min(m_widths[column] + 2, 255);
        worksheet_set_column(m_sheet, lxw_col_t(column), lxw_col_t(column), width, m_text);
    }
    errno = 0;
    const lxw_error error = workbook_close(std::exchange(m_workbook, nullptr));
    if (error != LXW_NO_ERROR) {
        failed(ErrorNumberOf(error));
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(m_memoryFd, &info) != 0) {
        failed(errno);
        return std::nullopt;
    }
    QByteArray bytes(qsizetype(info.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t got =
            ::pread(m_memoryFd, bytes.data() + done, size_t(bytes.size() - done), done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            failed(got < 0 ? errno : EIO);
            return std::nullopt;
        }
        done += got;
    }
    return bytes;
}
