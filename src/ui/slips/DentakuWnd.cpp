#include "ui/slips/DentakuWnd.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

#include "base/format.h"
#include "slips/slip_messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/slips/FMdinWnd.h"

namespace rk::ui {

using controls::Key;

namespace {
constexpr int kTop = 64, kRowHeight = 24, kWidth = 240;
const char* const kPrompt = "＊．電卓入力";

const char* mark(TapeOp op) {
    switch (op) {
        case TapeOp::Multiply:
            return "×";
        case TapeOp::Add:
            return "＋";
        case TapeOp::Divide:
            return "÷";
        default:
            return "";
    }
}
}  // namespace

DentakuWnd::DentakuWnd(FMdinWnd& wnd) : QWidget(&wnd), wnd_(wnd) {
    setObjectName("DentakuWnd");
    setWindowTitle("　電卓");
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(QFont("IPAGothic", 11));
    setFixedSize(kWidth, kTop + TapeCalculator::kRows * kRowHeight + 44);
    auto* explain = new QPushButton("解説", this);
    explain->setGeometry(8, height() - 38, 80, 30);
    explain->setFocusPolicy(Qt::NoFocus);
    explain->setEnabled(wnd_.canOpenGuide());
    connect(explain, &QPushButton::clicked, this, [this] { wnd_.showGuide(kPrompt); });
    enter(0);
}

void DentakuWnd::enter(int row) {
    if (edit_) {
        edit_->disconnect(this);
        edit_->hide();
        if (edit_->label()) edit_->label()->hide();
        edit_->deleteLater();
    }
    row_ = std::clamp(row, 0, TapeCalculator::kRows - 1);
    controls::EntryConfig c;
    c.mode = 2;
    c.length = 11;
    c.value = tape_.row(row_).value;
    edit_ = CDataEdit::create(this, c, QRect(40, kTop + row_ * kRowHeight, 170, kRowHeight - 2), wnd_.dialogs());
    if (edit_) {
        connect(edit_, &CDataEdit::finished, this, &DentakuWnd::finished);
        edit_->installEventFilter(this);
    }
    update();
}

// The pad's times ends a row only after digits; on a row kept as it is it ends it too.
bool DentakuWnd::eventFilter(QObject* o, QEvent* e) {
    if (o == edit_ && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Asterisk && (k->modifiers() & Qt::KeypadModifier) && !edit_->field().edited()) {
            if (store(tape_.row(row_).value, TapeOp::Multiply)) enter(row_ + 1);
            return true;
        }
    }
    return QWidget::eventFilter(o, e);
}

bool DentakuWnd::store(int32_t value, TapeOp op) {
    switch (tape_.set(row_, value, op)) {
        case TapeCalculator::Result::Ok:
            return true;
        case TapeCalculator::Result::OperatorOrder:
            wnd_.dialogs().message(msg::kOperatorOrder);
            enter(row_);
            return false;
        case TapeCalculator::Result::Overflow:
            wnd_.dialogs().beep();
            enter(row_);
            return false;
    }
    return false;
}

void DentakuWnd::finished(Key k) {
    const int32_t v = edit_->value();
    const TapeOp kept = tape_.row(row_).op;
    switch (k) {
        case Key::Esc:
            close();
            emit escaped();
            return;
        case Key::PadTimes:
            if (store(v, TapeOp::Multiply)) enter(row_ + 1);
            return;
        case Key::PadPlus:
            if (store(v, TapeOp::Add)) enter(row_ + 1);
            return;
        case Key::PadSlash:
            if (store(v, TapeOp::Divide)) enter(row_ + 1);
            return;
        case Key::Up:
            if (store(v, kept)) enter(row_ - 1);
            return;
        case Key::Down:
            if (store(v, kept)) enter(row_ + 1);
            return;
        case Key::Enter:
            if (!store(v, kept)) return;
            enter(row_);  // before the grid takes the keyboard
            emit totalChosen(tape_.total());
            return;
        default:
            return enter(row_);
    }
}

void DentakuWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xE8));
    p.fillRect(QRect(0, 0, width(), 24), QColor(0x00, 0x00, 0x80));
    p.setPen(Qt::white);
    p.drawText(QRect(6, 0, width() - 12, 24), Qt::AlignVCenter, windowTitle());
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.fillRect(QRect(8, 30, kWidth - 16, 28), Qt::white);
    p.drawRect(QRect(8, 30, kWidth - 17, 27));
    p.drawText(QRect(12, 30, kWidth - 28, 28), Qt::AlignVCenter | Qt::AlignRight,
               QString::fromStdString(fmt::groupDigits(std::to_string(tape_.total()))));
    for (int r = 0; r < TapeCalculator::kRows; ++r) {
        const QRect band(8, kTop + r * kRowHeight, kWidth - 16, kRowHeight - 2);
        p.fillRect(band, r == row_ ? QColor(0xFF, 0xFF, 0xE0) : QColor(Qt::white));
        const TapeRow& t = tape_.row(r);
        p.drawText(QRect(10, band.y(), 28, band.height()), Qt::AlignCenter, QString::fromUtf8(mark(t.op)));
        if (r != row_ && t.value != 0)
            p.drawText(QRect(40, band.y(), 166, band.height()), Qt::AlignVCenter | Qt::AlignRight,
                       QString::fromStdString(fmt::groupDigits(std::to_string(t.value))));
    }
}

}  // namespace rk::ui
