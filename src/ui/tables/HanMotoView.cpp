#include "ui/tables/HanMotoView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "base/format.h"
#include "ui/controls/CDataEdit.h"
#include "ui/tables/HanMotoWnd.h"

namespace rk::ui {

using controls::Key;

namespace {

QString dateText(int v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%2d 月 %2d 日", v / 100, v % 100);
    return QString::fromUtf8(buf);
}

}  // namespace

HanMotoView::HanMotoView(HanMotoWnd& wnd) : QWidget(&wnd), wnd_(wnd) {
    setObjectName("HanMotoView");
    setFixedHeight(kHeight);
    int x = 520;
    for (auto [caption, action] : std::initializer_list<std::pair<const char*, std::function<void()>>>{
             {"ﾌﾟﾚﾋﾞｭｰ", [&wnd] { wnd.print(true); }}, {"印 刷", [&wnd] { wnd.print(false); }}, {"解 説", [&wnd] {
                                                                                                     wnd.openGuide();
                                                                                                 }}}) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setGeometry(x, 42, 80, 26);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, action);
        x += 86;
    }
}

QRect HanMotoView::valueRect(int field) const {
    switch (field) {
        case 1:
            return QRect(96, 8, 60, 24);
        case 2:
            return QRect(96, 42, 110, 24);
        default:
            return QRect(330, 42, 110, 24);
    }
}

void HanMotoView::enterField(int field) {
    if (edit_) {
        edit_->disconnect(this);
        edit_->hide();
        if (edit_->label()) edit_->label()->hide();
        edit_->deleteLater();
        edit_ = nullptr;
    }
    field_ = std::clamp(field, 1, 3);
    controls::EntryConfig c;
    c.mode = 1;
    c.length = 4;
    c.value = field_ == 1 ? customer_ : field_ == 2 ? wnd_.printFrom() : wnd_.printTo();
    edit_ = CDataEdit::create(this, c, valueRect(field_), wnd_.dialogs());
    if (edit_) connect(edit_, &CDataEdit::finished, this, &HanMotoView::finished);
    update();
}

void HanMotoView::finished(Key k) {
    const int v = edit_->value();
    const int was = field_;
    if (k == Key::Esc) return enterField(field_);
    enterField(k == Key::Up || k == Key::Left ? field_ - 1 : field_ + 1);
    switch (was) {
        case 1:
            if (v != customer_ || wnd_.ledger().customer != v) {
                customer_ = v;
                wnd_.chooseCustomer(v);
            }
            break;
        case 2:
            wnd_.setPrintRange(monthday::normalise(v, monthday::kFirstDay), wnd_.printTo());
            break;
        case 3:
            wnd_.setPrintRange(wnd_.printFrom(), monthday::normalise(v, monthday::kLastDay));
            break;
    }
    update();
}

void HanMotoView::mousePressEvent(QMouseEvent* e) {
    for (int f = 1; f <= 3; ++f)
        if (valueRect(f).contains(e->pos())) return enterField(f);
}

void HanMotoView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xF0));
    const tables::Ledger& l = wnd_.ledger();
    auto label = [&](int x, int y, const char* text) {
        p.drawText(QRect(x, y, 90, 24), Qt::AlignVCenter, QString::fromUtf8(text));
    };
    label(8, 8, "得意先No");
    label(170, 8, "得意先名");
    label(480, 8, "期首残高");
    label(8, 42, "印刷開始日");
    label(230, 42, "印刷終了日");
    for (int f = 1; f <= 3; ++f) {
        const QRect r = valueRect(f);
        p.fillRect(r, Qt::white);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        if (f == field_ && edit_) continue;
        const QString text = f == 1 ? (l.customer ? QString::number(l.customer) : QString())
                                    : dateText(f == 2 ? wnd_.printFrom() : wnd_.printTo());
        p.drawText(r.adjusted(2, 0, -4, 0), Qt::AlignVCenter | Qt::AlignRight, text);
    }
    if (l.customer == 0) return;
    p.drawText(QRect(240, 8, 230, 24), Qt::AlignVCenter, QString::fromStdString(l.name));
    p.drawText(QRect(560, 8, 120, 24), Qt::AlignVCenter | Qt::AlignRight,
               QString::fromStdString(fmt::grouped(static_cast<int64_t>(l.opening), 14)).trimmed());
}

}  // namespace rk::ui
