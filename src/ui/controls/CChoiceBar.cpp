#include "ui/controls/CChoiceBar.h"

#include <QKeyEvent>
#include <QPainter>

#include "ui/controls/QtKeys.h"

namespace rk::ui {

using Action = controls::ChoiceBar::Action;

CChoiceBar::CChoiceBar(const QString& items, int id, controls::ListResult& result, QWidget* view, int selected)
    : QWidget(view), bar_(items.toStdString(), id, selected), result_(result) {
    setObjectName("CChoiceBar");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

QSize CChoiceBar::sizeHint() const {
    int n = std::min<int>(static_cast<int>(bar_.items().size()), controls::ChoiceBar::kPaintedItems);
    return {n ? bar_.right(n - 1) + 4 : 40, 24};
}

void CChoiceBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const auto& items = bar_.items();
    const int n = std::min<int>(static_cast<int>(items.size()), controls::ChoiceBar::kPaintedItems);
    for (int i = 0; i < n; ++i) {
        QRect r(bar_.left(i), 0, bar_.right(i) - bar_.left(i), height());
        p.fillRect(r, i == bar_.selected() ? QColor(0x00, 0xC0, 0x00) : QColor(Qt::white));
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(items[static_cast<size_t>(i)].text));
    }
}

void CChoiceBar::act(Action a) {
    switch (a) {
        case Action::Repaint:
            update();
            break;
        case Action::ReturnFocus:
            update();
            if (parentWidget()) parentWidget()->setFocus(Qt::OtherFocusReason);
            emit chosen();
            break;
        case Action::CallParent:
            emit upChosen();
            break;
        case Action::None:
            break;
    }
}

void CChoiceBar::keyPressEvent(QKeyEvent* e) { act(bar_.key(toKey(e), result_)); }

void CChoiceBar::mousePressEvent(QMouseEvent* e) { act(bar_.click(e->position().toPoint().x(), result_)); }

void CChoiceBar::focusOutEvent(QFocusEvent* e) {
    bar_.focusOut(result_);
    QWidget::focusOutEvent(e);
}

}  // namespace rk::ui
