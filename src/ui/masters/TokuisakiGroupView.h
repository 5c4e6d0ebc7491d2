// The group panel of the customer master: the member list (every customer, several lines
// selectable), the representative or member count line, the group help and the clear button.
// Selecting and deselecting lines registers the current customer's members at once.
#pragma once

#include <QWidget>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "masters/customer_groups.h"

class QListWidget;

namespace rk::ui {

class TokuisakiGroupView : public QWidget {
    Q_OBJECT
public:
    TokuisakiGroupView(AppContext& ctx, Dialogs& dialogs, masters::CustomerGroupTable& table,
                       QWidget* parent = nullptr);

    // Fills the member list with the lines of customers 1..count.
    void setLines(const QStringList& lines);
    void replaceLine(int customer, const QString& line);
    // Shows the group data of `customer` (its members selected).
    void showCustomer(int customer);
    QListWidget* members() const { return list_; }

signals:
    // The current customer's group entry changed in the table.
    void groupChanged();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void selectionChanged();
    void clearGroup();
    void selectMembers();

    AppContext& ctx_;
    Dialogs& dialogs_;
    masters::CustomerGroupTable& table_;
    QListWidget* list_;
    int customer_ = 1;
};

}  // namespace rk::ui
