#include "ui/slips/FWidthMojiWnd.h"

#include <QPainter>
#include <cstring>

#include "slips/line_tools.h"
#include "slips/slip_messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/slips/FMdinWnd.h"

namespace rk::ui {

using controls::Key;

FWidthMojiWnd::FWidthMojiWnd(FMdinWnd& wnd, int line) : QWidget(&wnd), wnd_(wnd), line_(line) {
    setObjectName("FWidthMojiWnd");
    setWindowTitle("　拡張備考文（行文字）入力");
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(QFont("IPAGothic", 11));
    setFixedSize(760, 120);
    const LineText& t = wnd_.doc().texts[static_cast<size_t>(line_)];
    std::memcpy(buffer_, t.text, kLineTextEdited);
    makeField();
}

void FWidthMojiWnd::makeField() {
    controls::EntryConfig c;
    c.mode = 0;
    c.length = 81;
    c.text = std::span<char>(buffer_, 81);
    edit_ = CDataEdit::create(this, c, QRect(10, 56, 740, 26), wnd_.dialogs());
    if (edit_) connect(edit_, &CDataEdit::finished, this, &FWidthMojiWnd::finished);
}

void FWidthMojiWnd::finished(Key k) {
    CFq7Doc& doc = wnd_.doc();
    SlipLine& l = doc.lines[static_cast<size_t>(line_)];
    LineText& t = doc.texts[static_cast<size_t>(line_)];
    bool changed = false;
    if (k == Key::Enter) {
        storeLineText(l, t, std::string_view(buffer_, ::strnlen(buffer_, sizeof buffer_)));
        changed = true;
    } else if (k == Key::F4) {
        detachLineText(l, t);
        changed = true;
    } else if (k != Key::Esc) {
        // Other keys keep the window open on what was typed.
        CDataEdit* old = edit_;
        makeField();
        old->disconnect(this);
        old->hide();
        old->deleteLater();
        return;
    }
    emit done(changed);
    close();
}

void FWidthMojiWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xE8));
    // A small window of its own over the slip: title bar and frame.
    p.fillRect(QRect(0, 0, width(), 24), QColor(0x00, 0x00, 0x80));
    p.setPen(Qt::white);
    p.drawText(QRect(6, 0, width() - 12, 24), Qt::AlignVCenter, windowTitle());
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawText(QRect(10, 28, 740, 24), Qt::AlignVCenter, QString::asprintf("%2d 行目の行文字", line_));
    p.drawText(QRect(10, 88, 740, 24), Qt::AlignVCenter, QString::fromUtf8(msg::kLineTextGuide));
}

}  // namespace rk::ui
