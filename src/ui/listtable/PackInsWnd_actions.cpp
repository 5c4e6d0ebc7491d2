// The buttons and the small menu window of the list-table entry.
#include <QFileDialog>

#include "listtable/list_messages.h"
#include "listtable/sorting_sheet.h"
#include "printing/print_form.h"
#include "ui/controls/CDataEdit.h"
#include "ui/listtable/PackInsAView.h"
#include "ui/listtable/PackInsMenuWnd.h"
#include "ui/listtable/PackInsWnd.h"
#include "ui/printing/PlanPrinter.h"

namespace rk::ui {

void PackInsWnd::explain() {
    if (!guide_) return;
    static const char* cellPrompts[] = {"＊．箱数入力", "＊．数量入力", "＊．単価入力"};
    switch (area_) {
        case Area::Day:
            return guide_(PackInsAView::prompt(0));
        case Area::Header:
            return guide_(PackInsAView::prompt(line_));
        case Area::RowHead:
            return guide_("＊．得意先コード入力");
        case Area::Cell:
            return guide_(cellPrompts[sub_]);
    }
}

void PackInsWnd::recordTable() {
    (void)store();
    leave();
    if (table_.record(packing_.get()) == listtable::DayTable::RecordResult::Ok && table_.isLoaded()) {
        row_ = 1;
        return toCell(1, 1, 0);
    }
    enter();
}

printing::Document PackInsWnd::plan(const printing::PageArea& area) const {
    const printing::PrintForm form =
        printing::loadPrintForm(ctx_.files, ctx_.programFolder()).value_or(printing::defaultPrintForm());
    return listtable::sortingSheetPlan(table_, form, area);
}

void PackInsWnd::printSheet() {
    (void)store();
    (void)printWithDialog([this](const printing::PageArea& a) { return plan(a); }, this);
    enter();
}

void PackInsWnd::previewSheet() {
    (void)store();
    showPreview([this](const printing::PageArea& a) { return plan(a); }, this);
    enter();
}

void PackInsWnd::exportCsv() {
    (void)store();
    const QString proposed = QString::fromStdString((ctx_.programFolder() / msg::kCsvDefaultName).string());
    const QString chosen = chooseFile_ ? chooseFile_(proposed)
                                       : QFileDialog::getSaveFileName(this, "文字列", proposed, "CSV (*.Csv *.csv)");
    if (!chosen.isEmpty())
        (void)listtable::exportSortingSheet(table_, ctx_.files, fs::path(chosen.toStdString()), dialogs_);
    enter();
}

void PackInsWnd::openMenu(int column, const QPoint& at) {
    if (menu_) menu_->deleteLater();
    menuColumn_ = column;
    menu_ = new PackInsMenuWnd(*this, column);
    const QPoint p = aView_->mapTo(this, at);
    menu_->move(std::min(p.x(), width() - menu_->width()), std::min(p.y(), height() - menu_->height()));
    menu_->show();
    menu_->raise();
}

void PackInsWnd::dragColumn(int from, int to) {
    (void)store();
    leave();
    if (table_.moveColumn(from, to)) column_ = to;
    area_ == Area::Header ? toHeader(column_, line_) : enter();
}

void PackInsWnd::deleteColumnData() {
    table_.deleteColumnData(menuColumn_ > 0 ? menuColumn_ : column_);
    enter();
}

void PackInsWnd::pasteColumn() {
    leave();
    (void)table_.pasteColumn(menuColumn_ > 0 ? menuColumn_ : column_);
    enter();
}

void PackInsWnd::sortColumns() {
    table_.sortByProduct();
    enter();
}

}  // namespace rk::ui
