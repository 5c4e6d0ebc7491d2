// Small helpers the master windows share: Shift-JIS fields as QString, cell drawing, the
// guide window and the frame title of a master window.
#pragma once

#include <QPainter>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_context.h"
#include "base/cp932.h"
#include "base/record.h"
#include "platform/file_system.h"

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

// Text in a cell, vertically centred, left- or right-aligned, clipped to the cell.
void drawCell(QPainter& p, const QRect& cell, const QString& text, Qt::Alignment align = Qt::AlignLeft);

// Opens the operation guide window on `topic` (UTF-8; empty: the whole guide) through the main
// frame's window registry. Nothing happens when the window has no main frame.
void openGuide(QWidget* from, AppContext& ctx, std::string_view topic);

// A push button in the masters' style.
QPushButton* masterButton(const QString& caption, QWidget* parent);

// The account-item file must open: otherwise the operator is told and the application ends
// (the main frame is asked to close). False when it cannot be opened.
bool requireAccountFile(QWidget* from, AppContext& ctx);

}  // namespace rk::ui
