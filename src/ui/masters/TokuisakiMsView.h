// The form of the customer master: fifteen fields in input order, the customer list and the
// name search on the right, and the group panel below. The fields changed in the current
// record are written when the customer number changes and when the window closes; the group
// data of every customer is written back at close.
#pragma once

#include <QWidget>
#include <memory>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "controls/keys.h"
#include "masters/customer_groups.h"
#include "masters/master_records.h"

class QListWidget;
class QLineEdit;

namespace rk::ui {

class CDataEdit;
class CMojiList;
class TokuisakiGroupView;

class TokuisakiMsView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFieldCount = 15, kSearchField = 14;

    TokuisakiMsView(AppContext& ctx, Dialogs& dialogs, QWidget* parent = nullptr);

    int customer() const { return customer_; }
    int field() const { return field_; }
    const CustomerRecord& record() const { return rec_; }
    const masters::CustomerGroupTable& groups() const { return *groups_; }
    QListWidget* customerList() const { return customers_; }
    QListWidget* roundingList() const { return rounding_; }
    TokuisakiGroupView* groupView() const { return groupView_; }
    CMojiList* searchResults() const { return results_; }
    CDataEdit* edit() const { return edit_; }

    // Moves the input to field `index` (0..14).
    void enterField(int index);
    // Saves the current customer and loads customer n (1..count); other numbers are refused.
    bool switchTo(int n);
    // Runs the name search with the search field's text.
    void runSearch();
    // Writes the customer CSV of every named customer to `file`.
    bool exportTo(const QString& file);
    // Closing: writes the current record, checks the groups and writes them back. False when
    // the data folder is busy (the window stays open).
    bool closeAll();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QRect fieldRect(int index) const;
    QString shownValue(int index) const;
    void fieldClosed(controls::Key key);
    // Takes the open field's value into the record; false when field 0 names a refused number.
    bool takeField();
    // A click elsewhere: the open field keeps what was typed.
    void leaveField();
    void storeRounding();
    // Writes the fields changed since the record was read; false when that failed (shown).
    bool saveCurrent();
    // Shows the live record when another station changed it and nothing is edited here.
    void showLiveRecord();
    void load(int n);
    void fillLists();
    void refreshAccountName();
    QString listLine(int n) const;

    AppContext& ctx_;
    Dialogs& dialogs_;
    int count_;
    int customer_ = 1;
    int field_ = 0;
    CustomerRecord rec_{};
    CustomerRecord read_{};  // the record as last read from the file
    char search_[22] = {};
    std::unique_ptr<masters::CustomerGroupTable> groups_;
    QString accountName_;
    CDataEdit* edit_ = nullptr;
    QListWidget* rounding_;
    QListWidget* customers_;
    TokuisakiGroupView* groupView_;
    CMojiList* results_ = nullptr;
};

}  // namespace rk::ui
