// SPDX-License-Identifier: GPL-3.0-or-later
// The build sheet as a PDF file, drawn into memory.

#include "build_sheet.h"

#include <QBuffer>
#include <QDateTime>
#include <QHashSeed>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <optional>
#include <vector>

namespace vandrel::sheet {
namespace {

// SOURCE_DATE_EPOCH as "yyyyMMddHHmmss" in UTC; nothing when it is not set
// or is no number of seconds from 1970 to 9999.
std::optional<QByteArray> source_date() {
    const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH");
    bool ok = false;
    const qint64 seconds = epoch.toLongLong(&ok);
    if (!ok || seconds < 0 || epoch.startsWith('+')) return std::nullopt;
    const QDateTime date = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
    if (!date.isValid() || date.date().year() > 9999) return std::nullopt;
    return date.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1();
}

// Replaces `length` bytes at `at` with `text` and moves every offset that
// the cross-reference table and "startxref" give beyond them, so that the
// file stays whole. Qt writes one table, "xref", "0 N", then N entries of
// twenty bytes, the first ten the offset. False, the file unchanged, for a
// file not laid out so.
bool splice(QByteArray& pdf, qsizetype at, qsizetype length, const QByteArray& text) {
    const qsizetype start_key = pdf.lastIndexOf("\nstartxref\n");
    const qsizetype table = pdf.lastIndexOf("\nxref\n0 ", start_key);
    if (start_key < 0 || table < at + length) return false;
    const qsizetype count_at = table + 8;
    const qsizetype count_end = pdf.indexOf('\n', count_at);
    bool ok = false;
    const qsizetype count = count_end < 0 ? 0 : pdf.mid(count_at, count_end - count_at).toLongLong(&ok);
    const qsizetype first = count_end + 1;
    if (!ok || count < 1 || first + count * 20 > start_key) return false;
    std::vector<qsizetype> offsets;
    for (qsizetype i = 0; i < count; ++i) {
        offsets.push_back(pdf.mid(first + i * 20, 10).toLongLong(&ok));
        if (!ok) return false;
    }
    const qsizetype number_at = start_key + 11;
    qsizetype number_end = number_at;
    while (number_end < pdf.size() && pdf[number_end] >= '0' && pdf[number_end] <= '9') ++number_end;
    const qsizetype table_offset = pdf.mid(number_at, number_end - number_at).toLongLong(&ok);
    if (!ok) return false;

    // All is as expected: from the end of the file backwards, so that each
    // change leaves the places before it where they were.
    const qsizetype delta = text.size() - length;
    pdf.replace(number_at, number_end - number_at, QByteArray::number(table_offset + delta));
    for (qsizetype i = 0; i < count; ++i)
        if (offsets[i] > at) pdf.replace(first + i * 20, 10, QByteArray::number(offsets[i] + delta).rightJustified(10, '0'));
    pdf.replace(at, length, text);
    return true;
}

// Qt writes the time of drawing as "/CreationDate (D:yyyyMMddHHmmss" and
// then "Z)" in UTC or the local offset, "+hh'mm')". It is replaced by
// `date` in UTC, "Z", whatever the time zone.
void set_creation_date(QByteArray& pdf, const QByteArray& date) {
    static const QByteArray key = QByteArrayLiteral("/CreationDate (D:");
    const qsizetype at = pdf.indexOf(key);
    if (at < 0) return;
    const qsizetype digits = at + key.size();
    const qsizetype end = pdf.indexOf(')', digits);
    if (end < 0 || end - digits > 24) return;
    splice(pdf, digits, end - digits, date + 'Z');
}

}  // namespace

QByteArray build_sheet_pdf(const TypedDesign& design, const as_built::AsBuilt& built, const as_built::Levels* levels,
                           const SubwooferSheet* subwoofer) {
    const std::optional<QByteArray> date = source_date();
    // Qt's PDF writer keeps the fonts in a hash and writes them in its
    // order, which follows the process's random seed; a file to come out the
    // same each time is written with the fixed seed, and the random one is
    // back afterwards.
    struct FixedSeed {
        explicit FixedSeed(bool on) : on(on) {
            if (on) QHashSeed::setDeterministicGlobalSeed();
        }
        ~FixedSeed() {
            if (on) QHashSeed::resetRandomGlobalSeed();
        }
        bool on;
    } seed(date.has_value());
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        // One device unit a point: the page is drawn in points, and fonts
        // of a point size come out at that size.
        writer.setResolution(72);
        writer.setTitle(QLatin1String(sheet_title));
        writer.setCreator(QStringLiteral("Vandrel %1").arg(QLatin1String(program_version.data(), program_version.size())));
        QPainter painter;
        if (!painter.begin(&writer)) return {};
        paint_sheet(painter, design, built, levels);
        if (subwoofer) {
            if (!writer.newPage()) return {};
            paint_subwoofer_sheet(painter, *subwoofer);
        }
        if (!painter.end()) return {};
    }
    QByteArray pdf = buffer.data();
    if (date) set_creation_date(pdf, *date);
    return pdf;
}

}  // namespace vandrel::sheet
