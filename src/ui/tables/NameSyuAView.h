// The fields of the name search window: start and end date and the search name. Enter on
// the name searches for names holding it, F3 for names beginning with it, F4 by number.
#pragma once

#include "ui/tables/TableFieldsView.h"

namespace rk::ui {

class NameSyuWnd;

class NameSyuAView : public TableFieldsView {
    Q_OBJECT
public:
    static constexpr int kHeight = 80;
    static constexpr int kNameBytes = 20;
    explicit NameSyuAView(NameSyuWnd& wnd);
    // The search name as typed (Shift-JIS, trailing blanks removed).
    std::string searchText() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void finished(controls::Key k) override;
    QRect valueRect(int field) const override;
    int fieldValue(int field) const override;
    QString fieldText(int field) const override;
    controls::EntryConfig fieldConfig(int field) const override;

    NameSyuWnd& wnd_;
    mutable char text_[kNameBytes + 1] = {};
};

}  // namespace rk::ui
