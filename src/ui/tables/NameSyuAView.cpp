#include "ui/tables/NameSyuAView.h"

#include <QPainter>

#include "base/cp932.h"
#include "base/format.h"
#include "tables/search_messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/tables/NameSyuWnd.h"

namespace rk::ui {

using controls::Key;
namespace msg = tables::msg;

NameSyuAView::NameSyuAView(NameSyuWnd& wnd) : TableFieldsView(&wnd, wnd.dialogs(), 3), wnd_(wnd) {
    setObjectName("NameSyuAView");
    setFixedHeight(kHeight);
    auto search = [&wnd, this](tables::NameMatch how) { return [&wnd, this, how] { wnd.search(searchText(), how); }; };
    const std::vector<std::pair<const char*, std::function<void()>>> buttons = {
        {msg::kNameSearchKeys[0], search(tables::NameMatch::Contains)},
        {msg::kNameSearchKeys[1], search(tables::NameMatch::StartsWith)},
        {msg::kNameSearchKeys[2], search(tables::NameMatch::Code)},
        {"ﾌﾟﾚﾋﾞｭｰ", [&wnd] { wnd.print(true); }},
        {"印 刷", [&wnd] { wnd.print(false); }},
        {"文字列", [&wnd] { (void)wnd.exportCsv(); }},
        {"解 説", [&wnd] { wnd.openGuide(); }}};
    int x = 8;
    for (const auto& [caption, action] : buttons) {
        const int w = QString::fromUtf8(caption).size() > 6 ? 124 : 70;
        addButton(caption, QRect(x, 46, w, 26), action);
        x += w + 4;
    }
}

std::string NameSyuAView::searchText() const {
    std::string s(text_, cp932::fieldLength(text_, kNameBytes));
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

QRect NameSyuAView::valueRect(int field) const {
    switch (field) {
        case 1:
            return QRect(96, 10, 100, 26);
        case 2:
            return QRect(300, 10, 100, 26);
        default:
            return QRect(500, 10, 190, 26);
    }
}

int NameSyuAView::fieldValue(int field) const { return field == 1 ? wnd_.from() : field == 2 ? wnd_.to() : 0; }

QString NameSyuAView::fieldText(int field) const {
    return field == 3 ? QString::fromStdString(cp932::toUtf8(searchText())) : dateText(fieldValue(field));
}

controls::EntryConfig NameSyuAView::fieldConfig(int field) const {
    controls::EntryConfig c = TableFieldsView::fieldConfig(field);
    if (field == 3) {
        c.mode = 0;
        c.length = kNameBytes;
        c.text = std::span<char>(text_, kNameBytes);
    }
    return c;
}

void NameSyuAView::finished(Key k) {
    const int was = field_;
    const int v = edit_->value();
    if (was == 1) wnd_.setRange(monthday::normalise(v, monthday::kFirstDay), wnd_.to());
    if (was == 2) wnd_.setRange(wnd_.from(), monthday::normalise(v, monthday::kLastDay));
    if (was == 3 && (k == Key::Enter || k == Key::F3 || k == Key::F4)) {
        enterField(3);
        wnd_.search(searchText(), k == Key::Enter ? tables::NameMatch::Contains
                                  : k == Key::F3  ? tables::NameMatch::StartsWith
                                                  : tables::NameMatch::Code);
        return;
    }
    if (k == Key::Esc) return enterField(was);
    enterField(k == Key::Up || k == Key::Left ? was - 1 : was + 1);
}

void NameSyuAView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xF0));
    for (int f = 1; f <= 3; ++f) {
        const QRect v = valueRect(f);
        p.drawText(QRect(v.left() - 92, v.top(), 88, v.height()), Qt::AlignVCenter | Qt::AlignRight,
                   QString::fromUtf8(msg::kNameSearchFields[f - 1]));
    }
    paintFields(p);
}

}  // namespace rk::ui
