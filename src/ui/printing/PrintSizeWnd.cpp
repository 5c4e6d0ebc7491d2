#include "ui/printing/PrintSizeWnd.h"

#include <QCloseEvent>
#include <QFontDialog>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>

#include "printing/messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/printing/PlanPrinter.h"

namespace rk::ui {

using controls::EntryConfig;
using controls::Key;
namespace msg = printing::msg;

namespace {

constexpr int kFieldX = 200, kFieldY = 10, kFieldStep = 25;
const char* const kLabels[12] = {" 行　　数",    "上端マージ",    "下端マージ",    "左端マージ",
                                 "右端マージ",   "表題ｻｲｽﾞ･ﾌｫﾝﾄ", "文字ｻｲｽﾞ･ﾌｫﾝﾄ", "一覧印刷列数",
                                 "一覧印刷行数", "大割表示列数",  "小割表示列数",  "　　同　行数"};

std::optional<QFont> dialogFont(const QFont& current, QWidget* parent) {
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, current, parent);
    return ok ? std::optional<QFont>(f) : std::nullopt;
}

}  // namespace

PrintSizeWnd::PrintSizeWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide, QWidget* parent)
    : SettingsFieldView(ctx, dialogs, parent), chooseFont_(dialogFont), guide_(std::move(guide)) {
    setObjectName("PrintSizeWnd");
    setWindowTitle("　印刷フォーム設定");
    setFont(QFont("IPAGothic", 10));
    form_ = printing::loadPrintForm(ctx.files, ctx.programFolder()).value_or(printing::defaultPrintForm());
    fax_ = printing::loadFaxFonts(ctx.files, ctx.programFolder())
               .value_or(printing::FaxFonts{printing::systemFont(), printing::systemFont()});
    for (int i = 0; i < 12; ++i) {
        int32_t* v = &form_.fields[i];
        addField({QRect(kFieldX, kFieldY + i * kFieldStep, 80, 24),
                  [v] {
                      EntryConfig c;
                      c.mode = 1;
                      c.length = 3;
                      c.value = *v;
                      c.inputMethodOff = true;
                      return c;
                  },
                  [v](const CDataEdit& e) { *v = e.value(); }, [v] { return QString("%1").arg(*v, 3); }});
    }
    const char* captions[kButtonCount] = {"更新", "解説", "ﾀｲﾄﾙﾌｫﾝﾄ", "ﾃﾞｰﾀﾌｫﾝﾄ", "faxﾀｲﾄﾙﾌｫﾝﾄ", "faxﾃﾞｰﾀﾌｫﾝﾄ"};
    for (int i = 0; i < kButtonCount; ++i) {
        buttons_[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        buttons_[i]->setGeometry(20 + (i % 3) * 125, 362 + (i / 3) * 34, 118, 30);
        buttons_[i]->setFocusPolicy(Qt::NoFocus);
    }
    connect(buttons_[kUpdate], &QPushButton::clicked, this, &PrintSizeWnd::closeWindow);
    connect(buttons_[kHelp], &QPushButton::clicked, this, [this] {
        if (guide_) guide_(msg::kPrintFormTopic);
    });
    connect(buttons_[kTitleFont], &QPushButton::clicked, this, [this] { pickFont(form_.title, false); });
    connect(buttons_[kDataFont], &QPushButton::clicked, this, [this] { pickFont(form_.data, false); });
    connect(buttons_[kFaxTitleFont], &QPushButton::clicked, this, [this] { pickFont(fax_.title, true); });
    connect(buttons_[kFaxDataFont], &QPushButton::clicked, this, [this] { pickFont(fax_.data, true); });
    resize(sizeHint());
    setCurrent(0);
}

void PrintSizeWnd::pickFont(printing::LogFont& font, bool fax) {
    commit();
    const auto chosen = chooseFont_(QFont(fontFamily(font)), this);
    if (!chosen) return;
    font = logFontOf(*chosen);
    // The fax fonts are written at once; the print fonts with the form when the window closes.
    if (fax && !printing::saveFaxFonts(ctx_.files, ctx_.programFolder(), fax_))
        dialogs_.message(printing::msg::kFormNotSaved, Icon::Stop);
}

void PrintSizeWnd::fieldExited(int index, Key key) {
    switch (key) {
        case Key::Up:
        case Key::Esc:
            setCurrent(std::max(0, index - 1));
            return;
        case Key::Down:
        case Key::Enter:
        case Key::Tab:
            setCurrent(std::min(11, index + 1));
            return;
        default:
            setCurrent(index);
    }
}

void PrintSizeWnd::closeWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->close();
    } else {
        close();
    }
}

void PrintSizeWnd::closeEvent(QCloseEvent* e) {
    if (!saved_) {
        commit();
        printing::clampForSaving(form_);
        if (!printing::savePrintForm(ctx_.files, ctx_.programFolder(), form_)) {
            dialogs_.message(printing::msg::kFormNotSaved, Icon::Stop);
        }
        saved_ = true;
    }
    e->accept();
}

void PrintSizeWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF0, 0xF0, 0xE8));
    for (int i = 0; i < 12; ++i)
        p.drawText(QRect(30, kFieldY + i * kFieldStep, 160, 24), Qt::AlignVCenter, QString::fromUtf8(kLabels[i]));
    paintFields(p);
    p.drawText(QRect(30, 314, 370, 20), Qt::AlignVCenter, QString::fromUtf8(msg::kMarginNote));
    p.drawText(QRect(30, 334, 370, 20), Qt::AlignVCenter, QString::fromUtf8(msg::kSizeNote));
}

}  // namespace rk::ui
