// The grid of the remark master: one row per remark 1..999; short remarks take 21 bytes,
// long ones (500 and above) 81 in a three times wider box.
#pragma once

#include <vector>

#include "masters/master_records.h"
#include "ui/masters/MasterGrid.h"

namespace rk::ui {

class BikouMasBView : public MasterGrid {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 22, kTextX = 63, kShortWidth = 160, kLongWidth = 580;

    BikouMasBView(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);
    const RemarkRecord& record() const { return rec_; }

protected:
    void loadRow(int row) override;
    void prepareRows(int first, int last) override;
    void paintRow(QPainter& p, int row, const QRect& r) override;
    void openCell(int row, int column) override;
    void cellClosed(controls::Key key) override;

private:
    RemarkRecord rec_{};
    RemarkRecord read_{};  // as last read from the file
    std::vector<RemarkRecord> shown_;
    int shownFirst_ = 0;
};

}  // namespace rk::ui
