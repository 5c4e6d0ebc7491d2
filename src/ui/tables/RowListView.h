// A scrolling list of text rows under a row of column heads, scrolled by whole rows: the
// base of the totals lists. Subclasses say how many rows there are and what each shows.
#pragma once

#include <QAbstractScrollArea>
#include <QStringList>
#include <vector>

namespace rk::ui {

// Up/Down/Page Up/Page Down scroll by rows and pages, Left/Right by columns when `sideways`;
// false for any other key.
bool scrollByKey(QAbstractScrollArea& area, int key, bool sideways);

class RowListView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kHeadHeight = 26, kRowHeight = 22;
    struct Column {
        QString head;
        int width;
        bool right = true;
    };

    explicit RowListView(QWidget* parent, int pageRows = 0);
    void setColumns(std::vector<Column> columns) { columns_ = std::move(columns); }
    virtual int rowCount() const = 0;
    virtual QStringList rowTexts(int row) const = 0;
    int topRow() const;
    void scrollToRow(int row);
    // The row count changed: ranges are recomputed and the list goes back to its top.
    void reset();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void keyPressEvent(QKeyEvent* e) override;
    void scrollContentsBy(int, int) override { viewport()->update(); }

private:
    void updateRange();
    std::vector<Column> columns_;
    int pageRows_;  // Page Up / Page Down; 0: a screenful
};

}  // namespace rk::ui
