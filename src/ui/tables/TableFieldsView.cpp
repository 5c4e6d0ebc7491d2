#include "ui/tables/TableFieldsView.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "ui/controls/CDataEdit.h"

namespace rk::ui {

TableFieldsView::TableFieldsView(QWidget* parent, Dialogs& dialogs, int fieldCount)
    : QWidget(parent), dialogs_(dialogs), fieldCount_(fieldCount) {}

QPushButton* TableFieldsView::button(const QString& caption) const {
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->text() == caption) return b;
    return nullptr;
}

QPushButton* TableFieldsView::addButton(const char* caption, QRect rect, std::function<void()> action) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setGeometry(rect);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QPushButton::clicked, this, std::move(action));
    return b;
}

void TableFieldsView::enterField(int field) {
    if (edit_) {
        edit_->disconnect(this);
        edit_->hide();
        if (edit_->label()) edit_->label()->hide();
        edit_->deleteLater();
        edit_ = nullptr;
    }
    field_ = std::clamp(field, 1, fieldCount_);
    edit_ = CDataEdit::create(this, fieldConfig(field_), valueRect(field_), dialogs_);
    if (edit_) connect(edit_, &CDataEdit::finished, this, [this](controls::Key k) { finished(k); });
    update();
}

controls::EntryConfig TableFieldsView::fieldConfig(int field) const {
    controls::EntryConfig c;
    c.mode = 1;
    c.length = 4;
    c.value = fieldValue(field);
    return c;
}

void TableFieldsView::paintFields(QPainter& p) const {
    for (int f = 1; f <= fieldCount_; ++f) {
        const QRect r = valueRect(f);
        p.fillRect(r, Qt::white);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        if (f == field_ && edit_) continue;
        p.drawText(r.adjusted(2, 0, -4, 0), Qt::AlignVCenter | Qt::AlignRight, fieldText(f));
    }
}

void TableFieldsView::mousePressEvent(QMouseEvent* e) {
    for (int f = 1; f <= fieldCount_; ++f)
        if (hitRect(f).contains(e->pos())) return enterField(f);
}

QString TableFieldsView::dateText(int v) { return QString::asprintf("%2d 月 %2d 日", v / 100, v % 100); }

}  // namespace rk::ui
