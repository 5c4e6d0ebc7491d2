#include "ui/maintenance/DataHoseiWnd.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

#include "maintenance/check_messages.h"
#include "maintenance/compaction.h"
#include "maintenance/duplicate_check.h"
#include "maintenance/text_export.h"

namespace rk::ui {

using maintenance::ToolResult;

namespace {

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

struct ToolText {
    const char* caption;  // the button's caption, or the key of a tool without one
    const char* line;     // its explanation in the window
};

const ToolText kTools[DataHoseiWnd::kToolCount] = {
    {"解説", nullptr},
    {"ﾒﾝﾊﾞｰﾁｪｯｸ&&初期化", "決済伝票のﾒﾝﾊﾞｰ数０以上でﾏｽﾀｰのﾒﾝﾊﾞｰ数との差ﾁｪｯｸ＆初期化"},
    {"小数点以下初期化", "各データの小数点以下（単価を除く）の初期化"},
    {"決済票&&掛票照合", "入出金帳集計額と各掛け帳額計の照合をします"},
    {"最後尾ﾃﾞｰﾀ表示", "残高転記での問題をチェック"},
    {"未使用域除去", "メモリ上の未使用域（削除データ）を除去します"},
    {"得意先ﾏｽﾀ-数限定", "得意先マスターの１０００件以降を除去します"},
    {"得意先ﾏｽﾀ-初期化", "得意先マスター５０１番以降を初期化します"},
    {"ﾃﾞｰﾀの文字列化", "伝票データを文字列化します"},
    {"属性ｺｰﾄﾞ取込", "属性コードを読み込みます"},
    {"金帳内掛ﾚｺ補正", "入出金帳に格納された掛け帳のレコード番号の補正"},
    {"ALT + D", "得意先No０以下の伝票削除"},
    {"F6", "行の重複チェック"},
    {"F7", "伝票の重複チェック"},
    {"F8", "データ整合性チェック"},
    {"ALT + T", "得意先残高１つ↑"},
    {"ALT + S", "得意先残高１つ↓"},
};

// The frame's key commands this window answers while it is the active one.
struct KeyCommand {
    int command;
    DataHoseiWnd::Tool tool;
};
constexpr KeyCommand kKeys[] = {
    {209, DataHoseiWnd::kNoCustomerSlips}, {208, DataHoseiWnd::kDuplicateLines}, {318, DataHoseiWnd::kDuplicateSlips},
    {210, DataHoseiWnd::kYearCheck},       {304, DataHoseiWnd::kBalancesUp},     {146, DataHoseiWnd::kBalancesDown},
};

constexpr int kButtonLeft = 10, kButtonTop = 50, kButtonStep = 35, kButtonWidth = 170, kButtonHeight = 27;
constexpr int kLineLeft = 200;
constexpr int kKeyTop = 398, kKeyStep = 22, kKeyColumn = 265;
constexpr const char* kTopic = "＊．データチェック";
constexpr size_t kShownPairs = 40;

}  // namespace

// The operator's answers go to the program's message boxes; progress shows in the window.
class DataHoseiWnd::Progress : public Dialogs {
public:
    explicit Progress(DataHoseiWnd& w) : w_(w) {}
    ~Progress() override {
        w_.status_.clear();
        w_.update();
    }
    void message(std::string_view t, Icon icon) override { w_.dialogs_.message(t, icon); }
    Answer ask(std::string_view t, Buttons b, Answer pre, Icon icon) override {
        return w_.dialogs_.ask(t, b, pre, icon);
    }
    void beep() override { w_.dialogs_.beep(); }
    void progress(int, int, std::string_view label) override {
        w_.status_ = QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())).trimmed();
        w_.repaint();
    }

private:
    DataHoseiWnd& w_;
};

DataHoseiWnd::DataHoseiWnd(AppContext& ctx, Dialogs& dialogs, Hooks hooks, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs), hooks_(std::move(hooks)) {
    setObjectName("DataHoseiWnd");
    setWindowTitle(text("　データチェック"));
    setFont(QFont("IPAGothic", 10));
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    for (int t = 0; t < kButtonCount; ++t) {
        auto* b = new QPushButton(text(kTools[t].caption), this);
        b->setFocusPolicy(Qt::NoFocus);
        if (t == kHelp)
            b->setGeometry(40, 10, 100, kButtonHeight);
        else
            b->setGeometry(kButtonLeft, kButtonTop + (t - 1) * kButtonStep, kButtonWidth, kButtonHeight);
        connect(b, &QPushButton::clicked, this, [this, t] { run(static_cast<Tool>(t)); });
        buttons_[t] = b;
    }
}

bool DataHoseiWnd::onCommand(int command) {
    for (const KeyCommand& k : kKeys)
        if (k.command == command) {
            run(k.tool);
            return true;
        }
    return false;
}

ToolResult DataHoseiWnd::run(Tool t) {
    Progress d(*this);
    ToolResult r = ToolResult::Done;
    switch (t) {
        case kHelp:
            if (hooks_.openGuide) hooks_.openGuide(kTopic);
            return r;
        case kMemberCount:
            r = maintenance::checkMemberCounts(ctx_, d);
            break;
        case kFractions:
            r = maintenance::clearFractions(ctx_, d);
            break;
        case kPaymentTotals:
            r = maintenance::checkPaymentTotals(ctx_, d);
            break;
        case kLastSlip:
            r = maintenance::showLastSlip(ctx_, d);
            break;
        case kCompaction:
            r = maintenance::compactYear(ctx_, d);
            break;
        case kTruncateCustomers:
            r = maintenance::truncateCustomers(ctx_, d);
            break;
        case kResetCustomers:
            r = maintenance::resetCustomersFrom501(ctx_, d);
            break;
        case kTextExport:
            r = maintenance::exportText(ctx_, d);
            break;
        case kSalesMethods:
            r = maintenance::importSalesMethods(ctx_, d);
            break;
        case kPaymentLists:
            r = maintenance::repairPaymentLists(ctx_, d);
            break;
        case kNoCustomerSlips:
            r = maintenance::deleteSlipsWithoutCustomer(ctx_, d);
            break;
        case kDuplicateLines: {
            d.progress(0, 0, msg::kCheckingProgress);
            auto pairs = maintenance::findDuplicateLines(ctx_.files, ctx_.fileSet[kSlipHeaders]);
            if (!pairs) {
                d.message(msg::kCheckReadFailed, Icon::Stop);
                return ToolResult::Failed;
            }
            if (pairs->empty()) {
                d.message(msg::kDuplicateLinesNone, Icon::Information);
                break;
            }
            std::string report = maintenance::kDuplicateLineHeading;
            for (size_t i = 0; i < pairs->size() && i < kShownPairs; ++i)
                report += "\n" + maintenance::duplicateLineRow(static_cast<int>(i + 1), (*pairs)[i]);
            d.message(report, Icon::Warning);
            break;
        }
        case kDuplicateSlips:
            r = maintenance::showDuplicateSlips(ctx_, d);
            break;
        case kYearCheck:
            r = maintenance::showYearCheck(ctx_, d);
            break;
        case kBalancesUp:
            r = maintenance::shiftCustomerBalances(ctx_, d, true);
            break;
        case kBalancesDown:
            r = maintenance::shiftCustomerBalances(ctx_, d, false);
            break;
        default:
            break;
    }
    if (r == ToolResult::Restart && hooks_.endProgram) hooks_.endProgram();
    return r;
}

void DataHoseiWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.setPen(Qt::black);
    QFont heading = font();
    heading.setPointSize(14);
    p.setFont(heading);
    p.drawText(QRect(kLineLeft, 8, 560, 32), Qt::AlignLeft | Qt::AlignVCenter, text("データチェックメニュー"));
    p.setFont(font());
    for (int t = 1; t < kButtonCount; ++t)
        p.drawText(QRect(kLineLeft, kButtonTop + (t - 1) * kButtonStep, 590, kButtonHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, text(kTools[t].line));
    // The tools on keys, two rows under the buttons.
    for (int t = kButtonCount; t < kToolCount; ++t) {
        const int i = t - kButtonCount;
        const QString line = t >= kBalancesUp ? text(kTools[t].line).prepend(text(kTools[t].caption) + " ")
                                              : text(kTools[t].caption) + "  " + text(kTools[t].line);
        p.drawText(QRect(kButtonLeft + (i % 3) * kKeyColumn, kKeyTop + (i / 3) * kKeyStep, kKeyColumn - 5, kKeyStep),
                   Qt::AlignLeft | Qt::AlignVCenter, line);
    }
    if (!status_.isEmpty()) {
        const QRect box(kLineLeft + 80, 160, 360, 90);
        p.fillRect(box, Qt::white);
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.drawText(box, Qt::AlignCenter, status_);
    }
}

void DataHoseiWnd::contextMenuEvent(QContextMenuEvent* e) {
    QMenu menu(this);
    for (int t = kButtonCount; t < kToolCount; ++t) {
        QAction* a = menu.addAction(text(kTools[t].line) + "\t" + text(kTools[t].caption));
        connect(a, &QAction::triggered, this, [this, t] { run(static_cast<Tool>(t)); });
    }
    menu.exec(e->globalPos());
}

}  // namespace rk::ui
