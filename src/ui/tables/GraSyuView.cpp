#include "ui/tables/GraSyuView.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "base/format.h"
#include "tables/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/tables/GraSyuWnd.h"

namespace rk::ui {

using controls::Key;
namespace msg = tables::msg;

namespace {

constexpr int kFieldTop = 8, kFieldHeight = 24, kLabelWidth = 104, kValueWidth = 92, kFieldStep = 214;

}  // namespace

GraSyuView::GraSyuView(GraSyuWnd& wnd) : TableFieldsView(&wnd, wnd.dialogs(), 4), wnd_(wnd) {
    setObjectName("GraSyuView");
    setFixedHeight(kHeight);
    setMinimumWidth(870);
    const bool month = wnd.tableKind().month;
    struct ButtonLine {
        const char* caption;
        int width;
        std::function<void()> action;
        bool enabled;
    };
    const std::vector<ButtonLine> buttons = {
        {"解 説", 56, [&wnd] { wnd.openGuide(); }, true},
        {"条 件", 56, [&wnd] { wnd.showConditions(); }, true},
        {"ﾓｰﾄﾞ替", 64, [&wnd] { wnd.cycleMeasure(); }, true},
        {"ﾌﾟﾚﾋﾞｭ", 64, [&wnd] { wnd.print(true); }, true},
        // The line graph of this table, a window of its own.
        {"線ｸﾞﾗﾌ", 64, [&wnd] { wnd.openGraph(); }, true},
        {"文字列", 64, [&wnd] { (void)wnd.exportCsv(); }, true},
        {"印 刷", 56, [&wnd] { wnd.print(false); }, true},
    };
    int x = 8;
    const int y = 44;
    for (const ButtonLine& s : buttons) {
        addButton(s.caption, QRect(x, y, s.width, 26), s.action)->setEnabled(s.enabled);
        x += s.width + 4;
        if (std::string(s.caption) == "ﾓｰﾄﾞ替") x += 76;  // room for the mode label
    }
    if (month) {
        byMonth_ = new QCheckBox("期別", this);
        byMonth_->setGeometry(x + 4, y, 60, 26);
        byMonth_->setFocusPolicy(Qt::NoFocus);
        connect(byMonth_, &QCheckBox::toggled, this, [&wnd](bool on) { wnd.setByMonth(on); });
        addButton("個別表", QRect(x + 66, y, 64, 26), [&wnd] { wnd.openBlock(); });
        x += 134;
    }
    mixed_ = new QCheckBox("3ﾓｰﾄﾞ印字", this);
    mixed_->setGeometry(x + 4, y, 110, 26);
    mixed_->setFocusPolicy(Qt::NoFocus);
    connect(mixed_, &QCheckBox::toggled, this, [&wnd](bool on) { wnd.setMixedPrint(on); });
}

QRect GraSyuView::valueRect(int field) const {
    return QRect(8 + (field - 1) * kFieldStep + kLabelWidth, kFieldTop, kValueWidth, kFieldHeight);
}

QRect GraSyuView::hitRect(int field) const { return valueRect(field).adjusted(-kLabelWidth, 0, 0, 0); }

int GraSyuView::fieldValue(int field) const {
    const tables::TableRange& r = wnd_.range();
    return field == 1 ? r.from : field == 2 ? r.to : field == 3 ? r.startCode : r.endCode;
}

QString GraSyuView::fieldText(int field) const {
    const tables::TableRange& r = wnd_.range();
    char buf[32];
    if (field <= 2) {
        const int v = field == 1 ? r.from : r.to;
        if (wnd_.tableKind().month)
            std::snprintf(buf, sizeof buf, "%4d年", v);
        else
            return QString::fromStdString(monthday::japanese(v));
    } else {
        std::snprintf(buf, sizeof buf, "%d", field == 3 ? r.startCode : r.endCode);
    }
    return QString::fromUtf8(buf);
}

void GraSyuView::finished(Key k) {
    tables::TableRange& r = wnd_.range();
    const int v = edit_->value();
    const bool month = wnd_.tableKind().month;
    switch (field_) {
        case 1:
            r.from = month ? v : monthday::normalise(v, monthday::kFirstDay);
            break;
        case 2:
            r.to = month ? v : monthday::normalise(v, monthday::kLastDay);
            break;
        case 3:
            r.startCode = v;
            break;
        case 4:
            r.endCode = v;
            break;
    }
    int next = field_;
    switch (k) {
        case Key::Enter:
        case Key::Down:
            next = field_ + 1;
            break;
        case Key::Up:
            next = field_ - 1;
            break;
        case Key::Right:
            next = field_ + 2;
            break;
        case Key::Left:
            next = field_ - 2;
            break;
        default:
            break;
    }
    const bool confirmedEnd = field_ == 4 && (k == Key::Enter || k == Key::Down);
    enterField(std::clamp(next, 1, 4));
    if (confirmedEnd) wnd_.showConditions();
}

void GraSyuView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xF0));
    const bool month = wnd_.tableKind().month;
    const char* labels[4] = {month ? msg::kStartYear : msg::kStartDate, month ? msg::kEndYear : msg::kEndDate,
                             msg::kStartCode, msg::kEndCode};
    for (int f = 1; f <= 4; ++f) {
        const QRect v = valueRect(f);
        p.setPen(Qt::black);
        p.drawText(QRect(v.left() - kLabelWidth, v.top(), kLabelWidth - 4, v.height()),
                   Qt::AlignVCenter | Qt::AlignRight, QString::fromUtf8(labels[f - 1]));
    }
    paintFields(p);
    // The display mode beside its button.
    p.setPen(QColor(0x00, 0x00, 0xA0));
    p.drawText(QRect(8 + 56 + 4 + 56 + 4 + 64 + 6, 44, 72, 26), Qt::AlignVCenter,
               QString::fromUtf8(msg::kModeLabels[static_cast<int>(wnd_.measure())]));
}

}  // namespace rk::ui
