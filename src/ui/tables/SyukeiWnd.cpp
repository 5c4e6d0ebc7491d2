#include "ui/tables/SyukeiWnd.h"

#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "tables/messages.h"
#include "tables/search_messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/tables/BusyNote.h"
#include "ui/tables/SyukeiBView.h"
#include "ui/tables/SyukeiCView.h"
#include "ui/tables/SyukeiView.h"

namespace rk::ui {

namespace msg = tables::msg;

SyukeiWnd::SyukeiWnd(AppContext& ctx, Dialogs& dialogs, Hooks hooks, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs), hooks_(std::move(hooks)) {
    setObjectName("SyukeiWnd");
    setWindowTitle(QString::fromUtf8(msg::kShippingTitle[ctx.edition == Edition::Sales ? 0 : 1]));
    QFont f("IPAGothic");
    f.setPixelSize(13);
    setFont(f);
    const BasicSettings& s = ctx.settings;
    resize(s.shipListWidth >= 300 && s.shipListHeight >= 200 ? QSize(s.shipListWidth, s.shipListHeight)
                                                             : QSize(1000, 700));
    header_ = new SyukeiView(*this);
    heads_ = new SyukeiBView(*this);
    cells_ = new SyukeiCView(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header_);
    layout->addWidget(heads_);
    layout->addWidget(cells_, 1);
    rebuild();
    header_->enterField(1);
}

SyukeiWnd::~SyukeiWnd() {
    // The window's place is kept in the settings record (written at exit).
    const QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
    BasicSettings& s = ctx_.settings;
    s.shipListLeft = frame->x();
    s.shipListTop = frame->y();
    s.shipListWidth = frame->width();
    s.shipListHeight = frame->height();
}

void SyukeiWnd::rebuild() {
    {
        BusyNote note(this, msg::kWorking);
        grid_ = tables::buildShippingGrid(ctx_);
    }
    if (!grid_.read) dialogs_.message(msg::kSlipFilesUnreadable, Icon::Stop);
    cells_->reset();
    heads_->update();
    header_->update();
}

void SyukeiWnd::openSlip(size_t row, size_t column) {
    if (row >= grid_.dates.size() || column >= grid_.customers.size()) return;
    const tables::ShippingCell& c = grid_.cell(row, column);
    if (c.slip == 0 || !hooks_.openSlipEntry) return;
    ctx_.slipRequest = {grid_.dates[row], grid_.customers[column]};
    ctx_.windowMode = tables::entryModeOf(c.stage) + 10;
    hooks_.openSlipEntry(tables::entryCommandOf(c.stage));
}

void SyukeiWnd::deleteSlip(size_t row, size_t column) {
    if (row >= grid_.dates.size() || column >= grid_.customers.size() || grid_.cell(row, column).slip == 0) return;
    const auto done = tables::deleteShippingSlip(ctx_, dialogs_, grid_.dates[row], grid_.customers[column]);
    if (done != tables::ShippingDelete::Deleted) return;
    dialogs_.message(msg::kShippingStop, Icon::Information);
    if (hooks_.endProgram) hooks_.endProgram();
}

void SyukeiWnd::openGuide() {
    if (hooks_.openGuide) hooks_.openGuide("");
}

void SyukeiWnd::focusInEvent(QFocusEvent*) {
    if (header_->edit()) header_->edit()->setFocus(Qt::OtherFocusReason);
}

}  // namespace rk::ui
