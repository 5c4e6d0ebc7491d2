// The header of the account items: category buttons, the reference list, printing, help,
// the lines per printed page, the column titles and the debit and credit totals.
#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "ui/printing/PlanPrinter.h"

class QComboBox;
class QPushButton;

namespace rk::ui {

class KamokuMasBView;

class KamokuMasAView : public QWidget {
    Q_OBJECT
public:
    KamokuMasAView(AppContext& ctx, KamokuMasBView* grid, QWidget* parent = nullptr);
    // Lines per printed page, 20..50.
    int linesPerPage() const;
    QComboBox* linesBox() const { return lines_; }
    // "印刷" / "ﾌﾟﾚﾋﾞ": the items as the file holds them, the chosen lines to a page.
    bool printItems(bool previewOnly);
    PrintOutput& output() { return output_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    AppContext& ctx_;
    KamokuMasBView* grid_;
    QComboBox* lines_;
    PrintOutput output_;
};

}  // namespace rk::ui
