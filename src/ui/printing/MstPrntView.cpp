#include "ui/printing/MstPrntView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "printing/messages.h"

namespace rk::ui {

using controls::Key;
namespace msg = printing::msg;

namespace {
constexpr int kFieldX = 170, kFieldY = 20, kFieldStep = 34, kNamesX = 300;
const char* const kNames[printing::kMasterLists] = {"得　意　先", "商　　　品", "規格１＆２", "勘 定 科目",
                                                    "備　考　文"};
}  // namespace

MstPrntView::MstPrntView(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : PrintSelectionView(ctx, dialogs, parent) {
    setObjectName("MstPrntView");
    form_ = printing::loadPrintForm(ctx.files, ctx.programFolder()).value_or(printing::defaultPrintForm());
    setValue(kMaster, 1);
    int32_t* values[4] = {&master_, &selection_.from, &selection_.to, &selection_.linesPerInch};
    const int lengths[4] = {1, 4, 4, 2};
    for (int i = 0; i < 4; ++i)
        addNumberField(QRect(kFieldX, kFieldY + i * kFieldStep, 110, 26), values[i], lengths[i], false,
                       [this, i](int value) { setValue(static_cast<Field>(i), value); });

    const char* captions[4] = {"ﾌﾟﾚﾋﾞｭｰ", "印 刷", "ﾃｷｽﾄｱｳﾄ", "解 説"};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(captions[i]), this);
        b->setGeometry(20 + i * 100, 200, 95, 30);
        b->setFocusPolicy(Qt::NoFocus);
        if (i == 0) connect(b, &QPushButton::clicked, this, [this] { print(true); });
        if (i == 1) connect(b, &QPushButton::clicked, this, [this] { print(); });
        if (i == 2) connect(b, &QPushButton::clicked, this, [this] { writeText(); });
        if (i == 3) connect(b, &QPushButton::clicked, this, &MstPrntView::helpRequested);
    }
}

void MstPrntView::setValue(Field f, int value) {
    switch (f) {
        case kMaster:
            // Another master: its whole range.
            master_ = std::clamp(value, 1, printing::kMasterLists);
            selection_.kind = static_cast<printing::MasterList>(master_ - 1);
            selection_.from = printing::firstCode(selection_.kind);
            selection_.to = printing::lastCode(selection_.kind, ctx_);
            break;
        case kFrom:
            selection_.from = value;
            break;
        case kTo:
            selection_.to = value;
            break;
        case kPitch:
            selection_.linesPerInch = std::clamp(value, 2, 12);
            break;
    }
    update();
}

bool MstPrntView::print(bool previewOnly) {
    commit();
    auto table = std::make_shared<printing::MasterTable>(printing::loadMasterTable(ctx_, selection_));
    if (!table->ok || table->rows.empty()) return false;
    const Planner planner = [this, table](const printing::PageArea& area) {
        return printing::planMasterList(*table, form_, area);
    };
    return sendPages(planner, previewOnly);
}

bool MstPrntView::writeText() {
    commit();
    if (dialogs_.ask(msg::kMasterCsvQuestion, Buttons::OkCancel, Answer::Cancel) != Answer::Ok) return false;
    const printing::MasterTable table = printing::loadMasterTable(ctx_, selection_);
    if (!table.ok || !printing::writeMasterCsv(ctx_, table)) {
        dialogs_.message(msg::kMasterCsvFailed, Icon::Stop);
        return false;
    }
    return true;
}

void MstPrntView::fieldExited(int index, Key key) {
    switch (key) {
        case Key::Up:
        case Key::Esc:
            setCurrent(std::max(0, index - 1));
            return;
        case Key::Enter:
        case Key::Down:
        case Key::Tab:
            setCurrent(std::min<int>(kPitch, index + 1));
            return;
        default:
            setCurrent(index);
    }
}

void MstPrntView::mousePressEvent(QMouseEvent* e) {
    const QPoint at = e->position().toPoint();
    for (int i = 0; i < printing::kMasterLists; ++i) {
        if (QRect(kNamesX, kFieldY + i * 26, 130, 24).contains(at)) {
            setValue(kMaster, i + 1);
            return setCurrent(kFrom);
        }
    }
    PrintSelectionView::mousePressEvent(e);
}

void MstPrntView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF0, 0xF0, 0xE8));
    const char* labels[4] = {"マスター名", "許容範囲 開始", "許容範囲 終了", "行間ｲﾝﾁ/"};
    for (int i = 0; i < 4; ++i)
        p.drawText(QRect(20, kFieldY + i * kFieldStep, 145, 26), Qt::AlignVCenter, QString::fromUtf8(labels[i]));
    paintFields(p);
    for (int i = 0; i < printing::kMasterLists; ++i) {
        const QRect r(kNamesX, kFieldY + i * 26, 130, 24);
        const bool chosen = i == master_ - 1;
        p.fillRect(r, chosen ? QColor(0, 0, 128) : QColor(Qt::white));
        p.setPen(chosen ? Qt::white : Qt::black);
        p.drawText(r, Qt::AlignVCenter, QString::asprintf(" %d. ", i + 1) + QString::fromUtf8(kNames[i]));
        p.setPen(Qt::black);
    }
    p.drawText(QRect(20, 250, 440, 22), Qt::AlignVCenter, QString::fromUtf8(msg::kFormNote));
}

}  // namespace rk::ui
