#include "ui/maintenance/CodeAllChenVew.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "maintenance/code_change_messages.h"
#include "ui/controls/CDataEdit.h"

namespace rk::ui {

using controls::Key;
using maintenance::CodeKind;
namespace msg = maintenance::msg;

namespace {
constexpr int kTableX = 260, kTableY = 40, kRowHeight = 26;
constexpr int kColumnX[3] = {kTableX, kTableX + 90, kTableX + 180};
}  // namespace

CodeAllChenVew::CodeAllChenVew(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs) {
    setObjectName("CodeAllChenVew");
    setFont(QFont("IPAGothic", 11));
    setFocusPolicy(Qt::StrongFocus);
    kinds_ = new QListWidget(this);
    kinds_->setGeometry(10, kTableY, 230, 9 * 26 + 6);
    kinds_->setFocusPolicy(Qt::NoFocus);
    for (int k = 1; k <= maintenance::kCodeKinds; ++k) {
        auto* item = new QListWidgetItem(QString::fromUtf8(maintenance::codeKindText(static_cast<CodeKind>(k))));
        // The summary texts' file layout is not known to this program: that kind stays off.
        if (!maintenance::codeKindBuilt(static_cast<CodeKind>(k))) item->setFlags(Qt::NoItemFlags);
        kinds_->addItem(item);
    }
    kinds_->setCurrentRow(0);
    connect(kinds_, &QListWidget::currentRowChanged, this, [this] {
        update();
        enter(row_, column_);
    });
    auto* help = new QPushButton("解 説", this);
    help->setGeometry(10, 420, 100, 30);
    help->setFocusPolicy(Qt::NoFocus);
    connect(help, &QPushButton::clicked, this, &CodeAllChenVew::helpRequested);
    run_ = new QPushButton("実 行", this);
    run_->setGeometry(130, 420, 100, 30);
    run_->setFocusPolicy(Qt::NoFocus);
    connect(run_, &QPushButton::clicked, this, [this] { run(); });
    enter(0, 0);
}

CodeKind CodeAllChenVew::kind() const { return static_cast<CodeKind>(kinds_->currentRow() + 1); }

void CodeAllChenVew::setKind(CodeKind k) { kinds_->setCurrentRow(static_cast<int>(k) - 1); }

QRect CodeAllChenVew::cell(int row, int column) const {
    return {kColumnX[column + 1], kTableY + kRowHeight * (row + 1), 86, kRowHeight - 2};
}

void CodeAllChenVew::enter(int row, int column) {
    if (edit_) {
        edit_->disconnect(this);
        edit_->hide();
        if (edit_->label()) edit_->label()->hide();
        edit_->deleteLater();
    }
    row_ = std::clamp(row, 0, maintenance::kCodePairs - 1);
    column_ = std::clamp(column, 0, 1);
    controls::EntryConfig c;
    c.mode = 1;
    c.length = 4;  // customer codes run to 2999
    c.inputMethodOff = true;
    c.value = column_ == 0 ? pairs_[static_cast<size_t>(row_)].from : pairs_[static_cast<size_t>(row_)].to;
    edit_ = CDataEdit::create(this, c, cell(row_, column_), dialogs_);
    if (edit_) connect(edit_, &CDataEdit::finished, this, &CodeAllChenVew::finished);
    update();
}

void CodeAllChenVew::finished(Key k) {
    maintenance::CodePair& p = pairs_[static_cast<size_t>(row_)];
    // The field's value is what was typed, or the cell's own when nothing was.
    if (k != Key::Esc) {
        (column_ == 0 ? p.from : p.to) = std::max(0, edit_->value());
        p = maintenance::limitPair(kind(), p);
    }
    switch (k) {
        case Key::Enter:
            return column_ == 0 ? enter(row_, 1) : enter(std::min(row_ + 1, maintenance::kCodePairs - 1), 0);
        case Key::Up:
            return enter(row_ - 1, column_);
        case Key::Down:
            return enter(row_ + 1, column_);
        case Key::Left:
            return enter(row_, 0);
        case Key::Right:
            return enter(row_, 1);
        default:
            return enter(row_, column_);
    }
}

maintenance::ChangeOutcome CodeAllChenVew::run() {
    if (edit_) {
        edit_->disconnect(this);
        edit_->clearFocus();  // the field keeps what was typed
        maintenance::CodePair& p = pairs_[static_cast<size_t>(row_)];
        (column_ == 0 ? p.from : p.to) = std::max(0, edit_->value());
    }
    const CodeKind k = kind();
    const auto out = maintenance::changeCodes(ctx_, dialogs_, k, {pairs_.begin(), pairs_.end()});
    if (out.years > 0 && (k == CodeKind::SalesCustomer || k == CodeKind::PurchaseCustomer)) {
        dialogs_.message(msg::kCustomerCodesChanged, Icon::Information);
        emit endProgram();
        return out;
    }
    enter(row_, column_);
    return out;
}

// The view given the focus (the window activated) hands it to the cell being typed.
void CodeAllChenVew::focusInEvent(QFocusEvent*) {
    if (edit_) edit_->setFocus(Qt::OtherFocusReason);
}

void CodeAllChenVew::mousePressEvent(QMouseEvent* e) {
    for (int r = 0; r < maintenance::kCodePairs; ++r)
        for (int c = 0; c < 2; ++c)
            if (cell(r, c).contains(e->position().toPoint())) return enter(r, c);
}

void CodeAllChenVew::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xE8));
    const char* heads[3] = {"変更項目", "旧コード", "新コード"};
    for (int c = 0; c < 3; ++c)
        p.drawText(QRect(kColumnX[c], kTableY, 86, kRowHeight), Qt::AlignCenter, QString::fromUtf8(heads[c]));
    const QString item = QString::fromUtf8(maintenance::codeKindText(kind())).trimmed();
    for (int r = 0; r < maintenance::kCodePairs; ++r) {
        const int y = kTableY + kRowHeight * (r + 1);
        p.drawText(QRect(kColumnX[0], y, 86, kRowHeight - 2), Qt::AlignVCenter, item.mid(3, 6));
        for (int c = 0; c < 2; ++c) {
            p.fillRect(cell(r, c), Qt::white);
            p.drawRect(cell(r, c).adjusted(0, 0, -1, -1));
            const int v = c == 0 ? pairs_[static_cast<size_t>(r)].from : pairs_[static_cast<size_t>(r)].to;
            if ((r != row_ || c != column_) && v != 0)
                p.drawText(cell(r, c).adjusted(0, 0, -6, 0), Qt::AlignVCenter | Qt::AlignRight, QString::number(v));
        }
    }
    p.setPen(Qt::red);
    p.drawText(QRect(10, 460, 600, 24), Qt::AlignVCenter, QString::fromUtf8(msg::kCodeChangeWarning));
}

}  // namespace rk::ui
