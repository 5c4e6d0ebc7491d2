#include "ui/printing/PrintSelectionView.h"

#include <QKeyEvent>
#include <QPushButton>
#include <algorithm>

#include "ui/controls/CDataEdit.h"
#include "ui/controls/QtKeys.h"

namespace rk::ui {

using controls::Key;

void PrintSelectionView::addNumberField(QRect rect, const int32_t* value, int length, bool date,
                                        std::function<void(int)> set) {
    addField({rect,
              [value, length] {
                  controls::EntryConfig c;
                  c.mode = 1;
                  c.length = length;
                  c.value = *value;
                  c.inputMethodOff = true;
                  return c;
              },
              [set = std::move(set)](const CDataEdit& e) {
                  if (e.field().edited()) set(e.value());
              },
              [value, date] {
                  return date ? QString::asprintf("%2d 月 %2d 日 ", *value / 100, *value % 100)
                              : QString("%1").arg(*value, 4);
              }});
}

bool PrintSelectionView::sendPages(const Planner& planner, bool previewOnly) {
    if (previewOnly) {
        output_.preview(planner, this);
        return true;
    }
    return output_.print(planner, this);
}

void PrintSelectionView::setFunctionKeys(std::function<void()> f11, std::function<void()> f12, int lastField) {
    f11_ = std::move(f11);
    f12_ = std::move(f12);
    lastField_ = lastField;
}

void PrintSelectionView::addBillButtons(int y, QPushButton* (&out)[4], std::function<void()> preview) {
    const char* captions[4] = {"解説", "検索実行(F11)", "印刷実行(F12)", "ﾌﾟﾚﾋﾞｭｰ"};
    for (int i = 0; i < 4; ++i) {
        out[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        out[i]->setGeometry(20 + i * 100, y, 95, 30);
        out[i]->setFocusPolicy(Qt::NoFocus);
    }
    connect(out[0], &QPushButton::clicked, this, &PrintSelectionView::helpRequested);
    connect(out[1], &QPushButton::clicked, this, [this] { f11_(); });
    connect(out[2], &QPushButton::clicked, this, [this] { f12_(); });
    connect(out[3], &QPushButton::clicked, this, std::move(preview));
}

void PrintSelectionView::fieldExited(int index, Key key) {
    switch (key) {
        case Key::F11:
        case Key::F12:
            setCurrent(index);
            if (const auto& f = key == Key::F11 ? f11_ : f12_) f();
            return;
        case Key::Up:
            setCurrent(std::max(0, index - 1));
            return;
        case Key::Enter:
        case Key::Down:
        case Key::Tab:
            setCurrent(std::min(lastField_, index + 1));
            return;
        default:
            setCurrent(index);
    }
}

void PrintSelectionView::keyPressEvent(QKeyEvent* e) {
    const Key k = toKey(e);
    if (k == Key::F11 && f11_) return f11_();
    if (k == Key::F12 && f12_) return f12_();
    SettingsFieldView::keyPressEvent(e);
}

}  // namespace rk::ui
