// The address-book maintenance window ("　宅配マスターメンテナンス"): the home-delivery master
// one record at a time. The book is read when the window opens; when it closes the records
// changed here are written back and the added ones appended, under the data-folder lock, so
// what another station booked meanwhile stays.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "slips/home_delivery.h"
#include "ui/app/CommandTarget.h"

class QPushButton;

namespace rk::ui {

class CMojiList;
class FTakuhaiView;

class TakuMasMeWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    TakuMasMeWnd(AppContext& ctx, Dialogs& dialogs, std::function<void(const std::string&)> guide = {},
                 QWidget* parent = nullptr);

    FTakuhaiView* view() const { return view_; }
    CMojiList* searchList() const { return search_; }
    int currentNumber() const { return current_ + 1; }
    const std::vector<HomeDeliveryRecord>& book() const { return book_; }

    void nextRecord();
    void previousRecord();
    void copyRecord();
    void pasteRecord();
    void search();
    // Writes what changed; false (after the message) when it could not be written.
    bool save();

    bool onCommand(int command) override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    template <class F>
    void changing(F&& f);
    void refresh();

    AppContext& ctx_;
    Dialogs& dialogs_;
    std::function<void(const std::string&)> guide_;
    std::vector<HomeDeliveryRecord> before_, book_;
    int current_ = 0;
    std::optional<HomeDeliveryRecord> clipboard_;
    bool readable_ = true;
    FTakuhaiView* view_;
    CMojiList* search_ = nullptr;
};

}  // namespace rk::ui
