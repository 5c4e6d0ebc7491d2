// The pick list: one entry out of a vertical list, chosen with the cursor or by typing its
// number (the digits also show in the window's entry fields). Every choice goes into the
// list result and chosen() tells the owning view.
#pragma once

#include <QListWidget>

#include "controls/pick_list.h"

namespace rk::ui {

class CMojiList : public QListWidget {
    Q_OBJECT
public:
    // The list's id is the one the owner left in the list result before creating it.
    CMojiList(controls::ListResult& result, QWidget* view, bool multiSelect = false);

    // `firstNumber`: what typing names the first line (see PickList::setFirstNumber).
    void setLines(const QStringList& lines, int firstNumber = 1);
    const controls::PickList& list() const { return list_; }

signals:
    void chosen();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void act(const controls::PickList::Step& s);

    controls::ListResult& result_;
    controls::PickList list_;
};

}  // namespace rk::ui
