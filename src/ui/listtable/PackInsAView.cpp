#include "ui/listtable/PackInsAView.h"

#include <QMouseEvent>
#include <QPainter>

#include "base/cp932.h"
#include "listtable/day_table.h"
#include "ui/controls/CDataEdit.h"
#include "ui/listtable/PackInsText.h"
#include "ui/listtable/PackInsWnd.h"

namespace rk::ui {
namespace {

constexpr int kCaptionX = 104;

QString costName(const AppContext& ctx, int i, const char* fallback) {
    QString s = QString::fromStdString(cp932::toUtf8(ctx.env.costNames[i], 16)).trimmed();
    return s.isEmpty() ? QString(fallback) : s;
}

}  // namespace

PackInsAView::PackInsAView(PackInsWnd& wnd) : QWidget(&wnd), wnd_(wnd) {
    setObjectName("PackInsAView");
    setFixedHeight(PackInsWnd::kHeaderHeight);
    setFont(QFont("IPAGothic", 10));
}

const char* PackInsAView::prompt(int line) {
    static const char* prompts[] = {"＊．月日入力",         "＊．売り方入力",       "＊．商品コード入力",
                                    "＊．規格１コード入力", "＊．規格２コード入力", "＊．入り数入力",
                                    "＊．単価入力",         "＊．許容数量入力"};
    return prompts[std::clamp(line, 0, 7)];
}

QRect PackInsAView::lineRect(int column, int line) const {
    if (line == 0) return dayRect();
    const int x = PackInsWnd::kRowHeadWidth + (column - wnd_.firstColumn()) * PackInsWnd::kColumnWidth;
    return {x, line * PackInsWnd::kLinePitch, PackInsWnd::kColumnWidth, PackInsWnd::kLinePitch};
}

QRect PackInsAView::fieldRect(int column, int line) const {
    const QRect r = lineRect(column, line);
    switch (line) {
        case 0:
            return r;
        case listtable::kLineMethod:
            return {r.x() + 2, r.y() + 1, 20, 18};
        case listtable::kLineProduct:
            return {r.x() + 2, r.y() + 1, 36, 18};
        case listtable::kLineGrade1:
        case listtable::kLineGrade2:
            return {r.x() + 2, r.y() + 1, 28, 18};
        default:
            return {r.x() + 56, r.y() + 1, 80, 18};
    }
}

int PackInsAView::columnAt(int x) const {
    if (x < PackInsWnd::kRowHeadWidth) return 0;
    return wnd_.firstColumn() + (x - PackInsWnd::kRowHeadWidth) / PackInsWnd::kColumnWidth;
}

void PackInsAView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const AppContext& ctx = wnd_.context();
    const listtable::DayTable& t = wnd_.table();
    p.fillRect(rect(), QColor(0xE8, 0xF0, 0xFF));
    p.fillRect(QRect(0, 0, PackInsWnd::kRowHeadWidth, height()), QColor(0xD8, 0xE4, 0xF8));

    // The day.
    p.setPen(Qt::black);
    p.drawText(QRect(4, 1, 40, 18), Qt::AlignVCenter, "月 日 ");
    const bool onDay = wnd_.area() == PackInsWnd::Area::Day;
    if (onDay) p.fillRect(dayRect(), QColor(0xFF, 0xFF, 0x80));
    if (!onDay || !wnd_.edit()) {
        p.drawRect(dayRect().adjusted(0, 0, -1, -1));
        if (t.day() > 100)
            p.drawText(dayRect().adjusted(0, 0, -4, 0), Qt::AlignVCenter | Qt::AlignRight, QString::number(t.day()));
    }

    const QString captions[] = {"",
                                "No.・売方",
                                "商品名",
                                costName(ctx, 0, "規格１"),
                                costName(ctx, 1, "規格２"),
                                "箱種･入数",
                                "単　価",
                                "許容数量",
                                "集計箱数",
                                "集計数量"};
    for (int line = 1; line <= 9; ++line)
        p.drawText(QRect(kCaptionX, line * PackInsWnd::kLinePitch, 86, PackInsWnd::kLinePitch), Qt::AlignVCenter,
                   captions[line]);

    const bool onHeader = wnd_.area() == PackInsWnd::Area::Header;
    const int count = wnd_.visibleColumns() + 1;
    for (int i = 0; i < count; ++i) {
        const int c = wnd_.firstColumn() + i;
        if (c > listtable::kMaxColumns) break;
        const listtable::Column& col = t.column(c);
        const QRect top(lineRect(c, 1).x(), 0, PackInsWnd::kColumnWidth, PackInsWnd::kLinePitch);
        const bool current = (onHeader || wnd_.area() == PackInsWnd::Area::Cell) && wnd_.column() == c;
        p.fillRect(top, current ? QColor(0x30, 0x60, 0xC0) : QColor(0x60, 0x80, 0xB0));
        p.setPen(Qt::white);
        p.drawText(top, Qt::AlignCenter, QString::asprintf("=%3d=", c));
        for (int line = 1; line <= 9; ++line) {
            const QRect r = lineRect(c, line);
            if (line >= 8) p.fillRect(r, QColor(0xF0, 0xF0, 0xF0));
            if (onHeader && current && wnd_.headerLine() == line) p.fillRect(r, QColor(0xFF, 0xFF, 0x80));
            p.setPen(QColor(0xB0, 0xB0, 0xC0));
            p.drawRect(r.adjusted(0, 0, -1, -1));
            p.setPen(Qt::black);
            const bool editing = onHeader && current && wnd_.headerLine() == line && wnd_.edit();
            const QRect f = fieldRect(c, line);
            const QRect rest(f.right() + 4, r.y(), r.right() - f.right() - 6, r.height());
            switch (line) {
                case listtable::kLineMethod:
                    if (!editing && col.method) p.drawText(f, Qt::AlignCenter, QString::number(col.method));
                    p.drawText(rest, Qt::AlignVCenter, packins::methodName(col.method));
                    break;
                case listtable::kLineProduct:
                    if (!editing && col.product)
                        p.drawText(f, Qt::AlignVCenter | Qt::AlignRight, QString::number(col.product));
                    p.drawText(rest, Qt::AlignVCenter, QString::fromStdString(col.name));
                    break;
                case listtable::kLineGrade1:
                case listtable::kLineGrade2: {
                    const int code = line == listtable::kLineGrade1 ? col.grade1 : col.grade2;
                    if (!editing && code) p.drawText(f, Qt::AlignVCenter | Qt::AlignRight, QString::number(code));
                    p.drawText(
                        rest, Qt::AlignVCenter,
                        QString::fromStdString(line == listtable::kLineGrade1 ? col.grade1Name : col.grade2Name));
                    break;
                }
                case listtable::kLinePieces:
                    p.drawText(QRect(r.x() + 4, r.y(), 50, r.height()), Qt::AlignVCenter,
                               QString::fromUtf8(listtable::packingLabel(col.packingKind)));
                    if (!editing) p.drawText(f, Qt::AlignVCenter | Qt::AlignRight, packins::number(col.pieces));
                    break;
                default: {
                    const double v = line == listtable::kLinePrice     ? col.price
                                     : line == listtable::kLineAllowed ? col.allowed
                                     : line == 8                       ? col.totalBoxes
                                                                       : col.totalQuantity;
                    if (!editing) p.drawText(f, Qt::AlignVCenter | Qt::AlignRight, packins::number(v));
                    break;
                }
            }
        }
    }
    if (dragFrom_ > 0) {
        p.setPen(QPen(QColor(0, 0, 0xFF), 2));
        p.drawRect(lineRect(dragFrom_, 1).adjusted(1, -19, -1, 8 * PackInsWnd::kLinePitch - 1));
    }
}

void PackInsAView::mousePressEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    const int c = columnAt(pos.x());
    if (e->button() == Qt::RightButton) {
        dragFrom_ = c;
        update();
        return;
    }
    if (dayRect().contains(pos)) return wnd_.toDay();
    const int line = pos.y() / PackInsWnd::kLinePitch;
    if (c >= 1 && line >= 1 && line <= listtable::kLineAllowed) wnd_.toHeader(c, line);
}

void PackInsAView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::RightButton || dragFrom_ < 1) return;
    const int from = dragFrom_;
    const int to = columnAt(static_cast<int>(e->position().x()));
    dragFrom_ = 0;
    update();
    if (to == from)
        wnd_.openMenu(from, e->position().toPoint());
    else if (to >= 1)
        wnd_.dragColumn(from, to);
}

}  // namespace rk::ui
