#include "ui/tables/JyoukenSetWnd.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "base/cp932.h"
#include "tables/key_names.h"
#include "tables/messages.h"
#include "ui/controls/CDataEdit.h"

namespace rk::ui {

using controls::Key;
using tables::Dimension;
namespace msg = tables::msg;

namespace {

constexpr int kLeft = 16, kTop = 64, kColumnWidth = 124, kRowHeight = 26, kHeadHeight = 24;

bool threeDigits(Dimension d) { return d == tables::kByCustomer || d == tables::kByProduct || d == tables::kByRemark; }

}  // namespace

JyoukenSetWnd::JyoukenSetWnd(AppContext& ctx, Dialogs& dialogs, Dimension hidden, bool yearRange,
                             const tables::ConditionSet& start, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      ctx_(ctx),
      dialogs_(dialogs),
      hidden_(hidden),
      yearRange_(yearRange),
      conditions_(start),
      column_(hidden == tables::kByCustomer ? tables::kBySalesMethod : tables::kByCustomer) {
    setObjectName("JyoukenSetWnd");
    setWindowTitle(QString::fromUtf8(msg::kConditionsTitle));
    QFont f("IPAGothic");
    f.setPixelSize(13);
    setFont(f);
    const int shownColumns = hidden == 0 ? tables::kDimensions : tables::kDimensions - 1;
    setFixedSize(kLeft * 2 + shownColumns * kColumnWidth, kTop + kHeadHeight + 6 * kRowHeight + 84);
    for (Dimension d : {tables::kByCustomer, tables::kByProduct, tables::kByGrade1, tables::kByGrade2}) {
        if (d == hidden) continue;
        for (const std::string& n : tables::keyNames(ctx, d, 1000)) names_[d - 1].push_back(cp932::toUtf8(n));
    }
    endButton_ = new QPushButton(QString::fromUtf8(msg::kEndSetting), this);
    endButton_->setGeometry(width() - 140, height() - 38, 124, 28);
    endButton_->setFocusPolicy(Qt::NoFocus);
    connect(endButton_, &QPushButton::clicked, this, &JyoukenSetWnd::endSetting);
    enter(column_, 1);
}

void JyoukenSetWnd::setRange(int from, int to) {
    from_ = from;
    to_ = to;
    update();
}

int JyoukenSetWnd::columnIndex(Dimension d) const { return d - 1 - (hidden_ != 0 && d > hidden_ ? 1 : 0); }

QRect JyoukenSetWnd::cellRect(Dimension d, int row) const {
    return QRect(kLeft + columnIndex(d) * kColumnWidth, kTop + kHeadHeight + (row - 1) * kRowHeight, kColumnWidth,
                 kRowHeight);
}

QString JyoukenSetWnd::cellText(Dimension d, int row) const {
    const int code = conditions_.of(d)[static_cast<size_t>(row - 1)];
    if (code == 0) {
        if (row == 1) return QString::fromUtf8(msg::kAllCodes);
        return threeDigits(d) ? QStringLiteral("  -") : QStringLiteral(" - ");
    }
    QString name;
    if (d == tables::kBySalesMethod) {
        name = code >= 1 && code <= 3 ? QString::fromStdString(tables::salesMethodName(ctx_.edition, code))
                                      : QString::fromUtf8("－　　");
    } else {
        const auto& n = names_[d - 1];
        if (code > 0 && static_cast<size_t>(code) < n.size())
            name = QString::fromStdString(n[static_cast<size_t>(code)]);
    }
    return QString("%1 ").arg(code, threeDigits(d) ? 3 : 2) + name;
}

void JyoukenSetWnd::enter(Dimension d, int row) {
    if (edit_) {
        edit_->disconnect(this);
        edit_->hide();
        if (edit_->label()) edit_->label()->hide();
        edit_->deleteLater();
        edit_ = nullptr;
    }
    column_ = d;
    row_ = std::clamp(row, 1, tables::kConditionRows);
    controls::EntryConfig c;
    c.mode = 1;
    c.length = threeDigits(d) ? 3 : 2;
    c.value = conditions_.of(d)[static_cast<size_t>(row_ - 1)];
    const QRect r = cellRect(d, row_);
    edit_ = CDataEdit::create(this, c, QRect(r.left() + 2, r.top() + 2, 44, r.height() - 4), dialogs_);
    if (edit_) connect(edit_, &CDataEdit::finished, this, &JyoukenSetWnd::finished);
    update();
}

void JyoukenSetWnd::finished(Key k) {
    conditions_.of(column_)[static_cast<size_t>(row_ - 1)] = edit_->value();
    auto step = [this](int by) {
        int d = column_;
        do d = (d - 1 + by + tables::kDimensions) % tables::kDimensions + 1;
        while (d == hidden_);
        return static_cast<Dimension>(d);
    };
    switch (k) {
        case Key::F3:
            enter(column_, row_);
            return endSetting();
        case Key::Up:
            return enter(column_, row_ - 1);
        case Key::Down:
        case Key::Enter:
            return enter(column_, row_ + 1);
        case Key::Right:
            return enter(step(1), row_);
        case Key::Left:
            return enter(step(-1), row_);
        default:
            return enter(column_, row_);
    }
}

void JyoukenSetWnd::endSetting() { emit settingEnded(conditions_); }

void JyoukenSetWnd::mousePressEvent(QMouseEvent* e) {
    for (int d = 1; d <= tables::kDimensions; ++d) {
        if (d == hidden_) continue;
        for (int row = 1; row <= tables::kConditionRows; ++row)
            if (cellRect(static_cast<Dimension>(d), row).contains(e->pos()))
                return enter(static_cast<Dimension>(d), row);
    }
}

void JyoukenSetWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF0, 0xF0, 0xE4));
    char buf[128];
    std::snprintf(buf, sizeof buf, msg::kConditionHeading, ctx_.settings.businessYear);
    p.drawText(QRect(kLeft, 8, width() - 2 * kLeft, 22), Qt::AlignVCenter, QString::fromUtf8(buf));
    if (yearRange_)
        std::snprintf(buf, sizeof buf, msg::kConditionYearRange, from_, to_);
    else
        std::snprintf(buf, sizeof buf, msg::kConditionDayRange, from_ / 100, from_ % 100, to_ / 100, to_ % 100);
    p.drawText(QRect(kLeft, 32, width() - 2 * kLeft, 22), Qt::AlignVCenter, QString::fromUtf8(buf));
    for (int d = 1; d <= tables::kDimensions; ++d) {
        if (d == hidden_) continue;
        const auto dim = static_cast<Dimension>(d);
        const QRect head(cellRect(dim, 1).left(), kTop, kColumnWidth, kHeadHeight);
        p.fillRect(head, QColor(0xD8, 0xD8, 0xE8));
        p.drawRect(head.adjusted(0, 0, -1, -1));
        p.drawText(head, Qt::AlignCenter, QString::fromUtf8(msg::kConditionHeads[d - 1]));
        for (int row = 1; row <= tables::kConditionRows; ++row) {
            const QRect cell = cellRect(dim, row);
            p.fillRect(cell, dim == column_ && row == row_ ? QColor(0xFF, 0xFF, 0xD0) : QColor(Qt::white));
            p.drawRect(cell.adjusted(0, 0, -1, -1));
            if (dim == column_ && row == row_ && edit_)
                p.drawText(cell.adjusted(50, 0, -2, 0), Qt::AlignVCenter,
                           cellText(dim, row).mid(threeDigits(dim) ? 4 : 3));
            else
                p.drawText(cell.adjusted(4, 0, -2, 0), Qt::AlignVCenter, cellText(dim, row));
        }
    }
    p.drawText(QRect(kLeft, kTop + kHeadHeight + 6 * kRowHeight + 6, width() - 2 * kLeft, 22), Qt::AlignVCenter,
               QString::fromUtf8(msg::kConditionNote));
}

}  // namespace rk::ui
