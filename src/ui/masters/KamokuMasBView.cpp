#include "ui/masters/KamokuMasBView.h"

#include <QKeyEvent>
#include <cstring>

#include "base/format.h"
#include "masters/master_fields.h"
#include "masters/master_io.h"
#include "masters/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"
#include "ui/masters/MasterUi.h"

namespace rk::ui {

using controls::Key;

namespace {
constexpr int kReferenceListId = 165;
}

KamokuMasBView::KamokuMasBView(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : MasterGrid(ctx, dialogs, kFirstAccountCode, masters::kLastAccountCode, ctx.edition == Edition::Finance ? 18 : 22,
                 parent) {
    setObjectName("KamokuMasBView");
    refreshTotals();
}

QColor KamokuMasBView::categoryColour(int category) {
    static const QColor kColours[5] = {QColor(0xD8, 0xEC, 0xFF), QColor(0xFF, 0xE0, 0xE8), QColor(0xDC, 0xF5, 0xDC),
                                       QColor(0xFF, 0xF6, 0xCC), QColor(0xEC, 0xE0, 0xFF)};
    return kColours[std::clamp(category, 0, 4)];
}

void KamokuMasBView::refreshTotals() {
    totals_ = masters::accountTotals(masters::readAccountItems(ctx_.files, ctx_.fileSet[kAccounts]));
    emit totalsChanged();
}

void KamokuMasBView::loadRow(int row) {
    rec_ = AccountItemRecord{};
    (void)masters::readRecord(ctx_.files, ctx_.fileSet[kAccounts], row, rec_);
    read_ = rec_;
}

void KamokuMasBView::prepareRows(int first, int last) {
    shownFirst_ = first;
    shown_ = readRows<AccountItemRecord>(ctx_.files, ctx_.fileSet[kAccounts], first, last);
}

void KamokuMasBView::paintRow(QPainter& p, int code, const QRect& r) {
    size_t i = static_cast<size_t>(code - shownFirst_);
    AccountItemRecord item = i < shown_.size() ? shown_[i] : rec_;
    if (code == currentRow()) {
        item.openingBalance = rec_.openingBalance;
        std::memcpy(item.name, rec_.name, sizeof item.name);
    }
    p.fillRect(r, categoryColour(masters::accountCategory(code)));
    if (code == currentRow()) p.fillRect(QRect(0, r.top(), kCodeWidth, r.height()), QColor(0xFF, 0xFF, 0xE0));
    p.setPen(QColor(0xB0, 0xB0, 0xB0));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.setPen(Qt::black);
    drawCell(p, QRect(0, r.top(), kCodeWidth, r.height()),
             QString::asprintf(item.mark == 1.0 ? "*%3d" : "  %3d", code));
    QString name = code == kProfitAccountCode ? utf8(masters::kProfitAccountName) : fieldText(item.name);
    drawCell(p, QRect(kNameX, r.top(), kDebitX - kNameX - 8, r.height()), name);
    if (masters::hasOpeningBalance(code)) {
        int x = code <= 199 ? kDebitX : kCreditX;
        drawCell(p, QRect(x, r.top(), kMoneyWidth, r.height()),
                 utf8(fmt::grouped(static_cast<int64_t>(item.openingBalance), 14)), Qt::AlignRight);
    }
}

void KamokuMasBView::openCell(int code, int column) {
    QRect r = rowRect(code);
    controls::EntryConfig c;
    if (column == 2 && masters::hasOpeningBalance(code)) {
        c.mode = 3;
        c.length = 15;
        c.decimals = 2;
        c.number = rec_.openingBalance;
        editField(c, QRect(code <= 199 ? kDebitX : kCreditX, r.top(), kMoneyWidth, r.height()));
        return;
    }
    c.mode = 0;
    c.length = masters::kAccountNameLimit;
    c.text = std::span<char>(rec_.name);
    editField(c, QRect(kNameX, r.top(), kDebitX - kNameX - 8, r.height()));
}

void KamokuMasBView::cellClosed(Key key) {
    const int code = currentRow();
    const bool balance = currentColumn() == 2 && masters::hasOpeningBalance(code);
    if (auto* edit = qobject_cast<CDataEdit*>(closedEditor()); edit && balance) rec_.openingBalance = edit->number();
    masters::normaliseAccountItem(code, rec_);
    // Only what was edited reaches the live item; a failure was shown with its reason.
    const bool saved =
        masters::validAccountCode(code) && saveChangedRecord(ctx_, dialogs_, ctx_.fileSet[kAccounts], code, read_, rec_,
                                                             masters::kAccountItemFields, msg::kAccountWriteFailed);
    if (saved && balance) {
        refreshTotals();
    } else if (saved && closedEditor()) {
        for (const std::string& report :
             duplicates_.check(code, masters::readAccountItems(ctx_.files, ctx_.fileSet[kAccounts])))
            dialogs_.message(report, Icon::Warning);
    }
    loadRow(code);
    viewport()->update();
    if (toTop_) {
        toTop_ = false;
        scrollToRow(kFirstAccountCode);
        moveTo(kFirstAccountCode, 1);
        return;
    }
    int row = code, column = currentColumn();
    const bool tenDown = code + 10 <= masters::kLastAccountCode, tenUp = code - 10 >= kFirstAccountCode;
    switch (key) {
        case Key::None:
            return;
        case Key::Enter:
            if (column == 1 && masters::hasOpeningBalance(code))
                column = 2;
            else
                row = stepRow(1), column = 1;
            break;
        case Key::Down:
            row = stepRow(1);
            break;
        case Key::Up:
            row = stepRow(-1);
            break;
        case Key::PageDown:
            row = tenDown ? code + 10 : code;
            break;
        case Key::PageUp:
            row = tenUp ? code - 10 : code;
            break;
        case Key::Right:
            column = 2;
            break;
        case Key::Left:
            column = 1;
            break;
        default:
            break;
    }
    if (!masters::hasOpeningBalance(row)) column = 1;
    moveTo(row, column);
}

bool KamokuMasBView::editorKey(QKeyEvent* e) {
    if (e->key() == Qt::Key_Home && (e->modifiers() & Qt::ControlModifier)) {
        // Stores the value like Enter, then goes back to the top.
        toTop_ = true;
        CDataEdit::injectKey(viewport(), Key::Enter);
        return true;
    }
    if (e->key() == Qt::Key_D && (e->modifiers() & Qt::AltModifier)) {
        toggleMark(currentRow());
        return true;
    }
    return false;
}

void KamokuMasBView::rowClicked(int row, int x, Qt::MouseButton button) {
    if (button != Qt::LeftButton) return;
    closeEditor();
    moveTo(row, x > 300 && masters::hasOpeningBalance(row) ? 2 : 1);
}

void KamokuMasBView::rowDoubleClicked(int row, int x) {
    if (x < kCodeWidth) toggleMark(row);
}

void KamokuMasBView::toggleMark(int code) {
    auto marked = masters::toggleAccountMark(ctx_.files, ctx_.fileSet[kAccounts], code);
    if (!marked) {
        dialogs_.message(msg::kAccountWriteFailed, Icon::Stop);
        return;
    }
    if (code == currentRow()) rec_.mark = read_.mark = *marked ? 1.0 : 0.0;
    viewport()->update();
}

void KamokuMasBView::showCategory(int category) {
    closeEditor();
    int code = kFirstAccountCode + 100 * std::clamp(category, 0, 4);
    scrollToRow(code);
    moveTo(code, 1);
}

void KamokuMasBView::openReference() {
    closeEditor();
    auto* list = new CMojiList(kReferenceListId, viewport());
    QStringList lines;
    for (const char* name : masters::standardAccountNames(masters::accountCategory(currentRow())))
        lines << QString(" ") + QString::fromUtf8(name);
    list->setLines(lines);
    list->setFont(gridFont());
    QRect r = rowRect(currentRow());
    int top = std::min(r.bottom(), viewport()->height() - 320);
    list->setGeometry(kNameX, std::max(0, top), 200, 320);
    adoptEditor(list);
    connect(list, &CMojiList::chosen, this, &KamokuMasBView::referenceChosen);
}

void KamokuMasBView::referenceChosen(const controls::ListResult& result) {
    auto* list = qobject_cast<CMojiList*>(editor());
    QString name = list && result.key != Key::Esc ? list->item(result.value)->text().mid(1) : QString();
    if (result.key == Key::Esc) {
        finishEditor(Key::None);
        moveTo(currentRow(), 1);
        return;
    }
    cp932::assign(rec_.name, masters::kAccountNameLimit, name.toStdString());
    finishEditor(Key::None);
    moveTo(stepRow(1), 1);
}

}  // namespace rk::ui
