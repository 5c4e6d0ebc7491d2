// The bulk code change screen: the kind of code, a table of twelve old and new codes, the
// warning to close every other window, and "実 行". One cell is typed at a time.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "controls/keys.h"
#include "maintenance/code_change.h"

class QListWidget;
class QPushButton;

namespace rk::ui {

class CDataEdit;

class CodeAllChenVew : public QWidget {
    Q_OBJECT
public:
    CodeAllChenVew(AppContext& ctx, Dialogs& dialogs, QWidget* parent);

    maintenance::CodeKind kind() const;
    void setKind(maintenance::CodeKind k);
    const std::array<maintenance::CodePair, maintenance::kCodePairs>& pairs() const { return pairs_; }
    int row() const { return row_; }
    int column() const { return column_; }  // 0 old code, 1 new code
    CDataEdit* edit() const { return edit_; }
    QListWidget* kinds() const { return kinds_; }
    QPushButton* runButton() const { return run_; }
    // "実 行": the change over the years; the result as the core gives it.
    maintenance::ChangeOutcome run();

signals:
    void helpRequested();
    // A customer-code change was made: the program ends.
    void endProgram();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    void enter(int row, int column);
    void finished(controls::Key k);
    QRect cell(int row, int column) const;

    AppContext& ctx_;
    Dialogs& dialogs_;
    std::array<maintenance::CodePair, maintenance::kCodePairs> pairs_{};
    int row_ = 0, column_ = 0;
    CDataEdit* edit_ = nullptr;
    QListWidget* kinds_;
    QPushButton* run_;
};

}  // namespace rk::ui
