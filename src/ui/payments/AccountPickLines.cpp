#include "ui/payments/AccountPickLines.h"

#include "base/cp932.h"
#include "masters/account_items.h"
#include "masters/master_io.h"
#include "ui/controls/CMojiList.h"

namespace rk::ui {

QStringList accountPickLines(AppContext& ctx) {
    const auto items = masters::readAccountItems(ctx.files, ctx.fileSet[kAccounts]);
    QStringList lines;
    for (int code = 100; code <= masters::kLastAccountCode; ++code) {
        const size_t i = static_cast<size_t>(code - 100);
        const std::string name = code == kProfitAccountCode ? masters::kProfitAccountName
                                 : i < items.size()         ? cp932::toUtf8(items[i].name, masters::kAccountNameLimit)
                                                            : std::string();
        lines << QString("%1  %2").arg(code, 4).arg(QString::fromStdString(name));
    }
    return lines;
}

CMojiList* openAccountPickList(AppContext& ctx, QWidget* parent, int listId, int current, QRect where,
                               std::function<void(std::optional<int> code)> done) {
    auto* list = new CMojiList(listId, parent);
    list->setLines(accountPickLines(ctx), 100);
    list->setCurrentRow(current >= 100 && current <= 599 ? current - 100 : 0);
    list->setGeometry(where);
    list->show();
    list->setFocus();
    QObject::connect(list, &CMojiList::chosen, parent, [list, done = std::move(done)](const controls::ListResult& r) {
        list->hide();
        list->deleteLater();
        const bool take = r.key != controls::Key::Esc && r.value >= 0 && r.value < 500;
        done(take ? std::optional<int>(100 + r.value) : std::nullopt);
    });
    return list;
}

}  // namespace rk::ui
