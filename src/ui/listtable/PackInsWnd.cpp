#include "ui/listtable/PackInsWnd.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>

#include "app/command_table.h"
#include "base/format.h"
#include "listtable/list_messages.h"
#include "listtable/sorting_sheet.h"
#include "printing/print_form.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"
#include "ui/listtable/PackInsAView.h"
#include "ui/listtable/PackInsBView.h"
#include "ui/listtable/PackInsCView.h"
#include "ui/listtable/PackInsMenuWnd.h"
#include "ui/listtable/PackInsText.h"
#include "ui/printing/PlanPrinter.h"

namespace rk::ui {

PackInsWnd::PackInsWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs), table_(ctx, dialogs) {
    setObjectName("PackInsWnd");
    setWindowTitle(msg::kListTitle);
    packing_ = std::make_unique<PackingTables>(ctx_);

    aView_ = new PackInsAView(*this);
    bView_ = new PackInsBView(*this);
    cView_ = new PackInsCView(*this);
    hBar_ = new QScrollBar(Qt::Horizontal, this);
    vBar_ = new QScrollBar(Qt::Vertical, this);
    hBar_->setRange(0, listtable::kMaxColumns - 1);
    vBar_->setRange(0, listtable::kMaxRows - 1);
    hBar_->setPageStep(5);
    vBar_->setPageStep(5);
    for (QScrollBar* bar : {hBar_, vBar_}) {
        bar->setFocusPolicy(Qt::NoFocus);
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            // The entry field sits over a cell that may have scrolled away: it follows.
            if (edit_) enter();
            refresh();
        });
    }
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(aView_, 0, 0, 1, 3);
    grid->addWidget(bView_, 1, 0);
    grid->addWidget(cView_, 1, 1);
    grid->addWidget(vBar_, 1, 2);
    grid->addWidget(hBar_, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);

    // The buttons, in the corner above the row headers.
    struct Button {
        const char* caption;
        void (PackInsWnd::*action)();
    };
    const Button buttons[] = {{"解 説", &PackInsWnd::explain},
                              {"記 録", &PackInsWnd::recordTable},
                              {"印 刷", &PackInsWnd::printSheet},
                              {"ﾌﾟﾚﾋﾞｭｰ", &PackInsWnd::previewSheet},
                              {"文字列", &PackInsWnd::exportCsv}};
    int y = 24;
    for (const Button& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.caption), aView_);
        button->setObjectName(QString::fromUtf8(b.caption));
        button->setGeometry(6, y, 92, 30);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, [this, action = b.action] { (this->*action)(); });
        if (b.action == &PackInsWnd::explain) explainButton_ = button;
        y += 34;
    }
    explainButton_->setEnabled(false);
    resize(kWidth, kHeight);
    toDay();
}

PackInsWnd::~PackInsWnd() = default;

void PackInsWnd::setGuideOpener(std::function<void(const std::string&)> opener) {
    guide_ = std::move(opener);
    explainButton_->setEnabled(static_cast<bool>(guide_));
}

int PackInsWnd::firstColumn() const { return hBar_->value() + 1; }
int PackInsWnd::firstRow() const { return vBar_->value() + 1; }
int PackInsWnd::visibleColumns() const { return std::max(1, cView_->width() / kColumnWidth); }
int PackInsWnd::visibleRows() const { return std::max(1, cView_->height() / kRowHeight); }

void PackInsWnd::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (edit_) enter();
}

void PackInsWnd::refresh() {
    aView_->update();
    bView_->update();
    cView_->update();
}

QWidget* PackInsWnd::cursorView() const {
    switch (area_) {
        case Area::Day:
        case Area::Header:
            return aView_;
        case Area::RowHead:
            return bView_;
        default:
            return cView_;
    }
}

QRect PackInsWnd::cursorRect() const {
    switch (area_) {
        case Area::Day:
            return PackInsAView::dayRect();
        case Area::Header:
            return aView_->fieldRect(column_, line_);
        case Area::RowHead:
            return bView_->fieldRect(row_);
        default:
            return cView_->fieldRect(column_, row_, sub_);
    }
}

// --- the cursor ---

void PackInsWnd::leave() {
    if (pick_) {
        pick_->disconnect(this);
        pick_->hide();
        pick_->deleteLater();
        pick_ = nullptr;
    }
    if (!edit_) return;
    edit_->disconnect(this);
    edit_->hide();
    if (edit_->label()) edit_->label()->hide();
    edit_->deleteLater();
    edit_ = nullptr;
}

void PackInsWnd::scrollToCursor() {
    if (area_ == Area::Header || area_ == Area::Cell) {
        const int first = firstColumn(), shown = std::max(1, visibleColumns() - 1);
        if (column_ < first) hBar_->setValue(column_ - 1);
        if (column_ >= first + shown) hBar_->setValue(column_ - shown);
    }
    if (area_ == Area::RowHead || area_ == Area::Cell) {
        const int first = firstRow(), shown = std::max(1, visibleRows() - 1);
        if (row_ < first) vBar_->setValue(row_ - 1);
        if (row_ >= first + shown) vBar_->setValue(row_ - shown);
    }
}

void PackInsWnd::enter() {
    leave();
    scrollToCursor();
    controls::EntryConfig c;
    c.mode = 3;
    c.length = 10;
    switch (area_) {
        case Area::Day:
            c.mode = 1, c.length = 4, c.value = table_.day() > 100 ? table_.day() : 0;
            break;
        case Area::Header: {
            // A decimal field's length holds one place beyond its digits: codes of 1, 3 and
            // 2 digits.
            const listtable::Column& col = table_.column(column_);
            switch (line_) {
                case listtable::kLineMethod:
                    c.length = 2, c.number = col.method;
                    break;
                case listtable::kLineProduct:
                    c.length = 4, c.number = col.product;
                    break;
                case listtable::kLineGrade1:
                    c.length = 3, c.number = col.grade1;
                    break;
                case listtable::kLineGrade2:
                    c.length = 3, c.number = col.grade2;
                    break;
                case listtable::kLinePieces:
                    c.number = col.pieces;
                    break;
                case listtable::kLinePrice:
                    c.decimals = 2, c.number = col.price;
                    break;
                default:
                    c.number = col.allowed;
                    break;
            }
            break;
        }
        case Area::RowHead:
            c.mode = 1, c.length = 3, c.value = table_.row(row_).customer;
            break;
        case Area::Cell: {
            const listtable::Cell& x = table_.cell(column_, row_);
            c.decimals = sub_ == 2 ? 2 : 0;
            c.number = sub_ == 0 ? x.boxes : sub_ == 1 ? x.quantity : x.price;
            break;
        }
    }
    edit_ = CDataEdit::create(cursorView(), c, cursorRect(), dialogs_);
    if (edit_) {
        connect(edit_, &CDataEdit::finished, this, &PackInsWnd::finished);
        edit_->installEventFilter(this);
    }
    refresh();
}

void PackInsWnd::toDay() {
    area_ = Area::Day;
    enter();
}

void PackInsWnd::toHeader(int column, int line) {
    area_ = Area::Header;
    column_ = std::clamp(column, 1, std::min(listtable::kMaxColumns, table_.definedColumns() + 1));
    line_ = std::clamp(line, 1, static_cast<int>(listtable::kLineAllowed));
    enter();
}

void PackInsWnd::toRowHead(int row) {
    if (!table_.isLoaded()) return toDay();
    area_ = Area::RowHead;
    row_ = std::clamp(row, 1, std::min(listtable::kMaxRows, table_.usedRows() + 1));
    enter();
}

void PackInsWnd::toCell(int column, int row, int sub) {
    if (!table_.isLoaded()) return toDay();
    area_ = Area::Cell;
    column_ = std::clamp(column, 1, std::max(1, table_.definedColumns()));
    row_ = std::clamp(row, 1, std::min(listtable::kMaxRows, table_.usedRows() + 1));
    sub_ = std::clamp(sub, 0, 2);
    enter();
}

// Sub-rows run on into the next or previous row.
void PackInsWnd::moveCell(int column, int row, int sub) {
    if (sub < 0) {
        if (row <= 1) return toCell(column, 1, 0);
        return toCell(column, row - 1, 2);
    }
    if (sub > 2) return toCell(column, row + 1, 0);
    toCell(column, row, sub);
}

// Stores what the entry field holds; false when nothing was typed.
bool PackInsWnd::store() {
    if (!edit_ || !edit_->field().edited()) return false;
    const double n = edit_->number();
    const int32_t v = edit_->value();
    switch (area_) {
        case Area::Day: {
            const int day = monthday::normalise(v, monthday::kFirstDay);
            if (day > 100) table_.load(day);
            break;
        }
        case Area::Header:
            table_.editColumn(column_, line_, n);
            break;
        case Area::RowHead:
            table_.editCustomer(row_, v);
            break;
        case Area::Cell:
            table_.editCell(column_, row_, static_cast<listtable::CellPart>(sub_), n);
            break;
    }
    return true;
}

void PackInsWnd::finished(controls::Key k) {
    using controls::Key;
    if (k == Key::Esc) return enter();
    (void)store();
    switch (area_) {
        case Area::Day:
            if (!table_.isLoaded()) return enter();
            if (k == Key::Down) return toCell(1, 1, 0);
            if (k == Key::Enter || k == Key::Right || k == Key::Tab) return toHeader(1, 1);
            return enter();
        case Area::Header:
            switch (k) {
                case Key::Left:
                    return column_ > 1 ? toHeader(column_ - 1, line_) : toDay();
                case Key::Right:
                case Key::Tab:
                    return toHeader(column_ + 1, line_);
                case Key::Up:
                    return line_ > 1 ? toHeader(column_, line_ - 1) : toDay();
                case Key::Down:
                case Key::Enter:
                    if (line_ < listtable::kLineAllowed) return toHeader(column_, line_ + 1);
                    return toCell(column_, 1, 0);
                default:
                    return enter();
            }
        case Area::RowHead:
            switch (k) {
                case Key::Up:
                    return row_ > 1 ? toRowHead(row_ - 1) : toHeader(firstColumn(), listtable::kLineAllowed);
                case Key::Down:
                    return toRowHead(row_ + 1);
                case Key::Right:
                case Key::Enter:
                case Key::Tab:
                    return toCell(firstColumn(), row_, 0);
                default:
                    return enter();
            }
        case Area::Cell:
            switch (k) {
                case Key::Left:
                    return column_ > 1 ? toCell(column_ - 1, row_, sub_) : toRowHead(row_);
                case Key::Right:
                case Key::Tab:
                    return toCell(column_ + 1, row_, sub_);
                case Key::Up:
                    return row_ > 1 ? toCell(column_, row_ - 1, sub_) : toHeader(column_, listtable::kLineAllowed);
                case Key::Down:
                    return toCell(column_, row_ + 1, sub_);
                case Key::Enter:
                    return moveCell(column_, row_, sub_ + 1);
                default:
                    return enter();
            }
    }
}

// --- pick lists: the cell's sales method, the column's packing kind ---

void PackInsWnd::openPick() {
    const bool method = area_ == Area::Cell;
    if (!method && area_ != Area::Header) return;
    if (method && (!table_.editable(row_) || !table_.column(column_).takesCells())) return;
    leave();
    pick_ = new CMojiList(method ? 3481 : 3482, cursorView());
    pick_->setLines(method ? packins::methodChoices() : packins::packingChoices());
    pick_->setCurrentRow(method ? table_.cell(column_, row_).method - 1 : table_.column(column_).packingKind);
    const QRect r = cursorRect();
    pick_->setGeometry(r.x(), r.bottom() + 2, 110, method ? 190 : 90);
    pick_->show();
    pick_->setFocus();
    connect(pick_, &CMojiList::chosen, this, &PackInsWnd::picked);
}

void PackInsWnd::picked(const controls::ListResult& r) {
    if (r.key != controls::Key::Esc) {
        if (area_ == Area::Cell)
            table_.setCellMethod(column_, row_, r.value + 1);
        else
            table_.setPackingKind(column_, r.value);
    }
    enter();
}

bool PackInsWnd::eventFilter(QObject* watched, QEvent* e) {
    if (watched != edit_ || (e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride))
        return QWidget::eventFilter(watched, e);
    auto* k = static_cast<QKeyEvent*>(e);
    int command = 0;
    if (k->modifiers() == Qt::ShiftModifier) {
        command = k->key() == Qt::Key_Up ? 346 : k->key() == Qt::Key_Down ? 347 : k->key() == Qt::Key_Left ? 348 : 0;
    } else if (k->modifiers() == Qt::ControlModifier && (area_ == Area::Header || area_ == Area::RowHead)) {
        command = k->key() == Qt::Key_X   ? cmd::kCut
                  : k->key() == Qt::Key_C ? cmd::kCopy
                  : k->key() == Qt::Key_V ? cmd::kPaste
                                          : 0;
    }
    if (command == 0) return QWidget::eventFilter(watched, e);
    // Keep the frame's shortcut out of it: the key is the table's.
    if (e->type() == QEvent::ShortcutOverride) {
        e->accept();
        return true;
    }
    onCommand(command);
    return true;
}

bool PackInsWnd::onCommand(int command) {
    const bool tableCommand = command == 346 || command == 347 || command == 348 ||
                              ((command == cmd::kCut || command == cmd::kCopy || command == cmd::kPaste) &&
                               (area_ == Area::Header || area_ == Area::RowHead));
    if (tableCommand) (void)store();  // what was typed counts before the cursor moves
    if (command == cmd::kCut || command == cmd::kCopy || command == cmd::kPaste) {
        if (area_ == Area::Header) {
            leave();
            if (command == cmd::kCut)
                (void)table_.cutColumn(column_);
            else if (command == cmd::kCopy)
                (void)table_.copyColumn(column_);
            else
                (void)table_.pasteColumn(column_);
            toHeader(column_, line_);
            return true;
        }
        if (area_ == Area::RowHead && command != cmd::kCopy) {
            leave();
            if (command == cmd::kCut)
                (void)table_.cutRow(row_);
            else
                (void)table_.pasteRow(row_);
            toRowHead(row_);
            return true;
        }
        return CDataEdit::clipboardCommand(edit_, command);
    }
    switch (command) {
        case 346:
            if (area_ == Area::Cell) moveCell(column_, row_, sub_ - 1);
            return true;
        case 347:
            if (area_ == Area::Cell) moveCell(column_, row_, sub_ + 1);
            return true;
        case 348:
            openPick();
            return true;
        default:
            return false;
    }
}

}  // namespace rk::ui
