#include "ui/controls/CMojiList.h"

#include <QApplication>
#include <QKeyEvent>

#include "ui/controls/CDataEdit.h"
#include "ui/controls/QtKeys.h"

namespace rk::ui {

using controls::Key;

CMojiList::CMojiList(int id, QWidget* view, bool multiSelect)
    : QListWidget(view), result_{id, 0, Key::None}, list_(id, 0, multiSelect) {
    setObjectName("CMojiList");
    setSelectionMode(multiSelect ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void CMojiList::setLines(const QStringList& lines, int firstNumber) {
    clear();
    addItems(lines);
    list_ = controls::PickList(list_.id(), count(), selectionMode() == QAbstractItemView::MultiSelection);
    list_.setFirstNumber(firstNumber);
    if (count() > 0) setCurrentRow(0);
}

void CMojiList::act(const controls::PickList::Step& s) {
    if (s.beep) QApplication::beep();
    if (s.feedChar) CDataEdit::injectCharacter(functionWindow(this), QString(QChar(s.feedChar)));
    if (s.feedKey != Key::None) CDataEdit::injectKey(functionWindow(this), s.feedKey);
    if (s.chosen) emit chosen(result_);
}

void CMojiList::keyPressEvent(QKeyEvent* e) {
    const Key k = toKey(e);
    if (k == Key::Up || k == Key::Down || k == Key::PageUp || k == Key::PageDown) QListWidget::keyPressEvent(e);
    const QString t = e->text();
    if (t.size() == 1 && t[0].isDigit()) {
        act(list_.character(t[0].toLatin1()));
        return;
    }
    act(list_.key(k, currentRow(), result_));
}

void CMojiList::mouseDoubleClickEvent(QMouseEvent* e) {
    QListWidget::mouseDoubleClickEvent(e);
    act(list_.doubleClick(currentRow(), result_));
}

void CMojiList::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton && list_.rightClickSelectsAll()) {
        selectAll();
        return;
    }
    QListWidget::mousePressEvent(e);
}

}  // namespace rk::ui
