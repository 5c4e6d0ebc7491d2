// The data operation window ("　データ操作"): the date and customer range, and the operations
// on the slips of the range: split into another folder, release of settled slips, and the
// import of the server's compressed backup into a folder for browsing. 転送 and 連結 are
// announced only; the invoice data module is not part of this program.
#pragma once

#include <functional>

#include "app/app_context.h"
#include "maintenance/data_operation.h"
#include "ui/tables/TableFieldsView.h"

namespace rk::ui {

class DataOpeWnd : public TableFieldsView {
    Q_OBJECT
public:
    // Asks where to write, starting from `initial`; empty when the operator cancels.
    using FileChooser = std::function<QString(const QString& initial, const QString& filter)>;
    using GuideOpener = std::function<void(const std::string& topic)>;

    DataOpeWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide = {}, QWidget* parent = nullptr);

    void setFileChooser(FileChooser chooser) { choose_ = std::move(chooser); }
    const maintenance::SlipRange& range() const { return range_; }
    QSize sizeHint() const override { return {580, 300}; }

    maintenance::OperationResult split();
    maintenance::OperationResult release();
    maintenance::OperationResult importServer();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QRect valueRect(int field) const override;
    int fieldValue(int field) const override;
    QString fieldText(int field) const override;
    void finished(controls::Key k) override;
    QString choose(const QString& initial, const QString& filter);

    AppContext& ctx_;
    Dialogs& dialogs_;
    GuideOpener guide_;
    FileChooser choose_;
    maintenance::SlipRange range_;
};

}  // namespace rk::ui
