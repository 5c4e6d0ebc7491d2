#include "ui/slips/FChanjeDateWnd.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/controls/CDataEdit.h"
#include "ui/slips/FMdinWnd.h"

namespace rk::ui {

using controls::Key;

FChanjeDateWnd::FChanjeDateWnd(FMdinWnd& wnd, bool dateOnly) : QWidget(&wnd, Qt::Tool), wnd_(wnd), dateOnly_(dateOnly) {
    setObjectName("FChanjeDateWnd");
    setWindowTitle("　伝票月日の変更");
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(QFont("IPAGothic", 11));
    setFixedSize(300, 170);
    enter(1);
}

void FChanjeDateWnd::enter(int field) {
    if (edit_) {
        edit_->disconnect(this);
        edit_->hide();
        if (edit_->label()) edit_->label()->hide();
        edit_->deleteLater();
    }
    field_ = dateOnly_ ? 1 : field;
    const SlipHeader& h = wnd_.doc().header;
    controls::EntryConfig c;
    c.mode = 1;
    c.length = 4;
    c.value = field_ == 1 ? h.date : h.customer;
    edit_ = CDataEdit::create(this, c, field_ == 1 ? QRect(20, 34, 100, 26) : QRect(170, 34, 100, 26), wnd_.dialogs());
    if (edit_) connect(edit_, &CDataEdit::finished, this, &FChanjeDateWnd::finished);
    update();
}

void FChanjeDateWnd::finished(Key k) {
    switch (k) {
        case Key::Esc:
            emit done(false);
            close();
            return;
        case Key::Right:
            return enter(2);
        case Key::Left:
            return enter(1);
        case Key::Enter: {
            const int v = edit_->value();
            const bool changed = field_ == 1 ? wnd_.changeDate(v) : wnd_.changeCustomer(v);
            if (!changed) return enter(field_);
            emit done(true);
            close();
            return;
        }
        default:
            return enter(field_);
    }
}

void FChanjeDateWnd::mousePressEvent(QMouseEvent* e) { enter(e->pos().x() < width() / 2 ? 1 : 2); }

void FChanjeDateWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xE8));
    p.drawText(QRect(10, 6, 280, 24), Qt::AlignVCenter, " 変更月日　　　変更得意先");
    const char* lines[] = {"ESC.ｷｬﾝｾﾙ  ｴﾝﾀｰｷｰ.更新  →←.ﾓｰﾄﾞ変更", "ここで入力後エンターキー押下で",
                           "入力値に変更できますが", "既存データがあるとできません"};
    // The field without the entry shows its preset value.
    const SlipHeader& h = wnd_.doc().header;
    if (field_ == 1)
        p.drawText(QRect(170, 34, 96, 26), Qt::AlignVCenter | Qt::AlignRight, QString::number(h.customer));
    else
        p.drawText(QRect(20, 34, 96, 26), Qt::AlignVCenter | Qt::AlignRight, QString::number(h.date));
    for (int i = 0; i < 4; ++i)
        p.drawText(QRect(10, 70 + i * 24, 280, 24), Qt::AlignVCenter, QString::fromUtf8(lines[i]));
}

}  // namespace rk::ui
