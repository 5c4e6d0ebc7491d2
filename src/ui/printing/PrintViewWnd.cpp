#include "ui/printing/PrintViewWnd.h"

#include <QVBoxLayout>

#include "app/command_table.h"
#include "ui/controls/CDataEdit.h"
#include "ui/settings/SettingsFieldView.h"

namespace rk::ui {

PrintViewWnd::PrintViewWnd(const char* objectName, const char* title, GuideOpener guide, std::string topic,
                           QWidget* parent)
    : QWidget(parent), guide_(std::move(guide)), topic_(std::move(topic)) {
    setObjectName(objectName);
    setWindowTitle(QString::fromUtf8(title));
    setFont(QFont("IPAGothic", 10));
}

void PrintViewWnd::setView(SettingsFieldView* view, QSize size, std::function<void()> print) {
    view_ = view;
    print_ = std::move(print);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    setFocusProxy(view);
    // The view places its fields at fixed positions: the window never opens or shrinks smaller.
    view->setMinimumSize(size);
    resize(size);
}

void PrintViewWnd::openGuide() {
    if (guide_) guide_(topic_);
}

bool PrintViewWnd::onCommand(int command) {
    switch (command) {
        case cmd::kHelp:
            openGuide();
            return true;
        case cmd::kPrint:
            if (print_) print_();
            return true;
        case cmd::kRefreshBackground:
            if (view_) view_->update();
            return true;
        case cmd::kCopy:
        case cmd::kCut:
        case cmd::kPaste:
            return view_ && CDataEdit::clipboardCommand(view_->edit(), command);
        default:
            return false;
    }
}

}  // namespace rk::ui
