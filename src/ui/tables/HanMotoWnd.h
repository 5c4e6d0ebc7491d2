// The ledger window ("　販売元帳集計"): the customer and print range fields (HanMotoView)
// over the list of the customer's slips and payments with the running balance
// (HanMotoBView). Choosing a customer runs the ledger and offers the balance correction.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "printing/page_plan.h"
#include "tables/ledger.h"
#include "ui/app/CommandTarget.h"

namespace rk::ui {

class HanMotoView;
class HanMotoBView;

class HanMotoWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    HanMotoWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);

    AppContext& context() { return ctx_; }
    Dialogs& dialogs() { return dialogs_; }
    const tables::Ledger& ledger() const { return ledger_; }
    int printFrom() const { return from_; }
    int printTo() const { return to_; }
    void setPrintRange(int from, int to);
    HanMotoView* header() const { return header_; }
    HanMotoBView* list() const { return list_; }

    // Runs the ledger of customer `n` and checks its balance.
    void chooseCustomer(int n);
    printing::Document plan(const printing::PageArea& area) const;
    void print(bool preview);
    void setGuideOpener(std::function<void(const std::string&)> open) { guideOpener_ = std::move(open); }
    void openGuide();
    bool onCommand(int command) override;

private:
    AppContext& ctx_;
    Dialogs& dialogs_;
    tables::Ledger ledger_;
    int from_, to_;
    HanMotoView* header_ = nullptr;
    HanMotoBView* list_ = nullptr;
    std::function<void(const std::string&)> guideOpener_;
};

}  // namespace rk::ui
