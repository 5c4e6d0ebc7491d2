// The fields of one home-delivery slip: the destination side at the left, the sender side at
// the right, every value of the record typed with the shared entry field. Enter goes on to
// the next field; the window's keys (F3, F5, F11, F12, Page Up/Down) come back to the window.
#pragma once

#include <functional>

#include "slips/home_delivery.h"
#include "slips/home_delivery_chain.h"
#include "ui/settings/SettingsFieldView.h"

namespace rk::ui {

class FTakuhaiView : public SettingsFieldView {
    Q_OBJECT
public:
    enum Field {
        kDestPhone1,
        kDestPhone2,
        kDestPhone3,
        kDestAddress1,
        kDestAddress2,
        kDestAddress3,
        kDestName,
        kArrivalStore1,
        kArrivalStore2,
        kArrivalDate,
        kDestPostal1,
        kDestPostal2,
        kFee1,
        kFee2,
        kOriginPhone1,
        kOriginPhone2,
        kOriginPhone3,
        kOriginAddress1,
        kOriginAddress2,
        kOriginAddress3,
        kOriginName,
        kDepartureStore1,
        kDepartureStore2,
        kShippingDate,
        kOriginPostal1,
        kOriginPostal2,
        kFieldCount
    };
    static constexpr int kWidth = 800, kHeight = 400;

    // `record` gives the slip being shown (it changes with the current slip).
    FTakuhaiView(AppContext& ctx, Dialogs& dialogs, std::function<HomeDeliveryRecord&()> record,
                 std::function<bool()> inverted, QWidget* parent);

    // The window's keys ending a field: handled there, the field stays current.
    void setKeyHandler(std::function<void(controls::Key)> handler) { keys_ = std::move(handler); }
    // Header values drawn above the fields; a line below 0 draws the address book's head.
    void setCounts(int line, int current, int count);
    // The address-book search kind of a field, nullopt for fields without one.
    static std::optional<delivery::SearchField> searchField(int field);

protected:
    void fieldExited(int index, controls::Key key) override;
    void paintEvent(QPaintEvent* e) override;

private:
    using Access = std::function<int32_t&(HomeDeliveryRecord&)>;
    void addNumber(QRect rect, Access value, int digits, bool zeros = false, bool date = false);
    void addText(QRect rect, char (HomeDeliveryRecord::*text)[32]);
    void storeNumber(int32_t& target, const CDataEdit& e, int digits, bool date);

    std::function<HomeDeliveryRecord&()> record_;
    std::function<bool()> inverted_;
    std::function<void(controls::Key)> keys_;
    int line_ = 0, current_ = 1, count_ = 1;
};

}  // namespace rk::ui
