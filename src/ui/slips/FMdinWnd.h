// The slip entry window ("　伝票入力"): header, line grid and footer over one open slip. It
// owns the slip document and the line and slip operations; the views draw and take input.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "app/app_context.h"
#include "slips/CFq7Doc.h"
#include "slips/packing_tables.h"
#include "slips/slip_commands.h"
#include "slips/slip_lines.h"
#include "ui/app/CommandTarget.h"

class QScrollArea;

namespace rk::ui {

class FMdinAView;
class FMdinBView;
class FMdinCView;

class FMdinWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    static constexpr int kDefaultWidth = 1012, kDefaultHeight = 526;
    static constexpr int kRowHeight = 58;

    // `mode` 1..4, or 11..14 for one requested slip (see requestSlip).
    FMdinWnd(AppContext& ctx, Dialogs& dialogs, int mode, QWidget* parent = nullptr);
    ~FMdinWnd() override;

    // Receivable processing of the loaded slip; the F6 button and key work once one is set.
    using ReceivableOpener = std::function<void(FMdinWnd&, CFq7Doc&)>;
    static void setReceivableOpener(ReceivableOpener opener);

    // Opens the operation guide on a prompt; "個別解説" works once this is set.
    void setGuideOpener(std::function<void(const std::string&)> opener) { guide_ = std::move(opener); }
    bool canOpenGuide() const { return static_cast<bool>(guide_); }
    // The guide on the prompt of the field that has the cursor.
    void explainField();

    // Another window asks for the slip of (date, customer): as if the customer had been typed.
    void requestSlip(int32_t date, int32_t customer);

    AppContext& context() { return ctx_; }
    Dialogs& dialogs() { return dialogs_; }
    CFq7Doc& doc() { return *doc_; }
    SlipLineEditor& lines() { return *editor_; }
    int mode() const { return mode_; }
    const SlipTotals& totals() const { return totals_; }
    bool gridActive() const { return line_ > 0; }
    int line() const { return line_; }
    FMdinAView* header() const { return aView_; }
    FMdinBView* grid() const { return bView_; }
    FMdinCView* footer() const { return cView_; }

    // --- what the header and the buttons ask for ---
    // The customer typed on the header: lock and load; true when the grid takes the cursor.
    bool openSlip(int32_t customer);
    void toGrid(int line, int field);
    void toHeader(int field);
    void refreshTotals();
    void recordSlip();
    void deleteSlip();
    // "月日変更": the change window for a recorded slip while the grid has the cursor.
    void openDateChange();
    bool changeDate(int typed);
    bool changeCustomer(int customer);
    void openReceivable();
    bool canOpenReceivable() const;

    bool onCommand(int command) override;
    QSize sizeHint() const override;

protected:
    void closeEvent(QCloseEvent* e) override;

public:
    // The slip was recorded by another window (receivable processing): back to the header
    // for the next slip, as after F5.
    void afterSlipEnded();

private:

    AppContext& ctx_;
    Dialogs& dialogs_;
    int mode_;
    std::unique_ptr<SlipLocks> locks_;
    std::unique_ptr<PackingTables> packing_;
    std::unique_ptr<CFq7Doc> doc_;
    std::unique_ptr<SlipLineEditor> editor_;
    std::unique_ptr<SlipCommands> commands_;
    SlipTotals totals_;
    int line_ = 0;
    FMdinAView* aView_;
    FMdinBView* bView_;
    FMdinCView* cView_;
    QScrollArea* scroll_;
    QWidget* dateChange_ = nullptr;
    std::function<void(const std::string&)> guide_;
};

}  // namespace rk::ui
