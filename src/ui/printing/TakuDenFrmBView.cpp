#include "ui/printing/TakuDenFrmBView.h"

#include <QPainter>

#include "ui/controls/CDataEdit.h"

namespace rk::ui {

using controls::Key;

namespace {

constexpr int kColumnX[4] = {200, 270, 360, 430};
constexpr int kFieldCount = 2 + 4 * (printing::kFormRowsShown - 1);

int rowOf(int field) { return field < 2 ? 0 : 1 + (field - 2) / 4; }
int columnOf(int field) { return field < 2 ? field : (field - 2) % 4; }

}  // namespace

int TakuDenFrmBView::fieldOf(int row, int column) {
    return row == 0 ? std::min(column, 1) : 2 + (row - 1) * 4 + column;
}
int TakuDenFrmBView::row() const { return rowOf(std::max(0, current())); }
int TakuDenFrmBView::column() const { return columnOf(std::max(0, current())); }

TakuDenFrmBView::TakuDenFrmBView(AppContext& ctx, Dialogs& dialogs, printing::HomeDeliveryForm& form, QWidget* parent)
    : SettingsFieldView(ctx, dialogs, parent), form_(form) {
    setObjectName("TakuDenFrmBView");
    setFont(QFont("IPAGothic", 10));
    setFixedSize(520, kTop + printing::kFormRowsShown * kRowHeight + 4);
    for (int f = 0; f < kFieldCount; ++f) {
        const int r = rowOf(f), c = columnOf(f);
        addField({QRect(kColumnX[c], kTop + r * kRowHeight, 60, kRowHeight - 2),
                  [this, r, c] {
                      controls::EntryConfig cfg;
                      cfg.mode = 1;
                      cfg.length = 4;
                      cfg.value = form_.at(c, r);
                      cfg.inputMethodOff = true;
                      return cfg;
                  },
                  [this, r, c](const CDataEdit& e) {
                      if (!e.field().edited()) return;
                      if (e.value() < 0) return dialogs_.beep();  // positions are never negative
                      form_.at(c, r) = e.value();
                  },
                  [this, r, c] { return QString("%1").arg(form_.at(c, r), 4); }});
    }
}

void TakuDenFrmBView::fieldExited(int index, Key key) {
    const int r = rowOf(index), c = columnOf(index);
    const int lastRow = printing::kFormRowsShown - 1;
    switch (key) {
        case Key::Enter:
        case Key::Right:
        case Key::Tab:
            return setCurrent((index + 1) % kFieldCount);
        case Key::Left:
            return setCurrent(std::max(0, index - 1));
        case Key::Down:
            return setCurrent(fieldOf(std::min(lastRow, r + 1), c));
        case Key::Up:
            return setCurrent(fieldOf(std::max(0, r - 1), c));
        default:
            setCurrent(index);
    }
}

void TakuDenFrmBView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF0, 0xF0, 0xE8));
    for (int r = 0; r < printing::kFormRowsShown; ++r) {
        const int y = kTop + r * kRowHeight;
        p.drawText(QRect(8, y, 50, kRowHeight - 2), Qt::AlignVCenter, QString::asprintf("%3d ", r));
        p.drawText(QRect(60, y, 135, kRowHeight - 2), Qt::AlignVCenter, QString::fromUtf8(printing::kFormRowLabels[r]));
    }
    paintFields(p);
}

}  // namespace rk::ui
