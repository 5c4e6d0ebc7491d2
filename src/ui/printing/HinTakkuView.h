// The selection of the product tag window: print date, customer range and the lines field
// (shown, without effect); the slips found and the tags they give; print, preview and the
// choice of the tag font.
#pragma once

#include "printing/print_form.h"
#include "printing/tags.h"
#include "ui/printing/PrintSelectionView.h"

class QPushButton;

namespace rk::ui {

class HinTakkuView : public PrintSelectionView {
    Q_OBJECT
public:
    enum Field { kDate = 0, kFrom, kTo, kLines };

    HinTakkuView(AppContext& ctx, Dialogs& dialogs, QWidget* parent);

    void setValue(Field f, int value);
    const printing::TagRun& run() const { return run_; }
    QPushButton* printButton() const { return print_; }
    // False when there was nothing to print or printing failed.
    bool print(bool previewOnly = false);
    void chooseFont();

protected:
    void fieldExited(int index, controls::Key key) override;
    void paintEvent(QPaintEvent*) override;

private:
    void rebuild();

    printing::PrintForm form_;
    printing::TagSelection selection_;
    int32_t lines_ = 6;
    printing::TagRun run_;
    QPushButton* print_ = nullptr;
};

}  // namespace rk::ui
