// The sort item list of the buyer totals window ("ソート項目"): choosing a line sorts the
// rows again.
#pragma once

#include <QListWidget>

namespace rk::ui {

class BaisanWnd;

class BaisanBView : public QListWidget {
    Q_OBJECT
public:
    explicit BaisanBView(BaisanWnd& wnd);
};

}  // namespace rk::ui
