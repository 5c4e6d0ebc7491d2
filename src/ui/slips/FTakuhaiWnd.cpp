#include "ui/slips/FTakuhaiWnd.h"

#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/command_table.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"
#include "ui/slips/FTakuhaiView.h"

namespace rk::ui {

using controls::Key;
namespace dv = delivery;

namespace {

constexpr int kSearchListId = 2701;

}  // namespace

FTakuhaiWnd* FTakuhaiWnd::open(AppContext& ctx, Dialogs& dialogs, CFq7Doc& doc, int line, QWidget* parent) {
    auto* w = new FTakuhaiWnd(ctx, dialogs, doc, line, parent);
    if (!w->chain_->load(doc.lines[static_cast<size_t>(line)].word200)) {
        delete w;
        return nullptr;
    }
    w->refresh();
    w->view_->setCurrent(FTakuhaiView::kDestPhone1);
    return w;
}

FTakuhaiWnd::FTakuhaiWnd(AppContext& ctx, Dialogs& dialogs, CFq7Doc& doc, int line, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      dialogs_(dialogs),
      doc_(doc),
      line_(line),
      chain_(std::make_unique<dv::Chain>(ctx, dialogs, dv::Owner{doc.header.date, doc.header.customer, line})) {
    setObjectName("FTakuhaiWnd");
    setWindowTitle("　宅配伝票");
    setFont(QFont("IPAGothic", 10));
    view_ = new FTakuhaiView(
        ctx, dialogs, [this]() -> HomeDeliveryRecord& { return chain_->current(); },
        [this] { return chain_->currentOnClipboard(); }, this);
    view_->setKeyHandler([this](Key k) {
        switch (k) {
            case Key::F3:
                return searchBook();
            case Key::F5:  // records, as F5 does in the other slip windows
                return recordChain();
            case Key::F11:
                return copySlip();
            case Key::F12:
                return pasteSlip();
            case Key::PageUp:
                return previousSlip();
            case Key::PageDown:
                return nextSlip();
            default:
                return;
        }
    });
    auto* buttons = new QWidget(this);
    buttons->setFixedHeight(44);
    const struct {
        const char* caption;
        void (FTakuhaiWnd::*act)();
    } kButtons[] = {
        {"解 説", &FTakuhaiWnd::explain},      {"単票消", &FTakuhaiWnd::deleteSlip},
        {"全消去", &FTakuhaiWnd::clearAll},    {"ｺﾋﾟｰ(F11", &FTakuhaiWnd::copySlip},
        {"張付(F12", &FTakuhaiWnd::pasteSlip}, {"前票(P_Up", &FTakuhaiWnd::previousSlip},
        {"次票(P_Dw", &FTakuhaiWnd::nextSlip}, {"検 索 (F2", &FTakuhaiWnd::searchBook},
        {"記 録", &FTakuhaiWnd::recordChain},
    };
    int col = 0;
    for (const auto& b : kButtons) {
        auto* button = new QPushButton(QString::fromUtf8(b.caption), buttons);
        button->setGeometry(8 + col++ * 88, 6, 86, 30);
        button->setFocusPolicy(Qt::NoFocus);  // the entry field keeps the keyboard
        connect(button, &QPushButton::clicked, this, b.act);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view_);
    layout->addWidget(buttons);
    resize(FTakuhaiView::kWidth, FTakuhaiView::kHeight + 44);
}

QPushButton* FTakuhaiWnd::button(const QString& caption) const {
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->text() == caption) return b;
    return nullptr;
}

void FTakuhaiWnd::focusInEvent(QFocusEvent*) { takeKeyboard(); }

void FTakuhaiWnd::takeKeyboard() {
    if (search_)
        search_->setFocus(Qt::OtherFocusReason);
    else if (view_->edit())
        view_->edit()->setFocus(Qt::OtherFocusReason);
}

template <class F>
void FTakuhaiWnd::changing(F&& f) {
    const int field = std::max(0, view_->current());
    view_->setCurrent(-1);  // keeps what was typed; the field points into the current slip
    f();
    refresh();
    view_->setCurrent(field);
}

void FTakuhaiWnd::refresh() {
    view_->setCounts(line_, chain_->currentNumber(), chain_->count());
    view_->update();
}

void FTakuhaiWnd::nextSlip() {
    changing([this] { (void)chain_->next(); });
}

void FTakuhaiWnd::previousSlip() {
    changing([this] { (void)chain_->previous(); });
}

void FTakuhaiWnd::deleteSlip() {
    changing([this] { chain_->deleteCurrent(); });
}

void FTakuhaiWnd::copySlip() {
    changing([this] { (void)chain_->copy(); });
}

void FTakuhaiWnd::pasteSlip() {
    changing([this] { chain_->paste(); });
}

void FTakuhaiWnd::clearAll() {
    // The chain is detached from the line; its records stay in the file.
    view_->setCurrent(-1);
    doc_.lines[static_cast<size_t>(line_)].word200 = 0;
    emit lineChanged();
    closeWindow();
}

void FTakuhaiWnd::recordChain() {
    const int field = std::max(0, view_->current());
    view_->setCurrent(-1);
    int32_t first = 0;
    if (!chain_->record(first)) {
        refresh();
        view_->setCurrent(field);
        return;
    }
    doc_.lines[static_cast<size_t>(line_)].word200 = first;
    emit lineChanged();
    closeWindow();
}

void FTakuhaiWnd::searchBook() {
    const int field = std::max(0, view_->current());
    const auto kind = FTakuhaiView::searchField(field);
    view_->commit();
    if (!kind || search_) {
        dialogs_.beep();
        return;
    }
    auto book = dv::readBook(ctx_.files, ctx_.fileSet[kHomeDeliveryMaster]);
    const auto hits = book ? dv::search(*book, chain_->current(), *kind) : std::vector<dv::SearchHit>{};
    if (hits.empty()) {
        dialogs_.beep();
        return;
    }
    QStringList lines;
    for (const auto& h : hits) lines << QString::fromStdString(h.entry);
    search_ = new CMojiList(kSearchListId, this);
    search_->setObjectName("deliverySearch");
    search_->setFont(font());
    search_->setLines(lines);
    search_->setGeometry(120, 100, 600, 260);
    search_->show();
    search_->raise();
    search_->setFocus(Qt::OtherFocusReason);
    connect(search_, &CMojiList::chosen, this, [this, hits, records = *book, field](const controls::ListResult& r) {
        search_->hide();
        search_->deleteLater();
        search_ = nullptr;
        const bool take =
            (r.key == Key::Enter || r.key == Key::None) && r.value >= 0 && r.value < static_cast<int>(hits.size());
        view_->setCurrent(-1);
        if (take) chain_->take(records[static_cast<size_t>(hits[static_cast<size_t>(r.value)].number - 1)]);
        refresh();
        view_->setCurrent(field);
    });
}

void FTakuhaiWnd::explain() {
    if (guide_) guide_(dv::kGuideTopic);
}

void FTakuhaiWnd::closeWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

bool FTakuhaiWnd::onCommand(int command) {
    switch (command) {
        case cmd::kHelp:
            explain();
            return true;
        case cmd::kCopy:
        case cmd::kCut:
        case cmd::kPaste:
            return CDataEdit::clipboardCommand(view_->edit(), command);
        default:
            return false;
    }
}

}  // namespace rk::ui
