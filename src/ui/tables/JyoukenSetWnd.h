// The conditions window of a table ("　集計条件セット"): six rows of codes for each of the
// dimensions other than the table's own, one cell edited at a time. F3 ("設定終了(F3)")
// hands the six-by-six values to the table, which aggregates again.
#pragma once

#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "controls/keys.h"
#include "tables/conditions.h"
#include "tables/table_engine.h"

class QPushButton;

namespace rk::ui {

class CDataEdit;

class JyoukenSetWnd : public QWidget {
    Q_OBJECT
public:
    // `hidden`: the dimension that is not shown (the table's key), 0 for none. `yearRange`:
    // the range is two business years instead of two dates.
    JyoukenSetWnd(AppContext& ctx, Dialogs& dialogs, tables::Dimension hidden, bool yearRange,
                  const tables::ConditionSet& start, QWidget* parent);

    void setRange(int from, int to);
    const tables::ConditionSet& conditions() const { return conditions_; }
    int row() const { return row_; }
    tables::Dimension column() const { return column_; }
    CDataEdit* edit() const { return edit_; }
    QPushButton* endButton() const { return endButton_; }
    // The text a cell shows: code and name, "全指定" or a dash when empty.
    QString cellText(tables::Dimension d, int row) const;
    void endSetting();

signals:
    void settingEnded(const tables::ConditionSet& conditions);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void enter(tables::Dimension d, int row);
    void finished(controls::Key k);
    QRect cellRect(tables::Dimension d, int row) const;
    int columnIndex(tables::Dimension d) const;

    AppContext& ctx_;
    Dialogs& dialogs_;
    tables::Dimension hidden_;
    bool yearRange_;
    int from_ = 0, to_ = 0;
    tables::ConditionSet conditions_;
    std::array<std::vector<std::string>, tables::kDimensions> names_;  // UTF-8, index = code
    tables::Dimension column_;
    int row_ = 1;
    CDataEdit* edit_ = nullptr;
    QPushButton* endButton_ = nullptr;
};

}  // namespace rk::ui
