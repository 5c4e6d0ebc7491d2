#include "ui/masters/HinMasBView.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QWheelEvent>

#include "masters/account_items.h"
#include "masters/master_fields.h"
#include "masters/master_io.h"
#include "masters/messages.h"
#include "masters/product_master.h"
#include "settings/environment_edit.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"
#include "ui/masters/MasterUi.h"

namespace rk::ui {

using controls::Key;

namespace {
constexpr int kContainerListId = 1621, kDecimalsListId = 1622;
}

HinMasBView::HinMasBView(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : MasterGrid(ctx, dialogs, 1, masters::kLastProduct, 22, parent) {
    setObjectName("HinMasBView");
}

int32_t& HinMasBView::debit(ProductRecord& r) const {
    return ctx_.edition == Edition::Purchase ? r.purchaseDebit : r.salesDebit;
}
int32_t& HinMasBView::credit(ProductRecord& r) const {
    return ctx_.edition == Edition::Purchase ? r.purchaseCredit : r.salesCredit;
}

void HinMasBView::firstFocus() {
    int first = ctx_.edition == Edition::Purchase ? 101 : 1;
    scrollToRow(first);
    moveTo(first, 1);
}

QRect HinMasBView::cell(int row, int column) const {
    QRect r = rowRect(row);
    return {kColumnX[column] - horizontalScrollBar()->value(), r.top(), kColumnW[column], r.height()};
}

void HinMasBView::loadRow(int row) {
    if (!masters::loadProductRow(ctx_.files, ctx_.fileSet[kProducts], row, rec_)) rec_ = ProductRecord{};
    read_ = rec_;
}

void HinMasBView::prepareRows(int first, int last) {
    shownFirst_ = first;
    shown_ = readRows<ProductRecord>(ctx_.files, ctx_.fileSet[kProducts], first, last);
    for (ProductRecord& r : shown_) masters::clampProduct(r);
    accountNames_ = masters::readAccountItems(ctx_.files, ctx_.fileSet[kAccounts]);
}

void HinMasBView::paintRow(QPainter& p, int row, const QRect& r) {
    size_t i = static_cast<size_t>(row - shownFirst_);
    ProductRecord rec = row == currentRow() || i >= shown_.size() ? rec_ : shown_[i];
    const bool listOpen = row == currentRow() && qobject_cast<CMojiList*>(editor());
    if (listOpen)
        p.fillRect(r, QColor(0, 0xFF, 0xFF));
    else if (row == currentRow())
        p.fillRect(r, QColor(0xFF, 0xFF, 0xE0));
    p.setPen(QColor(0xC0, 0xC0, 0xC0));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.setPen(Qt::black);
    auto accountText = [&](int code) {
        QString name;
        if (code == kProfitAccountCode)
            name = utf8(masters::kProfitAccountName);
        else if (code >= 100 && code <= 599 && !accountNames_.empty())
            name = fieldText(accountNames_[code - 100].name);
        return QString::asprintf("%3d ", code) + name;
    };
    drawCell(p, cell(row, 0), QString::asprintf("%4d", row), Qt::AlignRight);
    drawCell(p, cell(row, 1), fieldText(rec.name));
    drawCell(p, cell(row, 2), fieldText(rec.unit));
    drawCell(p, cell(row, 3), accountText(debit(rec)));
    drawCell(p, cell(row, 4), accountText(credit(rec)));
    drawCell(p, cell(row, 5), utf8(masters::containerText(rec.packingKind)));
    drawCell(p, cell(row, 6), QString::asprintf("%6.0f", rec.boxPoints), Qt::AlignRight);
    drawCell(p, cell(row, 7), utf8(masters::decimalsText(rec.decimals)), Qt::AlignHCenter);
    drawCell(p, cell(row, 8), fieldText(rec.commonCode));
    drawCell(p, cell(row, 9), QString::asprintf("%3d", rec.packingGroup), Qt::AlignRight);
}

void HinMasBView::openCell(int row, int column) {
    controls::EntryConfig c;
    QRect box = cell(row, column);
    switch (column) {
        case 1:
            c.mode = 0, c.length = masters::kProductNameLimit, c.text = std::span<char>(rec_.name);
            break;
        case 2:
            rec_.unit[2] = 0;
            c.mode = 0, c.length = masters::kUnitLimit, c.text = std::span<char>(rec_.unit);
            break;
        case 3:
        case 4:
            c.mode = 1, c.length = 3, c.value = column == 3 ? debit(rec_) : credit(rec_);
            box.setWidth(30);
            break;
        case 5:
        case 7:
            openList(row, column);
            return;
        case 6:
            c.mode = 3, c.length = 7, c.decimals = 2, c.number = rec_.boxPoints;
            break;
        case 8:
            c.mode = 0, c.length = masters::kCommonCodeLimit, c.text = std::span<char>(rec_.commonCode);
            break;
        default:
            c.mode = 1, c.length = 3, c.value = rec_.packingGroup;
            break;
    }
    editField(c, box);
}

void HinMasBView::openList(int row, int column) {
    auto* list = new CMojiList(column == 5 ? kContainerListId : kDecimalsListId, viewport());
    QStringList lines;
    for (const char* line : column == 5 ? masters::containerChoices() : masters::decimalsChoices()) lines << utf8(line);
    list->setLines(lines);
    list->setCurrentRow(column == 5 ? rec_.packingKind : rec_.decimals);
    list->setFont(gridFont());
    QRect c = cell(row, column);
    list->setGeometry(c.left(), std::min(c.bottom(), viewport()->height() - 96), 90, 96);
    adoptEditor(list);
    viewport()->update();
    connect(list, &CMojiList::chosen, this, [this](const controls::ListResult& r) { finishEditor(r.key); });
}

void HinMasBView::store() {
    QWidget* closed = closedEditor();
    if (auto* edit = qobject_cast<CDataEdit*>(closed)) {
        switch (currentColumn()) {
            case 3:
                debit(rec_) = edit->value();
                break;
            case 4:
                credit(rec_) = edit->value();
                break;
            case 6:
                rec_.boxPoints = edit->number();
                break;
            case 9:
                rec_.packingGroup = edit->value();
                break;
            default:
                break;
        }
    } else if (auto* list = qobject_cast<CMojiList*>(closed);
               list && list->result().key != Key::Esc && list->result().key != Key::None) {
        int chosen = std::clamp(list->result().value, 0, 3);
        if (currentColumn() == 5)
            rec_.packingKind = chosen;
        else
            rec_.decimals = std::min(chosen, 2);
    }
}

void HinMasBView::cellClosed(Key key) {
    store();
    if (key >= Key::F2 && key <= Key::F5) rec_.packingKind = controls::code(key) - controls::code(Key::F2);
    masters::clampProduct(rec_);
    (void)saveChangedRecord(ctx_, dialogs_, ctx_.fileSet[kProducts], currentRow(), read_, rec_, masters::kProductFields,
                            msg::kProductWriteFailed);
    viewport()->update();
    int row = currentRow(), column = currentColumn();
    switch (key) {
        case Key::None:
            return;
        case Key::Enter:
        case Key::Right:
            if (++column > 9) column = 1, row = stepRow(1);
            break;
        case Key::Left:
            column = std::max(column - 1, 1);
            break;
        case Key::Down:
            row = stepRow(1);
            break;
        case Key::Up:
            row = stepRow(-1);
            break;
        case Key::PageDown:
            if (row < 900) row += 100, scrollToRow(firstVisibleRow() + 100);
            break;
        case Key::PageUp:
            if (row > 100) row -= 100, scrollToRow(std::max(1, firstVisibleRow() - 100));
            break;
        default:
            break;
    }
    moveTo(row, column);
}

bool HinMasBView::editorKey(QKeyEvent* e) {
    // F2..F5 set the container type from any column, the lists included.
    if (auto* list = qobject_cast<CMojiList*>(editor()); list && e->key() >= Qt::Key_F2 && e->key() <= Qt::Key_F5) {
        list->clearChoice();
        finishEditor(static_cast<Key>(controls::code(Key::F2) + (e->key() - Qt::Key_F2)));
        return true;
    }
    return false;
}

void HinMasBView::rowClicked(int row, int x, Qt::MouseButton button) {
    x += horizontalScrollBar()->value();
    if (button == Qt::RightButton) {
        openAccountSearch(row, x < kColumnX[4] ? 3 : 4);
        return;
    }
    if (button != Qt::LeftButton) return;
    int column = 1;
    for (int c = 1; c <= 9; ++c)
        if (x >= kColumnX[c]) column = c;
    closeEditor();
    moveTo(row, column);
}

void HinMasBView::wheelEvent(QWheelEvent* e) {
    int notches = e->angleDelta().y() / 120;
    verticalScrollBar()->setValue(verticalScrollBar()->value() - notches * rowHeight());
}

void HinMasBView::copyFromAbove() {
    // The open cell is put aside unsaved: it shows the copied value when it reopens.
    discardEditor();
    if (!masters::copyFromRowAbove(ctx_.files, ctx_.fileSet[kProducts], currentRow(), rec_)) return;
    viewport()->update();
    openCell(currentRow(), currentColumn());
}

void HinMasBView::search(const QString& text) {
    std::string needle = cp932::fromUtf8(text.toStdString());
    needle.resize(cp932::cutAtCharBoundary(needle, masters::kProductSearchLimit));
    if (needle.empty()) return;
    matches_ = masters::searchProducts(ctx_.files, ctx_.fileSet[kProducts], needle);
    emit matchListWanted();
    setFocus(Qt::OtherFocusReason);
    if (editor()) editor()->setFocus(Qt::OtherFocusReason);
}

void HinMasBView::productChosen(int product, Key) {
    if (product < 1 || product > masters::kLastProduct) return;
    closeEditor();
    window()->activateWindow();
    moveTo(product, 1);
}

void HinMasBView::openAccountSearch(int row, int column) {
    closeEditor();
    moveTo(row, column);
    if (!accounts_) {
        accounts_ = new QComboBox(viewport());
        accounts_->setObjectName("accountSearch");
        accounts_->setEditable(true);
        accounts_->setInsertPolicy(QComboBox::NoInsert);
        accounts_->setMaxVisibleItems(20);
        accounts_->setFont(gridFont());
        connect(accounts_->lineEdit(), &QLineEdit::textEdited, this, &HinMasBView::fillAccounts);
        connect(accounts_, qOverload<int>(&QComboBox::activated), this, &HinMasBView::accountChosen);
    }
    accountsRow_ = row;
    accountsColumn_ = column;
    QRect c = cell(row, column);
    accounts_->setGeometry(c.left(), c.bottom() + 1, 20 * 8 + 24, 24);
    accounts_->clear();
    accounts_->setAttribute(Qt::WA_InputMethodEnabled, true);
    accounts_->show();
    accounts_->raise();
    accounts_->setFocus(Qt::OtherFocusReason);
}

void HinMasBView::fillAccounts(const QString& text) {
    auto found = settings::findAccounts(ctx_, text.toStdString());
    if (!found) {
        requireAccountFile(this, ctx_, dialogs_);
        return;
    }
    accounts_->blockSignals(true);
    accounts_->clear();
    for (const auto& m : *found) {
        if (accounts_->count() >= 600) break;
        accounts_->addItem(QString::fromStdString(m.label()));
    }
    accounts_->setEditText(text);
    accounts_->blockSignals(false);
    if (accounts_->count() > 0) accounts_->showPopup();
}

void HinMasBView::accountChosen(int index) {
    if (index < 0 || accountsRow_ != currentRow()) return;
    int code = accounts_->itemText(index).left(4).trimmed().toInt();
    accounts_->hide();
    // The chosen code replaces the cell's value: the open field closes unsaved first.
    discardEditor();
    (accountsColumn_ == 3 ? debit(rec_) : credit(rec_)) = code;
    openCell(currentRow(), accountsColumn_);
}

}  // namespace rk::ui
