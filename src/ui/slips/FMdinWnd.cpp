#include "ui/slips/FMdinWnd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>
#include <utility>

#include "app/command_table.h"
#include "slips/lan_slip_locks.h"
#include "slips/slip_messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"
#include "ui/slips/DentakuWnd.h"
#include "ui/slips/FChanjeDateWnd.h"
#include "ui/slips/FMdinAView.h"
#include "ui/slips/FMdinBView.h"
#include "ui/slips/FMdinCView.h"
#include "ui/slips/FWidthMojiWnd.h"

namespace rk::ui {
namespace {

FMdinWnd::ReceivableOpener& receivableOpener() {
    static FMdinWnd::ReceivableOpener opener;
    return opener;
}

FMdinWnd::ReferenceOpener& referenceOpener() {
    static FMdinWnd::ReferenceOpener opener;
    return opener;
}

FMdinWnd::HomeDeliveryOpener& homeDeliveryOpener() {
    static FMdinWnd::HomeDeliveryOpener opener;
    return opener;
}

}  // namespace

void FMdinWnd::setHomeDeliveryOpener(HomeDeliveryOpener opener) { homeDeliveryOpener() = std::move(opener); }
bool FMdinWnd::canOpenHomeDelivery() const {
    return ctx_.edition == Edition::Sales && static_cast<bool>(homeDeliveryOpener());
}

void FMdinWnd::openHomeDelivery() {
    if (!canOpenHomeDelivery() || !gridActive() || homeDelivery_) return;
    const int line = line_;
    // Only a goods line keeps its chain when the slip is recorded.
    if (doc_->lines[static_cast<size_t>(line)].product < 1) {
        dialogs_.beep();
        return;
    }
    QWidget* w = homeDeliveryOpener()(*this, *doc_, line);
    if (!w) return;
    homeDelivery_ = w;
    // The slip stays as it is while its line's consignments are edited.
    setEnabled(false);
    connect(w, &QObject::destroyed, this, [this, line] {
        homeDelivery_ = nullptr;
        setEnabled(true);
        bView_->update();
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()); sub && sub->mdiArea())
            sub->mdiArea()->setActiveSubWindow(sub);
        activateWindow();
        if (gridActive()) toGrid(line, bView_->field());
    });
}

void FMdinWnd::setReceivableOpener(ReceivableOpener opener) { receivableOpener() = std::move(opener); }
void FMdinWnd::setReferenceOpener(ReferenceOpener opener) { referenceOpener() = std::move(opener); }
bool FMdinWnd::canOpenReference() const { return static_cast<bool>(referenceOpener()); }

void FMdinWnd::openReference() {
    if (canOpenReference() && gridActive()) referenceOpener()(*this, *doc_);
}

FMdinWnd::FMdinWnd(AppContext& ctx, Dialogs& dialogs, int mode, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      dialogs_(dialogs),
      mode_(std::clamp(mode > 10 ? mode - 10 : mode, 1, 4)),
      requested_(mode > 10) {
    setObjectName("FMdinWnd");
    setWindowTitle("　伝票入力");
    // The request is taken once: a later menu command opens the window in its own mode.
    if (requested_) ctx_.windowMode = mode_;
    // A shared data folder marks the open slip in the network control file.
    if (ctx_.settings.lanMode == 1 || ctx_.settings.lanMode == 2)
        locks_ = std::make_unique<LanSlipLocks>(ctx_, dialogs_);
    packing_ = std::make_unique<PackingTables>(ctx_);
    doc_ = std::make_unique<CFq7Doc>(ctx_, dialogs_, locks_.get(), packing_.get());
    doc_->setInputMode(mode_);
    doc_->header.stage = mode_ - 1;
    editor_ = std::make_unique<SlipLineEditor>(*doc_, ctx_, dialogs_, mode_);
    commands_ = std::make_unique<SlipCommands>(*doc_, ctx_, dialogs_, mode_);

    aView_ = new FMdinAView(*this);
    bView_ = new FMdinBView(*this);
    cView_ = new FMdinCView(*this);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(bView_);
    scroll_->setWidgetResizable(false);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->verticalScrollBar()->setSingleStep(kRowHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(aView_);
    layout->addWidget(scroll_, 1);
    layout->addWidget(cView_);

    // The grid shows whole line rows: as many as the remembered height holds, the window
    // exactly that high around them.
    const BasicSettings& s = ctx_.settings;
    const bool remembered = s.slipHeight >= 400 && s.slipWidth >= 400;
    const int rows = remembered ? std::max(1, (s.slipHeight - 200) / 57) : (kDefaultHeight - 200) / 57;
    const int chrome = FMdinAView::kHeight + FMdinCView::kHeight + 2 * scroll_->frameWidth();
    resize(remembered ? s.slipWidth : kDefaultWidth, rows * kRowHeight + chrome);
    refreshTotals();
    toHeader(1);
}

FMdinWnd::~FMdinWnd() {
    // The home-delivery window works on this slip's document: it goes first.
    if (QWidget* w = homeDelivery_) {
        homeDelivery_ = nullptr;
        QObject::disconnect(w, nullptr, this, nullptr);
        auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        delete (sub ? static_cast<QWidget*>(sub) : w);
    }
}

QSize FMdinWnd::sizeHint() const { return size(); }

void FMdinWnd::closeEvent(QCloseEvent* e) {
    if (locks_) (void)locks_->unlockOwn();
    QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
    BasicSettings& s = ctx_.settings;
    s.slipLeft = frame->x();
    s.slipTop = frame->y();
    s.slipWidth = frame->width();
    s.slipHeight = frame->height();
    QWidget::closeEvent(e);
}

// The window given the focus (opened, activated) passes it on to where the input is.
void FMdinWnd::focusInEvent(QFocusEvent*) {
    if (lineText_ && lineText_->edit()) return lineText_->edit()->setFocus(Qt::OtherFocusReason);
    if (calculator_ && calculator_->edit()) return calculator_->edit()->setFocus(Qt::OtherFocusReason);
    QWidget* target = gridActive() ? static_cast<QWidget*>(bView_->edit()) : aView_->edit();
    if (bView_->pickList()) target = bView_->pickList();
    if (aView_->searchList()) target = aView_->searchList();
    if (target) target->setFocus(Qt::OtherFocusReason);
}

void FMdinWnd::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (shown_) return;
    shown_ = true;
    if (requested_) requestSlip(ctx_.slipRequest.date, ctx_.slipRequest.customer);
}

void FMdinWnd::requestSlip(int32_t date, int32_t customer) {
    doc_->header.date = date;
    aView_->update();
    if (!openSlip(customer)) toHeader(2);
}

bool FMdinWnd::openSlip(int32_t customer) {
    CFq7Doc& d = *doc_;
    d.header.customer = std::clamp(customer, 0, std::max(0, ctx_.env.customerCount));
    d.clearLines();
    if (locks_) {
        (void)locks_->unlockOwn();
        if (d.header.customer > 0 && locks_->lockSlip(d.header.date, d.header.customer) != 0) {
            dialogs_.beep();
            dialogs_.message(msg::kSlipOpenElsewhere);
            d.header.customer = 0;
            aView_->update();
            return false;
        }
    }
    if (d.header.date <= 100 || d.header.customer <= 0) {
        aView_->update();
        return false;
    }
    const int32_t date = d.header.date, number = d.header.customer;
    if (d.findAndLoad(date, number)) {
        refreshTotals();
        aView_->update();
        const bool fromTop = mode_ == 3 && ctx_.memberNumber <= 0;
        toGrid(fromTop ? 1 : std::min(totals_.lines + 1, kMaxSlipLines), mode_ == 3 ? kFieldPrice : kFieldMethod);
        return true;
    }
    // A new slip.
    std::fill(std::begin(d.header.lineSlots), std::end(d.header.lineSlots), -1);
    if (mode_ >= 3) {
        dialogs_.message(msg::kNoNewSlipInMode);
        aView_->update();
        return false;
    }
    d.header.stage = std::min(mode_ - 1, 1);
    if (number >= 96 && number <= 99) {  // counter customers: the name is typed per slip
        std::memset(d.header.customerName, 0, sizeof d.header.customerName);
        refreshTotals();
        toHeader(3);
        return false;
    }
    d.readCustomer(number);
    std::memset(d.header.customerName, 0, sizeof d.header.customerName);
    std::memcpy(d.header.customerName, d.customer.name, 30);
    std::memcpy(d.header.department, d.customer.department, 30);
    refreshTotals();
    aView_->update();
    toGrid(1, kFieldMethod);
    return true;
}

void FMdinWnd::toGrid(int line, int field) {
    line_ = std::clamp(line, 1, kMaxSlipLines);
    // A closed helper is let go at once: a new one may open before the old one is deleted.
    if (calculator_ && line_ != calculatorLine_) std::exchange(calculator_, nullptr)->close();
    aView_->leave();
    showLine(line_);
    bView_->enter(line_, field);
}

void FMdinWnd::showLine(int line) {
    // The grid scrolls by whole rows only, as far as needed to show the line and the one below.
    QScrollBar* bar = scroll_->verticalScrollBar();
    const int visible = std::max(1, scroll_->viewport()->height() / kRowHeight);
    int first = bar->value() / kRowHeight;
    first = std::max(std::min(first, line - 1), line + 1 - visible);
    bar->setValue(std::max(0, first) * kRowHeight);
}

void FMdinWnd::toHeader(int field) {
    line_ = 0;
    if (calculator_) std::exchange(calculator_, nullptr)->close();
    if (lineText_) std::exchange(lineText_, nullptr)->close();
    bView_->leave();
    aView_->enter(field);
}

void FMdinWnd::refreshTotals() {
    totals_ = editor_->recount();
    aView_->update();
    cView_->update();
}

void FMdinWnd::afterSlipEnded() {
    refreshTotals();
    scroll_->verticalScrollBar()->setValue(0);
    bView_->update();
    toHeader(1);
}

void FMdinWnd::recordSlip() {
    if (!gridActive()) return;
    if (commands_->record())
        afterSlipEnded();
    else
        refreshTotals();
}

void FMdinWnd::deleteSlip() {
    if (doc_->header.customer <= 0) return;
    if (commands_->deleteSlip()) afterSlipEnded();
}

void FMdinWnd::openDateChange() {
    if (!gridActive() || doc_->recordNumber() < 1 || dateChange_) return;
    const bool settled = doc_->header.stage == kStageSettled;
    if (settled) dialogs_.message(msg::kSettledDateOnly);
    auto* w = new FChanjeDateWnd(*this, settled);
    dateChange_ = w;
    connect(w, &QObject::destroyed, this, [this] { dateChange_ = nullptr; });
    connect(w, &FChanjeDateWnd::done, this, [this](bool changed) {
        if (changed)
            afterSlipEnded();
        else if (gridActive())
            toGrid(line_, bView_->field());
    });
    w->move(mapToGlobal(QPoint(300, 120)));
    w->show();
}

bool FMdinWnd::changeDate(int typed) { return commands_->changeDate(typed); }
bool FMdinWnd::changeCustomer(int customer) { return commands_->changeCustomer(customer); }

void FMdinWnd::explainField() {
    if (!guide_) return;
    guide_(gridActive() ? FMdinBView::prompt(ctx_.edition, bView_->field()) : FMdinAView::prompt(aView_->field()));
}

bool FMdinWnd::canOpenReceivable() const { return static_cast<bool>(receivableOpener()); }

bool FMdinWnd::openReceivable() {
    if (!canOpenReceivable() || !gridActive()) return false;
    return receivableOpener()(*this, *doc_);
}

FWidthMojiWnd* FMdinWnd::lineText() const { return lineText_; }
DentakuWnd* FMdinWnd::calculator() const { return calculator_; }

void FMdinWnd::openLineText() {
    if (!gridActive()) return;
    if (lineText_) {
        dialogs_.beep();
        dialogs_.message(msg::kLineTextOpen);
        if (lineText_->edit()) lineText_->edit()->setFocus(Qt::OtherFocusReason);
        return;
    }
    const int line = line_, field = bView_->field();
    bView_->leave();
    auto* w = new FWidthMojiWnd(*this, line);
    lineText_ = w;
    connect(w, &FWidthMojiWnd::done, this, [this, line, field](bool changed) {
        lineText_ = nullptr;
        if (changed) refreshTotals();
        bView_->update();
        if (gridActive()) toGrid(line, field);
    });
    // Below the line, inside the window.
    const QPoint below = bView_->mapTo(this, QPoint(0, line * kRowHeight));
    w->move(std::clamp(below.x() + 40, 0, std::max(0, width() - w->width())),
            std::clamp(below.y(), FMdinAView::kHeight, std::max(0, height() - w->height())));
    w->show();
    w->raise();
    if (w->edit()) w->edit()->setFocus(Qt::OtherFocusReason);
}

void FMdinWnd::openCalculator() {
    if (!gridActive()) return;
    if (!calculator_) {
        auto* w = new DentakuWnd(*this);
        calculator_ = w;
        connect(w, &DentakuWnd::totalChosen, this, [this](int32_t total) {
            if (!gridActive()) return;
            // Into the grid's field as if typed: the operator ends it as any typed value.
            toGrid(line_, bView_->field());
            if (total < 0) CDataEdit::injectKey(bView_, controls::Key::PadMinus);
            CDataEdit::injectCharacter(bView_, QString::number(total < 0 ? -int64_t{total} : int64_t{total}));
        });
        connect(w, &DentakuWnd::escaped, this, [this] {
            calculator_ = nullptr;
            if (gridActive()) toGrid(line_, bView_->field());
        });
        w->move(std::max(0, width() - w->width() - 8), FMdinAView::kHeight);
    }
    calculatorLine_ = line_;
    bView_->leave();
    calculator_->show();
    calculator_->raise();
    if (calculator_->edit()) calculator_->edit()->setFocus(Qt::OtherFocusReason);
}

void FMdinWnd::openCustomerList() {
    if (!customerList_ || flagOpen(ctx_, kDateListFlag)) return;  // one list at a time
    (void)customerList_();
}

void FMdinWnd::customerChosen(int customer) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()); sub && sub->mdiArea())
        sub->mdiArea()->setActiveSubWindow(sub);
    activateWindow();
    if (gridActive()) return;
    if (customer > 0) {
        aView_->leave();
        if (!openSlip(customer) && !gridActive() && !aView_->edit()) aView_->enter(2);
        return;
    }
    aView_->enter(2);
}

void FMdinWnd::openProductMaster(int product) {
    if (productMaster_) productMaster_(product);
}

void FMdinWnd::pressInField(controls::Key k) {
    if (CDataEdit* e = gridActive() ? bView_->edit() : aView_->edit()) CDataEdit::injectKey(e->parentWidget(), k);
}

void FMdinWnd::characterSearch() {
    if (gridActive())
        bView_->characterSearch();
    else
        aView_->characterSearch();
}

void FMdinWnd::watchKeys(CDataEdit* edit) { edit->installEventFilter(this); }

// Keys of the window itself, taken before the entry field or the frame's accelerators see them.
FMdinWnd::WindowKey FMdinWnd::windowKey(const QKeyEvent& k) const {
    const Qt::KeyboardModifiers m = k.modifiers() & ~Qt::KeypadModifier;
    const int key = k.key();
    if (key == Qt::Key_F1 && m == Qt::NoModifier) return WindowKey::Explain;
    if (key == Qt::Key_S && m == Qt::AltModifier) return WindowKey::Search;
    if (!gridActive()) return WindowKey::None;
    if (m == Qt::ShiftModifier && key == Qt::Key_Up) return WindowKey::MarkUp;
    if (m == Qt::ShiftModifier && key == Qt::Key_Down) return WindowKey::MarkDown;
    if (m == Qt::AltModifier && key == Qt::Key_T) return WindowKey::Sort;
    if (m == Qt::ShiftModifier && key == Qt::Key_F6 && canOpenHomeDelivery()) return WindowKey::HomeDelivery;
    // In a text field copy and paste work on the text.
    if (bView_->textField()) return WindowKey::None;
    if ((m == Qt::ControlModifier && (key == Qt::Key_C || key == Qt::Key_Insert)) || k.matches(QKeySequence::Copy))
        return WindowKey::Copy;
    if ((m == Qt::ShiftModifier && key == Qt::Key_Insert) || (m == Qt::ControlModifier && key == Qt::Key_V) ||
        k.matches(QKeySequence::Paste))
        return WindowKey::Paste;
    return WindowKey::None;
}

bool FMdinWnd::eventFilter(QObject* o, QEvent* e) {
    if (e->type() != QEvent::ShortcutOverride && e->type() != QEvent::KeyPress) return false;
    const WindowKey k = windowKey(*static_cast<QKeyEvent*>(e));
    if (k == WindowKey::None) return false;
    if (e->type() == QEvent::ShortcutOverride) {
        e->accept();  // the key comes to the field as a key press, not to an accelerator
        return true;
    }
    if (k == WindowKey::MarkUp || k == WindowKey::MarkDown) {
        // The mark flips, then the field ends with the plain arrow and the cursor moves.
        bView_->toggleMark();
        QKeyEvent arrow(QEvent::KeyPress, k == WindowKey::MarkUp ? Qt::Key_Up : Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(o, &arrow);
        return true;
    }
    act(k);
    return true;
}

void FMdinWnd::act(WindowKey k) {
    switch (k) {
        case WindowKey::Explain:
            return explainField();
        case WindowKey::Search:
            return characterSearch();
        case WindowKey::MarkUp:
        case WindowKey::MarkDown:
            bView_->toggleMark();
            return toGrid(
                std::clamp(line_ + (k == WindowKey::MarkUp ? -1 : 1), 1, std::min(totals_.lines + 1, kMaxSlipLines)),
                bView_->field());
        case WindowKey::Sort:
            return bView_->sortLines();
        case WindowKey::Copy:
            return bView_->copyMarked();
        case WindowKey::HomeDelivery:
            return openHomeDelivery();
        case WindowKey::Paste:
            return bView_->pasteLines();
        default:
            return;
    }
}

bool FMdinWnd::onCommand(int command) {
    // The frame's accelerators, when a key reached the frame instead of an entry field.
    WindowKey k = WindowKey::None;
    switch (command) {
        case cmd::kSlipEntryRaise:
            raise();
            return true;
        case cmd::kReceivable:
            // F6 on the grid: the field being typed ends with it (its value is stored) and the
            // grid opens processing; in the header it stays a key of the header's field.
            if (!gridActive()) return false;
            if (bView_->edit())
                CDataEdit::injectKey(bView_, controls::Key::F6);
            else
                openReceivable();
            return true;
        case cmd::kHelp:
            k = WindowKey::Explain;
            break;
        case cmd::kAutoBackupToggle:  // Alt+S
            k = WindowKey::Search;
            break;
        case cmd::kSortLines:
            k = WindowKey::Sort;
            break;
        case cmd::kMarkUp:
            k = WindowKey::MarkUp;
            break;
        case cmd::kMarkDown:
            k = WindowKey::MarkDown;
            break;
        case cmd::kCopy:
            k = WindowKey::Copy;
            break;
        case cmd::kPaste:
            k = WindowKey::Paste;
            break;
        default:
            return false;
    }
    if (k != WindowKey::Explain && k != WindowKey::Search && !gridActive()) return false;
    if ((k == WindowKey::Copy || k == WindowKey::Paste) && bView_->textField())
        return CDataEdit::clipboardCommand(bView_->edit(), command);
    act(k);
    return true;
}

}  // namespace rk::ui
