#include "ui/printing/TakuMasMeWnd.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstring>

#include "app/command_table.h"
#include "slips/home_delivery_chain.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"
#include "ui/slips/FTakuhaiView.h"

namespace rk::ui {

using controls::Key;
namespace dv = delivery;

namespace {

constexpr int kSearchListId = 6501;
constexpr const char* kBookUnreadable = "宅配マスターファイルが読み込めません";
constexpr const char* kBookNotWritten = "宅配マスターファイルへの書き込みができません";

bool blank(const HomeDeliveryRecord& r) {
    const HomeDeliveryRecord empty{};
    return std::memcmp(&r, &empty, sizeof r) == 0;
}

}  // namespace

TakuMasMeWnd::TakuMasMeWnd(AppContext& ctx, Dialogs& dialogs, std::function<void(const std::string&)> guide,
                           QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs), guide_(std::move(guide)) {
    setObjectName("TakuMasMeWnd");
    setWindowTitle("　宅配マスターメンテナンス");
    setFont(QFont("IPAGothic", 10));
    auto book = dv::readBook(ctx.files, ctx.fileSet[kHomeDeliveryMaster]);
    if (!book) {
        readable_ = false;  // nothing is written back over a book that could not be read
        dialogs.message(kBookUnreadable, Icon::Stop);
    }
    before_ = book_ = book.value_or(std::vector<HomeDeliveryRecord>{});
    if (book_.empty()) book_.push_back({});
    view_ = new FTakuhaiView(
        ctx, dialogs, [this]() -> HomeDeliveryRecord& { return book_[static_cast<size_t>(current_)]; },
        [this] {
            return clipboard_ &&
                   std::memcmp(&*clipboard_, &book_[static_cast<size_t>(current_)], sizeof(HomeDeliveryRecord)) == 0;
        },
        this);
    view_->setKeyHandler([this](Key k) {
        switch (k) {
            case Key::F3:
                return search();
            case Key::F11:
                return copyRecord();
            case Key::F12:
                return pasteRecord();
            case Key::PageUp:
                return previousRecord();
            case Key::PageDown:
                return nextRecord();
            default:
                return;
        }
    });
    auto* buttons = new QWidget(this);
    buttons->setFixedHeight(44);
    const struct {
        const char* caption;
        void (TakuMasMeWnd::*act)();
    } kButtons[] = {
        {"ｺﾋﾟｰ(F11", &TakuMasMeWnd::copyRecord},      {"張付(F12", &TakuMasMeWnd::pasteRecord},
        {"前票(P_Up", &TakuMasMeWnd::previousRecord}, {"次票(P_Dw", &TakuMasMeWnd::nextRecord},
        {"単項目検索", &TakuMasMeWnd::search},
    };
    int col = 0;
    for (const auto& b : kButtons) {
        auto* button = new QPushButton(QString::fromUtf8(b.caption), buttons);
        button->setGeometry(8 + col++ * 88, 6, 86, 30);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, b.act);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view_);
    layout->addWidget(buttons);
    setFocusProxy(view_);
    resize(FTakuhaiView::kWidth, FTakuhaiView::kHeight + 44);
    refresh();
    view_->setCurrent(FTakuhaiView::kDestPhone1);
}

template <class F>
void TakuMasMeWnd::changing(F&& f) {
    const int field = std::max(0, view_->current());
    view_->setCurrent(-1);
    f();
    refresh();
    view_->setCurrent(field);
}

void TakuMasMeWnd::refresh() {
    view_->setCounts(-1, current_ + 1, static_cast<int>(book_.size()));
    view_->update();
}

void TakuMasMeWnd::nextRecord() {
    changing([this] {
        if (!dv::complete(book_[static_cast<size_t>(current_)])) {
            dialogs_.beep();
            dialogs_.message(dv::kIncompleteNext);
            return;
        }
        if (++current_ >= static_cast<int>(book_.size())) book_.push_back({});
    });
}

void TakuMasMeWnd::previousRecord() {
    changing([this] { current_ = std::max(0, current_ - 1); });
}

void TakuMasMeWnd::copyRecord() {
    changing([this] {
        if (!dv::complete(book_[static_cast<size_t>(current_)])) {
            dialogs_.beep();
            dialogs_.message(dv::kIncompleteCopy);
            return;
        }
        clipboard_ = book_[static_cast<size_t>(current_)];
    });
}

void TakuMasMeWnd::pasteRecord() {
    changing([this] {
        if (clipboard_) book_[static_cast<size_t>(current_)] = *clipboard_;
    });
}

void TakuMasMeWnd::search() {
    const int field = std::max(0, view_->current());
    const auto kind = FTakuhaiView::searchField(field);
    view_->commit();
    if (!kind || search_) {
        dialogs_.beep();
        return;
    }
    const auto hits = dv::search(book_, book_[static_cast<size_t>(current_)], *kind);
    if (hits.empty()) {
        dialogs_.beep();
        return;
    }
    QStringList lines;
    for (const auto& h : hits) lines << QString::fromStdString(h.entry);
    search_ = new CMojiList(kSearchListId, this);
    search_->setObjectName("bookSearch");
    search_->setFont(font());
    search_->setLines(lines);
    search_->setGeometry(120, 100, 600, 260);
    search_->show();
    search_->raise();
    search_->setFocus(Qt::OtherFocusReason);
    connect(search_, &CMojiList::chosen, this, [this, hits, field](const controls::ListResult& r) {
        search_->hide();
        search_->deleteLater();
        search_ = nullptr;
        view_->setCurrent(-1);
        // The chosen record is shown.
        if ((r.key == Key::Enter || r.key == Key::None) && r.value >= 0 && r.value < static_cast<int>(hits.size()))
            current_ = hits[static_cast<size_t>(r.value)].number - 1;
        refresh();
        view_->setCurrent(field);
    });
}

bool TakuMasMeWnd::save() {
    view_->commit();
    if (!readable_) return true;
    std::vector<HomeDeliveryRecord> after = book_;
    // Blank records added and left empty are not stored.
    while (after.size() > before_.size() && blank(after.back())) after.pop_back();
    WriteResult r = dv::writeBookChanges(ctx_, before_, after);
    if (!r.ok()) {
        dialogs_.beep();
        dialogs_.message(r.message(kBookNotWritten), Icon::Stop);
        return false;
    }
    before_ = after;
    return true;
}

void TakuMasMeWnd::closeEvent(QCloseEvent* e) {
    // A book that could not be written keeps the window open: nothing typed is lost.
    if (!save()) {
        e->ignore();
        return;
    }
    QWidget::closeEvent(e);
}

bool TakuMasMeWnd::onCommand(int command) {
    switch (command) {
        case cmd::kHelp:
            if (guide_) guide_(dv::kGuideTopic);
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
