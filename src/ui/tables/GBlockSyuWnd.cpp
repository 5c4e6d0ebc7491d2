#include "ui/tables/GBlockSyuWnd.h"

#include <QVBoxLayout>

#include "tables/list_print.h"
#include "tables/search_messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/tables/GBlockSyuAView.h"
#include "ui/tables/GBlockSyuBView.h"
#include "ui/tables/GraSyuWnd.h"

namespace rk::ui {

GBlockSyuWnd::GBlockSyuWnd(GraSyuWnd& table) : QWidget(nullptr), table_(table) {
    setObjectName("GBlockSyuWnd");
    setWindowTitle(QString::fromUtf8(tables::msg::kBlockTitle));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(table.font());
    resize(1000, 380);
    header_ = new GBlockSyuAView(*this);
    cells_ = new GBlockSyuBView(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header_);
    layout->addWidget(cells_, 1);
    refresh();
    header_->enterField(1);
}

std::string GBlockSyuWnd::codeName() const {
    const int kind = table_.kind();
    const bool named = kind == 7 || kind == 9 || kind == 10 || kind == 11;
    if (code_ == 0) return "合計";
    const auto& names = table_.names();
    return named && static_cast<size_t>(code_) < names.size() ? names[static_cast<size_t>(code_)] : std::string();
}

void GBlockSyuWnd::setCode(int code) {
    code_ = std::max(code, 0);
    refresh();
}

void GBlockSyuWnd::cycleMeasure() {
    measure_ = static_cast<tables::Measure>((static_cast<int>(measure_) + 1) % 3);
    refresh();
}

void GBlockSyuWnd::refresh() {
    grid_ = tables::periodGrid(table_.result(), code_, measure_, table_.context().settings.firstMonth);
    header_->update();
    cells_->update();
}

printing::Document GBlockSyuWnd::plan(const printing::PageArea& area) const {
    printing::Document d = tables::listDocument(table_.context().files, table_.context().programFolder(),
                                                windowTitle().trimmed().toStdString(), true);
    tables::planPeriodGrid(d, table_.context(), table_.result(), grid_, codeName(), area);
    return d;
}

void GBlockSyuWnd::print(bool preview) {
    const Planner planner = [this](const printing::PageArea& area) { return plan(area); };
    if (preview)
        output_.preview(planner, this);
    else
        (void)output_.print(planner, this);
}

void GBlockSyuWnd::focusInEvent(QFocusEvent*) {
    if (header_->edit()) header_->edit()->setFocus(Qt::OtherFocusReason);
}

}  // namespace rk::ui
