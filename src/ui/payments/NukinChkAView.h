// The condition view of the payment list: period and customer range, the hints for the
// mouse, and the buttons. Closing "集計終了No" with Enter lists the payments.
#pragma once

#include <QWidget>
#include <functional>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "controls/keys.h"
#include "payments/payment_list.h"

class QPushButton;

namespace rk::ui {

class CDataEdit;

class NukinChkAView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 900, kHeight = 124;
    enum Field { kStart, kEnd, kFirst, kLast };

    NukinChkAView(AppContext& ctx, Dialogs& dialogs, payments::PaymentList& list, QWidget* parent = nullptr);

    Field current() const { return field_; }
    CDataEdit* field() const { return edit_; }
    QPushButton* joinButton() const { return join_; }
    QPushButton* helpButton() const { return help_; }
    QSize sizeHint() const override { return {kWidth, kHeight}; }
    void focusField(Field f);

signals:
    void aggregated();
    void joinRequested();
    void helpRequested();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QRect rect(Field f) const;
    void openField();
    void fieldDone(controls::Key key);

    AppContext& ctx_;
    Dialogs& dialogs_;
    payments::PaymentList& list_;
    Field field_ = kStart;
    CDataEdit* edit_ = nullptr;
    QPushButton* help_ = nullptr;
    QPushButton* join_ = nullptr;
};

}  // namespace rk::ui
