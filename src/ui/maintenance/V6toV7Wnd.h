// The conversion window ("　ﾃﾞｰﾀ変換(Ver6→Ver7)"): the operator picks one old file, the
// folder of which holds all of them, and the known layouts are converted year by year.
#pragma once

#include <QWidget>
#include <functional>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "maintenance/data_check_tools.h"

class QPushButton;

namespace rk::ui {

class V6toV7Wnd : public QWidget {
    Q_OBJECT
public:
    enum Pick { kSalesLines, kPurchaseLines, kTransferSlips, kPickCount };
    // Asks for an old file starting from `pattern`; empty when the operator cancels.
    using FileChooser = std::function<QString(const QString& pattern, QWidget* parent)>;

    V6toV7Wnd(AppContext& ctx, Dialogs& dialogs, std::function<void()> endProgram, QWidget* parent = nullptr);

    QPushButton* button(Pick p) const { return buttons_[p]; }
    void setFileChooser(FileChooser chooser) { choose_ = std::move(chooser); }
    maintenance::ToolResult convertFrom(const QString& oldFile);
    QSize sizeHint() const override { return {920, 410}; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    AppContext& ctx_;
    Dialogs& dialogs_;
    std::function<void()> endProgram_;
    FileChooser choose_;
    QString status_;
    QPushButton* buttons_[kPickCount] = {};
};

}  // namespace rk::ui
