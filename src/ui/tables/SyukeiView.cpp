#include "ui/tables/SyukeiView.h"

#include <QPainter>

#include "base/format.h"
#include "tables/search_messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/tables/SyukeiCView.h"
#include "ui/tables/SyukeiWnd.h"

namespace rk::ui {

using controls::Key;
namespace msg = tables::msg;

SyukeiView::SyukeiView(SyukeiWnd& wnd) : TableFieldsView(&wnd, wnd.dialogs(), 2), wnd_(wnd) {
    setObjectName("SyukeiView");
    setFixedHeight(kHeight);
    addButton("解 説", QRect(760, 9, 64, 26), [&wnd] { wnd.openGuide(); });
    addButton("再集計", QRect(830, 9, 64, 26), [&wnd] { wnd.rebuild(); });
}

QRect SyukeiView::valueRect(int field) const { return QRect(field == 1 ? 100 : 320, 10, field == 1 ? 100 : 56, 24); }

int SyukeiView::fieldValue(int field) const {
    return field == 1 ? wnd_.cells()->firstDate() : wnd_.cells()->firstCustomer();
}

QString SyukeiView::fieldText(int field) const {
    return field == 1 ? dateText(fieldValue(1)) : QString::asprintf("%4d", fieldValue(2));
}

void SyukeiView::finished(Key k) {
    const int was = field_;
    const int v = edit_->value();
    if (k != Key::Esc) {
        if (was == 1) wnd_.cells()->scrollToDate(monthday::normalise(v, monthday::kFirstDay));
        if (was == 2) wnd_.cells()->scrollToCustomer(v);
    }
    enterField(was == 1 && k != Key::Up && k != Key::Esc ? 2 : 1);
}

void SyukeiView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xF0));
    p.drawText(QRect(4, 10, 92, 24), Qt::AlignVCenter | Qt::AlignRight, QString::fromUtf8(msg::kShippingFields[0]));
    p.drawText(QRect(216, 10, 100, 24), Qt::AlignVCenter | Qt::AlignRight, QString::fromUtf8(msg::kShippingFields[1]));
    paintFields(p);
    const int ed = wnd_.context().edition == Edition::Sales ? 0 : 1;
    for (int s = 0; s < 4; ++s) {
        const QRect r(400 + s * 86, 10, 80, 24);
        p.fillRect(r, SyukeiCView::stageColour(s));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.drawText(r, Qt::AlignCenter, QString::fromUtf8(msg::kShippingLegend[ed][s]));
    }
}

}  // namespace rk::ui
