// The selection of the master list window: which master (1..5, or a click on its name), the
// code range and the line pitch; preview, print and the text file "MstData.Csv".
#pragma once

#include "printing/master_print.h"
#include "printing/print_form.h"
#include "ui/printing/PrintSelectionView.h"

class QPushButton;

namespace rk::ui {

class MstPrntView : public PrintSelectionView {
    Q_OBJECT
public:
    enum Field { kMaster = 0, kFrom, kTo, kPitch };

    MstPrntView(AppContext& ctx, Dialogs& dialogs, QWidget* parent);

    void setValue(Field f, int value);
    const printing::MasterSelection& selection() const { return selection_; }
    bool print(bool previewOnly = false);
    // "ﾃｷｽﾄｱｳﾄ": asks, then writes MstData.Csv; true when written.
    bool writeText();

protected:
    void fieldExited(int index, controls::Key key) override;
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    printing::PrintForm form_;
    printing::MasterSelection selection_;
    int32_t master_ = 1;
};

}  // namespace rk::ui
