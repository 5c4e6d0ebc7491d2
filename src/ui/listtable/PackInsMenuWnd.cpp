#include "ui/listtable/PackInsMenuWnd.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/listtable/PackInsWnd.h"

namespace rk::ui {

PackInsMenuWnd::PackInsMenuWnd(PackInsWnd& wnd, int column) : QFrame(&wnd), wnd_(wnd), column_(column) {
    setObjectName("PackInsMenuWnd");
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(3);
    auto* title = new QLabel(QString::asprintf(" No.%3d 列", column), this);
    layout->addWidget(title);
    auto add = [this, layout](const QString& caption, void (PackInsWnd::*action)()) {
        auto* b = new QPushButton(caption, this);
        b->setFixedSize(150, 26);
        layout->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, action] {
            PackInsWnd& w = wnd_;
            close();
            deleteLater();
            (w.*action)();
        });
    };
    add("列データ削除", &PackInsWnd::deleteColumnData);
    add("列データ張り付け", &PackInsWnd::pasteColumn);
    add("商品コードソート", &PackInsWnd::sortColumns);
    setFont(QFont("IPAGothic", 10));
    adjustSize();
}

void PackInsMenuWnd::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        close();
        deleteLater();
        return;
    }
    QFrame::keyPressEvent(e);
}

}  // namespace rk::ui
