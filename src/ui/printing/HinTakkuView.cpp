#include "ui/printing/HinTakkuView.h"

#include <QFontDialog>
#include <QPainter>
#include <QPushButton>

#include "base/format.h"
#include "printing/conventions.h"
#include "printing/messages.h"
#include "ui/controls/CDataEdit.h"

namespace rk::ui {

using controls::Key;
namespace msg = printing::msg;

namespace {
constexpr int kFieldX = 170, kFieldY = 20, kFieldStep = 34;
}

HinTakkuView::HinTakkuView(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : PrintSelectionView(ctx, dialogs, parent) {
    setObjectName("HinTakkuView");
    form_ = printing::loadPrintForm(ctx.files, ctx.programFolder()).value_or(printing::defaultPrintForm());
    selection_.date = printing::lastSlipDate(ctx);
    selection_.to = ctx.env.customerCount;
    int32_t* values[4] = {&selection_.date, &selection_.from, &selection_.to, &lines_};
    for (int i = 0; i < 4; ++i)
        addNumberField(QRect(kFieldX, kFieldY + i * kFieldStep, 110, 26), values[i], i == kLines ? 2 : 4, i == kDate,
                       [this, i](int value) { setValue(static_cast<Field>(i), value); });

    const char* captions[4] = {"印 刷", "ﾌﾟﾚﾋﾞｭｰ", "ﾌｫﾝﾄ指定", "解 説"};
    QPushButton* buttons[4];
    for (int i = 0; i < 4; ++i) {
        buttons[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        buttons[i]->setGeometry(20 + i * 100, 240, 95, 30);
        buttons[i]->setFocusPolicy(Qt::NoFocus);
    }
    print_ = buttons[0];
    connect(buttons[0], &QPushButton::clicked, this, [this] { print(); });
    connect(buttons[1], &QPushButton::clicked, this, [this] { print(true); });
    connect(buttons[2], &QPushButton::clicked, this, &HinTakkuView::chooseFont);
    connect(buttons[3], &QPushButton::clicked, this, &HinTakkuView::helpRequested);
    rebuild();
}

void HinTakkuView::setValue(Field f, int value) {
    switch (f) {
        case kDate:
            selection_.date = monthday::normalise(value, monthday::kFirstDay);
            break;
        case kFrom:
            selection_.from = value;
            break;
        case kTo:
            selection_.to = value;
            break;
        case kLines:
            lines_ = value;  // shown only
            return update();
    }
    rebuild();
}

void HinTakkuView::rebuild() {
    const printing::SlipSnapshot files(ctx_);
    run_ = printing::buildTagRun(files, selection_);
    update();
}

bool HinTakkuView::print(bool previewOnly) {
    commit();
    if (run_.tags.empty()) return false;  // no slip on the date: the counts already say 0
    if (run_.pageCount() > msg::kMaxPages) {
        dialogs_.message(QString::asprintf(msg::kTooManyPages, run_.pageCount(), msg::kMaxPages).toStdString());
        return false;
    }
    const Planner planner = [this](const printing::PageArea& area) {
        return printing::planTags(run_, ctx_, form_, area);
    };
    return sendPages(planner, previewOnly);
}

// The tag font is this window's copy of the data font; the print form file stays as it is.
void HinTakkuView::chooseFont() {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, QFont(fontFamily(form_.data)), this);
    if (ok) form_.data = logFontOf(chosen);
}

void HinTakkuView::fieldExited(int index, Key key) {
    switch (key) {
        case Key::Up:
        case Key::Esc:
            setCurrent(std::max(0, index - 1));
            return;
        case Key::Enter:
            if (index == kLines) {
                setCurrent(index);
                print();
                return;
            }
            [[fallthrough]];
        case Key::Down:
        case Key::Tab:
            setCurrent(std::min<int>(kLines, index + 1));
            return;
        default:
            setCurrent(index);
    }
}

void HinTakkuView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF0, 0xF0, 0xE8));
    const char* labels[4] = {"印　刷　月　日", "開始得意先Ｎｏ", "終了得意先Ｎｏ", "行数(現在無効)"};
    for (int i = 0; i < 4; ++i)
        p.drawText(QRect(20, kFieldY + i * kFieldStep, 145, 26), Qt::AlignVCenter, QString::fromUtf8(labels[i]));
    paintFields(p);
    p.drawText(QRect(kFieldX + 120, kFieldY, 60, 26), Qt::AlignVCenter,
               QString::fromStdString(
                   printing::weekdayText(selection_.date, ctx_.settings.businessYear, ctx_.settings.firstMonth)));
    p.drawText(QRect(20, 170, 300, 22), Qt::AlignVCenter, QString::fromStdString(run_.slipCountText()));
    p.drawText(QRect(20, 194, 300, 22), Qt::AlignVCenter, QString::fromStdString(run_.tagCountText()));
    p.drawText(QRect(20, 280, 440, 22), Qt::AlignVCenter, QString::fromUtf8(msg::kFormNote));
}

}  // namespace rk::ui
