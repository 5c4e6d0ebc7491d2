// Small helpers the master windows share: Shift-JIS fields as QString, cell drawing, the
// guide window and the frame title of a master window.
#pragma once

#include <QPainter>
#include <QString>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_context.h"
#include "base/cp932.h"
#include "base/dialogs.h"
#include "base/record.h"
#include "masters/customer_master.h"
#include "platform/file_system.h"
#include "platform/shared_write.h"

class QPushButton;
class QWidget;

namespace rk::ui {

inline QString fromSjis(std::string_view sjis) { return QString::fromStdString(cp932::toUtf8(sjis)); }
template <size_t N>
QString fieldText(const char (&field)[N]) {
    return QString::fromStdString(cp932::toUtf8(field));
}
inline QString utf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Records first..last of a record file in one read (past the end: blank records).
template <Record T>
std::vector<T> readRows(FileSystem& fs, const fs::path& file, int first, int last) {
    std::vector<T> rows(static_cast<size_t>(std::max(0, last - first + 1)));
    std::span<std::byte> block(reinterpret_cast<std::byte*>(rows.data()), rows.size() * sizeof(T));
    if (!rows.empty() && !fs.readZeroFilled(file, static_cast<uint64_t>(first) * sizeof(T), block))
        rows.assign(rows.size(), T{});
    return rows;
}

// Writes the fields of record n that the window changed (`read` as it read the record,
// `edited` as it is now) into the live record, under the lock and through the journal; an
// unchanged record is not written. On success both become the stored record, which shows
// what another station changed meanwhile. False after the failure message with its reason.
template <Record T>
bool saveChangedRecord(AppContext& ctx, Dialogs& dialogs, const fs::path& file, int n, T& read, T& edited,
                       std::span<const FieldSpan> fields, const char* failure) {
    if (std::memcmp(&read, &edited, sizeof(T)) == 0) return true;
    T now{};
    const WriteResult r = writeChangedFields(ctx.files, file.parent_path(), file, n, read, edited, fields, &now);
    if (!r.ok()) {
        masters::showWriteFailure(r, failure, dialogs);
        return false;
    }
    read = edited = now;
    return true;
}

// Text in a cell, vertically centred, left- or right-aligned, clipped to the cell.
void drawCell(QPainter& p, const QRect& cell, const QString& text, Qt::Alignment align = Qt::AlignLeft);

// Opens the operation guide window on `topic` (UTF-8; empty: the whole guide) through the main
// frame's window registry. Nothing happens when the window has no main frame.
void openGuide(QWidget* from, AppContext& ctx, std::string_view topic);

// A push button in the masters' style.
QPushButton* masterButton(const QString& caption, QWidget* parent);

// The account-item file must open: otherwise the operator is told and the application ends
// (the main frame is asked to close). False when it cannot be opened.
bool requireAccountFile(QWidget* from, AppContext& ctx, Dialogs& dialogs);

}  // namespace rk::ui
