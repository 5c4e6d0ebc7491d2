// The pick lists of the slip grid: the master reference of a field (F12) and the character
// searches of the product name, the grade names and the remark text.
#include <QKeyEvent>
#include <cstring>

#include "base/cp932.h"
#include "slips/slip_lines.h"
#include "slips/slip_messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"
#include "ui/controls/QtKeys.h"
#include "ui/slips/FMdinBView.h"
#include "ui/slips/FMdinCView.h"
#include "ui/slips/FMdinWnd.h"

namespace rk::ui {
namespace {

using controls::Key;

constexpr int kReferenceListId = 2131;

}  // namespace

void FMdinBView::masterReference() {
    if (pick_) return;
    if (field_ == kFieldMethod) {
        enter(line_, field_);
        const bool purchase = wnd_.context().edition == Edition::Purchase;
        wnd_.footer()->setHint(QString::fromUtf8(purchase ? msg::kMethodHintPurchase : msg::kMethodHintSales));
        return;
    }
    const MasterKind kind = referenceKind(field_);
    if (kind == MasterKind::None) return enter(line_, field_);
    const auto last = lastChosen_.find(kind);
    openPick(referenceList(wnd_.context(), kind), kind, field_, last == lastChosen_.end() ? 0 : last->second);
}

void FMdinBView::characterSearch() {
    if (pick_) return;
    if (gradeSearch_) return runGradeSearch();
    // The grade names take their search text in a box over the name beside the code.
    if ((field_ == kFieldGrade1 || field_ == kFieldGrade2) && edit_) return openGradeSearch();
    const MasterKind kind = field_ == kFieldName         ? MasterKind::Product
                            : field_ == kFieldRemarkText ? MasterKind::Remark
                                                         : MasterKind::None;
    const QString text = edit_ && kind != MasterKind::None ? edit_->text() : QString();
    if (text.trimmed().isEmpty()) {
        wnd_.dialogs().message(msg::kGridSearchWhere);
        return;
    }
    const auto found = searchMaster(wnd_.context(), kind, cp932::fromUtf8(text.toStdString()));
    if (found.empty()) return wnd_.dialogs().beep();
    openPick(found, kind, field_, -1);
}

void FMdinBView::openPick(const std::vector<PickEntry>& entries, MasterKind kind, int askedFrom, int preselect) {
    leave();
    pickEntries_ = entries;
    pickKind_ = kind;
    pickFrom_ = askedFrom;
    pickPreselect_ = preselect;
    pick_ = new CMojiList(kReferenceListId, &wnd_);
    pick_->setObjectName("masterReference");
    pick_->setFont(font());
    QStringList lines;
    for (const PickEntry& e : entries) lines << QString::fromStdString(cp932::toUtf8(e.text.data(), e.text.size()));
    pick_->setLines(lines);
    if (preselect >= 0 && preselect < pick_->count()) pick_->setCurrentRow(preselect);
    // Below the field it was asked from, inside the window.
    const QRect field = fieldRect(askedFrom).translated(0, (line_ - 1) * FMdinWnd::kRowHeight);
    const QPoint at = mapTo(&wnd_, field.bottomLeft());
    QRect g(at.x(), at.y() + 2, 340, 250);
    if (g.bottom() > wnd_.height()) g.moveBottom(mapTo(&wnd_, field.topLeft()).y() - 2);
    if (g.right() > wnd_.width()) g.moveRight(wnd_.width() - 4);
    g.moveTop(std::max(0, g.top()));
    pick_->setGeometry(g);
    pick_->installEventFilter(this);
    pick_->show();
    pick_->raise();
    pick_->setFocus(Qt::OtherFocusReason);
    connect(pick_, &CMojiList::chosen, this, &FMdinBView::picked);
}

// The chosen code goes to the code field of its kind as if typed and ended with Enter.
void FMdinBView::picked(const controls::ListResult& r) {
    pick_->hide();
    pick_->deleteLater();
    pick_ = nullptr;
    const bool take =
        (r.key == Key::Enter || r.key == Key::None) && r.value >= 0 && r.value < static_cast<int>(pickEntries_.size());
    if (!take) return enter(line_, pickFrom_);
    if (pickPreselect_ >= 0) lastChosen_[pickKind_] = r.value;
    field_ = codeField(pickKind_, pickFrom_);
    const int code = pickEntries_[static_cast<size_t>(r.value)].code;
    storeValue(field_, code, code, Key::Enter);
    navigate(Key::Enter, true);
}

bool FMdinBView::eventFilter(QObject* o, QEvent* e) {
    if (o != pick_ || e->type() != QEvent::KeyPress) return false;
    const Key k = toKey(static_cast<QKeyEvent*>(e));
    const std::string& typed = pick_->list().typed();
    if (k != Key::Enter || typed.empty()) return false;
    // Digits typed into the list name a code (account items start at 100), not a row.
    const int code = typed.size() <= 6 ? std::stoi(typed) : -1;
    for (size_t i = 0; i < pickEntries_.size(); ++i)
        if (pickEntries_[i].code == code) {
            picked({kReferenceListId, static_cast<int>(i), Key::Enter});
            return true;
        }
    wnd_.dialogs().beep();
    return true;
}

void FMdinBView::openGradeSearch() {
    leave();
    std::memset(gradeText_, 0, sizeof gradeText_);
    controls::EntryConfig c;
    c.mode = 0;
    c.length = 16;  // 8 double-byte characters
    c.text = std::span<char>(gradeText_, 16);
    QRect r = fieldRect(field_).translated(0, (line_ - 1) * FMdinWnd::kRowHeight);
    r.setLeft(r.left() + 38);
    gradeSearch_ = CDataEdit::create(this, c, r, wnd_.dialogs());
    if (!gradeSearch_) return enter(line_, field_);
    gradeSearch_->setObjectName("gradeSearch");
    wnd_.watchKeys(gradeSearch_);
    connect(gradeSearch_, &CDataEdit::finished, this, [this](Key k) {
        if (k == Key::Enter) return runGradeSearch();
        enter(line_, field_);
    });
}

void FMdinBView::runGradeSearch() {
    const QString text = gradeSearch_ ? gradeSearch_->text() : QString();
    const MasterKind kind = field_ == kFieldGrade1 ? MasterKind::Grade1 : MasterKind::Grade2;
    leave();
    const auto found = searchMaster(wnd_.context(), kind, cp932::fromUtf8(text.toStdString()));
    if (found.empty()) {
        wnd_.dialogs().beep();
        return enter(line_, field_);
    }
    openPick(found, kind, field_, -1);
}

}  // namespace rk::ui
