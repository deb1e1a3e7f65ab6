#pragma once
// Paints hand-out slips onto any paged device: a QPdfWriter for a PDF file, a QPrinter for paper.
// Both front ends paint through here, so the PDF and the printed page are the same.

#include "SlipSettings.h"
#include "WriteOutcome.h"

#include <QByteArray>
#include <QPageSize>

#include <vector>

class QPagedPaintDevice;

// The captions of the two rows of a slip.
QString SlipAccountLabel();
QString SlipPasswordLabel();
// The date line, e.g. "発行日 2026年12月8日".
QString SlipDateText(const QDate& date);
// "1 / 3".
QString SlipPageNumberText(int page, int pages);

// How many pages `count` slips take.
int SlipPageCount(qsizetype count, int slipsPerPage);

// Paints every slip inside the device's printable area, starting on its current page and
// adding pages as needed. False when the device cannot be painted on. Nothing is painted for
// an empty list.
bool PaintSlips(QPagedPaintDevice& device, const SlipSettings& settings,
                const std::vector<SlipEntry>& entries);

// The slips as a PDF document on pages of `pageSize` with 10 mm margins; empty when painting
// failed.
QByteArray SlipsPdf(const SlipSettings& settings, const std::vector<SlipEntry>& entries,
                    const QPageSize& pageSize = QPageSize(QPageSize::A4));

// The slips saved as a PDF file through the program's file writer: a new file private to its
// owner, an old one replaced only once the new one is whole. A PDF that could not be painted
// is EIO, and nothing is written.
WriteOutcome WriteSlipsPdf(const QString& path, const SlipSettings& settings,
                           const std::vector<SlipEntry>& entries,
                           const QPageSize& pageSize = QPageSize(QPageSize::A4));
