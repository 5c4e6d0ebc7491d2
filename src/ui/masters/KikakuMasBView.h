// The grid of the grade master: one row per grade 1..99 with its two names and the two
// spare values; every editor close writes the row's record.
#pragma once

#include "masters/master_records.h"
#include "ui/masters/MasterGrid.h"

namespace rk::ui {

class KikakuMasBView : public MasterGrid {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 22;
    // Left edges of the number, the two names and the two spare values.
    static constexpr int kColumnX[5] = {0, 63, 161, 245, 315};

    KikakuMasBView(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);
    const GradeRecord& record() const { return rec_; }

protected:
    void loadRow(int row) override;
    void paintRow(QPainter& p, int row, const QRect& r) override;
    void prepareRows(int first, int last) override;
    void openCell(int row, int column) override;
    void cellClosed(controls::Key key) override;
    void rowClicked(int row, int x, Qt::MouseButton button) override;

private:
    GradeRecord rec_{};
    GradeRecord read_{};  // as last read from the file
    std::vector<GradeRecord> shown_;
    int shownFirst_ = 0;
};

}  // namespace rk::ui
