#include "ui/slips/IremonoWnd.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "slips/slip_messages.h"

namespace rk::ui {

IremonoWnd::IremonoWnd(bool productMaster, QWidget* parent) : QDialog(parent) {
    setObjectName("IremonoWnd");
    setWindowTitle("　入れ物の指定");
    setFont(QFont("IPAGothic", 11));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8(msg::kNoPackingKind)));
    layout->addWidget(new QLabel(QString::fromUtf8(msg::kChoosePackingKind)));
    auto* buttons = new QGridLayout;
    layout->addLayout(buttons);
    struct Item {
        const char* caption;
        Choice choice;
    };
    const Item items[] = {{"箱指定", kBox},     {"ﾌﾗｺﾝ指定", kContainer},         {"ﾄﾚｰ指定", kTray},
                          {"解　説", kExplain}, {"商品ﾏｽﾀｰ入力", kProductMaster}, {"ｷｬﾝｾﾙ", kCancel}};
    int i = 0;
    for (const Item& it : items) {
        auto* b = new QPushButton(QString::fromUtf8(it.caption), this);
        b->setAutoDefault(false);
        if (it.choice == kProductMaster) b->setEnabled(productMaster);
        const Choice c = it.choice;
        connect(b, &QPushButton::clicked, this, [this, c] {
            choice_ = c;
            if (c == kCancel)
                reject();
            else
                accept();
        });
        buttons->addWidget(b, i / 3, i % 3);
        ++i;
    }
    // The safe answer has the keyboard.
    if (auto* cancel = findChildren<QPushButton*>().back()) {
        cancel->setDefault(true);
        cancel->setFocus();
    }
}

}  // namespace rk::ui
