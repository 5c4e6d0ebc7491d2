// The slip entry window ("　伝票入力"): header, line grid and footer over one open slip. It
// owns the slip document and the line and slip operations; the views draw and take input.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "app/app_context.h"
#include "controls/keys.h"
#include "slips/CFq7Doc.h"
#include "slips/packing_tables.h"
#include "slips/slip_commands.h"
#include "slips/slip_lines.h"
#include "ui/app/CommandTarget.h"

class QScrollArea;
class QKeyEvent;

namespace rk::ui {

class CDataEdit;
class DentakuWnd;
class FWidthMojiWnd;
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
    using ReceivableOpener = std::function<bool(FMdinWnd&, CFq7Doc&)>;  // true: the window opened
    static void setReceivableOpener(ReceivableOpener opener);

    // "売掛参照": the stored receivable values of the loaded slip; the button works once one is set.
    using ReferenceOpener = std::function<void(FMdinWnd&, const CFq7Doc&)>;
    static void setReferenceOpener(ReferenceOpener opener);
    bool canOpenReference() const;
    void openReference();

    // "宅配伝票" / Shift+F6: the home-delivery slips of the grid's current line; the window it
    // returns has the keyboard until it closes. The button and key work once one is set.
    using HomeDeliveryOpener = std::function<QWidget*(FMdinWnd&, CFq7Doc&, int line)>;
    static void setHomeDeliveryOpener(HomeDeliveryOpener opener);
    bool canOpenHomeDelivery() const;
    void openHomeDelivery();

    // Opens the operation guide on a prompt; "個別解説" works once this is set.
    void setGuideOpener(std::function<void(const std::string&)> opener) { guide_ = std::move(opener); }
    bool canOpenGuide() const { return static_cast<bool>(guide_); }
    void showGuide(const std::string& topic) {
        if (guide_) guide_(topic);
    }
    // The guide on the prompt of the field that has the cursor.
    void explainField();

    // Another window asks for the slip of (date, customer): as if the customer had been typed.
    // A window opened with mode + 10 does this by itself with the context's slip request.
    void requestSlip(int32_t date, int32_t customer);

    // F12 on the customer field opens the customer list of the date through this; its choice
    // comes back to customerChosen(). False when no list was opened.
    void setCustomerListOpener(std::function<bool()> opener) { customerList_ = std::move(opener); }
    void openCustomerList();
    // The customer list's choice: above 0 the customer whose slip to open, else back to the field.
    void customerChosen(int customer);
    // "商品ﾏｽﾀｰ入力" of the packing-kind choice opens the product master on a product.
    void setProductMasterOpener(std::function<void(int)> opener) { productMaster_ = std::move(opener); }
    bool canOpenProductMaster() const { return static_cast<bool>(productMaster_); }
    void openProductMaster(int product);

    // The footer buttons that press a key in the field with the cursor (F2, F12).
    void pressInField(controls::Key k);
    // "文字検索" (Alt+S): customers on the header, products or remarks in the grid.
    void characterSearch();
    // The window's own keys reach it through every entry field it creates.
    void watchKeys(CDataEdit* edit);

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
    void showLine(int line);
    void toHeader(int field);
    void refreshTotals();
    void recordSlip();
    void deleteSlip();
    // "月日変更": the change window for a recorded slip while the grid has the cursor.
    void openDateChange();
    bool changeDate(int typed);
    bool changeCustomer(int customer);
    // F4 / "行文字(F4": the line text window of the grid's line; a second one is refused.
    void openLineText();
    // F3 / "電卓(F3)": the calculator, open until Esc or until the grid leaves the line.
    void openCalculator();
    FWidthMojiWnd* lineText() const;
    DentakuWnd* calculator() const;
    // True when the processing window opened (it has the keyboard then).
    bool openReceivable();
    bool canOpenReceivable() const;

    bool onCommand(int command) override;
    QSize sizeHint() const override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

public:
    // The slip was recorded by another window (receivable processing): back to the header
    // for the next slip, as after F5.
    void afterSlipEnded();

private:
    enum class WindowKey { None, Explain, Search, MarkUp, MarkDown, Sort, Copy, Paste, HomeDelivery };
    WindowKey windowKey(const QKeyEvent& k) const;
    void act(WindowKey k);

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
    QWidget* homeDelivery_ = nullptr;
    QPointer<FWidthMojiWnd> lineText_;
    QPointer<DentakuWnd> calculator_;
    int calculatorLine_ = 0;
    std::function<void(const std::string&)> guide_;
    std::function<bool()> customerList_;
    std::function<void(int)> productMaster_;
    bool requested_;  // opened for one slip another window asked for
    bool shown_ = false;
};

}  // namespace rk::ui
