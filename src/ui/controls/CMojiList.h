// The pick list: one entry out of a vertical list, chosen with the cursor or by typing its
// number (the digits also show in the window's entry fields). chosen() hands the owning view
// the choice: the list's id, the chosen row and the key that ended the choice.
#pragma once

#include <QListWidget>

#include "controls/pick_list.h"

namespace rk::ui {

class CMojiList : public QListWidget {
    Q_OBJECT
public:
    CMojiList(int id, QWidget* view, bool multiSelect = false);

    // `firstNumber`: what typing names the first line (see PickList::setFirstNumber).
    void setLines(const QStringList& lines, int firstNumber = 1);
    const controls::PickList& list() const { return list_; }
    // The last choice (row 0 and no key while none was made).
    const controls::ListResult& result() const { return result_; }
    // The list is closed by another key: no choice stands.
    void clearChoice() { result_.key = controls::Key::None; }

signals:
    void chosen(const controls::ListResult& result);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void act(const controls::PickList::Step& s);

    controls::ListResult result_;
    controls::PickList list_;
};

}  // namespace rk::ui
