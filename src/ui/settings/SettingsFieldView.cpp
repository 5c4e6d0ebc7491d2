#include "ui/settings/SettingsFieldView.h"

#include <QFocusEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "ui/controls/CDataEdit.h"

namespace rk::ui {

SettingsFieldView::SettingsFieldView(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs) {
    setFocusPolicy(Qt::StrongFocus);
}

int SettingsFieldView::addField(Field f) {
    if (f.widget) f.widget->installEventFilter(this);
    fields_.push_back(std::move(f));
    return static_cast<int>(fields_.size()) - 1;
}

namespace {

// An entry field that ended disappears at once; the value is painted in its box again.
void retire(CDataEdit* edit) {
    edit->hide();
    if (edit->label()) edit->label()->hide();
    edit->deleteLater();
}

}  // namespace

void SettingsFieldView::dropEdit() {
    if (!edit_) return;
    CDataEdit* old = edit_;
    edit_ = nullptr;
    old->disconnect(this);
    if (old->hasFocus()) setFocus(Qt::OtherFocusReason);  // the field writes what was typed
    if (current_ >= 0 && fields_[current_].store) fields_[current_].store(*old);
    retire(old);
}

void SettingsFieldView::commit() {
    if (!edit_) return;
    const int index = current_;
    dropEdit();
    current_ = -1;
    setCurrent(index);
}

void SettingsFieldView::setCurrent(int index) {
    dropEdit();
    current_ = index;
    update();
    if (index < 0 || index >= static_cast<int>(fields_.size())) return;
    const Field& f = fields_[index];
    emit fieldChanged(index);
    if (f.widget) {
        f.widget->setFocus(Qt::OtherFocusReason);
        return;
    }
    edit_ = CDataEdit::create(this, f.config(), f.rect, dialogs_);
    if (!edit_) return;
    if (f.masked && edit_->label()) {
        // A cover over the value: the typed password is never on the screen.
        auto* cover = new QLabel("**** ", edit_->label());
        cover->setObjectName("PasswordCover");
        cover->setGeometry(edit_->label()->rect().adjusted(1, 1, -1, -1));
        cover->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        cover->setAutoFillBackground(true);
        cover->setPalette(edit_->label()->palette());
        cover->show();
    }
    connect(edit_, &CDataEdit::finished, this, [this, index](controls::Key key) {
        if (current_ != index || !edit_) return;
        CDataEdit* done = edit_;
        edit_ = nullptr;
        done->disconnect(this);
        if (fields_[index].store) fields_[index].store(*done);
        retire(done);
        update();
        fieldExited(index, key);
    });
}

void SettingsFieldView::paintFields(QPainter& p) const {
    for (int i = 0; i < static_cast<int>(fields_.size()); ++i) {
        const Field& f = fields_[i];
        if (f.widget || (i == current_ && edit_)) continue;
        p.fillRect(f.rect, QColor(0xFF, 0xFF, 0xFF));
        p.setPen(Qt::black);
        p.drawRect(f.rect.adjusted(0, 0, -1, -1));
        if (f.shown) p.drawText(f.rect.adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft, f.shown());
    }
}

void SettingsFieldView::mousePressEvent(QMouseEvent* e) {
    for (int i = 0; i < static_cast<int>(fields_.size()); ++i) {
        if (!fields_[i].widget && fields_[i].rect.contains(e->position().toPoint())) {
            if (i != current_ || !edit_) setCurrent(i);
            return;
        }
    }
    QWidget::mousePressEvent(e);
}

bool SettingsFieldView::eventFilter(QObject* watched, QEvent* e) {
    // A widget field clicked into becomes the current field.
    if (e->type() == QEvent::FocusIn) {
        for (int i = 0; i < static_cast<int>(fields_.size()); ++i) {
            if (fields_[i].widget == watched && current_ != i) {
                dropEdit();
                current_ = i;
                update();
                emit fieldChanged(i);
            }
        }
    }
    return QWidget::eventFilter(watched, e);
}

}  // namespace rk::ui
