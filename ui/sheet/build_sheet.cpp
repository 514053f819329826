// SPDX-License-Identifier: GPL-3.0-or-later
// The build sheet as a PDF file, drawn into memory.

#include "build_sheet.h"

#include <QBuffer>
#include <QDateTime>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <optional>

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

// Qt writes the time of drawing as "/CreationDate (D:yyyyMMddHHmmss" and
// then "Z)" or an offset "+hh'mm')". Both are overwritten in place with
// `date` in UTC, the offset as "+00'00'", so that no byte moves and the
// file's cross-reference table stays right.
void set_creation_date(QByteArray& pdf, const QByteArray& date) {
    static const QByteArray key = QByteArrayLiteral("/CreationDate (D:");
    const qsizetype at = pdf.indexOf(key);
    if (at < 0) return;
    const qsizetype digits = at + key.size();
    if (pdf.size() < digits + 14 + 2) return;
    for (qsizetype i = 0; i < 14; ++i)
        if (pdf[digits + i] < '0' || pdf[digits + i] > '9') return;
    pdf.replace(digits, 14, date);
    const qsizetype zone = digits + 14;
    if ((pdf[zone] == '+' || pdf[zone] == '-') && pdf.size() >= zone + 7 && pdf[zone + 3] == '\'')
        pdf.replace(zone, 7, QByteArrayLiteral("+00'00'"));
}

}  // namespace

QByteArray build_sheet_pdf(const TypedDesign& design, const as_built::AsBuilt& built) {
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
        paint_sheet(painter, design, built);
        if (!painter.end()) return {};
    }
    QByteArray pdf = buffer.data();
    if (const auto date = source_date()) set_creation_date(pdf, *date);
    return pdf;
}

}  // namespace vandrel::sheet
